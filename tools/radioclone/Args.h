// radioclone's command line: a small parser (options with or without a
// value, --name VALUE, --name=VALUE, -o VALUE, repeatable options, and
// positionals), the
// preamble every verb starts with, and the one way a verb reports an error.
#pragma once

#include <Variant.h>

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace radioclone {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a run of the tool works with: its output streams, the folder in
// which the programmers' profiles are looked for (the tool's own; empty: the
// current directory), and the user's answers to its questions: the input
// stream, and the descriptor it reads from when that is a terminal (-1 when
// it is not; then nothing is asked).
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    std::string programDirectory;
    std::istream* in = nullptr;
    int terminalFd = -1;
};

struct OptionSpec {
    std::string name; // "--model", "-o"
    bool takesValue;
    // May be given more than once (--set A=1 --set B=2); the values are kept
    // in command-line order.
    bool repeatable = false;
};

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::map<std::string, std::vector<std::string>> repeated;
    std::set<std::string> flags;

    bool Has(const std::string& name) const {
        return values.count(name) || repeated.count(name) || flags.count(name);
    }
    std::string Value(const std::string& name, const std::string& def = {}) const;
    // Every value of a repeatable option, in order; empty when not given.
    const std::vector<std::string>& Values(const std::string& name) const;
};

// False with a message on an unknown option or a missing value. "--help"
// and "-h" are always known flags.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
               ParsedArgs& parsed, std::string& error);

// What a verb accepts.
struct VerbSpec {
    const char* usage;
    std::vector<OptionSpec> options;
    std::size_t positionals = 0;
    // --model is required and resolved.
    bool needsModel = true;
    // How many more file names may follow (copy's DEST.dat).
    std::size_t optionalPositionals = 0;
};

struct VerbArgs {
    ParsedArgs parsed;
    const radio::ModelVariant* model = nullptr;
};

// The preamble of every verb. nullopt when the verb ends here with `status`:
// 0 after --help (the usage went to out), 2 after a usage error (the error
// and the usage went to err).
std::optional<VerbArgs> ParseVerb(const std::vector<std::string>& args, const VerbSpec& verbSpec,
                                  const CliContext& cli, int& status);

// The variant named by --model; nullptr after printing an error.
const radio::ModelVariant* ModelFromArgs(const ParsedArgs& parsed, const CliContext& cli);

// --lang en (the default) or zh; false after printing an error.
bool LanguageFromArgs(const ParsedArgs& parsed, radio::Language& lang, const CliContext& cli);

// Prints "radioclone: <message>" to err and returns `status`.
int Fail(const CliContext& cli, std::string_view message, int status = kExitFailure);
// The same followed by the usage, with the usage status.
int FailUsage(const CliContext& cli, std::string_view message, const char* usage);

} // namespace radioclone
