#pragma once
// The settings dialog (frmAsetukset, "orvik --asetukset"): the four
// directories and the port that the main window shows, read from and written
// to the same settings as start-up reads them. A directory is checked before
// anything is saved, and completed with its separator as start-up would.
#include <array>
#include <span>
#include <string>

#include "platform/settingsstore.h"

namespace orvik {

struct SettingsDirectory {
    const char* key;     // in the program's own section
    const char* caption; // UTF-8: the main window's label for it
    std::span<const char* const> ownFileNames;
    // The program makes, moves or removes files there; the stock files'
    // directory is only read, and may well be read-only to the user.
    bool writtenTo;
    // Start-up takes an empty value from the fallback section.
    bool hasFallback;
};

inline constexpr std::size_t kSettingsDirectoryCount = 4;
// In the main window's order: Text1 (reader software), Text2 (stock files),
// Text3 (transfer), Text4 (work file).
const std::array<SettingsDirectory, kSettingsDirectoryCount>& settingsDirectories();

struct SettingsFormValues {
    std::array<std::string, kSettingsDirectoryCount> directories; // code-page bytes
    int portIndex = 0;                                            // in kPortEntries
};

// The values as start-up would take them, without writing anything: a
// transfer or stock directory the own section lacks comes from the fallback
// section; where that has none either the box stays empty, which start-up
// reads as its current directory.
SettingsFormValues loadSettingsForm(SettingsStore& store);

struct SettingsFormCheck {
    SettingsFormValues completed; // each directory as completedDirValue makes it
    int failedDirectory = -1;     // the first directory that can't be used
    std::string problem;          // why, for the user (code-page bytes)
    bool ok() const { return failedDirectory < 0; }
};

// An empty directory passes (the current directory, as everywhere in the
// program); any other must exist, and those the program writes to must take
// a new file.
SettingsFormCheck checkSettingsForm(const SettingsFormValues& typed);

// Writes the four directories and the port to the program's own section;
// the fallback section is never written.
void saveSettingsForm(SettingsStore& store, const SettingsFormValues& completed);

// A directory chosen in the folder picker as a directory value: an existing
// directory followed by its separator, since file names are put directly
// behind it.
std::string chosenFolderValue(const std::string& folder);

} // namespace orvik
