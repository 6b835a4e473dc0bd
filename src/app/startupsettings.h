#pragma once
// The settings read at start-up and the two that the main window saves.
#include <array>
#include <string>

#include "files/dirvalue.h"
#include "platform/settingsstore.h"

namespace orvik {

// The port list, in list order; the port number is the position plus one.
inline constexpr std::array<const char*, 4> kPortEntries = {"Com1:", "Com2:", "Com3:", "Com4:"};

struct StartupSettings {
    std::string readerDir;   // "MyDocuments", shown in Text1
    Directories directories; // DatPolku (Text4), Datat (Text2), InvPolku (Text3)
    int portIndex = 0;       // entry of the port list to select
    bool readerMode = false; // the main window's reader layout
};

// Reads the five settings with their defaults. An empty transfer or stock
// directory is taken from the fallback section (default: the current
// directory) and written back to the program's own section. The three
// directories are completed with their separator unless the program's files
// already lie under the bare value (completedDirValue).
StartupSettings readStartupSettings(SettingsStore& store);

// Whether a "Tila" value asks for the reader layout: "lukija" in any case.
bool isReaderMode(const std::string& modeValue);

// Position of the saved port among kPortEntries, ignoring case; 0 when none
// matches.
int portEntryIndex(const std::string& savedPort);

// tallennaasetukset: the reader-software directory, then the work directory.
void saveEditableSettings(SettingsStore& store, const std::string& readerDir,
                          const std::string& workDir);

void savePortChoice(SettingsStore& store, const std::string& portEntry);

} // namespace orvik
