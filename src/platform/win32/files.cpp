// The Windows program's folder functions: the current folder, enumeration of
// "*.*" in a folder ("." and ".." first), the file probe, the file kind, which
// names can be one entry, and the executable's folder, all through the W
// calls, with paths of any length the system accepts.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/self_and_parent_first.h"

namespace orvane::platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string fromWide(const wchar_t* text, size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
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

// A search in progress. An enumeration that starts with "." and ".." (as
// NTFS delivers them) is handed out as it comes; any other is read whole
// first, with "." and ".." put at its front.
struct Search {
    HANDLE handle = INVALID_HANDLE_VALUE;  // still enumerating once `held` is handed out
    std::vector<std::u16string> held;      // names read ahead, handed out first
    size_t next = 0;
};

bool nextName(HANDLE handle, std::u16string& name) {
    WIN32_FIND_DATAW found{};
    if (FindNextFileW(handle, &found) == 0) return false;
    name = fromWide(found.cFileName);
    return true;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Whether the full path `folder` is the root of a volume (a drive, a share,
// a volume mounted in a folder). When that cannot be told it is taken for
// one, so that no entry is made up.
bool isVolumeRoot(std::wstring folder) {
    std::wstring volume(folder.size() + MAX_PATH, L'\0');
    if (!GetVolumePathNameW(folder.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return true;
    volume.resize(wcslen(volume.c_str()));
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    if (volume.empty() || volume.back() != L'\\') volume += L'\\';
    return CompareStringOrdinal(folder.c_str(), static_cast<int>(folder.size()), volume.c_str(),
                                static_cast<int>(volume.size()), TRUE) == CSTR_EQUAL;
}

// FindFirstFileW on `pattern`, the search of the folder whose full path is
// `folder` (empty: the current folder), into a zero-filled record; the first
// name.
bool startSearch(const wchar_t* pattern, std::wstring folder, FolderSearch& search, std::u16string& name) {
    search.value = nullptr;
    auto owned = std::make_unique<Search>();
    Search& state = *owned;
    WIN32_FIND_DATAW found{};
    state.handle = FindFirstFileW(pattern, &found);
    const bool noEntry = state.handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
    if (state.handle != INVALID_HANDLE_VALUE) {
        state.held.push_back(fromWide(found.cFileName));
        if (state.held[0] == u"." && nextName(state.handle, name)) state.held.push_back(std::move(name));
    }

    const bool dotsFirst = state.held.size() == 2 && state.held[0] == u"." && state.held[1] == u"..";
    if (!dotsFirst) {
        if (folder.empty()) folder = fullPath(u".");
        // Finding not one entry, not even "." and "..", is an empty listing
        // of a folder that is there; otherwise no search could be started.
        if (state.handle == INVALID_HANDLE_VALUE && !(noEntry && isFolder(folder))) return false;
        if (state.handle != INVALID_HANDLE_VALUE) {
            while (nextName(state.handle, name)) state.held.push_back(std::move(name));
            FindClose(state.handle);
            state.handle = INVALID_HANDLE_VALUE;
        }
        putSelfAndParentFirst(state.held, isVolumeRoot(folder));
        if (state.held.empty()) return false;  // an empty root: nothing to list
    }
    name = std::move(state.held[0]);
    state.next = 1;
    search.value = owned.release();
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
    const std::wstring folder = fullPath(folderPath);
    if (folder.empty()) return false;
    std::wstring pattern = folder;
    const bool prefixed = pattern.rfind(L"\\\\?\\", 0) == 0 || pattern.rfind(L"\\\\.\\", 0) == 0;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L"*.*";
    if (!prefixed && pattern.size() < MAX_PATH) return startSearch(pattern.c_str(), folder, search, name);

    // A path near or past the classic length limit, or one that skips the
    // usual resolving: the folder may be one that can be entered while its
    // pattern cannot be searched, or the other way round. It is entered,
    // searched and left again, which gives exactly what entering it gives;
    // the search holds the folder itself and does not need it current.
    std::u16string saved;
    if (!getCurrentFolder(saved)) return false;
    if (!SetCurrentDirectoryW(wide(folderPath))) return false;
    const bool started = startSearch(L"*.*", folder, search, name);
    SetCurrentDirectoryW(wide(saved));
    return started;
}

bool findNextEntry(FolderSearch search, std::u16string& name) {
    auto* state = static_cast<Search*>(search.value);
    if (state == nullptr) return false;
    if (state->next < state->held.size()) {
        name = std::move(state->held[state->next++]);  // each name is handed out once
        return true;
    }
    return state->handle != INVALID_HANDLE_VALUE && nextName(state->handle, name);
}

void findClose(FolderSearch search) {
    auto* state = static_cast<Search*>(search.value);
    if (state == nullptr) return;
    if (state->handle != INVALID_HANDLE_VALUE) FindClose(state->handle);
    delete state;
}

bool isSingleEntryName(const std::u16string& name) {
    return name.find_first_of(u"\\/:") == std::u16string::npos;
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
