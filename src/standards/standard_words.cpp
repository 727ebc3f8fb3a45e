// Words of the standards tree and the number texts of single date fields.
#include "standards/standard_words.h"

#include <string>

#include "platform/files.h"
#include "platform/path_join.h"
#include "standards/directory_listing.h"
#include "state/app_state.h"

namespace orvane {

namespace {

// Words are read with programFolder current. A visit that finds it current
// already (`saved`, read just before, names it) changes nothing; otherwise it
// makes it current, and when that worked it makes `saved` current again when
// the visit ends, on every way out. Listing a folder never changes the current
// folder, so nothing in between can have moved it. An empty saved folder (one
// that could not be read) cannot be made current again: programFolder then
// stays current.
class ProgramFolderVisit {
public:
    explicit ProgramFolderVisit(const std::u16string& saved)
        : saved_(saved),
          entered_((saved.empty() || saved != appState.programFolder) &&
                   platform::setCurrentFolder(appState.programFolder)) {}
    ~ProgramFolderVisit() {
        if (entered_) platform::setCurrentFolder(saved_);
    }
    ProgramFolderVisit(const ProgramFolderVisit&) = delete;
    ProgramFolderVisit& operator=(const ProgramFolderVisit&) = delete;

private:
    const std::u16string& saved_;
    bool entered_;
};

// The current folder is read first; a reader asked for a day or month out of
// range gives nothing, without visiting programFolder. Otherwise `read` runs
// inside one visit.
template <typename Read>
std::u16string readInProgramFolder(bool inRange, Read read) {
    std::u16string saved;
    platform::getCurrentFolder(saved);  // stays empty when it cannot be read
    if (!inRange) return {};
    const ProgramFolderVisit visit(saved);
    return read();
}

// Table position of a day: Monday first, Sunday (0) last.
size_t dayKeyIndex(uint16_t wDayOfWeek) { return wDayOfWeek == 0 ? 6 : wDayOfWeek - 1u; }

// Table position of a month from 0 to 12: the key table is walked from its
// first entry wMonth - 1 times, so 0 and 1 both pick the first key.
size_t monthKeyIndex(uint16_t wMonth) { return wMonth == 0 ? 0 : wMonth - 1u; }

std::u16string keyFolder(const std::u16string& folder, const std::u16string& key) { return joinPath(folder, key); }

std::u16string decimalText(uint16_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
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
    return readInProgramFolder(wDayOfWeek <= 6, [&] {
        return readStandardWord(
            keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[dayKeyIndex(wDayOfWeek)]));
    });
}

std::u16string monthWord(uint16_t wMonth) {
    return readInProgramFolder(wMonth <= 12, [&] {
        return readStandardWord(keyFolder(appState.monthsFolder, appState.monthKeys[monthKeyIndex(wMonth)]));
    });
}

std::u16string twoDigitText(uint16_t value) {
    std::u16string text = decimalText(value);
    if (text.size() == 1) text.insert(text.begin(), u'0');
    return text;
}

std::u16string numberText(uint16_t value) { return decimalText(value); }

// The three words are read in one visit to programFolder.
std::u16string dateTimeText(uint16_t wYear, uint16_t wMonth, uint16_t wDay, uint16_t wDayOfWeek,
                            uint16_t wHour, uint16_t wMinute, uint16_t wSecond) {
    return readInProgramFolder(wDayOfWeek <= 6, [&] {
        std::u16string text = u" ";
        text += readStandardWord(
            keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[dayKeyIndex(wDayOfWeek)]));
        text += u' ';
        text += twoDigitText(wHour);
        text += u':';
        text += twoDigitText(wMinute);
        text += u':';
        text += twoDigitText(wSecond);
        text += u' ';
        text += twoDigitText(wDay);

        text += u' ';
        if (wMonth <= 12) {
            text += readStandardWord(
                keyFolder(appState.monthsGenitiveFolder, appState.monthKeys[monthKeyIndex(wMonth)]));
        }

        text += u' ';
        text += numberText(wYear);
        text += u' ';
        text += readStandardWord(appState.yearFolder);
        text += u'.';
        return text;
    });
}

}  // namespace orvane
