// The shell open and the diagnostic channel of the Linux program.

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/posix_files.h"
#include "platform/sdl/shell.h"
#include "platform/sdl/text.h"
#include "platform/window.h"

extern char** environ;

namespace orvane::sdl {

namespace {

std::vector<pid_t> openers;  // started, not yet reaped

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
    // "./name": a name that starts with "-" is never taken for an option.
    std::string argument = "./" + posix::bytesFromName(file);
    std::string program = "xdg-open";
    char* arguments[] = {program.data(), argument.data(), nullptr};

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    const std::string folder = posix::systemPath(workingFolder);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    // No shell and no command line: the arguments go to xdg-open as they are.
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, arguments, environ) == 0) {
        openers.push_back(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
}

void writeDiagnostic(std::u16string_view text) {
    std::string line = utf8Of(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace orvane::platform
