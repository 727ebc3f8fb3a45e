// The forms of paths handed to the system (see paths.h), and which folders are
// the roots of volumes.
#include "platform/win32/paths.h"

#include <memory>
#include <unordered_map>

#include "platform/win32/handles.h"
#include "platform/windows_path_rules.h"

namespace orvane::platform::win32 {

namespace {

// What is known of volume roots: full path to answer. The folders asked about
// are the ones the user browsed, a handful; the map is emptied should it
// ever grow past `rootAnswersKept`.
struct VolumeRootState {
    std::unordered_map<std::wstring, bool> answers;
};
constexpr size_t rootAnswersKept = 4096;

std::unique_ptr<VolumeRootState> volumeRoots;

bool startsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

bool isExtendedOrDevice(const std::wstring& path) {
    return startsWith(path, L"\\\\?\\") || startsWith(path, L"\\\\.\\");
}

// The extended form's inverse: \\?\C:\x gives C:\x, \\?\UNC\server\share gives
// \\server\share.
std::wstring withoutExtendedPrefix(const std::wstring& path) {
    if (startsWith(path, L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
    if (startsWith(path, L"\\\\?\\")) return path.substr(4);
    return path;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool isMountPoint(const std::wstring& folder) {
    std::wstring mountPoint = folder;
    if (mountPoint.back() != L'\\') mountPoint += L'\\';
    wchar_t volume[64] = {};  // "\\?\Volume{GUID}\": 49 units and a terminator
    return GetVolumeNameForVolumeMountPointW(extendedPath(mountPoint).c_str(), volume, 64) != 0;
}

}  // namespace

std::wstring fullPath(const std::u16string& path) {
    if (!usablePath(path)) return {};
    return bufferFilledBy(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(wide(path), size, buffer, nullptr); });
}

std::wstring extendedForm(const std::wstring& full) {
    if (isExtendedOrDevice(full)) return full;
    if (startsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return full;
}

std::wstring extendedPath(const std::wstring& full) {
    return full.size() < MAX_PATH ? full : extendedForm(full);
}

std::wstring shortPath(const std::wstring& full) {
    const std::wstring extended = extendedForm(full);
    const std::wstring shortForm = withoutExtendedPrefix(
        bufferFilledBy([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(extended.c_str(), buffer, size); }));
    if (shortForm.empty()) return {};
    // Some systems make the short form after their own path rules, so it may
    // name another entry: it is used only when it leads back to this one.
    const std::wstring longAgain = withoutExtendedPrefix(bufferFilledBy(
        [&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(extendedPath(shortForm).c_str(), buffer, size); }));
    return samePath(longAgain, withoutExtendedPrefix(extended)) ? shortForm : std::wstring();
}

std::wstring shellPath(const std::wstring& full) {
    if (full.size() < MAX_PATH || isExtendedOrDevice(full)) return full;
    const std::wstring shortForm = shortPath(full);
    return !shortForm.empty() && shortForm.size() < MAX_PATH ? shortForm : full;
}

bool isVolumeRoot(const std::wstring& folder) {
    if (folder.empty()) return false;
    if (volumeRoots) {
        const auto known = volumeRoots->answers.find(folder);
        if (known != volumeRoots->answers.end()) return known->second;
    }
    const bool root = isVolumeRootByForm(fromWide(folder)) || isMountPoint(folder);
    if (volumeRoots) {
        if (volumeRoots->answers.size() >= rootAnswersKept) volumeRoots->answers.clear();
        volumeRoots->answers.emplace(folder, root);
    }
    return root;
}

void startVolumeRoots() { volumeRoots = std::make_unique<VolumeRootState>(); }

void endVolumeRoots() { volumeRoots.reset(); }

}  // namespace orvane::platform::win32
