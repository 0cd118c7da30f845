#include "pexodirs.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string envOr(const char *name, const std::string &fallback)
{
    const char *value = std::getenv(name);
    return (value && *value) ? std::string(value) : fallback;
}

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string homeDir()
{
    const char *home = std::getenv("HOME");
    if (home && *home) {
        return withoutTrailingSlash(home);
    }
    if (const passwd *pw = getpwuid(getuid())) {
        return withoutTrailingSlash(pw->pw_dir);
    }
    return "/";
}

// XDG base directories must be absolute; anything else is ignored.
std::string xdgDir(const char *variable, const char *fallbackBelowHome)
{
    const std::string value = envOr(variable, std::string());
    if (!value.empty() && value.front() == '/') {
        return withoutTrailingSlash(value);
    }
    return homeDir() + fallbackBelowHome;
}

std::string created(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return path;
}
} // namespace

std::string GetPexoDir(PexoDir kind)
{
    switch (kind) {
    case PexoSystemDataDir:
        return "/usr/share/pexo";
    case PexoUserConfigDir:
        return created(xdgDir("XDG_CONFIG_HOME", "/.config") + "/pexo");
    case PexoSessionConfigDir:
        return created(xdgDir("XDG_CONFIG_HOME", "/.config") + "/pexo/session");
    case PexoDesktopDir:
        return created(homeDir() + "/Desktops/Desktop1");
    case PexoSystemSoundsDir:
        return "/usr/share/sounds";
    case PexoHomeDir:
        return homeDir();
    case PexoUserDataDir:
        return created(xdgDir("XDG_DATA_HOME", "/.local/share") + "/pexo");
    }
    return std::string();
}

std::string pexoSessionConfigSuffix(WhatPexoSession session)
{
    if (session != PexoCurrentSession) {
        return std::string();
    }
    return envOr("PEXO_SESSION_SUFFIX", std::string());
}

std::string FindFileInPATH(const char *name)
{
    if (!name || !*name) {
        return std::string();
    }
    const auto isExecutableFile = [](const std::string &path) {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
    };
    const std::string program(name);
    if (program.find('/') != std::string::npos) {
        return isExecutableFile(program) ? program : std::string();
    }
    std::stringstream path(envOr("PATH", "/usr/local/bin:/usr/bin:/bin"));
    std::string dir;
    while (std::getline(path, dir, ':')) {
        if (dir.empty()) {
            dir = ".";
        }
        const std::string candidate = withoutTrailingSlash(dir) + "/" + program;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::string();
}
