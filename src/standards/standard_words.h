#pragma once
// Words of the standards tree: the folder inside the catalog whose entry names
// are the words with which dates are written.

#include <cstdint>
#include <string>

namespace orvane {

// The word an entry name gives: the name less its extension, that is
// everything before the last "." that comes before the final character. A
// name with no such dot has no extension and is the word as it stands, less a
// final ".".
std::u16string wordOfEntryName(const std::u16string& name);

// The word of one standards folder (relative to programFolder, which the
// caller has made current): the name of the first entry after "." and "..",
// less its extension. Empty when the folder cannot be listed or holds nothing.
std::u16string readStandardWord(const std::u16string& folderPath);

// Day-of-week word (wDayOfWeek 0 = Sunday .. 6) and month word (wMonth 1..12;
// 0 reads the first key, as 1 does) from the nominative folders. Empty when
// out of range or unreadable. The current folder is the caller's again
// afterwards.
std::u16string dayOfWeekWord(uint16_t wDayOfWeek);
std::u16string monthWord(uint16_t wMonth);

// Decimal digits; twoDigitText puts "0" before a single digit.
std::u16string twoDigitText(uint16_t value);
std::u16string numberText(uint16_t value);

// One instant as " <day word> hh:mm:ss dd <month word> <year> <year word>."
// (month and year words in the genitive; a month of 0 is written as 1 is).
// Empty when wDayOfWeek is above 6.
std::u16string dateTimeText(uint16_t wYear, uint16_t wMonth, uint16_t wDay, uint16_t wDayOfWeek,
                            uint16_t wHour, uint16_t wMinute, uint16_t wSecond);

}  // namespace orvane
