// The platform's settings store. On Windows that is the registry key
// HKEY_CURRENT_USER\Software\<AppName> with REG_DWORD values; elsewhere it is
// QSettings' native file for organisation "Software" and application
// <AppName> (on Linux ~/.config/Software/<AppName>.conf).
#pragma once

#include "SettingsStore.h"

namespace radio {

class CQtSettingsStore : public ISettingsStore {
public:
    std::optional<std::uint32_t> ReadDword(const std::string& appName,
                                           const std::string& valueName) override;
    void WriteDword(const std::string& appName, const std::string& valueName,
                    std::uint32_t value) override;
    // REG_SZ values on Windows.
    std::optional<std::string> ReadString(const std::string& appName,
                                          const std::string& valueName) override;
    void WriteString(const std::string& appName, const std::string& valueName,
                     const std::string& value) override;
};

} // namespace radio
