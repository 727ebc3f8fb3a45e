#pragma once
// Common ground for the tests of the main loop, the window procedure and the
// click handler: FolderTest's fresh fake backend and current folder put back,
// a fresh AppState for every test, and a scratch program folder with a small
// catalog.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "folder_test_support.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "state/app_state.h"

namespace orvane::testing_support {

class ShellTest : public testing::FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        appState = AppState(stringTable());
    }

    void TearDown() override {
        FolderTest::TearDown();
        programFolder_.clear();
        scratch_.reset();
        appState = AppState(stringTable());
    }

    // Makes a scratch program folder holding the catalog with:
    //   A\B\           nested folders
    //   report.txt     a file with a full stop
    //   Backup.old\    a folder with a full stop
    //   Makefile       a regular file without one
    // and makes appState.programFolder name it.
    void makeProgramFolder() {
        scratch_.emplace();
        programFolder_ = scratch_->path();
        const std::filesystem::path catalog = programFolder_ / std::filesystem::path(appState.rootFolderName);
        std::filesystem::create_directories(catalog / "A" / "B");
        std::filesystem::create_directories(catalog / "Backup.old");
        std::ofstream(catalog / "report.txt") << "report\n";
        std::ofstream(catalog / "Makefile") << "all:\n";
        appState.programFolder = scratch_->text();
    }

    // Frames started so far: every frame asks for the window's drawing context first.
    static size_t framesStarted() { return fake::callsOf(fake::Call::getWindowContext).size(); }

    std::filesystem::path programFolder_;

private:
    std::optional<testing::ScratchFolder> scratch_;
};

}  // namespace orvane::testing_support
