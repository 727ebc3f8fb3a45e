#pragma once
// The POSIX folder layer: the effects of the folder functions of
// platform/files.h on Linux, in their own namespace so that both the Linux
// program and the unit tests' fake backend can call them.
//
// Names cross this layer as UTF-16. File names on Linux are byte strings,
// usually UTF-8: they are decoded as UTF-8, and every byte that does not
// belong to a valid sequence becomes one lone surrogate U+DC80..U+DCFF, which
// turns back into that byte on the way out, so every name round-trips.
//
// A backslash is an ordinary character of a Linux name, but a separator in
// the program's own paths. So the byte "\" in anything the system gives us (an
// entry name, the current folder, the executable's path) becomes U+F05C, the
// private-use stand-in that Windows-compatible layers on Linux use for it,
// and U+F05C goes back to the byte "\". A name that spells U+F05C itself
// (bytes EF 81 9C) keeps those three bytes as undecodable ones, so U+F05C
// only ever stands for a backslash, and no listed name holds a separator.

#include <string>

#include "platform/files.h"

namespace orvane::posix {

// The byte "\" of a Linux name, as the program holds it.
inline constexpr char16_t nameBackslash = u'\uF05C';

// Text conversion between the program's UTF-16 and the bytes of Linux names.
// bytesFromName(nameFromBytes(b)) == b for every byte string b.
std::u16string nameFromBytes(const std::string& bytes);
std::string bytesFromName(const std::u16string& name);

// A path for the system: U+005C "\" and "/" both separate components, and a
// run of separators is written as one "/"; each component goes out as
// bytesFromName writes it (so U+F05C becomes a "\" inside the component).
std::string systemPath(const std::u16string& path);

// The order in which entries are delivered after "." and "..": names compared
// unit by unit after upper-casing (as NTFS keeps its indexes), ties broken by
// plain code-unit order. upcaseUnit is the upper-casing of one unit, for
// every unit of the Basic Multilingual Plane, as Windows' own tables have it:
// the simple upper-case mapping of the Unicode data, less the compatibility
// forms whose capital belongs to another letter (upcase_table.h).
char16_t upcaseUnit(char16_t unit);

bool getCurrentFolder(std::u16string& folder);
bool setCurrentFolder(const std::u16string& folder);
// "*.*" of the current folder: what entering a folder and enumerating there
// gives, the direct way the tests hold findFirstEntryIn against.
bool findFirstEntry(platform::FolderSearch& search, std::u16string& name);
bool findFirstEntryIn(const std::u16string& folderPath, platform::FolderSearch& search,
                      std::u16string& name);
bool findNextEntry(platform::FolderSearch search, std::u16string& name);
void findClose(platform::FolderSearch search);
bool probeFile(const std::u16string& name);
// A handle (O_PATH) on the folder `path` (bytes, as systemPath writes them)
// names, reached a piece at a time so that any depth works; -1 when it cannot
// be reached. Nothing can be read through it: it only stands for the folder.
int openFolderHandle(const std::string& path);
bool isRegularFile(const std::u16string& path);
std::u16string executableFolder();

}  // namespace orvane::posix
