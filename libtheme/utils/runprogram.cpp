#include "runprogram.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

void runProgram(const char *path, std::initializer_list<const char *> arguments)
{
    std::vector<char *> argv{const_cast<char *>(path)};
    for (const char *argument : arguments) {
        argv.push_back(const_cast<char *>(argument));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, path, nullptr, nullptr, argv.data(), environ) != 0) {
        return;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
}
