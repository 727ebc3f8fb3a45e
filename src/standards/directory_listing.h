#pragma once
// listDirectory: the one way the program reads a folder.

#include <string>
#include <vector>

namespace orvane {

// The entry names of one folder in the order the platform enumerates them,
// "." and ".." included; empty when the folder could not be read.
using DirectoryListing = std::vector<std::u16string>;

// Lists `folderPath` (absolute, or relative to the current folder) by its
// path, the names and failures being those of entering the folder and
// enumerating it there. The current folder is never changed. Empty when the
// current folder cannot be read, or the path is empty, missing, names a file,
// or names a folder that cannot be entered or enumerated.
DirectoryListing listDirectory(std::u16string folderPath);

}  // namespace orvane
