// The POSIX folder layer: current folder, enumeration, file probe, file kind
// and the executable's folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// Sorts names as entryNameBefore orders them, upper-casing each name once
// rather than at every comparison.
void sortInNtfsOrder(std::vector<std::u16string>& names) {
    struct Keyed {
        std::u16string upper;
        std::u16string* name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    for (std::u16string& name : names) {
        Keyed entry{name, &name};
        for (char16_t& unit : entry.upper) unit = upcaseUnit(unit);
        keyed.push_back(std::move(entry));
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& left, const Keyed& right) {
        const int order = left.upper.compare(right.upper);
        return order != 0 ? order < 0 : *left.name < *right.name;
    });
    std::vector<std::u16string> sorted;
    sorted.reserve(names.size());
    for (Keyed& entry : keyed) sorted.push_back(std::move(*entry.name));
    names = std::move(sorted);
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
// (each piece a run of whole components) through folder handles, and make the
// last folder current only when every piece was found, so a failure changes
// nothing.
bool changeFolderInSteps(const std::string& path) {
    constexpr size_t pieceLimit = 1024;
    int folder = open(path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
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
        const int inner = openat(folder, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(folder);
        if (inner < 0) return false;
        folder = inner;
        at = end;
    }
    const bool changed = fchdir(folder) == 0;
    close(folder);
    return changed;
}

}  // namespace

bool getCurrentFolder(std::u16string& folder) {
    folder.clear();
    std::string buffer(512, '\0');
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(buffer.find('\0'));
            folder = namesFromBytes(buffer);
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
    search.value = nullptr;
    DIR* folder = opendir(".");
    if (folder == nullptr) return false;

    auto* list = new EntryList;
    bool hasSelf = false;
    bool hasParent = false;
    std::vector<std::u16string> others;
    while (const dirent* entry = readdir(folder)) {
        if (isSelfOrParent(entry->d_name)) {
            (entry->d_name[1] == '\0' ? hasSelf : hasParent) = true;
        } else {
            others.push_back(namesFromBytes(entry->d_name));
        }
    }
    closedir(folder);

    // "." and ".." first, then the rest in NTFS order.
    if (hasSelf) list->names.emplace_back(u".");
    if (hasParent) list->names.emplace_back(u"..");
    sortInNtfsOrder(others);
    for (std::u16string& other : others) list->names.push_back(std::move(other));

    if (list->names.empty()) {
        delete list;
        return false;
    }
    name = list->names[0];
    list->next = 1;
    search.value = list;
    return true;
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
    return namesFromBytes(path);
}

}  // namespace orvane::posix
