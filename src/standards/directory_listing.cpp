// listDirectory: enter the folder, enumerate "*.*", put the caller's current
// folder back.
#include "standards/directory_listing.h"

#include <utility>

#include "platform/files.h"

namespace orvane {

DirectoryListing listDirectory(std::u16string folderPath) {
    DirectoryListing listing;

    // The caller's folder is saved whole, whatever its length; when it cannot
    // be read the current folder is left alone.
    std::u16string savedFolder;
    if (!platform::getCurrentFolder(savedFolder)) return listing;

    if (!platform::setCurrentFolder(folderPath)) {
        platform::setCurrentFolder(savedFolder);
        return listing;
    }

    platform::FolderSearch search;
    std::u16string name;
    if (platform::findFirstEntry(search, name)) {
        listing.push_back(std::move(name));
        while (platform::findNextEntry(search, name)) listing.push_back(std::move(name));
        platform::findClose(search);
    }

    platform::setCurrentFolder(savedFolder);
    return listing;
}

}  // namespace orvane
