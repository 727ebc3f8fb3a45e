#pragma once
// Common ground for the tests of the main loop, the window procedure and the
// click handler: a fresh fake backend and a fresh AppState for every test, a
// temporary program folder with a small catalog, and the process's current
// folder put back afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "state/app_state.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"

namespace orvane::testing_support {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder_ = std::filesystem::current_path();
        appState = AppState(stringTable());
        fake::reset();
    }

    void TearDown() override {
        std::filesystem::current_path(savedFolder_);
        if (!programFolder_.empty()) std::filesystem::remove_all(programFolder_);
        appState = AppState(stringTable());
        fake::reset();
    }

    // Makes a temporary program folder holding the catalog with:
    //   A\B\           nested folders
    //   report.txt     a file with a full stop
    //   Backup.old\    a folder with a full stop
    //   Makefile       a regular file without one
    // and makes appState.programFolder name it.
    void makeProgramFolder() {
        // Unique per test and per run: both builds' tests may run at once.
        const std::u16string language(stringTable().languageCode);
        programFolder_ = std::filesystem::temp_directory_path() /
                         ("orvane-shell-" + std::string(language.begin(), language.end()) + "-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                          std::to_string(std::random_device{}()));
        std::filesystem::remove_all(programFolder_);
        const std::filesystem::path catalog = programFolder_ / std::filesystem::path(appState.rootFolderName);
        std::filesystem::create_directories(catalog / "A" / "B");
        std::filesystem::create_directories(catalog / "Backup.old");
        std::ofstream(catalog / "report.txt") << "report\n";
        std::ofstream(catalog / "Makefile") << "all:\n";
        appState.programFolder = programFolder_.u16string();
    }

    // Frames started so far: every frame asks for the window's drawing context first.
    static size_t framesStarted() { return fake::callsOf(fake::Call::getWindowContext).size(); }

    std::filesystem::path programFolder_;

private:
    std::filesystem::path savedFolder_;
};

}  // namespace orvane::testing_support
