#pragma once
// The direct way of reading folders, the reference that the program's own
// way must match: a listing enters the folder, enumerates "*.*" there and
// goes back; a word reader saves the current folder, makes programFolder
// current around every word and puts the saved folder back after each.
// Shared by the unit tests (Linux) and the Windows test programs (Wine); each
// enumerates the current folder its own way (currentFolderEntries).

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "standards/directory_listing.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane::reference {

// "*.*" of the current folder, enumerated by the system's own calls; empty
// when nothing could be enumerated. Defined by each test program.
DirectoryListing currentFolderEntries();

inline DirectoryListing directListing(const std::u16string& folderPath) {
    DirectoryListing listing;
    std::u16string saved;
    if (!platform::getCurrentFolder(saved)) return listing;
    if (platform::setCurrentFolder(folderPath)) listing = currentFolderEntries();
    platform::setCurrentFolder(saved);
    return listing;
}

// The word of a name, by the steps: leave the final character aside and walk
// back from there to a full stop; what stands before it is the word. A name
// with no full stop before its final character is the word itself, less a
// final full stop.
inline std::u16string wordByTheSteps(const std::u16string& name) {
    for (size_t end = name.size(); end >= 2; --end) {
        if (name[end - 2] == u'.') return name.substr(0, end - 2);
    }
    if (!name.empty() && name.back() == u'.') return name.substr(0, name.size() - 1);
    return name;
}

// The third entry's word (the first two are "." and "..").
inline std::u16string directWord(const std::u16string& folderPath) {
    const DirectoryListing listing = directListing(folderPath);
    return listing.size() < 3 ? std::u16string() : wordByTheSteps(listing[2]);
}

inline std::u16string savedFolder() {
    std::u16string folder;
    platform::getCurrentFolder(folder);
    return folder;
}

inline std::u16string directWordFromProgramFolder(const std::u16string& folderPath, const std::u16string& saved) {
    platform::setCurrentFolder(appState.programFolder);
    std::u16string word = directWord(folderPath);
    platform::setCurrentFolder(saved);
    return word;
}

inline std::u16string dayKeyFolder(uint16_t wDayOfWeek) {
    return appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[wDayOfWeek == 0 ? 6 : wDayOfWeek - 1u];
}

inline std::u16string directDayOfWeekWord(uint16_t wDayOfWeek) {
    const std::u16string saved = savedFolder();
    if (wDayOfWeek > 6) return {};
    return directWordFromProgramFolder(dayKeyFolder(wDayOfWeek), saved);
}

// A month of 0 reads the first key, as 1 does.
inline std::u16string monthKey(uint16_t wMonth) { return appState.monthKeys[wMonth == 0 ? 0 : wMonth - 1u]; }

inline std::u16string directMonthWord(uint16_t wMonth) {
    const std::u16string saved = savedFolder();
    if (wMonth > 12) return {};
    return directWordFromProgramFolder(appState.monthsFolder + u"\\" + monthKey(wMonth), saved);
}

inline std::u16string decimal(uint16_t value, bool twoDigits) {
    std::u16string text;
    for (const char digit : std::to_string(value)) text += static_cast<char16_t>(digit);
    if (twoDigits && text.size() == 1) text.insert(text.begin(), u'0');
    return text;
}

inline std::u16string directDateTimeText(uint16_t wYear, uint16_t wMonth, uint16_t wDay, uint16_t wDayOfWeek,
                                         uint16_t wHour, uint16_t wMinute, uint16_t wSecond) {
    const std::u16string saved = savedFolder();
    if (wDayOfWeek > 6) return {};
    std::u16string text = u" ";
    text += directWordFromProgramFolder(dayKeyFolder(wDayOfWeek), saved);
    for (const std::u16string& piece : {std::u16string(u" "), decimal(wHour, true), std::u16string(u":"),
                                        decimal(wMinute, true), std::u16string(u":"), decimal(wSecond, true),
                                        std::u16string(u" "), decimal(wDay, true), std::u16string(u" ")}) {
        text += piece;
    }
    if (wMonth <= 12) {
        text += directWordFromProgramFolder(appState.monthsGenitiveFolder + u"\\" + monthKey(wMonth), saved);
    }
    text += u' ';
    text += decimal(wYear, false);
    text += u' ';
    text += directWordFromProgramFolder(appState.yearFolder, saved);
    text += u'.';
    platform::setCurrentFolder(saved);
    return text;
}

// A text for messages: printable ASCII as it is, any other unit as \uXXXX.
inline std::string printable(const std::u16string& text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            out += escaped;
        }
    }
    return out;
}

// A path for messages, its middle left out when it is long.
inline std::string shortened(const std::u16string& path) {
    if (path.size() <= 100) return printable(path);
    return printable(path.substr(0, 50)) + "..." + printable(path.substr(path.size() - 40));
}

// Whether the current folder can be read, and what it is.
struct FolderState {
    bool readable = false;
    std::u16string folder;
    friend bool operator==(const FolderState&, const FolderState&) = default;
};

inline FolderState folderState() {
    FolderState state;
    state.readable = platform::getCurrentFolder(state.folder);
    return state;
}

// One call made both ways from the same current folder: the results and the
// current folder afterwards must agree. `reset` puts the starting state back
// before each way (the direct way may leave another folder current on a
// failure of its own).
template <typename Result, typename Program, typename Direct, typename Reset>
void compareCall(std::vector<std::string>& differences, const std::string& what, Program program,
                 Direct direct, Reset reset) {
    reset();
    const Result expected = direct();
    const FolderState expectedAfter = folderState();
    reset();
    const Result actual = program();
    const FolderState actualAfter = folderState();
    if (!(actual == expected)) differences.push_back(what + ": results differ");
    if (!(actualAfter == expectedAfter)) {
        differences.push_back(what + ": current folder afterwards " + shortened(actualAfter.folder) +
                              (actualAfter.readable ? "" : " (unreadable)") + ", the direct way leaves " +
                              shortened(expectedAfter.folder) + (expectedAfter.readable ? "" : " (unreadable)"));
    }
}

// Every path listed both ways; `reset` makes the starting current folder.
template <typename Reset>
std::vector<std::string> listingDifferences(const std::vector<std::u16string>& paths, Reset reset) {
    std::vector<std::string> differences;
    for (const std::u16string& path : paths) {
        compareCall<DirectoryListing>(
            differences, "listing \"" + shortened(path) + "\"", [&] { return listDirectory(path); },
            [&] { return directListing(path); }, reset);
    }
    return differences;
}

// Every word reader and the date-and-time text both ways, for every key and
// a few values out of range.
template <typename Reset>
std::vector<std::string> wordDifferences(Reset reset) {
    std::vector<std::string> differences;
    for (uint16_t day = 0; day <= 7; ++day) {
        compareCall<std::u16string>(
            differences, "day word " + std::to_string(day), [&] { return dayOfWeekWord(day); },
            [&] { return directDayOfWeekWord(day); }, reset);
        compareCall<std::u16string>(
            differences, "date text, weekday " + std::to_string(day),
            [&] { return dateTimeText(2024, 1, 15, day, 9, 5, 7); },
            [&] { return directDateTimeText(2024, 1, 15, day, 9, 5, 7); }, reset);
    }
    for (uint16_t month = 0; month <= 13; ++month) {
        compareCall<std::u16string>(
            differences, "month word " + std::to_string(month), [&] { return monthWord(month); },
            [&] { return directMonthWord(month); }, reset);
        compareCall<std::u16string>(
            differences, "date text, month " + std::to_string(month),
            [&] { return dateTimeText(999, month, 31, 3, 23, 59, 59); },
            [&] { return directDateTimeText(999, month, 31, 3, 23, 59, 59); }, reset);
    }
    return differences;
}

}  // namespace orvane::reference
