#include "app/startupsettings.h"

#include "app/settingskeys.h"
#include "files/ownfiles.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace settingskeys;

std::string readOwn(SettingsStore& store, const char* key, const std::string& defaultValue) {
    return store.read(kApplication, kOwnSection, key, defaultValue);
}

// A directory the program's own section may lack: then the fallback section
// supplies it once, and from then on the own section holds it.
std::string readDirWithFallback(SettingsStore& store, const char* key,
                                std::span<const char* const> ownFileNames) {
    std::string value = readOwn(store, key, "");
    if (value.empty())
        value = store.read(kApplication, kFallbackSection, key, currentDirWithSeparator());
    value = completedDirValue(std::move(value), ownFileNames);
    store.write(kApplication, kOwnSection, key, value);
    return value;
}

} // namespace

StartupSettings readStartupSettings(SettingsStore& store) {
    StartupSettings settings;
    settings.readerDir = readOwn(store, kReaderDir, "");
    settings.directories.datPolku =
        completedDirValue(readOwn(store, kWorkDir, ""), kWorkDirFileNames);
    settings.directories.invPolku = readDirWithFallback(store, kTransferDir, kTransferDirFileNames);
    settings.directories.datat = readDirWithFallback(store, kStockDir, kStockDirFileNames);
    settings.portIndex = portEntryIndex(readOwn(store, kPort, kPortEntries[0]));
    settings.readerMode = isReaderMode(readOwn(store, kMode, ""));
    return settings;
}

bool isReaderMode(const std::string& modeValue) {
    return cp1252::toUpper(modeValue) == cp1252::toUpper(kReaderModeValue);
}

int portEntryIndex(const std::string& savedPort) {
    const std::string wanted = cp1252::toUpper(savedPort);
    for (std::size_t i = 0; i < kPortEntries.size(); ++i)
        if (cp1252::toUpper(kPortEntries[i]) == wanted)
            return static_cast<int>(i);
    return 0;
}

void saveEditableSettings(SettingsStore& store, const std::string& readerDir,
                          const std::string& workDir) {
    store.write(kApplication, kOwnSection, kReaderDir, readerDir);
    store.write(kApplication, kOwnSection, kWorkDir, workDir);
}

void savePortChoice(SettingsStore& store, const std::string& portEntry) {
    store.write(kApplication, kOwnSection, kPort, portEntry);
}

} // namespace orvik
