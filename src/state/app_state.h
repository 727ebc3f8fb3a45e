#pragma once
// The program's whole process-wide state: one object, made during static
// initialisation before the entry runs. Every subsystem reads and writes its
// fields directly.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/window_geometry.h"
#include "locale/string_table.h"
#include "platform/files.h"
#include "platform/types.h"

namespace orvane {

struct AppState {
    explicit AppState(const StringTable& table);

    // Constant texts and paths. Members are made in declaration order, which is
    // the order the joined paths depend on.
    std::u16string windowTitle;
    std::array<std::u16string, frameFailureKinds> failureTexts;  // by FrameFailure
    std::u16string londonTimeLabel;
    std::u16string localTimeLabel;
    std::u16string frameRateLabel;
    std::u16string currentFrameLabel;
    std::u16string fullStop;
    std::u16string rootFolderName;
    std::u16string catalogPrefix;  // rootFolderName and one backslash
    std::array<std::u16string, 7> dayOfWeekKeys;  // Monday first
    std::array<std::u16string, 12> monthKeys;     // January first
    std::u16string dayOfWeekFolder;
    std::u16string monthsFolder;
    std::u16string monthsGenitiveFolder;
    std::u16string yearFolder;
    uint8_t fontCharSet = 0;

    // Working state.
    DirectoryListing fileEntries;       // the browsed folder as the last frame listed it
    std::u16string currentFolder;       // browsed folder, relative to programFolder
    std::vector<std::u16string> weekdayNames;  // calendar column heads, Monday first

    int32_t listOriginX = geometry::listOriginX;
    int32_t listOriginY = geometry::listOriginY;
    uint32_t frameCounter = 1;
    int32_t framesPerSecond = 0;
    bool frameInProgress = false;
    std::u16string programFolder;
    std::u16string pendingFile;         // entry of currentFolder to open at the next frame
    int32_t scrollOffset = 0;
    bool leftButtonDown = false;
    int32_t lastMouseY = 0;
    CursorHandle arrowCursor{};
    SYSTEMTIME workingDate{};
    int32_t maxDayNameLength = 0;
};

extern AppState appState;

}  // namespace orvane
