// A small command line parser for radioclone's verbs: options with or
// without a value (--name VALUE, --name=VALUE, -o VALUE) and positionals.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace radioclone {

struct OptionSpec {
    std::string name; // "--model", "-o"
    bool takesValue;
};

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool Has(const std::string& name) const { return values.count(name) || flags.count(name); }
    std::string Value(const std::string& name, const std::string& def = {}) const;
};

// False with a message on an unknown option or a missing value. "--help"
// and "-h" are always known flags.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
               ParsedArgs& parsed, std::string& error);

} // namespace radioclone
