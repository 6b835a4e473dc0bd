#pragma once
#include <string>

namespace orvik {

// Per-user settings: texts by application, section and key. Values are
// code-page bytes like every core text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultValue) = 0;
    virtual void write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

} // namespace orvik
