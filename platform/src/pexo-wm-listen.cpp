/*
    pexo-wm-listen: stands in for the window manager's command channel.
    Binds the socket that pexoSendCommandToWM() connects to and prints every
    command it receives on standard output exactly as received, flushing at
    once. Commands end in a line feed; one sent without it runs into the next.
*/
#include "pexowm.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
volatile sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

int usage()
{
    std::fprintf(stderr, "usage: pexo-wm-listen [--socket PATH]\n");
    return 2;
}
} // namespace

int main(int argc, char **argv)
{
    std::string path = pexoWmSocketPath(nullptr);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--socket") == 0 && i + 1 < argc) {
            path = argv[++i];
        } else {
            return usage();
        }
    }

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        std::fprintf(stderr, "pexo-wm-listen: socket path too long: %s\n", path.c_str());
        return 1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (server < 0) {
        std::perror("pexo-wm-listen: socket");
        return 1;
    }
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) {
        ::unlink(path.c_str()); // stale socket of an earlier listener
    }
    if (::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 || ::listen(server, 64) != 0) {
        std::fprintf(stderr, "pexo-wm-listen: cannot listen on %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }

    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // One connection carries one command; connections are served in order.
    while (!stopRequested) {
        const int client = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        std::string command;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(client, buffer, sizeof(buffer))) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0) {
                command.append(buffer, size_t(n));
            }
        }
        ::close(client);
        if (command.empty()) {
            continue;
        }
        std::fwrite(command.data(), 1, command.size(), stdout);
        std::fflush(stdout);
    }
    ::close(server);
    ::unlink(path.c_str());
    return 0;
}
