// A stand-in for the program the desktop associates with documents. The
// end-to-end tests register it for ".txt"; each time the shell starts it, it
// appends one line to open_log.txt beside itself, in UTF-8:
//   <command line>|<its first argument's long path>|<current folder's long path>
// The long paths expand any short (8.3) names the shell was given, so a test
// can tell which file and folder they name.
// It is a GUI program without a window: a console program would get a
// console of its own, which takes the activation from the program under test.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string result(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}

// A path with its short (8.3) names expanded; the path itself when it names nothing.
std::wstring longPath(const std::wstring& path) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    buffer.resize(length);
    return buffer;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t folder[32768] = {};
    GetCurrentDirectoryW(32768, folder);

    wchar_t logPath[32768] = {};
    const DWORD length = GetModuleFileNameW(nullptr, logPath, 32768);
    std::wstring path(logPath, length);
    path.erase(path.find_last_of(L'\\') + 1);
    path += L"open_log.txt";

    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring file = arguments != nullptr && count > 1 ? longPath(arguments[1]) : std::wstring();
    LocalFree(arguments);
    const std::string line = utf8(GetCommandLineW()) + "|" + utf8(file.c_str()) + "|" + utf8(longPath(folder).c_str()) + "\n";
    HANDLE log = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return 0;
}
