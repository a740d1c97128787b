// Small per-user settings with the names of the registry values they replace.
//
// The programmers remember the last product selection ("Type", "Field"), the
// last serial port ("com") and the write's safeguards (COM Setup) per program, under a key named by
// the profile's "AppName". The platform's store is CQtSettingsStore (QtSettingsStore.h); tests and
// runs that must leave no trace use the one in memory below.
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
    // Text values (a folder); nullopt when absent.
    virtual std::optional<std::string> ReadString(const std::string& appName,
                                                  const std::string& valueName) = 0;
    virtual void WriteString(const std::string& appName, const std::string& valueName,
                             const std::string& value) = 0;
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
    std::optional<std::string> ReadString(const std::string& appName,
                                          const std::string& valueName) override {
        const auto it = m_texts.find({appName, valueName});
        if (it == m_texts.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void WriteString(const std::string& appName, const std::string& valueName,
                     const std::string& value) override {
        m_texts[{appName, valueName}] = value;
    }
    bool Has(const std::string& appName, const std::string& valueName) const {
        return m_values.count({appName, valueName}) != 0 ||
               m_texts.count({appName, valueName}) != 0;
    }

private:
    std::map<std::pair<std::string, std::string>, std::uint32_t> m_values;
    std::map<std::pair<std::string, std::string>, std::string> m_texts;
};

} // namespace radio
