// handleClick: what a release of the left button does, by where it happened.
// The file list (x 0-199) enters folders, goes up or picks a file to open; the
// scroll strip (x 200-239) does nothing on release; the date buttons move the
// working date; a release anywhere else scrolls the list back to its top.
// Every ending but the scroll strip's draws a frame at once.
#include "input/click.h"

#include <algorithm>
#include <cstdint>

#include "calendar/calendar_date.h"
#include "geometry/window_geometry.h"
#include "input/date_moves.h"
#include "platform/files.h"
#include "platform/path_join.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"

namespace orvane {

namespace {

using geometry::DateButton;

DateMoveResult moveDate(DateButton button) {
    switch (button) {
    case DateButton::previousDay: return previousDay();
    case DateButton::nextDay: return nextDay();
    case DateButton::nextMonth: return nextMonth();
    case DateButton::previousMonth: return previousMonth();
    case DateButton::oneYearLater: return yearsLater(1);
    case DateButton::oneYearEarlier: return yearsEarlier(1);
    case DateButton::tenYearsLater: return yearsLater(10);
    case DateButton::tenYearsEarlier: return yearsEarlier(10);
    case DateButton::hundredYearsLater: return yearsLater(100);
    case DateButton::hundredYearsEarlier: return yearsEarlier(100);
    case DateButton::thousandYearsLater: return yearsLater(1000);
    case DateButton::thousandYearsEarlier: return yearsEarlier(1000);
    }
    return DateMoveResult::finished;
}

const geometry::ButtonBand* buttonAt(int32_t x, int32_t y) {
    const int64_t shift = geometry::lowerPanelShift(appState.maxDayNameLength);
    for (const geometry::ButtonBand& band : geometry::dateButtonBands) {
        const int64_t top = band.top + (band.belowDayNames ? shift : 0);
        const int64_t bottom = band.bottom + (band.belowDayNames ? shift : 0);
        if (x >= band.left && x <= band.right && y >= top && y <= bottom) return &band;
    }
    return nullptr;
}

// The entry whose row band holds y: entry i covers 30i + 2 - s to 30i + 30 - s,
// with the single line 30i + 31 - s between two bands. In 64 bits, so no
// scroll offset or entry count can overflow. -1 when no entry is hit.
int64_t entryAt(int32_t y) {
    const int64_t fromFirstBand = static_cast<int64_t>(y) + appState.scrollOffset - geometry::rowBandTop;
    if (fromFirstBand < 0) return -1;
    const int64_t index = fromFirstBand / geometry::rowPitch;
    if (fromFirstBand % geometry::rowPitch >= geometry::rowBandHeight) return -1;
    if (index >= static_cast<int64_t>(appState.fileEntries.size())) return -1;
    return index;
}

// The browsed folder made whole from the program's folder, so that what is
// asked of its entries does not depend on, and does not change, the current
// folder.
std::u16string browsedFolder() { return joinPath(appState.programFolder, appState.currentFolder); }

// An entry without a full stop names a regular file when the file system says so.
bool namesRegularFile(const std::u16string& name) { return platform::isRegularFile(joinPath(browsedFolder(), name)); }

void goUpOneFolder() {
    std::u16string& folder = appState.currentFolder;
    while (!folder.empty()) {
        const char16_t removed = folder.back();
        folder.pop_back();
        if (removed == u'\\') break;
    }
}

void actOnEntry(const std::u16string& name) {
    if (name == u".") {
        appState.currentFolder = appState.rootFolderName;
    } else if (name == u"..") {
        goUpOneFolder();
        appState.pendingFile.clear();
    } else if (name.find(u'.') != std::u16string::npos || namesRegularFile(name)) {
        // Opened by the next frame, in currentFolder.
        appState.pendingFile = name;
    } else {
        // One component more after exactly one backslash, which ".." takes
        // off again with it.
        appState.currentFolder += u'\\';
        appState.currentFolder += name;
        appState.pendingFile.clear();
    }
    if (appState.currentFolder.empty()) {
        // ".." never climbs above the catalog.
        appState.currentFolder = appState.rootFolderName;
        appState.pendingFile.clear();
    }
}

// Sends the list back to the catalog.
void goHome() {
    appState.currentFolder = appState.rootFolderName;
    appState.pendingFile.clear();
}

bool listsParent(const DirectoryListing& listing) {
    return std::ranges::any_of(listing, [](const std::u16string& name) { return name == u".."; });
}

void clickFileList(int32_t y) {
    if (appState.fileEntries.empty()) {
        // The browsed folder can no longer be listed (moved, deleted or
        // unreadable): nothing is there to click, so the list goes home.
        goHome();
        return;
    }
    const int64_t index = entryAt(y);
    if (index < 0) {
        // A folder that lists no ".." (a volume's root, a junction) has no
        // row that leads back up: a release beside its entries goes home.
        if (!listsParent(appState.fileEntries)) goHome();
        return;
    }
    // A copy: the action may change the state the listing lives in.
    const std::u16string name = appState.fileEntries[static_cast<size_t>(index)];
    // A name that does not address its own entry here (on Windows one the
    // path rules would read as another file, a folder or a device) is listed,
    // but a click on it changes nothing.
    if (!platform::isSingleEntryName(browsedFolder(), name)) return;
    actOnEntry(name);
}

intptr_t frameEnding(WindowHandle window) {
    if (appState.frameInProgress) return 0;  // the running frame's successor shows the change
    return drawFrame(window, appState.listOriginX, appState.listOriginY);
}

intptr_t resetEnding(WindowHandle window) {
    appState.pendingFile.clear();
    appState.scrollOffset = 0;
    return frameEnding(window);
}

intptr_t cancelEnding(WindowHandle window, const CalendarDate& snapshot) {
    snapshot.toSystemTime(appState.workingDate);  // writes only a valid snapshot
    return resetEnding(window);
}

}  // namespace

intptr_t handleClick(WindowHandle window, intptr_t packedPosition) {
    const auto [x, y] = unpackPoint(packedPosition);

    // The date as it was, for putting back when a date move is cancelled.
    const CalendarDate snapshot = CalendarDate::fromSystemTime(appState.workingDate);

    if (x >= 0 && x <= geometry::listRight) {
        clickFileList(y);
        return frameEnding(window);
    }
    if (x >= geometry::scrollStripLeft && x <= geometry::scrollStripRight) return 0;

    if (const geometry::ButtonBand* band = buttonAt(x, y)) {
        if (moveDate(band->button) == DateMoveResult::cancelled) return cancelEnding(window, snapshot);
        return frameEnding(window);
    }
    return resetEnding(window);
}

}  // namespace orvane
