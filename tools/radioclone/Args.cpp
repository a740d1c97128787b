#include "Args.h"

#include <ostream>

namespace radioclone {

std::string ParsedArgs::Value(const std::string& name, const std::string& def) const {
    const auto it = values.find(name);
    return it == values.end() ? def : it->second;
}

const std::vector<std::string>& ParsedArgs::Values(const std::string& name) const {
    static const std::vector<std::string> kNone;
    const auto it = repeated.find(name);
    return it == repeated.end() ? kNone : it->second;
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
               ParsedArgs& parsed, std::string& error) {
    auto find = [&](const std::string& name) -> const OptionSpec* {
        for (const OptionSpec& s : specs) {
            if (s.name == name) {
                return &s;
            }
        }
        return nullptr;
    };
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            parsed.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            parsed.flags.insert("--help");
            continue;
        }
        std::string name = a;
        std::string value;
        bool inlineValue = false;
        if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        }
        const OptionSpec* option = find(name);
        if (!option) {
            error = "unknown option " + name;
            return false;
        }
        if (!option->takesValue) {
            if (inlineValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            parsed.flags.insert(name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (option->repeatable) {
            parsed.repeated[name].push_back(value);
            continue;
        }
        if (parsed.values.count(name)) {
            error = "option " + name + " is given twice";
            return false;
        }
        parsed.values[name] = value;
    }
    return true;
}

namespace {

constexpr const char* kModels = "lark, wren, wren-v2 or wren-v3";

} // namespace

int Fail(const CliContext& cli, std::string_view message, int status) {
    cli.err << "radioclone: " << message << "\n";
    return status;
}

int FailUsage(const CliContext& cli, std::string_view message, const char* usage) {
    Fail(cli, message);
    cli.err << usage;
    return kExitUsage;
}

std::optional<VerbArgs> ParseVerb(const std::vector<std::string>& args, const VerbSpec& verbSpec,
                                  const CliContext& cli, int& status) {
    VerbArgs verb;
    std::string error;
    if (!ParseArgs(args, verbSpec.options, verb.parsed, error)) {
        status = FailUsage(cli, error, verbSpec.usage);
        return std::nullopt;
    }
    if (verb.parsed.flags.count("--help")) {
        cli.out << verbSpec.usage;
        status = kExitOk;
        return std::nullopt;
    }
    const std::size_t given = verb.parsed.positional.size();
    if (given < verbSpec.positionals ||
        given > verbSpec.positionals + verbSpec.optionalPositionals) {
        const std::string wanted =
            verbSpec.optionalPositionals == 0
                ? std::to_string(verbSpec.positionals)
                : std::to_string(verbSpec.positionals) + " to " +
                      std::to_string(verbSpec.positionals + verbSpec.optionalPositionals);
        status = FailUsage(cli,
                           "expected " + wanted + " file name" + (wanted == "1" ? "" : "s") +
                               ", got " + std::to_string(given),
                           verbSpec.usage);
        return std::nullopt;
    }
    if (verbSpec.needsModel && !(verb.model = ModelFromArgs(verb.parsed, cli))) {
        status = kExitUsage;
        return std::nullopt;
    }
    return verb;
}

bool LanguageFromArgs(const ParsedArgs& parsed, radio::Language& lang, const CliContext& cli) {
    const std::string l = parsed.Value("--lang", "en");
    if (l == "en") {
        lang = radio::Language::English;
    } else if (l == "zh") {
        lang = radio::Language::Chinese;
    } else {
        Fail(cli, "--lang must be en or zh, not \"" + l + "\"");
        return false;
    }
    return true;
}

const radio::ModelVariant* ModelFromArgs(const ParsedArgs& parsed, const CliContext& cli) {
    if (!parsed.values.count("--model")) {
        Fail(cli, std::string("--model is required (") + kModels + ")");
        return nullptr;
    }
    const std::string name = parsed.Value("--model");
    const radio::ModelVariant* v = radio::VariantByCliName(name);
    if (!v) {
        Fail(cli, "unknown model \"" + name + "\" (use " + kModels + ")");
    }
    return v;
}

} // namespace radioclone
