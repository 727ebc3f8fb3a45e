// Words of the standards tree and the number texts of single date fields.
#include "standards/standard_words.h"

#include <string>

#include "app/app_state.h"
#include "platform/files.h"
#include "standards/directory_listing.h"

namespace orvane {

namespace {

// Reads the word of `folderPath` with programFolder current, then makes
// `savedFolder` current again (an empty saved folder leaves programFolder
// current).
std::u16string readWordFromProgramFolder(const std::u16string& folderPath,
                                         const std::u16string& savedFolder) {
    platform::setCurrentFolder(appState.programFolder);
    std::u16string word = readStandardWord(folderPath);
    platform::setCurrentFolder(savedFolder);
    return word;
}

std::u16string savedCurrentFolder() {
    std::u16string folder;
    platform::getCurrentFolder(folder);  // stays empty when it cannot be read
    return folder;
}

// Table position of a day: Monday first, Sunday (0) last.
size_t dayKeyIndex(uint16_t wDayOfWeek) { return wDayOfWeek == 0 ? 6 : wDayOfWeek - 1u; }

std::u16string keyFolder(const std::u16string& folder, const std::u16string& key) {
    return folder + u"\\" + key;
}

std::u16string decimalText(uint16_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string wordOfEntryName(const std::u16string& name) {
    if (name.size() >= 2) {
        const size_t dot = name.rfind(u'.', name.size() - 2);
        if (dot != std::u16string::npos) return name.substr(0, dot);
    }
    if (!name.empty() && name.back() == u'.') return name.substr(0, name.size() - 1);
    return name;
}

std::u16string readStandardWord(const std::u16string& folderPath) {
    const DirectoryListing listing = listDirectory(folderPath);
    if (listing.size() < 3) return {};
    // The first two entries are the folder's self and parent entries.
    return wordOfEntryName(listing[2]);
}

std::u16string dayOfWeekWord(uint16_t wDayOfWeek) {
    const std::u16string savedFolder = savedCurrentFolder();
    if (wDayOfWeek > 6) return {};
    return readWordFromProgramFolder(
        keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[dayKeyIndex(wDayOfWeek)]),
        savedFolder);
}

std::u16string monthWord(uint16_t wMonth) {
    const std::u16string savedFolder = savedCurrentFolder();
    if (wMonth < 1 || wMonth > 12) return {};
    return readWordFromProgramFolder(keyFolder(appState.monthsFolder, appState.monthKeys[wMonth - 1u]),
                                     savedFolder);
}

std::u16string twoDigitText(uint16_t value) {
    std::u16string text = decimalText(value);
    if (text.size() == 1) text.insert(text.begin(), u'0');
    return text;
}

std::u16string numberText(uint16_t value) { return decimalText(value); }

std::u16string dateTimeText(uint16_t wYear, uint16_t wMonth, uint16_t wDay, uint16_t wDayOfWeek,
                            uint16_t wHour, uint16_t wMinute, uint16_t wSecond) {
    const std::u16string savedFolder = savedCurrentFolder();
    if (wDayOfWeek > 6) return {};

    std::u16string text = u" ";
    text += readWordFromProgramFolder(
        keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[dayKeyIndex(wDayOfWeek)]),
        savedFolder);
    text += u' ';
    text += twoDigitText(wHour);
    text += u':';
    text += twoDigitText(wMinute);
    text += u':';
    text += twoDigitText(wSecond);
    text += u' ';
    text += twoDigitText(wDay);

    text += u' ';
    if (wMonth >= 1 && wMonth <= 12) {
        text += readWordFromProgramFolder(
            keyFolder(appState.monthsGenitiveFolder, appState.monthKeys[wMonth - 1u]), savedFolder);
    }

    text += u' ';
    text += numberText(wYear);
    text += u' ';
    text += readWordFromProgramFolder(appState.yearFolder, savedFolder);
    text += u'.';

    platform::setCurrentFolder(savedFolder);
    return text;
}

}  // namespace orvane
