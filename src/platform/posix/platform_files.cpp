// The Linux program's folder functions: the POSIX folder layer as it is.
#include "platform/files.h"
#include "platform/posix/posix_files.h"

namespace orvane::platform {

bool getCurrentFolder(std::u16string& folder) { return posix::getCurrentFolder(folder); }
bool setCurrentFolder(const std::u16string& folder) { return posix::setCurrentFolder(folder); }
bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name) {
    return posix::findFirstEntryIn(folderPath, search, name);
}
bool findNextEntry(FolderSearch search, std::u16string& name) {
    return posix::findNextEntry(search, name);
}
void findClose(FolderSearch search) { posix::findClose(search); }
bool probeFile(const std::u16string& name) { return posix::probeFile(name); }
bool isRegularFile(const std::u16string& path) { return posix::isRegularFile(path); }
// A backslash the system gives in a name is a character of it (U+F05C), and
// no name holds a slash: every listed name is one entry.
bool isSingleEntryName(const std::u16string&, const std::u16string&) { return true; }
std::u16string executableFolder() { return posix::executableFolder(); }

}  // namespace orvane::platform
