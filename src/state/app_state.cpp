#include "state/app_state.h"

namespace orvane {

namespace {

template <size_t N>
std::array<std::u16string, N> copyTexts(const std::array<std::u16string_view, N>& texts) {
    std::array<std::u16string, N> copies;
    for (size_t i = 0; i < N; ++i) copies[i] = std::u16string(texts[i]);
    return copies;
}

}  // namespace

AppState::AppState(const StringTable& table)
    : windowTitle(table.windowTitle),
      failureTexts(copyTexts(table.failureTexts)),
      londonTimeLabel(table.londonTimeLabel),
      localTimeLabel(table.localTimeLabel),
      frameRateLabel(table.frameRateLabel),
      currentFrameLabel(table.currentFrameLabel),
      fullStop(table.fullStop),
      rootFolderName(table.rootFolderName),
      catalogPrefix(rootFolderName + u"\\"),
      dayOfWeekKeys(copyTexts(table.dayOfWeekKeys)),
      monthKeys(copyTexts(table.monthKeys)),
      dayOfWeekFolder(catalogPrefix + std::u16string(table.dayOfWeekSuffix)),
      monthsFolder(catalogPrefix + std::u16string(table.monthsSuffix)),
      monthsGenitiveFolder(catalogPrefix + std::u16string(table.monthsGenitiveSuffix)),
      yearFolder(catalogPrefix + std::u16string(table.yearSuffix)),
      fontCharSet(table.fontCharSet),
      currentFolder(rootFolderName) {}

AppState appState(stringTable());

}  // namespace orvane
