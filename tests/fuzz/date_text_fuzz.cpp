// The date-and-time text and the word operations for any field values, in
// the Russian build (two cases of every month word), against the sample
// catalog beside the executable read once with std::filesystem:
//   - the text is empty exactly when the weekday is above 6, and is otherwise
//     " <day> hh:mm:ss dd <genitive month> <year> <year word>." with each
//     number in decimal (two digits at least where the format says so) and
//     an empty month word for a month above 12 (0 is written as 1);
//   - the single words are empty exactly when their field is out of range
//     (a month of 0 reads the first key);
//   - the caller's current folder is the current one again afterwards.

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace {

using namespace orvane;
namespace fs = std::filesystem;

// The one entry of a standards folder, less its extension.
std::u16string wordOnDisk(const std::u16string& folder) {
    const fs::path path = fs::path(posix::bytesFromName(appState.programFolder)) / posix::systemPath(folder);
    for (const auto& entry : fs::directory_iterator(path)) {
        const std::u16string name = posix::nameFromBytes(entry.path().filename().string());
        return name.substr(0, name.rfind(u'.'));
    }
    return {};
}

struct Words {
    std::array<std::u16string, 7> days;  // wDayOfWeek 0 = Sunday
    std::array<std::u16string, 13> months;
    std::array<std::u16string, 13> genitiveMonths;
    std::u16string year;
};

const Words& words() {
    static const Words read = [] {
        appState.programFolder = platform::executableFolder();
        Words w;
        for (uint16_t day = 0; day < 7; ++day) {
            w.days[day] = wordOnDisk(appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[(day + 6) % 7]);
        }
        for (uint16_t month = 1; month <= 12; ++month) {
            w.months[month] = wordOnDisk(appState.monthsFolder + u"\\" + appState.monthKeys[month - 1]);
            w.genitiveMonths[month] = wordOnDisk(appState.monthsGenitiveFolder + u"\\" + appState.monthKeys[month - 1]);
        }
        // A month of 0 reads the first key, as 1 does.
        w.months[0] = w.months[1];
        w.genitiveMonths[0] = w.genitiveMonths[1];
        w.year = wordOnDisk(appState.yearFolder);
        return w;
    }();
    return read;
}

std::u16string decimal(uint16_t value, const char* format) {
    char digits[8];
    std::snprintf(digits, sizeof digits, format, static_cast<unsigned>(value));
    return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Words& w = words();
    FUZZ_CHECK(!w.days[1].empty() && !w.genitiveMonths[5].empty() && !w.year.empty());  // the catalog is there
    fuzz::Input input(data, size);
    const auto year = input.take<uint16_t>(), month = input.take<uint16_t>(), day = input.take<uint16_t>();
    const auto weekday = input.take<uint16_t>(), hour = input.take<uint16_t>();
    const auto minute = input.take<uint16_t>(), second = input.take<uint16_t>();
    // Small values are the interesting ones for the ranges.
    const uint16_t smallWeekday = weekday % 9, smallMonth = month % 14;

    std::u16string before;
    platform::getCurrentFolder(before);
    const bool monthInRange = smallMonth <= 12;
    const std::u16string text = dateTimeText(year, smallMonth, day, smallWeekday, hour, minute, second);
    if (smallWeekday > 6) {
        FUZZ_CHECK(text.empty());
    } else {
        const std::u16string expected = u" " + w.days[smallWeekday] + u" " + decimal(hour, "%02u") + u":" +
                                        decimal(minute, "%02u") + u":" + decimal(second, "%02u") + u" " +
                                        decimal(day, "%02u") + u" " +
                                        (monthInRange ? w.genitiveMonths[smallMonth] : u"") + u" " +
                                        decimal(year, "%u") + u" " + w.year + u".";
        FUZZ_CHECK(text == expected);
    }
    FUZZ_CHECK(dayOfWeekWord(smallWeekday) == (smallWeekday <= 6 ? w.days[smallWeekday] : u""));
    FUZZ_CHECK(dayOfWeekWord(weekday) == (weekday <= 6 ? w.days[weekday] : u""));
    FUZZ_CHECK(monthWord(smallMonth) == (monthInRange ? w.months[smallMonth] : u""));
    FUZZ_CHECK(twoDigitText(year) == decimal(year, "%02u") && numberText(year) == decimal(year, "%u"));
    std::u16string after;
    platform::getCurrentFolder(after);
    FUZZ_CHECK(after == before);
    return 0;
}
