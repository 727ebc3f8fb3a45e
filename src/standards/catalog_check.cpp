// The start-up look at the catalog: a program copied without its catalog, or
// with a catalog lacking its standards tree, shows an empty list and dates
// without their words; one line on the diagnostic channel says where it looked.
#include "standards/catalog_check.h"

#include "standards/directory_listing.h"
#include "state/app_state.h"

namespace orvane {

namespace {

// `relative` below programFolder as the system writes paths: every run of
// separators in it becomes one separator of the kind the program folder's
// own path uses ("\" on Windows, "/" on Linux).
std::u16string shownPath(const std::u16string& relative) {
    std::u16string shown = appState.programFolder;
    const char16_t separator = shown.find(u'\\') == std::u16string::npos ? u'/' : u'\\';
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find_first_of(u"\\/", start);
        if (end == std::u16string::npos) end = relative.size();
        if (end > start) {
            if (shown.empty() || shown.back() != separator) shown += separator;
            shown.append(relative, start, end - start);
        }
        start = end + 1;
    }
    return shown;
}

bool readable(const std::u16string& folder) { return !listDirectory(folder).empty(); }

}  // namespace

std::u16string unreadableCatalogLine() {
    if (!readable(appState.rootFolderName)) {
        return u"orvane: cannot read the catalog folder " + shownPath(appState.rootFolderName) +
               u": the list stays empty and dates are written without their words";
    }
    for (const std::u16string* folder : {&appState.dayOfWeekFolder, &appState.monthsFolder,
                                         &appState.monthsGenitiveFolder, &appState.yearFolder}) {
        if (!readable(*folder)) {
            return u"orvane: cannot read the standards folder " + shownPath(*folder) +
                   u": dates are written without its words";
        }
    }
    return {};
}

}  // namespace orvane
