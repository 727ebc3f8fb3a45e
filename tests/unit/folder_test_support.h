#pragma once
// Real temporary folders for the folder tests, and a fixture that gives every
// test a fresh fake backend and puts the process's current folder back after it.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_files.h"

namespace orvane::testing {

namespace fs = std::filesystem;

// A new empty folder below the system's temporary folder, removed with all it
// holds when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> serial{0};
        const auto stamp = fs::file_time_type::clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() /
                ("orvane-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        fs::create_directories(path_);
        path_ = fs::canonical(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::u16string text() const { return posix::nameFromBytes(path_.string()); }

private:
    fs::path path_;
};

// A path as the program holds it: UTF-16.
inline std::u16string programPath(const fs::path& path) { return posix::nameFromBytes(path.string()); }

// The UTF-8 bytes of a UTF-16 literal, for making files with std::filesystem.
inline std::string utf8(const std::u16string& text) { return posix::bytesFromName(text); }

inline void makeFile(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

// The process's current folder as the tests see it (UTF-16).
inline std::u16string currentFolderNow() {
    std::u16string folder;
    posix::getCurrentFolder(folder);
    return folder;
}

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        original_ = fs::current_path();
    }
    void TearDown() override {
        fake::reset();
        fs::current_path(original_);
    }

private:
    fs::path original_;
};

}  // namespace orvane::testing
