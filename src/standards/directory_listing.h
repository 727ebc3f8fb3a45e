#pragma once
// listDirectory: the one way the program reads a folder.

#include <string>

#include "platform/files.h"

namespace orvane {

// Lists `folderPath` (absolute, or relative to the current folder) by its
// path, the names and failures being those of entering the folder and
// enumerating it there. The current folder is never changed. Empty when the
// current folder cannot be read, or the path is empty, missing, names a file,
// or names a folder that cannot be entered or enumerated.
DirectoryListing listDirectory(const std::u16string& folderPath);

}  // namespace orvane
