// The English build's texts.
#include "locale/string_table.h"

namespace orvane {

namespace {
constexpr StringTable english{
    .languageCode = u"en",
    .windowTitle = u"Orvane",
    .failureTexts = {
        u"Failure when trying to get drawing context.",
        u"Failure when trying to get a drawing context in memory.",
        u"Failure when trying to draw.",
        u"Failure when trying to delete a font.",
        u"Failure when trying to copy a drawing context from memory.",
        u"Failure when trying to remove a brush.",
        u"Failure when trying to delete a canvas.",
        u"Failure when trying to delete a drawing context in memory.",
        u"Failure when attempting to delete drawing context.",
    },
    .londonTimeLabel = u"London time:",
    .localTimeLabel = u"Local time:",
    .frameRateLabel = u"Frame rate ",
    .currentFrameLabel = u", current frame ",
    .fullStop = u".",
    .rootFolderName = u"Catalog",
    .dayOfWeekKeys = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday",
                      u"Sunday"},
    .monthKeys = {u"January", u"February", u"March", u"April", u"May", u"June", u"July",
                  u"August", u"September", u"October", u"November", u"December"},
    .dayOfWeekSuffix = u"\\Standards\\Time\\Day of Week",
    .monthsSuffix = u"\\Standards\\Time\\Months",
    .monthsGenitiveSuffix = u"\\Standards\\Time\\Months",
    .yearSuffix = u"\\Standards\\Time\\Year",
    .fontCharSet = 0,
};
}  // namespace

const StringTable& stringTable() { return english; }

}  // namespace orvane
