#pragma once
// The forms in which the Windows backend hands paths to the system.
//
// Every call is given a full path made by GetFullPathNameW, as the system
// would make it from the current folder. A full path of MAX_PATH (260) units
// or more goes to the file calls in its extended form (\\?\C:\... or
// \\?\UNC\server\share\...), which they take at any length on every Windows;
// the shell takes no extended path and gets the path's short (8.3) form
// instead, when the volume keeps short names.

#include <windows.h>

#include <string>

namespace orvane::platform::win32 {

// Not empty and free of NUL units, which would cut the path short.
inline bool usablePath(const std::u16string& path) { return !path.empty() && path.find(u'\0') == std::u16string::npos; }

// What a call writes that fills a buffer and answers the length it wrote, or
// the size it needs (terminator included) when the buffer is too small, or 0
// on failure (then empty). The size needed may change between two calls (the
// current folder, say), so a call that found the buffer too small is repeated.
template <typename Call>
std::wstring bufferFilledBy(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length + 1);
    }
}

// GetFullPathNameW: `path` made whole from the current folder, with Windows'
// path rules applied (runs of separators read as one, "." and ".." resolved,
// a trailing full stop or space of the last part dropped). Empty when it
// cannot be made, or when `path` holds a NUL unit.
std::wstring fullPath(const std::u16string& path);

// The form of a full path that the file calls take at any length: the path
// itself below MAX_PATH units, else its extended form. A path that is already
// extended, or a device path (\\.\), is left as it is.
std::wstring extendedPath(const std::wstring& full);

// The extended form of a full path at any length (\\?\C:\x, \\?\UNC\server\share\x):
// the system then takes every unit as it stands, a last part's full stop or
// space included.
std::wstring extendedForm(const std::wstring& full);

// The short (8.3) form of the full path of an entry, when the volume keeps
// short names and that form leads back to the same entry; else empty.
std::wstring shortPath(const std::wstring& full);

// A full path the shell can take: the path itself below MAX_PATH units, else
// its short form when that is shorter than MAX_PATH and names the same entry
// (checked by expanding it again). Otherwise the path itself, which a system
// that opts into long paths may still take.
std::wstring shellPath(const std::wstring& full);

// Whether the full path `folder` is the root of a volume: by its form (a
// drive's or a share's root, a volume by its name), or because a volume is
// mounted there (GetVolumeNameForVolumeMountPointW). Each folder is asked
// once; the answer is kept while the backend runs.
bool isVolumeRoot(const std::wstring& folder);

// The volume roots' answers, kept while the backend runs.
void startVolumeRoots();
void endVolumeRoots();

}  // namespace orvane::platform::win32
