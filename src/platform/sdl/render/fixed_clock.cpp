// The render tool's platform pieces besides drawing: clocks that give the
// instants it was told, and the folder calls of the POSIX layer.

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/render/fixed_clock.h"

namespace orvane::render {

SYSTEMTIME fixedSystemTime{};
SYSTEMTIME fixedLocalTime{};

}  // namespace orvane::render

namespace orvane::platform {

SYSTEMTIME systemTime() { return render::fixedSystemTime; }
SYSTEMTIME localTime() { return render::fixedLocalTime; }
uint64_t tickCount() { return 0; }

bool getCurrentFolder(std::u16string& folder) { return posix::getCurrentFolder(folder); }
bool setCurrentFolder(const std::u16string& folder) { return posix::setCurrentFolder(folder); }
bool findFirstEntry(FolderSearch& search, std::u16string& name) { return posix::findFirstEntry(search, name); }
bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name) {
    return posix::findFirstEntryIn(folderPath, search, name);
}
bool findNextEntry(FolderSearch search, std::u16string& name) { return posix::findNextEntry(search, name); }
void findClose(FolderSearch search) { posix::findClose(search); }
bool probeFile(const std::u16string& name) { return posix::probeFile(name); }
bool isRegularFile(const std::u16string& path) { return posix::isRegularFile(path); }
bool isSingleEntryName(const std::u16string&) { return true; }  // as the Linux program
std::u16string executableFolder() { return posix::executableFolder(); }

}  // namespace orvane::platform
