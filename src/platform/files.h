#pragma once
// Folders and files: the process's current folder, enumeration of a folder,
// and the file probe. Names are UTF-16 throughout. Both "\" and "/"
// separate path components, and a run of separators reads as one.

#include <string>
#include <vector>

namespace orvane {

// The entry names of one folder in the order the platform enumerates them,
// "." and ".." included; empty when the folder could not be read.
using DirectoryListing = std::vector<std::u16string>;

}  // namespace orvane

namespace orvane::platform {

// GetCurrentDirectoryW: the current folder, of any length. False when it
// cannot be read (then `folder` is left empty).
bool getCurrentFolder(std::u16string& folder);

// SetCurrentDirectoryW: true when `folder` became the current folder. An empty
// path, a missing path or a path that names a file fails and changes nothing.
bool setCurrentFolder(const std::u16string& folder);

// An enumeration in progress (FindFirstFileW / FindNextFileW / FindClose).
struct FolderSearch {
    void* value = nullptr;
};

// Starts enumerating the pattern "*.*" (every name) in the folder `folderPath`
// names (absolute, or relative to the current folder), without making it
// current: FindFirstFileW on "folderPath\*.*". It starts exactly where making
// `folderPath` current and enumerating "*.*" there would, delivers the same
// names in the same order, and leaves the current folder alone. False, with
// `search` left empty, when no search could be started. "." and ".." come
// first in every folder but a volume's root, also where the file system
// delivers them later or not at all; then the other entries in the order
// NTFS gives them (the order of the Windows enumeration, made alike on
// Linux). An empty path names no folder (neither the current one nor a root)
// and fails.
bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name);
// The next entry's name; false when there is none or on any error.
bool findNextEntry(FolderSearch search, std::u16string& name);
// Ends a search that findFirstEntryIn started.
void findClose(FolderSearch search);

// Whether a click may act on `name`, as the listing of the folder whose full
// path is `folder` gave it: whether the name addresses that entry itself. On
// Windows a name whose path the system would read as another (one holding
// `\`, `/`, `:` or a character Windows reserves, ending in a full stop or a
// space, whose stem is a device name, or whose full path GetFullPathNameW
// rewrites) is listed and drawn but never acted on: a Linux disk seen through
// Wine, a share or an archive can hold such names. "." and ".." are acted on.
// On Linux every listed name is one entry: a backslash in it is a character
// of the name.
bool isSingleEntryName(const std::u16string& folder, const std::u16string& name);

// CreateFileW(name, GENERIC_READ, no sharing, OPEN_EXISTING) followed at once
// by CloseHandle when it opened. True when the probe opened the file. On
// Windows a path of any length is probed, and a name the system would read
// as a device is not. On Linux nothing is opened for reading (no pipe or
// device sees the probe): true when `name` exists, is not a folder and could
// be read.
bool probeFile(const std::u16string& name);

// True when `path` (relative to the current folder) names an existing regular
// file, not a folder (GetFileAttributesW / stat), at any length.
bool isRegularFile(const std::u16string& path);

// GetModuleFileNameW + PathRemoveFileSpecW: the folder of the running
// executable, in a form that names it when made current: on Windows a folder
// whose name ends in a space is given with a separator after it, and one
// whose path holds a name ending in a full stop by its short (8.3) form.
std::u16string executableFolder();

}  // namespace orvane::platform
