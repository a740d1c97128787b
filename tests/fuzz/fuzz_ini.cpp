// The profile store over arbitrary file bytes: loading, lookups, a change, and
// a save that must load back with the same answers.
#include "FuzzSupport.h"
#include "IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kSpace) - first + 1);
}

struct Names {
    std::vector<std::string> sections{"", "Setup", "English", "Chinese", "setup"};
    std::vector<std::string> keys{"Language", "AppName", "Type1", "Field1", "language"};
    bool nameless = false; // a "[]" header: its keys join the section before on reload
};

// Section and key names as they appear in the input, so lookups hit.
Names Harvest(std::string_view text) {
    Names names;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (line.size() == 2)
                names.nameless = true;
            if (names.sections.size() < 16)
                names.sections.emplace_back(line.substr(1, line.size() - 2));
        } else if (names.keys.size() < 16) {
            const std::string_view key = Trim(line.substr(0, line.find('=')));
            // Keys that start like a comment are never loaded.
            if (!key.empty() &&
                std::string_view(";/\\*").find(key.front()) == std::string_view::npos)
                names.keys.emplace_back(key);
        }
    }
    return names;
}

std::vector<std::string> Answers(const radio::CIniFile& ini, const Names& names) {
    std::vector<std::string> out;
    for (const auto& s : names.sections)
        for (const auto& k : names.keys)
            out.push_back(ini.GetValue(s, k, "\x01missing"));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace radio::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string path = TempPath("profile.ini");
    WriteFile(path, data, size);

    Names names = Harvest(text);
    // A value as a program would store it: one line, no blanks around it.
    const std::string value(Trim(text.substr(0, std::min<std::size_t>(text.find('\n'), 40))));

    std::vector<std::string> before;
    {
        radio::CIniFile ini;
        if (!ini.Open(path))
            Fail("Open of an existing readable file");
        (void)Answers(ini, names);
        ini.SetValue("Fuzz", "Value", value);
        ini.SetValue(names.sections.back(), "Changed", value);
        ini.SetValue(names.sections.back(), names.keys.back(), "1");
        names.sections.push_back("Fuzz");
        names.keys.push_back("Value");
        names.keys.push_back("Changed");
        before = Answers(ini, names);
        ini.Save();
        if (ini.LastSaveFailed())
            Fail("Save");
    }
    if (names.nameless)
        return 0; // documented loss: the keys of a "[]" section move on reload

    radio::CIniFile again;
    if (!again.Open(path))
        Fail("reopen of the saved file");
    if (Answers(again, names) != before)
        Fail("saved profile loads back with other values");
    again.Clear();
    return 0;
}
