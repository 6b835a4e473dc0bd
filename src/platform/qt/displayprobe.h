#pragma once
// Whether the window toolkit will find a display. Asked before the toolkit
// starts, since it ends the process with an abort when it finds none.
namespace orvik {

// True on systems without X11 or Wayland, when the command line or
// QT_QPA_PLATFORM chooses a platform that needs no display server
// (offscreen, for instance), or when the X server or Wayland compositor the
// environment names answers a connection.
bool displayReachable(int argc, const char* const* argv);

// The Finnish message (UTF-8) for standard error when there is none.
const char* noDisplayMessage();

} // namespace orvik
