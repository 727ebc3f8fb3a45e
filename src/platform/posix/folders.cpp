// The POSIX folder layer: current folder, enumeration, file probe, file kind
// and the executable's folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/posix_files.h"

namespace orvane::posix {

namespace {

// A search in progress: the whole folder, read at its start and handed out
// from memory in the order Windows would give it.
struct EntryList {
    std::vector<std::u16string> names;
    size_t next = 0;
};

// A path the system can take: not empty and free of NUL units (which would
// cut it short and address another file).
bool usablePath(const std::u16string& path) {
    return !path.empty() && path.find(u'\0') == std::u16string::npos;
}

bool isSelfOrParent(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Appends `names` to `ordered` in the order of entries: upper-cased units
// compared one by one, a shorter name first where it starts the other, ties
// by plain order. Each name's upper-cased key is made once: its first 16
// units packed into four 64-bit words, the first unit highest, so that
// comparing the words compares those units in order, zero padding a shorter
// key. Only keys whose heads agree
// are compared further, unit by unit from the 17th. The sort moves these
// records, never the strings.
void appendInNtfsOrder(std::vector<std::u16string>& names, std::vector<std::u16string>& ordered) {
    constexpr size_t headWords = 4;
    constexpr size_t headUnits = headWords * 4;
    struct Key {
        std::array<uint64_t, headWords> head{};
        uint32_t length = 0;  // units
        uint32_t name = 0;    // index into `names`
    };
    std::vector<Key> keys(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::u16string& name = names[i];
        Key& key = keys[i];
        key.length = static_cast<uint32_t>(name.size());
        key.name = static_cast<uint32_t>(i);
        const size_t packed = std::min(name.size(), headUnits);
        for (size_t unit = 0; unit < packed; ++unit) {
            key.head[unit / 4] |= uint64_t{upcaseUnit(name[unit])} << (48 - 16 * (unit % 4));
        }
    }
    std::sort(keys.begin(), keys.end(), [&names](const Key& left, const Key& right) {
        for (size_t word = 0; word < headWords; ++word) {
            if (left.head[word] != right.head[word]) return left.head[word] < right.head[word];
        }
        const std::u16string& a = names[left.name];
        const std::u16string& b = names[right.name];
        const size_t common = std::min(a.size(), b.size());
        for (size_t unit = headUnits; unit < common; ++unit) {
            const char16_t x = upcaseUnit(a[unit]);
            const char16_t y = upcaseUnit(b[unit]);
            if (x != y) return x < y;
        }
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    });
    ordered.reserve(ordered.size() + names.size());
    for (const Key& key : keys) ordered.push_back(std::move(names[key.name]));
}

// Reads a whole open folder and closes it: "." and ".." first where the
// folder has them, then the other entries in NTFS order. Null when the
// folder could not be opened or holds nothing at all.
EntryList* readWholeFolder(DIR* folder) {
    if (folder == nullptr) return nullptr;
    bool hasSelf = false;
    bool hasParent = false;
    std::vector<std::u16string> others;
    std::string bytes;  // one buffer for every name's bytes
    while (const dirent* entry = readdir(folder)) {
        if (isSelfOrParent(entry->d_name)) {
            (entry->d_name[1] == '\0' ? hasSelf : hasParent) = true;
        } else {
            bytes.assign(entry->d_name);
            others.push_back(nameFromBytes(bytes));
        }
    }
    closedir(folder);
    if (!hasSelf && !hasParent && others.empty()) return nullptr;

    auto* list = new EntryList;
    list->names.reserve(others.size() + 2);
    if (hasSelf) list->names.emplace_back(u".");
    if (hasParent) list->names.emplace_back(u"..");
    appendInNtfsOrder(others, list->names);
    return list;
}

// Hands out the first name of a search over `folder` (which it closes).
bool startSearch(DIR* folder, platform::FolderSearch& search, std::u16string& name) {
    search.value = readWholeFolder(folder);
    if (search.value == nullptr) return false;
    auto* list = static_cast<EntryList*>(search.value);
    name = std::move(list->names[0]);
    list->next = 1;
    return true;
}

// Reads the link /proc/self/exe, of any length.
std::string executablePath() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// A path longer than the system takes in one call: walk it a piece at a time
// (each piece a run of whole components) through folder handles, the last
// piece opened with `lastFlags`, the others as bare folder handles. -1 when
// any piece cannot be opened.
int openInSteps(const std::string& path, int lastFlags) {
    constexpr size_t pieceLimit = 1024;
    int folder = open(path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return -1;
    size_t at = path[0] == '/' ? 1 : 0;
    while (at < path.size()) {
        size_t end = at;
        while (end < path.size()) {
            size_t next = path.find('/', end);
            if (next == std::string::npos) next = path.size();
            if (next - at > pieceLimit && end > at) break;  // piece full; one long name goes alone
            end = next + (next < path.size() ? 1 : 0);
            if (next == path.size()) break;
        }
        const std::string piece = path.substr(at, end - at);
        const int flags = end < path.size() ? O_PATH | O_DIRECTORY : lastFlags;
        const int inner = openat(folder, piece.c_str(), flags | O_CLOEXEC);
        close(folder);
        if (inner < 0) return -1;
        folder = inner;
        at = end;
    }
    return folder;
}

// Enters a long path step by step, and only when every piece was found, so a
// failure changes nothing.
bool changeFolderInSteps(const std::string& path) {
    const int folder = openFolderHandle(path);
    if (folder < 0) return false;
    const bool changed = fchdir(folder) == 0;
    close(folder);
    return changed;
}

// Opens the folder `path` names for reading its entries, without entering
// it. The path is read as `path/.`, so the folder itself must be searchable
// (as entering it requires) as well as readable (as enumerating it does): it
// opens exactly where entering it and then opening "." would succeed.
DIR* openFolderForListing(std::string path) {
    path += path.back() == '/' ? "." : "/.";
    if (DIR* folder = opendir(path.c_str())) return folder;
    if (errno != ENAMETOOLONG) return nullptr;
    const int handle = openInSteps(path, O_RDONLY | O_DIRECTORY);
    if (handle < 0) return nullptr;
    DIR* folder = fdopendir(handle);
    if (folder == nullptr) close(handle);
    return folder;
}

}  // namespace

bool getCurrentFolder(std::u16string& folder) {
    folder.clear();
    std::string buffer(512, '\0');
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            folder = nameFromBytes(buffer);
            return true;
        }
        if (errno != ERANGE) return false;  // e.g. the current folder was deleted
        buffer.assign(buffer.size() * 2, '\0');
    }
}

bool setCurrentFolder(const std::u16string& folder) {
    if (!usablePath(folder)) return false;
    const std::string path = systemPath(folder);
    if (chdir(path.c_str()) == 0) return true;
    return errno == ENAMETOOLONG && changeFolderInSteps(path);
}

bool findFirstEntry(platform::FolderSearch& search, std::u16string& name) {
    return startSearch(opendir("."), search, name);
}

bool findFirstEntryIn(const std::u16string& folderPath, platform::FolderSearch& search,
                      std::u16string& name) {
    search.value = nullptr;
    if (!usablePath(folderPath)) return false;
    return startSearch(openFolderForListing(systemPath(folderPath)), search, name);
}

bool findNextEntry(platform::FolderSearch search, std::u16string& name) {
    auto* list = static_cast<EntryList*>(search.value);
    if (list == nullptr || list->next >= list->names.size()) return false;
    name = std::move(list->names[list->next++]);  // each name is handed out once
    return true;
}

void findClose(platform::FolderSearch search) { delete static_cast<EntryList*>(search.value); }

bool probeFile(const std::u16string& name) {
    if (!usablePath(name)) return false;
    // O_PATH finds the entry without opening it for reading: no named pipe,
    // socket or device sees an open, and nothing can block. Whether it could
    // be read is asked apart; a folder is not a file that can be opened, as
    // on Windows.
    const int file = open(systemPath(name).c_str(), O_PATH | O_CLOEXEC);
    if (file < 0) return false;
    struct stat status {};
    const bool readable = fstat(file, &status) == 0 && !S_ISDIR(status.st_mode) &&
                          faccessat(file, "", R_OK, AT_EACCESS | AT_EMPTY_PATH) == 0;
    close(file);
    return readable;
}

int openFolderHandle(const std::string& path) {
    return path.empty() ? -1 : openInSteps(path, O_PATH | O_DIRECTORY);
}

bool isRegularFile(const std::u16string& path) {
    if (!usablePath(path)) return false;
    struct stat status {};
    return stat(systemPath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::u16string executableFolder() {
    std::string path = executablePath();
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    path.resize(slash == 0 ? 1 : slash);
    return nameFromBytes(path);
}

}  // namespace orvane::posix
