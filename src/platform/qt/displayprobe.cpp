#include "platform/qt/displayprobe.h"

#include <cstdlib>
#include <string>
#include <string_view>

#if defined(__unix__) && !defined(__APPLE__)
#define ORVIK_PROBE_DISPLAY 1
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#endif

namespace orvik {
namespace {

#ifdef ORVIK_PROBE_DISPLAY

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool xServerAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

// The compositor's socket: WAYLAND_DISPLAY as a path, or a name in the
// user's runtime directory.
bool waylandAnswers() {
    const std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty())
        return false;
    const std::string path =
        name.front() == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

// One platform name of QT_QPA_PLATFORM (which may list several, split by
// ";", each with ":options").
bool platformReachable(std::string_view platform) {
    platform = platform.substr(0, platform.find(':'));
    if (platform == "xcb")
        return xServerAnswers();
    if (platform.starts_with("wayland"))
        return waylandAnswers();
    // offscreen, minimal, vnc, eglfs, linuxfb: no display server to find.
    return true;
}

#endif

} // namespace

bool displayReachable([[maybe_unused]] int argc, [[maybe_unused]] const char* const* argv) {
#ifdef ORVIK_PROBE_DISPLAY
    // A platform or display named on the command line is the toolkit's own
    // business.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        for (std::string_view option : {"-platform", "--platform", "-display", "--display"})
            if (argument == option)
                return true;
    }
    const std::string platforms = environment("QT_QPA_PLATFORM");
    if (platforms.empty())
        return waylandAnswers() || xServerAnswers();
    std::string_view rest = platforms;
    while (true) {
        const std::size_t end = rest.find(';');
        if (platformReachable(rest.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        rest.remove_prefix(end + 1);
    }
#else
    return true;
#endif
}

const char* noDisplayMessage() {
    return "orvik: näyttöä ei löytynyt. Orvik on graafinen ohjelma; käynnistä se "
           "työpöytäistunnossa (DISPLAY tai WAYLAND_DISPLAY).\n";
}

} // namespace orvik
