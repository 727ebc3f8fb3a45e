#pragma once
// Real temporary folders for the folder tests (ScratchFolder), and a fixture that gives every
// test a fresh fake backend and puts the process's current folder back after it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_files.h"
#include "scratch_folder.h"

namespace orvane::testing {

namespace fs = std::filesystem;
using support::ScratchFolder;

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
