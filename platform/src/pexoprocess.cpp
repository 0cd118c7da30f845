#include "pexoprocess.h"

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::string readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The kernel's name of the process, without the line feed.
std::string commandName(const std::string &dir)
{
    std::string name = readFile(dir + "/comm");
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

// The file name of the first argument, which a long program name keeps whole.
std::string programName(const std::string &dir)
{
    const std::string arguments = readFile(dir + "/cmdline");
    const std::string first = arguments.substr(0, arguments.find('\0'));
    const std::string::size_type slash = first.rfind('/');
    return slash == std::string::npos ? first : first.substr(slash + 1);
}

bool isProcessDirectory(const char *name)
{
    if (!*name) {
        return false;
    }
    for (; *name; ++name) {
        if (*name < '0' || *name > '9') {
            return false;
        }
    }
    return true;
}
} // namespace

bool findInPS(const char *name)
{
    if (!name || !*name) {
        return false;
    }
    DIR *proc = opendir("/proc");
    if (!proc) {
        return false;
    }
    bool found = false;
    while (!found) {
        const dirent *entry = readdir(proc);
        if (!entry) {
            break;
        }
        if (!isProcessDirectory(entry->d_name)) {
            continue;
        }
        const std::string dir = std::string("/proc/") + entry->d_name;
        found = commandName(dir) == name || programName(dir) == name;
    }
    closedir(proc);
    return found;
}
