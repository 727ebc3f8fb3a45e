#pragma once
// listDirectory: the one way the program reads a folder.

#include <string>
#include <vector>

namespace orvane {

// The entry names of one folder in the order the platform enumerates them,
// "." and ".." included; empty when the folder could not be read.
using DirectoryListing = std::vector<std::u16string>;

// Lists `folderPath` (absolute, or relative to the current folder) by making it
// current and enumerating it; the caller's current folder is current again
// afterwards, whatever happened.
DirectoryListing listDirectory(std::u16string folderPath);

}  // namespace orvane
