#include "pexowm.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
constexpr int ConnectTimeoutMs = 1000;
constexpr int WriteTimeoutMs = 2000;

bool waitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc == 1 && (p.revents & events) && !(p.revents & (POLLERR | POLLHUP | POLLNVAL));
}

bool sendCommand(Display *display, const char *command)
{
    if (!command) {
        return false;
    }
    const std::string path = pexoWmSocketPath(display);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0) {
        // A full backlog answers EAGAIN; wait a little for the listener to catch up.
        ok = (errno == EAGAIN || errno == EINPROGRESS) && waitFor(fd, POLLOUT, ConnectTimeoutMs);
        if (ok) {
            int error = 0;
            socklen_t length = sizeof(error);
            ok = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
    }
    size_t remaining = std::strlen(command);
    const char *data = command;
    while (ok && remaining > 0) {
        const ssize_t written = ::send(fd, data, remaining, MSG_NOSIGNAL);
        if (written > 0) {
            data += written;
            remaining -= size_t(written);
        } else if (written < 0 && (errno == EAGAIN || errno == EINTR)) {
            ok = waitFor(fd, POLLOUT, WriteTimeoutMs);
        } else {
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}
} // namespace

std::string pexoWmSocketPath(Display *display)
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string dir = (runtime && *runtime) ? runtime : "/tmp";
    const char *name = display ? DisplayString(display) : std::getenv("DISPLAY");
    return dir + "/pexo-wm-" + (name ? name : "");
}

bool pexoSendCommandToWM(Display *display, const char *command)
{
    return sendCommand(display, command);
}

bool SendCommandToWM(Display *display, const char *command)
{
    return sendCommand(display, command);
}
