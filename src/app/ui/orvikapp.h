#pragma once

namespace orvik {

// The whole program: the platform on Qt, the main window's start-up, and the
// event loop until the program ends. Returns the process's exit status.
int runOrvik(int argc, char** argv);

// The settings dialog alone ("orvik --asetukset"), until it is closed.
int runOrvikSettings(int argc, char** argv);

} // namespace orvik
