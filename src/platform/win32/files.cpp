// The Windows program's folder functions: the current folder, enumeration of
// "*.*" in a folder, the file probe, the file kind and the executable's folder, all
// through the W calls, with paths of any length the system accepts.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "platform/files.h"

namespace orvane::platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string fromWide(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

std::u16string fromWide(const wchar_t* text) { return fromWide(text, wcslen(text)); }

// Not empty and free of NUL units, which would cut the path short.
bool usablePath(const std::u16string& path) {
    return !path.empty() && path.find(u'\0') == std::u16string::npos;
}

// GetFullPathNameW: `path` made whole from the current folder, as every call
// that takes a path resolves it. Empty when it cannot be.
std::wstring fullPath(const std::u16string& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide(path), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length + 1);  // too small: `length` is the size needed
    }
}

// FindFirstFileW on `pattern` into a zero-filled record; the first name.
bool startSearch(const wchar_t* pattern, FolderSearch& search, std::u16string& name) {
    WIN32_FIND_DATAW found{};
    const HANDLE handle = FindFirstFileW(pattern, &found);
    if (handle == INVALID_HANDLE_VALUE) {
        search.value = nullptr;
        return false;
    }
    search.value = handle;
    name = fromWide(found.cFileName);
    return true;
}

}  // namespace

bool getCurrentFolder(std::u16string& folder) {
    folder.clear();
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return false;
        if (length < buffer.size()) {
            folder = fromWide(buffer.data(), length);
            return true;
        }
        // Too small: `length` is the size needed, terminator included. The
        // folder may change between the two calls, so this repeats.
        buffer.resize(length + 1);
    }
}

bool setCurrentFolder(const std::u16string& folder) {
    if (!usablePath(folder)) return false;
    return SetCurrentDirectoryW(wide(folder)) != 0;
}

bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name) {
    search.value = nullptr;
    // An empty path would search the current folder, and "\\*.*" a root.
    if (!usablePath(folderPath)) return false;

    // The folder as entering it would resolve it: made whole from the current
    // folder, with the same trimming of trailing dots and spaces.
    std::wstring pattern = fullPath(folderPath);
    if (pattern.empty()) return false;
    const bool prefixed = pattern.rfind(L"\\\\?\\", 0) == 0 || pattern.rfind(L"\\\\.\\", 0) == 0;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L"*.*";
    if (!prefixed && pattern.size() < MAX_PATH) return startSearch(pattern.c_str(), search, name);

    // A path near or past the classic length limit, or one that skips the
    // usual resolving: the folder may be one that can be entered while its
    // pattern cannot be searched, or the other way round. It is entered,
    // searched and left again, which gives exactly what entering it gives;
    // the search holds the folder itself and does not need it current.
    std::u16string saved;
    if (!getCurrentFolder(saved)) return false;
    if (!SetCurrentDirectoryW(wide(folderPath))) return false;
    const bool started = startSearch(L"*.*", search, name);
    SetCurrentDirectoryW(wide(saved));
    return started;
}

bool findNextEntry(FolderSearch search, std::u16string& name) {
    WIN32_FIND_DATAW found{};
    if (search.value == nullptr || FindNextFileW(search.value, &found) == 0) return false;
    name = fromWide(found.cFileName);
    return true;
}

void findClose(FolderSearch search) {
    if (search.value != nullptr) FindClose(search.value);
}

bool probeFile(const std::u16string& name) {
    if (!usablePath(name)) return false;
    const HANDLE file = CreateFileW(wide(name), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool isRegularFile(const std::u16string& path) {
    if (!usablePath(path)) return false;
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::u16string executableFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) break;  // a cut-short name fills the whole buffer
        buffer.resize(buffer.size() * 2);
    }
    if (length < MAX_PATH) {
        PathRemoveFileSpecW(buffer.data());
        return fromWide(buffer.data());
    }
    // PathRemoveFileSpecW takes paths of up to MAX_PATH; a longer one loses
    // its last component here instead.
    std::u16string path = fromWide(buffer.data(), length);
    const size_t separator = path.find_last_of(u"\\/");
    if (separator != std::u16string::npos) path.resize(separator);
    return path;
}

}  // namespace orvane::platform
