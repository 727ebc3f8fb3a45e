// The shell open and the diagnostic channel of the Linux program.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/posix_files.h"
#include "platform/sdl/shell.h"
#include "platform/sdl/text.h"
#include "platform/window.h"

extern char** environ;

namespace orvane::sdl {

namespace {

std::vector<pid_t> openers;  // started, not yet reaped
bool openerMissingSaid = false;

// The desktop's opener, looked for in the folders of PATH that are absolute.
// An empty entry or a relative one (".", "bin") names a folder relative to
// the current one, which for the opener is the browsed folder: a program
// planted there must never be taken for it.
std::string findOpener() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    std::string_view entries = path;
    while (!entries.empty()) {
        const size_t colon = entries.find(':');
        const std::string_view entry = entries.substr(0, colon);
        entries = colon == std::string_view::npos ? std::string_view{} : entries.substr(colon + 1);
        if (entry.empty() || entry.front() != '/') continue;
        std::string candidate(entry);
        if (candidate.back() != '/') candidate.push_back('/');
        candidate += "xdg-open";
        struct stat status {};
        if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

std::string utf8Of(std::u16string_view text) { return posix::bytesFromName(std::u16string(text)); }

void reapOpeners() {
    std::erase_if(openers, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

int openersRunning() { return static_cast<int>(openers.size()); }

}  // namespace orvane::sdl

namespace orvane::platform {

using namespace orvane::sdl;

void shellOpen(WindowHandle, const std::u16string& file, const std::u16string& workingFolder) {
    reapOpeners();
    if (file.empty()) return;
    std::string program = findOpener();
    if (program.empty()) {
        if (!openerMissingSaid) writeDiagnostic(u"orvane: cannot open files: no xdg-open in PATH's absolute folders");
        openerMissingSaid = true;
        return;
    }
    // "./name": a name that starts with "-" is never taken for an option.
    std::string argument = "./" + posix::bytesFromName(file);
    char* arguments[] = {program.data(), argument.data(), nullptr};

    // The browsed folder is reached a piece at a time, so a file listed at
    // any depth opens; nothing is read through the handle.
    const std::string folderPath = posix::systemPath(workingFolder);
    const int folder = posix::openFolderHandle(folderPath);
    if (!folderPath.empty() && folder < 0) return;  // no such folder: nothing to open there

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) == 0) {
        // The child enters the browsed folder through the handle, then keeps
        // no descriptor but the standard three.
        const bool ready = (folder < 0 || posix_spawn_file_actions_addfchdir_np(&actions, folder) == 0) &&
                           posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
        pid_t pid = 0;
        // No shell and no command line: the arguments go to xdg-open as they are.
        if (ready && posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, environ) == 0) {
            openers.push_back(pid);
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    if (folder >= 0) close(folder);
}

void writeDiagnostic(std::u16string_view text) {
    std::string line = utf8Of(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace orvane::platform
