// The fake backend's folder functions: real folders through the POSIX layer,
// unless a test told the call to fail, in which case it fails the way the
// Windows call would.
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"

namespace orvane::platform {

bool getCurrentFolder(std::u16string& folder) {
    if (fake::shouldFail(fake::Call::getCurrentFolder)) {
        folder.clear();
        return false;
    }
    return posix::getCurrentFolder(folder);
}

bool setCurrentFolder(const std::u16string& folder) {
    if (fake::shouldFail(fake::Call::setCurrentFolder)) return false;
    return posix::setCurrentFolder(folder);
}

bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name) {
    if (fake::shouldFail(fake::Call::findFirstEntryIn)) {
        search.value = nullptr;
        return false;
    }
    return posix::findFirstEntryIn(folderPath, search, name);
}

bool findNextEntry(FolderSearch search, std::u16string& name) {
    if (fake::shouldFail(fake::Call::findNextEntry)) return false;
    return posix::findNextEntry(search, name);
}

// Ending a search cannot fail in a way the caller sees; the call is counted
// and the search is always released.
void findClose(FolderSearch search) {
    fake::shouldFail(fake::Call::findClose);
    posix::findClose(search);
}

bool probeFile(const std::u16string& name) {
    if (fake::shouldFail(fake::Call::probeFile)) return false;
    return posix::probeFile(name);
}

bool isRegularFile(const std::u16string& path) { return posix::isRegularFile(path); }

std::u16string executableFolder() { return posix::executableFolder(); }

}  // namespace orvane::platform
