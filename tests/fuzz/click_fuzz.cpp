// handleClick for any release position, scroll offset, listing and state,
// against the click rules written out plainly for the file list and the
// scroll strip, and against invariants everywhere else:
//   - the scroll strip changes nothing and draws nothing;
//   - in the list, the entry whose row holds y acts ("." goes home, ".."
//     goes up, a name with a full stop is to be opened, any other is
//     entered), unless Windows would read its name as another; beside the
//     rows nothing changes, unless the listing has no ".." (or nothing at
//     all), and then the list goes home;
//   - the browsed folder always starts with the catalog;
//   - elsewhere the browsed folder stays, and the date either stays or
//     becomes a valid one; a reset zeroes the scroll offset and the pending file.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_date.h"
#include "fuzz_support.h"
#include "input/click.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "state/app_state.h"

namespace {

using namespace orvane;

const WindowHandle window = fake::mainWindow;

std::u16string entryName(fuzz::Input& input) {
    static const std::u16string fixed[] = {u".",      u"..",   u"A",       u"b.txt",   u"Makefile", u"c.d.e",
                                           u".",      u"..\\A", u"b.txt.",  u"A ",      u"Com1.txt", u"LPT\u00B3",
                                           u"com10",  u"a?b"};
    constexpr size_t fixedCount = std::size(fixed);
    const size_t choice = input.pick(fixedCount + 1);
    if (choice < fixedCount) return fixed[choice];
    std::u16string name = input.units(6);
    for (char16_t& unit : name) {
        if (unit == 0) unit = u'x';  // no listed name holds it
    }
    return name;
}

// The browsed folder as its components (the text between backslashes, the
// catalog first) and the file waiting to be opened: the file list's rules act
// on these.
struct Browsing {
    std::vector<std::u16string> components;
    std::u16string pending;

    Browsing(const std::u16string& folder, const std::u16string& waiting) : pending(waiting) {
        size_t start = 0;
        for (size_t end = folder.find(u'\\'); end != std::u16string::npos; end = folder.find(u'\\', start)) {
            components.push_back(folder.substr(start, end - start));
            start = end + 1;
        }
        components.push_back(folder.substr(start));
    }

    std::u16string folder() const {
        std::u16string path = components.front();
        for (size_t i = 1; i < components.size(); ++i) path += u"\\" + components[i];
        return path;
    }
};

// The row a release at y hits: entry i takes y from 30i + 2 - s to 30i + 30 - s.
std::optional<size_t> rowAt(int64_t y, int64_t scroll, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const int64_t top = 30 * static_cast<int64_t>(i) + 2 - scroll;
        if (y >= top && y <= top + 28) return i;
    }
    return std::nullopt;
}

// Whether Windows reads a listed name as itself: not when it holds a
// separator, a colon, a character Windows reserves or a control character,
// ends in a full stop or a space, or its stem (before the first full stop,
// less trailing spaces) names a device. "." and ".." are the folder and its
// parent.
bool namesItself(const std::u16string& name) {
    if (name == u"." || name == u"..") return true;
    if (name.empty() || name.back() == u'.' || name.back() == u' ') return false;
    for (char16_t unit : name) {
        if (unit < 0x20 || std::u16string_view(u"\\/:\"*<>?|").find(unit) != std::u16string_view::npos) return false;
    }
    std::u16string stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (char16_t& unit : stem) {
        if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
    }
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (stem == device) return false;
    }
    for (const char16_t* port : {u"COM", u"LPT"}) {
        for (const char16_t* digit : {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"\u00B9", u"\u00B2", u"\u00B3"}) {
            if (stem == std::u16string(port) + digit) return false;
        }
    }
    return true;
}

// A name Windows does not read as itself does nothing; "." goes to the
// catalog, ".." leaves the last folder (never the catalog), a name with a
// full stop waits to be opened, any other name is entered.
void actOn(Browsing& browsing, const std::u16string& name) {
    if (!namesItself(name)) return;
    if (name == u".") {
        browsing.components.resize(1);
    } else if (name == u"..") {
        if (browsing.components.size() > 1) browsing.components.pop_back();
        browsing.pending.clear();
    } else if (name.find(u'.') != std::u16string::npos) {
        browsing.pending = name;
    } else {
        browsing.components.push_back(name);
        browsing.pending.clear();
    }
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
                   appState.workingDate == before.workingDate && appState.fileEntries == before.fileEntries);
        return 0;
    }
    if (x >= 0 && x <= 199) {
        Browsing browsing(before.currentFolder, before.pendingFile);
        const auto& entries = before.fileEntries;
        const bool listsParent = std::find(entries.begin(), entries.end(), u"..") != entries.end();
        if (const auto row = rowAt(y, before.scrollOffset, entries.size())) {
            actOn(browsing, entries[*row]);
        } else if (!listsParent) {
            browsing.components.resize(1);
            browsing.pending.clear();
        }
        const std::u16string folder = browsing.folder();
        const std::u16string pending = browsing.pending;
        FUZZ_CHECK(appState.currentFolder == folder);
        FUZZ_CHECK(appState.pendingFile == (framed ? u"" : pending));
        FUZZ_CHECK(appState.scrollOffset == before.scrollOffset);
        FUZZ_CHECK(appState.workingDate == before.workingDate);
        return 0;
    }
    // The date buttons, or anywhere else.
    FUZZ_CHECK(appState.currentFolder == before.currentFolder);
    const bool reset = appState.scrollOffset == 0 && appState.pendingFile.empty();
    FUZZ_CHECK(reset || appState.scrollOffset == before.scrollOffset);
    FUZZ_CHECK(appState.workingDate == before.workingDate ||
               CalendarDate::fromSystemTime(appState.workingDate).status == CalendarDate::valid);
    if (!framed) FUZZ_CHECK(appState.fileEntries == before.fileEntries);
    return 0;
}
