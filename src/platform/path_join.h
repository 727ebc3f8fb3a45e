#pragma once
// Joining a folder and a name below it into one path: the one place the
// program does it, with one separator rule.
//
// The program writes its own paths with the separator "\"; every backend
// reads both "\" and "/" as separators. joinPath(folder, name) is:
//  - `name` alone when `folder` is empty (a path relative to the current folder);
//  - `folder` + `name` when `folder` already ends in "\" or "/" (a root such
//    as "C:\" or "/");
//  - `folder` + "\" + `name` otherwise.

#include <string>
#include <string_view>

namespace orvane {

inline std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
    path += name;
    return path;
}

}  // namespace orvane
