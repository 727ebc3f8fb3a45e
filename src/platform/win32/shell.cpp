// The shell open and the diagnostic channel on Win32.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/path_join.h"
#include "platform/win32/handles.h"
#include "platform/window.h"

namespace orvane::platform {

using namespace win32;

void shellOpen(WindowHandle window, const std::u16string& file, const std::u16string& workingFolder) {
    // The file by its full path: a bare name would be looked for in the
    // current folder before the working folder.
    const std::u16string path = joinPath(workingFolder, file);
    ShellExecuteW(toHwnd(window), L"Open", wide(path), nullptr, wide(workingFolder), SW_SHOW);
}

void writeDiagnostic(std::u16string_view text) {
    std::u16string line(text);
    line += u"\n";
    OutputDebugStringW(wide(line));
}

}  // namespace orvane::platform
