#pragma once
// The texts and settings that differ between the English and the Russian
// build. Each executable links exactly one table (en.cpp or ru.cpp).

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

// The kinds of drawing call whose failure a frame reports, each with its text.
enum class FrameFailure {
    getWindowContext,
    getMemoryContext,
    draw,
    deleteFont,
    copyFromMemory,
    removeBrush,
    deleteCanvas,
    deleteMemoryContext,
    releaseWindowContext,
};
constexpr int frameFailureKinds = 9;

struct StringTable {
    std::u16string_view languageCode;  // "en" or "ru": picks the default face
    std::u16string_view windowTitle;
    std::array<std::u16string_view, frameFailureKinds> failureTexts;  // by FrameFailure
    std::u16string_view londonTimeLabel;
    std::u16string_view localTimeLabel;
    std::u16string_view frameRateLabel;
    std::u16string_view currentFrameLabel;
    std::u16string_view fullStop;
    std::u16string_view rootFolderName;
    std::array<std::u16string_view, 7> dayOfWeekKeys;  // Monday first
    std::array<std::u16string_view, 12> monthKeys;     // January first
    // Standards folder suffixes, joined to the catalog name and a backslash.
    std::u16string_view dayOfWeekSuffix;
    std::u16string_view monthsSuffix;
    std::u16string_view monthsGenitiveSuffix;
    std::u16string_view yearSuffix;
    uint8_t fontCharSet;  // 0 ANSI_CHARSET, 204 RUSSIAN_CHARSET
};

// The table this executable was built with.
const StringTable& stringTable();

}  // namespace orvane
