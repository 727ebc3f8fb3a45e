// The Windows program's folder functions: the current folder, enumeration of
// "*.*" in a folder ("." and ".." first), the file probe, the file kind, which
// names are acted on, and the executable's folder, all through the W calls,
// with paths of any length (paths.h gives the forms handed to the system).
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/path_join.h"
#include "platform/self_and_parent_first.h"
#include "platform/win32/handles.h"
#include "platform/win32/paths.h"
#include "platform/windows_path_rules.h"

namespace orvane::platform {

using namespace win32;

namespace {

// A search in progress. An enumeration that starts with "." and ".." (as NTFS
// delivers them) is handed out as it comes; any other is read whole first,
// with "." and ".." put at its front.
struct Search {
    OwnedSearch handle;                // still enumerating once `held` is handed out
    std::vector<std::u16string> held;  // names read ahead, handed out first
    size_t next = 0;
};

bool nextName(HANDLE handle, std::u16string& name) {
    WIN32_FIND_DATAW found{};
    if (FindNextFileW(handle, &found) == 0) return false;
    name = fromWide(found.cFileName);
    return true;
}

DWORD attributesOf(const std::wstring& full) { return GetFileAttributesW(extendedPath(full).c_str()); }

bool isFolder(const std::wstring& full) {
    const DWORD attributes = attributesOf(full);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Whether the system reads `full` as a device (\\.\COM1 for a last part named
// COM1.txt on some Windows) although `path` did not ask for one.
bool becameDevice(const std::u16string& path, const std::wstring& full) {
    return full.rfind(L"\\\\.\\", 0) == 0 && path.rfind(u"\\\\.\\", 0) != 0;
}

// FindFirstFileW on `pattern`, the search of the folder whose full path is
// `folder`, into a zero-filled record; the first name.
bool startSearch(const std::wstring& pattern, const std::wstring& folder, FolderSearch& search, std::u16string& name) {
    WIN32_FIND_DATAW found{};
    const HANDLE handle = FindFirstFileW(pattern.c_str(), &found);
    if (handle == INVALID_HANDLE_VALUE) {
        // Finding not one entry, not even "." and "..", is an empty listing of
        // a folder that is there (network redirectors may answer either error
        // for it); anything else means no search could be started.
        const DWORD error = GetLastError();
        if ((error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES) || !isFolder(folder)) return false;
    }
    auto state = std::make_unique<Search>();
    if (handle != INVALID_HANDLE_VALUE) {
        state->handle.reset(handle);
        state->held.push_back(fromWide(found.cFileName));
        if (state->held[0] == u"." && nextName(handle, name)) state->held.push_back(std::move(name));
    }
    const bool dotsFirst = state->held.size() == 2 && state->held[0] == u"." && state->held[1] == u"..";
    if (!dotsFirst) {
        if (state->handle) {
            while (nextName(state->handle.get(), name)) state->held.push_back(std::move(name));
            state->handle.reset();
        }
        putSelfAndParentFirst(state->held, isVolumeRoot(folder));
        if (state->held.empty()) return false;  // an empty root: nothing to list
    }
    name = std::move(state->held[0]);
    state->next = 1;
    search.value = state.release();
    return true;
}

// The executable's folder as GetModuleFileNameW names it, less the file name.
std::u16string moduleFolder() {
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
    // its last component here instead (it is never a drive's root).
    std::u16string path = fromWide(buffer.data(), length);
    const size_t separator = path.find_last_of(u"\\/");
    if (separator != std::u16string::npos) path.resize(separator);
    return path;
}

}  // namespace

bool getCurrentFolder(std::u16string& folder) {
    folder = fromWide(
        bufferFilledBy([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }));
    return !folder.empty();
}

bool setCurrentFolder(const std::u16string& folder) {
    if (!usablePath(folder)) return false;
    return SetCurrentDirectoryW(wide(folder)) != 0;
}

bool findFirstEntryIn(const std::u16string& folderPath, FolderSearch& search, std::u16string& name) {
    search.value = nullptr;
    // The folder as entering it would resolve it: made whole from the current
    // folder, with the same trimming of trailing dots and spaces. An empty
    // path names no folder (it would search the current one).
    const std::wstring folder = fullPath(folderPath);
    if (folder.empty()) return false;
    std::wstring pattern = folder;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L"*.*";
    return startSearch(extendedPath(pattern), folder, search, name);
}

bool findNextEntry(FolderSearch search, std::u16string& name) {
    auto* state = static_cast<Search*>(search.value);
    if (state == nullptr) return false;
    if (state->next < state->held.size()) {
        name = std::move(state->held[state->next++]);  // each name is handed out once
        return true;
    }
    return state->handle && nextName(state->handle.get(), name);
}

void findClose(FolderSearch search) { delete static_cast<Search*>(search.value); }

bool isSingleEntryName(const std::u16string& folder, const std::u16string& name) {
    if (!keepsItsNameOnWindows(name)) return false;
    if (name == u"." || name == u"..") return true;
    // The system is asked as well: the entry's full path must end in the name
    // as it was listed, after a separator.
    const std::wstring full = fullPath(joinPath(folder, name));
    const std::wstring listed = wideCopy(name);
    return full.size() > listed.size() && full[full.size() - listed.size() - 1] == L'\\' &&
           full.compare(full.size() - listed.size(), listed.size(), listed) == 0;
}

bool probeFile(const std::u16string& name) {
    const std::wstring full = fullPath(name);
    // A device is never probed: a serial port would be opened for exclusive use.
    if (full.empty() || becameDevice(name, full)) return false;
    const HANDLE file = CreateFileW(extendedPath(full).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool isRegularFile(const std::u16string& path) {
    const std::wstring full = fullPath(path);
    if (full.empty() || becameDevice(path, full)) return false;
    const DWORD attributes = attributesOf(full);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::u16string executableFolder() {
    std::u16string folder = moduleFolder();
    if (folder.empty()) return folder;
    // A folder whose name, or a parent's, ends in a space or a full stop must
    // be named in a form Windows' path rules leave alone when it is made
    // current. Spaces at the end survive when a separator follows; a full
    // stop that ends a component never does, and the folder's short (8.3)
    // form names it instead, where the volume keeps short names.
    std::u16string withSeparator = folder.back() == u'\\' ? folder : folder + u'\\';
    if (fullPath(folder) == wideCopy(folder)) return folder;
    if (fullPath(withSeparator) == wideCopy(withSeparator)) return withSeparator;
    const std::wstring shortForm = shortPath(wideCopy(folder));
    if (shortForm.empty() || fullPath(fromWide(shortForm)) != shortForm) return folder;
    return fromWide(shortForm);
}

}  // namespace orvane::platform
