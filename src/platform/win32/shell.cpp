// The shell open and the diagnostic channel on Win32.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "platform/path_join.h"
#include "platform/win32/handles.h"
#include "platform/win32/paths.h"
#include "platform/window.h"

namespace orvane::platform {

using namespace win32;

namespace {

// What ShellExecuteW's result (32 or less: a failure) means, in a few words.
std::u16string shellFailureText(intptr_t result) {
    switch (result) {
    case 0:
    case SE_ERR_OOM: return u"the system is out of memory or resources";
    case SE_ERR_FNF: return u"the file was not found";
    case SE_ERR_PNF: return u"the path was not found";
    case SE_ERR_ACCESSDENIED: return u"access was denied";
    case ERROR_BAD_FORMAT: return u"the program for it is not a valid Windows program";
    case SE_ERR_SHARE: return u"a sharing violation";
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return u"no program is associated with this kind of file";
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return u"the program for it did not answer";
    case SE_ERR_DLLNOTFOUND: return u"a library the program needs was not found";
    default: break;
    }
    const std::wstring number = std::to_wstring(result);
    return u"ShellExecuteW answered " + fromWide(number);
}

}  // namespace

void shellOpen(WindowHandle window, const std::u16string& file, const std::u16string& workingFolder) {
    // The file by its full path: a bare name would be looked for in the
    // current folder before the working folder. A path of MAX_PATH units or
    // more, which the shell cannot take, goes by its short form.
    const std::u16string path = joinPath(workingFolder, file);
    const std::wstring fullFile = fullPath(path);
    const std::wstring fullFolder = fullPath(workingFolder);
    const std::wstring shellFile = shellPath(fullFile.empty() ? wideCopy(path) : fullFile);
    const std::wstring shellFolder = shellPath(fullFolder.empty() ? wideCopy(workingFolder) : fullFolder);
    const auto result = reinterpret_cast<intptr_t>(
        ShellExecuteW(toHwnd(window), L"Open", shellFile.c_str(), nullptr, shellFolder.c_str(), SW_SHOW));
    if (result <= 32) writeDiagnostic(u"orvane: cannot open \"" + path + u"\": " + shellFailureText(result));
}

void writeDiagnostic(std::u16string_view text) {
    std::u16string line(text);
    line += u"\n";
    OutputDebugStringW(wide(line));
}

}  // namespace orvane::platform
