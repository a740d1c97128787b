// Small per-user settings with the names of the registry values they replace.
//
// The programmers remember the last product selection ("Type", "Field") and
// the last serial port ("com") per program, under a key named by the
// profile's "AppName". The platform's store is CQtSettingsStore
// (QtSettingsStore.h); tests and runs that must leave no trace use the one in
// memory below.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace radio {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // nullopt when the value is absent or is no 32-bit number.
    virtual std::optional<std::uint32_t> ReadDword(const std::string& appName,
                                                   const std::string& valueName) = 0;
    // Failures are silent: a remembered setting is a convenience.
    virtual void WriteDword(const std::string& appName, const std::string& valueName,
                            std::uint32_t value) = 0;
};

class CMemorySettingsStore : public ISettingsStore {
public:
    std::optional<std::uint32_t> ReadDword(const std::string& appName,
                                           const std::string& valueName) override {
        const auto it = m_values.find({appName, valueName});
        if (it == m_values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void WriteDword(const std::string& appName, const std::string& valueName,
                    std::uint32_t value) override {
        m_values[{appName, valueName}] = value;
    }
    bool Has(const std::string& appName, const std::string& valueName) const {
        return m_values.count({appName, valueName}) != 0;
    }

private:
    std::map<std::pair<std::string, std::string>, std::uint32_t> m_values;
};

} // namespace radio
