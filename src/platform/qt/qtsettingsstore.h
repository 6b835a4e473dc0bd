#pragma once
// The per-user settings store. On Windows the values live in the registry
// under the key where a shop's settings are already kept, so they are read as
// they stand; elsewhere in one INI file per application ("<application>.ini")
// in the user's configuration directory, one INI section per settings section.
#include "platform/settingsstore.h"

#include <QString>

namespace orvik {

class QtSettingsStore : public SettingsStore {
public:
    // Without a directory the user's configuration directory is used
    // ($XDG_CONFIG_HOME, or ~/.config), looked up at every call.
    explicit QtSettingsStore(QString iniDirectory = QString());

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

    // The INI file that holds the application's settings (not on Windows).
    QString iniFilePath(const std::string& application) const;

private:
    QString iniDirectory_;
};

} // namespace orvik
