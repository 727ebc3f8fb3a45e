// Folder listing and the date-and-time line, beside the bare system calls
// they are made of.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/posix/memory.h"
#include "platform/posix/posix_files.h"
#include "standards/directory_listing.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Memory is recycled as in the Linux program, for every benchmark here.
const bool memoryKept = (posix::keepFreedMemory(), true);

// Folders of 10, 1,000 and 100,000 empty files, made once in a temporary
// folder and removed when the benchmarks end.
class SizedFolders {
public:
    ~SizedFolders() {
        std::error_code ignored;
        if (!root_.empty()) fs::remove_all(root_, ignored);
    }
    const std::string& folder(int64_t entries) {
        if (root_.empty()) {
            root_ = fs::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid()));
            fs::create_directories(root_);
        }
        auto found = folders_.find(entries);
        if (found != folders_.end()) return found->second;
        const fs::path path = root_ / std::to_string(entries);
        fs::create_directory(path);
        for (int64_t i = 0; i < entries; ++i) {
            const std::string name = (path / ("entry " + std::to_string(i) + ".txt")).string();
            const int file = open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (file >= 0) close(file);
        }
        return folders_.emplace(entries, path.string()).first->second;
    }

private:
    fs::path root_;
    std::map<int64_t, std::string> folders_;
};

SizedFolders sizedFolders;

// The floor of a listing: what the system's enumeration costs with each name
// turned into UTF-16 and kept, as a listing keeps it (open, read every entry,
// convert, close, and drop the names again).
std::vector<std::u16string> floorListing(const std::string& folder) {
    std::vector<std::u16string> names;
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr) return names;
    std::string bytes;
    while (const dirent* entry = readdir(entries)) {
        bytes.assign(entry->d_name);
        names.push_back(posix::nameFromBytes(bytes));
    }
    closedir(entries);
    return names;
}

double secondsOf(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// listDirectory beside its floor, taking turns in every iteration, so that
// both see the same load. The time reported is listDirectory's; the floor's
// time and the ratio are counters, with the ratio allowed (1.5 up to 1,000
// entries, 2 at 100,000).
void BM_ListDirectory(benchmark::State& state) {
    const std::string bytes = sizedFolders.folder(state.range(0));
    const std::u16string folder = posix::nameFromBytes(bytes);
    double listingSeconds = 0;
    double floorSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        {
            const std::vector<std::u16string> names = floorListing(bytes);
            benchmark::DoNotOptimize(names.data());
        }
        floorSeconds += secondsOf(start);
        start = std::chrono::steady_clock::now();
        {
            const DirectoryListing listing = listDirectory(folder);
            benchmark::DoNotOptimize(listing.data());
        }
        const double listing = secondsOf(start);
        listingSeconds += listing;
        state.SetIterationTime(listing);
    }
    state.counters["floor_us"] = benchmark::Counter(floorSeconds * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["x_floor"] = floorSeconds > 0 ? listingSeconds / floorSeconds : 0;
    state.counters["allowed"] = state.range(0) >= 100000 ? 2.0 : 1.5;
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 2));
}
BENCHMARK(BM_ListDirectory)->Arg(10)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The save-and-restore around every reader: read the current folder and make
// it current again.
void BM_BareCurrentFolderPair(benchmark::State& state) {
    char buffer[4096];
    for (auto _ : state) {
        const char* folder = getcwd(buffer, sizeof buffer);
        benchmark::DoNotOptimize(chdir(folder));
    }
}
BENCHMARK(BM_BareCurrentFolderPair);

void BM_CurrentFolderPair(benchmark::State& state) {
    std::u16string folder;
    for (auto _ : state) {
        platform::getCurrentFolder(folder);
        benchmark::DoNotOptimize(platform::setCurrentFolder(folder));
    }
}
BENCHMARK(BM_CurrentFolderPair);

// The clock line as a frame writes it, from the sample catalog beside the
// benchmark program (three listings of the standards tree).
void BM_DateTimeText(benchmark::State& state) {
    appState.programFolder = platform::executableFolder();
    if (dateTimeText(2024, 1, 15, 1, 9, 5, 7) != u" Monday 09:05:07 15 January 2024 year.") {
        state.SkipWithError("no sample catalog beside the benchmark program");
        return;
    }
    for (auto _ : state) {
        std::u16string text = dateTimeText(2024, 1, 15, 1, 9, 5, 7);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DateTimeText)->Unit(benchmark::kMicrosecond);

void BM_DayOfWeekWord(benchmark::State& state) {
    appState.programFolder = platform::executableFolder();
    for (auto _ : state) {
        std::u16string word = dayOfWeekWord(3);
        benchmark::DoNotOptimize(word.data());
    }
}
BENCHMARK(BM_DayOfWeekWord)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
