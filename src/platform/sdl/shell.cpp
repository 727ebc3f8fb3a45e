// The shell open and the diagnostic channel of the Linux program. A file
// click that starts no opener says why on standard error, once a run for
// each cause.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path_join.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/shell.h"
#include "platform/sdl/text.h"
#include "platform/window.h"

namespace orvane::sdl {

namespace {

// The shell open's part of the running backend.
Shell& shell() { return backend().shell; }

// Says why a file click started nothing, once a run for each cause.
void sayOnce(const std::string& line) {
    if (shell().saidLines.insert(line).second) platform::writeDiagnostic(posix::nameFromBytes(line));
}

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
    std::erase_if(shell().openers, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

}  // namespace orvane::sdl

namespace orvane::platform {

using namespace orvane::sdl;

void shellOpen(WindowHandle, const std::u16string& file, const std::u16string& workingFolder) {
    reapOpeners();
    if (file.empty()) return;
    std::string program = findOpener();
    if (program.empty()) {
        sayOnce("orvane: cannot open files: no xdg-open in PATH's absolute folders");
        return;
    }
    // "./name": a name that starts with "-" is never taken for an option.
    std::string argument = posix::systemPath(joinPath(u".", file));
    char* arguments[] = {program.data(), argument.data(), nullptr};

    // The browsed folder is reached a piece at a time, so a file listed at
    // any depth opens; nothing is read through the handle.
    const std::string folderPath = posix::systemPath(workingFolder);
    const int folder = posix::openFolderHandle(folderPath);
    if (!folderPath.empty() && folder < 0) {
        // Gone, or out of reach (no access, no descriptor left): nothing is started there.
        sayOnce(std::string("orvane: cannot open files: the browsed folder cannot be reached: ") +
                std::strerror(errno));
        return;
    }

    posix_spawn_file_actions_t actions;
    int error = posix_spawn_file_actions_init(&actions);
    if (error == 0) {
        // The child enters the browsed folder through the handle, then keeps
        // no descriptor but the standard three.
        if (folder >= 0) error = posix_spawn_file_actions_addfchdir_np(&actions, folder);
        if (error == 0) error = posix_spawn_file_actions_addclosefrom_np(&actions, 3);
        pid_t pid = 0;
        // No shell and no command line: the arguments go to xdg-open as they are.
        if (error == 0) error = posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, environ);
        if (error == 0) shell().openers.push_back(pid);
        posix_spawn_file_actions_destroy(&actions);
    }
    if (error != 0) {
        sayOnce(std::string("orvane: cannot open files: xdg-open cannot be started: ") + std::strerror(error));
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
