// The fake backend's folder functions: real folders through the POSIX layer,
// unless a test told the call to fail, in which case it fails the way the
// Windows call would, or scripted the folder's enumeration.
#include <memory>

#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "platform/self_and_parent_first.h"
#include "platform/windows_path_rules.h"

namespace orvane::platform {

namespace {

// A search over a scripted folder: its names, arranged, and the next to hand out.
struct ScriptedSearch {
    std::vector<std::u16string> names;
    size_t next = 0;
};

}  // namespace

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
    search.value = nullptr;
    if (fake::shouldFail(fake::Call::findFirstEntryIn)) return false;
    fake::FakePlatform& fake = fake::fakePlatform();
    const auto scripted = fake.scriptedFolders.find(folderPath);
    if (scripted == fake.scriptedFolders.end()) return posix::findFirstEntryIn(folderPath, search, name);

    auto names = std::make_unique<ScriptedSearch>();
    names->names = scripted->second.names;
    putSelfAndParentFirst(names->names, scripted->second.volumeRoot);
    if (names->names.empty()) return false;
    name = names->names[0];
    names->next = 1;
    search.value = names.get();
    fake.scriptedSearches.insert(names.release());
    return true;
}

bool findNextEntry(FolderSearch search, std::u16string& name) {
    if (fake::shouldFail(fake::Call::findNextEntry)) return false;
    if (!fake::fakePlatform().scriptedSearches.contains(search.value)) return posix::findNextEntry(search, name);
    auto* scripted = static_cast<ScriptedSearch*>(search.value);
    if (scripted->next >= scripted->names.size()) return false;
    name = scripted->names[scripted->next++];
    return true;
}

// Ending a search cannot fail in a way the caller sees; the call is counted
// and the search is always released.
void findClose(FolderSearch search) {
    fake::shouldFail(fake::Call::findClose);
    if (fake::fakePlatform().scriptedSearches.erase(search.value) == 0) {
        posix::findClose(search);
        return;
    }
    delete static_cast<ScriptedSearch*>(search.value);
}

bool probeFile(const std::u16string& name) {
    if (fake::shouldFail(fake::Call::probeFile)) return false;
    return posix::probeFile(name);
}

bool isRegularFile(const std::u16string& path) { return posix::isRegularFile(path); }

// Windows' rule, without asking a system: the program's logic is tested as
// the Windows program runs it.
bool isSingleEntryName(const std::u16string&, const std::u16string& name) { return keepsItsNameOnWindows(name); }

std::u16string executableFolder() { return posix::executableFolder(); }

}  // namespace orvane::platform
