// handleClick for any release position, scroll offset, listing and state,
// against the click rules written out plainly for the file list and the
// scroll strip, and against invariants everywhere else:
//   - the scroll strip changes nothing and draws nothing;
//   - in the list, the entry whose row holds y acts ("." goes home, ".."
//     goes up, a name with a full stop is to be opened, any other is
//     entered); beside the rows nothing changes, unless the listing has no
//     ".." (or nothing at all), and then the list goes home;
//   - the browsed folder always starts with the catalog;
//   - elsewhere the browsed folder stays, and the date either stays or
//     becomes a valid one; a reset zeroes the scroll offset and the pending file.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "calendar/calendar_date.h"
#include "fuzz_support.h"
#include "input/click.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"

namespace {

using namespace orvane;

const WindowHandle window{reinterpret_cast<void*>(uintptr_t{0x900})};

std::u16string entryName(fuzz::Input& input) {
    static const std::u16string fixed[] = {u".", u"..", u"A", u"b.txt", u"Makefile", u"c.d.e", u".", u"..\\A"};
    const size_t choice = input.pick(9);
    if (choice < 8) return fixed[choice];
    std::u16string name = input.units(6);
    for (char16_t& unit : name) {
        if (unit == 0) unit = u'x';  // no listed name holds it
    }
    return name;
}

bool sameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wDayOfWeek == b.wDayOfWeek &&
           a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond &&
           a.wMilliseconds == b.wMilliseconds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    fuzz::startFreshProgram();
    const std::u16string root = appState.rootFolderName;

    appState.maxDayNameLength = static_cast<int32_t>(input.pick(21));
    for (size_t depth = input.pick(4); depth > 0; --depth) appState.currentFolder += u"\\" + entryName(input);
    if (input.take<uint8_t>() & 1) appState.pendingFile = u"old.txt";
    for (size_t count = input.pick(9); count > 0; --count) appState.fileEntries.push_back(entryName(input));
    appState.scrollOffset = input.take<int32_t>();
    appState.workingDate = input.take<SYSTEMTIME>();
    appState.frameInProgress = input.take<uint8_t>() % 4 != 0;  // mostly no frame: clicks are fast then
    const auto x = input.take<int16_t>();
    const auto y = input.take<int16_t>();

    const AppState before = appState;
    const intptr_t result = handleClick(window, packPoint(x, y));

    FUZZ_CHECK(appState.frameInProgress == before.frameInProgress);
    if (before.frameInProgress) FUZZ_CHECK(result == 0);
    FUZZ_CHECK(appState.currentFolder.compare(0, root.size(), root) == 0);
    FUZZ_CHECK(appState.currentFolder.size() == root.size() || appState.currentFolder[root.size()] == u'\\');
    const bool framed = !before.frameInProgress;  // a frame opens the pending file and lists again

    if (x >= 200 && x <= 239) {
        FUZZ_CHECK(result == 0 && appState.currentFolder == before.currentFolder &&
                   appState.pendingFile == before.pendingFile && appState.scrollOffset == before.scrollOffset &&
                   sameDate(appState.workingDate, before.workingDate) && appState.fileEntries == before.fileEntries);
        return 0;
    }
    if (x >= 0 && x <= 199) {
        std::u16string folder = before.currentFolder;
        std::u16string pending = before.pendingFile;
        const auto& entries = before.fileEntries;
        const int64_t t = static_cast<int64_t>(y) + before.scrollOffset - 2;
        bool listsParent = false;
        for (const auto& name : entries) listsParent = listsParent || name == u"..";
        if (t >= 0 && t % 30 < 29 && t / 30 < static_cast<int64_t>(entries.size())) {
            const std::u16string& name = entries[static_cast<size_t>(t / 30)];
            if (name.find_first_of(u"\\/:") != std::u16string::npos) {
                // Not one entry on Windows (the fake's rule): nothing is done.
            } else if (name == u".") {
                folder = root;
            } else if (name == u"..") {
                while (!folder.empty()) {
                    const char16_t last = folder.back();
                    folder.pop_back();
                    if (last == u'\\') break;
                }
                pending.clear();
            } else if (name.find(u'.') != std::u16string::npos) {
                pending = name;
            } else {
                folder += u"\\" + name;
                pending.clear();
            }
            if (folder.empty()) folder = root, pending.clear();
        } else if (!listsParent) {
            folder = root;
            pending.clear();
        }
        FUZZ_CHECK(appState.currentFolder == folder);
        FUZZ_CHECK(appState.pendingFile == (framed ? u"" : pending));
        FUZZ_CHECK(appState.scrollOffset == before.scrollOffset);
        FUZZ_CHECK(sameDate(appState.workingDate, before.workingDate));
        return 0;
    }
    // The date buttons, or anywhere else.
    FUZZ_CHECK(appState.currentFolder == before.currentFolder);
    const bool reset = appState.scrollOffset == 0 && appState.pendingFile.empty();
    FUZZ_CHECK(reset || appState.scrollOffset == before.scrollOffset);
    FUZZ_CHECK(sameDate(appState.workingDate, before.workingDate) ||
               CalendarDate::fromSystemTime(appState.workingDate).status == CalendarDate::valid);
    if (!framed) FUZZ_CHECK(appState.fileEntries == before.fileEntries);
    return 0;
}
