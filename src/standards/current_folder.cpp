// makeFolderCurrent: a folder change is skipped when the folder asked for is
// the one the platform reports current, since entering it again would leave
// everything as it is:
//  - Linux reports the current folder by its present path (getcwd). A folder
//    renamed or deleted while current no longer reports the old path (or
//    reports nothing), so the change is then made and fails or enters what
//    now lies at that path, as it would have without the check.
//  - Windows keeps the path the folder was entered by and reports it; it
//    does not let a current folder be renamed or deleted, so that path names
//    it. Wine does let them go; it still reports the old path, and resolves
//    every relative path from that text, not from the folder it holds open,
//    so entering the same path again would make no difference to any later
//    call.
#include "standards/current_folder.h"

#include "platform/files.h"

namespace orvane {

bool makeFolderCurrent(const std::u16string& folder) {
    std::u16string current;
    if (!folder.empty() && platform::getCurrentFolder(current) && current == folder) return true;
    return platform::setCurrentFolder(folder);
}

}  // namespace orvane
