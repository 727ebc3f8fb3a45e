#pragma once
// ScratchFolder: a new empty folder below the system's temporary folder,
// removed with all it holds when the object goes. Shared by the unit, backend
// and fuzz tests.

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/posix/posix_files.h"

namespace orvane::support {

class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> serial{0};
        const auto stamp = std::filesystem::file_time_type::clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("orvane-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
        path_ = std::filesystem::canonical(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as the program holds it (UTF-16).
    std::u16string text() const { return posix::nameFromBytes(path_.string()); }

private:
    std::filesystem::path path_;
};

}  // namespace orvane::support
