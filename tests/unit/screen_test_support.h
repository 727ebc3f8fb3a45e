#pragma once
// Shared set-up for the frame and panel tests: a temporary program folder
// with a small catalog and standards tree, the fake backend reset, and the
// drawing calls of a frame read back as texts and rectangles.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "screen/frame_context.h"

namespace orvane::screen_test {

namespace fs = std::filesystem;

inline bool russianBuild() { return stringTable().languageCode == u"ru"; }

// A path held by the program (backslashes between components) on disk.
inline fs::path diskPath(const fs::path& root, const std::u16string& programPath) {
    fs::path path = root;
    size_t start = 0;
    while (start <= programPath.size()) {
        size_t end = programPath.find(u'\\', start);
        if (end == std::u16string::npos) end = programPath.size();
        if (end > start) path /= fs::path(programPath.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

inline void touch(const fs::path& file) { std::ofstream(file).put('\n'); }

// The word a test catalog holds for a key: the key with a mark of its case.
inline std::u16string nominativeWord(const std::u16string& key) { return key + u"N"; }
inline std::u16string genitiveWord(const std::u16string& key) { return key + u"G"; }
inline const std::u16string yearWord = u"yearword";

// What one drawing call put on the canvas.
struct Drawn {
    bool isText = false;
    int64_t x = 0, y = 0, right = 0, bottom = 0;  // a text uses x and y only
    std::u16string text;
    int32_t fontHeight = 0;  // for a text: the height of the font selected then
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

inline Drawn text(int64_t x, int64_t y, std::u16string t, int32_t fontHeight = 16) {
    return Drawn{true, x, y, 0, 0, std::move(t), fontHeight};
}
inline Drawn box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return Drawn{false, left, top, right, bottom, {}, 0};
}

inline void PrintTo(const Drawn& d, std::ostream* os) {
    if (d.isText) {
        std::string narrow;
        for (char16_t c : d.text) narrow += c < 128 ? static_cast<char>(c) : '?';
        *os << "text(" << d.x << ", " << d.y << ", \"" << narrow << "\", font " << d.fontHeight
            << ")";
    } else {
        *os << "box(" << d.x << ", " << d.y << ", " << d.right << ", " << d.bottom << ")";
    }
}

// Compares two drawings and names the first element in which they differ
// (gtest would print only the first few dozen elements of each).
inline ::testing::AssertionResult sameDrawing(const std::vector<Drawn>& actual,
                                              const std::vector<Drawn>& expected) {
    const size_t common = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < common; ++i) {
        if (!(actual[i] == expected[i])) {
            return ::testing::AssertionFailure()
                   << "element " << i << ": drawn " << ::testing::PrintToString(actual[i])
                   << ", expected " << ::testing::PrintToString(expected[i]);
        }
    }
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure() << actual.size() << " elements drawn, expected "
                                             << expected.size();
    }
    return ::testing::AssertionSuccess();
}

// Every rectangle and text of the recorded calls, in order, each text with
// the height of the font selected at the time (replayed from the calls).
inline std::vector<Drawn> drawnElements() {
    const fake::FakePlatform& fake = fake::fakePlatform();
    std::vector<Drawn> drawn;
    int32_t currentFont = 0;
    for (const fake::RecordedCall& call : fake.calls) {
        switch (call.call) {
            case fake::Call::selectObject: {
                const auto font = fake.fontHeights.find(call.args[1]);
                if (font != fake.fontHeights.end()) currentFont = font->second;
                if (call.args[1] == fake::defaultFontHandle) currentFont = 0;
                break;
            }
            case fake::Call::drawRectangle:
                drawn.push_back(box(call.args[1], call.args[2], call.args[3], call.args[4]));
                break;
            case fake::Call::drawText:
                drawn.push_back(text(call.args[1], call.args[2], call.text, currentFont));
                break;
            default: break;
        }
    }
    return drawn;
}

// The texts alone, in order.
inline std::vector<Drawn> drawnTexts() {
    std::vector<Drawn> texts;
    for (const Drawn& d : drawnElements()) {
        if (d.isText) texts.push_back(d);
    }
    return texts;
}

inline int callCount(fake::Call call) { return static_cast<int>(fake::callsOf(call).size()); }

// A temporary program folder with the build's catalog: the standards tree with
// one word file in every key folder, and `entries` files in the catalog itself.
// AppState's working fields are saved and put back afterwards.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = appState;
        std::u16string current;
        platform::getCurrentFolder(current);
        savedCurrentFolder_ = current;

        root_ = fs::temp_directory_path() /
                ("orvane_screen_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + std::to_string(counter_++));
        fs::remove_all(root_);
        fs::create_directories(root_);
        buildStandardsTree();

        fake::reset();
        forgetReportedFailures();
        fake::fakePlatform().client = Rect{0, 0, 884, 960};

        appState.programFolder = root_.u16string();
        appState.currentFolder = appState.rootFolderName;
        appState.pendingFile.clear();
        appState.fileEntries.clear();
        appState.scrollOffset = 0;
        appState.frameCounter = 1;
        appState.framesPerSecond = 0;
        appState.frameInProgress = false;
        appState.weekdayNames.assign(appState.dayOfWeekKeys.begin(), appState.dayOfWeekKeys.end());
        appState.maxDayNameLength = 0;
        for (const std::u16string& name : appState.weekdayNames) {
            appState.maxDayNameLength =
                std::max(appState.maxDayNameLength, static_cast<int32_t>(name.size()));
        }
        appState.workingDate = SYSTEMTIME{2026, 12, 3, 9, 10, 20, 30, 0};  // Wednesday 9 Dec 2026
    }

    void TearDown() override {
        platform::setCurrentFolder(savedCurrentFolder_);
        appState = saved_;
        fake::reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Forgets the frame just drawn, so the next one can be compared with it.
    void startOver() {
        fake::reset();
        forgetReportedFailures();
        fake::fakePlatform().client = Rect{0, 0, 884, 960};
        appState.frameCounter = 1;
    }

    fs::path catalog() const { return diskPath(root_, appState.rootFolderName); }

    void buildStandardsTree() {
        for (const std::u16string& key : appState.dayOfWeekKeys) {
            const fs::path folder = diskPath(root_, appState.dayOfWeekFolder + u"\\" + key);
            fs::create_directories(folder);
            touch(folder / fs::path(nominativeWord(key) + u".txt"));
        }
        for (const std::u16string& key : appState.monthKeys) {
            const fs::path nominative = diskPath(root_, appState.monthsFolder + u"\\" + key);
            fs::create_directories(nominative);
            touch(nominative / fs::path(nominativeWord(key) + u".txt"));
            if (appState.monthsGenitiveFolder != appState.monthsFolder) {
                const fs::path genitive = diskPath(root_, appState.monthsGenitiveFolder + u"\\" + key);
                fs::create_directories(genitive);
                touch(genitive / fs::path(genitiveWord(key) + u".txt"));
            }
        }
        const fs::path year = diskPath(root_, appState.yearFolder);
        fs::create_directories(year);
        touch(year / fs::path(yearWord + u".txt"));
    }

    fs::path root_;
    AppState saved_ = appState;
    std::u16string savedCurrentFolder_;
    static inline int counter_ = 0;
};

inline const WindowHandle testWindow{reinterpret_cast<void*>(uintptr_t{0x1000})};

}  // namespace orvane::screen_test
