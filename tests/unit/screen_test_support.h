#pragma once
// Frame and panel tests: a temporary program folder whose catalog holds a
// standards tree (word = key + "N" nominative, key + "G" genitive, year word
// "yearword"), and the drawing calls of a frame read back in order.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "folder_test_support.h"
#include "screen/frame.h"
#include "screen/frame_context.h"
#include "state/app_state.h"

namespace orvane::screen_test {

using namespace orvane::testing;
using fake::Call;

inline bool russianBuild() { return stringTable().languageCode == u"ru"; }

// A path as the program holds it (backslash-separated) below `root`.
inline fs::path diskPath(const fs::path& root, const std::u16string& path) {
    std::u16string slashed = path;
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    return root / utf8(slashed);
}

// One rectangle or text as the canvas received it; a text with its font height.
struct Drawn {
    bool isText = false;
    int64_t x = 0, y = 0, right = 0, bottom = 0;
    std::u16string text;
    int32_t font = 0;
    friend bool operator==(const Drawn&, const Drawn&) = default;
};
inline Drawn text(int64_t x, int64_t y, std::u16string t, int32_t font = 16) {
    return Drawn{true, x, y, 0, 0, std::move(t), font};
}
inline Drawn box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return Drawn{false, left, top, right, bottom, {}, 0};
}
inline void PrintTo(const Drawn& d, std::ostream* os) {
    if (d.isText) *os << "text(" << d.x << ", " << d.y << ", \"" << utf8(d.text) << "\", " << d.font << ")";
    else *os << "box(" << d.x << ", " << d.y << ", " << d.right << ", " << d.bottom << ")";
}

// The rectangles and texts of the recorded calls, in order.
inline std::vector<Drawn> drawn() {
    const fake::FakePlatform& fake = fake::fakePlatform();
    std::vector<Drawn> all;
    int32_t font = 0;
    for (const fake::RecordedCall& call : fake.calls) {
        if (call.call == Call::selectObject && fake.fontHeights.count(call.args[1])) {
            font = fake.fontHeights.at(call.args[1]);
        } else if (call.call == Call::drawRectangle) {
            all.push_back(box(call.args[1], call.args[2], call.args[3], call.args[4]));
        } else if (call.call == Call::drawText) {
            all.push_back(text(call.args[1], call.args[2], call.text, font));
        }
    }
    return all;
}

inline size_t callCount(Call call) { return fake::callsOf(call).size(); }

inline const WindowHandle testWindow = fake::mainWindow;

// AppState as start-up leaves it, programFolder a scratch folder with the
// catalog; AppState and the current folder are put back afterwards.
class ScreenTest : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        for (const std::u16string& key : appState.dayOfWeekKeys) {
            makeFile(diskPath(root(), appState.dayOfWeekFolder + u"\\" + key + u"\\" + key + u"N.txt"));
        }
        for (const std::u16string& key : appState.monthKeys) {
            makeFile(diskPath(root(), appState.monthsFolder + u"\\" + key + u"\\" + key + u"N.txt"));
            if (appState.monthsGenitiveFolder == appState.monthsFolder) continue;
            makeFile(diskPath(root(), appState.monthsGenitiveFolder + u"\\" + key + u"\\" + key + u"G.txt"));
        }
        makeFile(diskPath(root(), appState.yearFolder + u"\\yearword.txt"));

        startOver();
        appState.programFolder = scratch_.text();
        appState.currentFolder = appState.rootFolderName;
        appState.pendingFile.clear();
        appState.scrollOffset = 0;
        appState.framesPerSecond = 0;
        appState.frameInProgress = false;
        appState.weekdayNames.assign(appState.dayOfWeekKeys.begin(), appState.dayOfWeekKeys.end());
        appState.maxDayNameLength = 0;
        for (const std::u16string& name : appState.weekdayNames) {
            appState.maxDayNameLength = std::max(appState.maxDayNameLength, int32_t(name.size()));
        }
        appState.workingDate = SYSTEMTIME{2026, 12, 3, 9, 10, 20, 30, 0};  // Wednesday 9 December 2026
    }
    void TearDown() override {
        appState = saved_;
        FolderTest::TearDown();
    }

    // Forgets what the last frame recorded, so the next one can be compared with it.
    void startOver() {
        fake::reset();
        forgetReportedFailures();
        fake::fakePlatform().client = Rect{0, 0, 884, 960};
        appState.frameCounter = 1;
    }

    const fs::path& root() const { return scratch_.path(); }
    fs::path catalog() const { return diskPath(root(), appState.rootFolderName); }

private:
    ScratchFolder scratch_;
    AppState saved_ = appState;
};

}  // namespace orvane::screen_test
