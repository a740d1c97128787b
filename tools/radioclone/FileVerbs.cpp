// The verbs that work on .dat files without a radio.
#include "Verbs.h"

#include <ChannelCsv.h>
#include <MemoryImage.h>
#include <Options.h>

#include <ostream>

namespace radioclone {

namespace {

constexpr const char* kModels = "lark, wren, wren-v2 or wren-v3";

bool LanguageFromArgs(const ParsedArgs& parsed, radio::Language& lang, std::ostream& err) {
    const std::string l = parsed.Value("--lang", "en");
    if (l == "en") {
        lang = radio::Language::English;
    } else if (l == "zh") {
        lang = radio::Language::Chinese;
    } else {
        err << "radioclone: --lang must be en or zh, not \"" << l << "\"\n";
        return false;
    }
    return true;
}

bool Load(const radio::ModelVariant& v, const std::string& path, radio::Image& image,
          std::ostream& err) {
    std::string error;
    if (!radio::LoadDat(v, path, image, error)) {
        err << "radioclone: " << error << "\n";
        return false;
    }
    return true;
}

// Writes to the file atomically, or to `out` when no file is named.
bool Emit(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err) {
    if (path.empty() || path == "-") {
        out << text;
        out.flush();
        if (!out) {
            err << "radioclone: cannot write to standard output\n";
            return false;
        }
        return true;
    }
    std::string error;
    if (!radio::WriteFileAtomically(path, text, error)) {
        err << "radioclone: " << error << "\n";
        return false;
    }
    return true;
}

} // namespace

bool ParseVerbArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                   const char* usage, std::size_t positionals, ParsedArgs& parsed,
                   std::ostream& out, std::ostream& err, int& exitCode,
                   const radio::ModelVariant** model) {
    std::string error;
    if (!ParseArgs(args, specs, parsed, error)) {
        err << "radioclone: " << error << "\n" << usage;
        exitCode = kExitUsage;
        return false;
    }
    if (parsed.flags.count("--help")) {
        out << usage;
        exitCode = kExitOk;
        return false;
    }
    if (parsed.positional.size() != positionals) {
        err << "radioclone: expected " << positionals << " file name"
            << (positionals == 1 ? "" : "s") << ", got " << parsed.positional.size() << "\n"
            << usage;
        exitCode = kExitUsage;
        return false;
    }
    if (model && !(*model = ModelFromArgs(parsed, err))) {
        exitCode = kExitUsage;
        return false;
    }
    return true;
}

const radio::ModelVariant* ModelFromArgs(const ParsedArgs& parsed, std::ostream& err) {
    if (!parsed.values.count("--model")) {
        err << "radioclone: --model is required (" << kModels << ")\n";
        return nullptr;
    }
    const std::string name = parsed.Value("--model");
    const radio::ModelVariant* v = radio::VariantByCliName(name);
    if (!v) {
        err << "radioclone: unknown model \"" << name << "\" (use " << kModels << ")\n";
    }
    return v;
}

int VerbNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
        "usage: radioclone new --model M -o FILE.dat\n"
        "Writes the image of a new document (the radio's factory defaults).\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  -o FILE     the .dat file to write\n";
    ParsedArgs p;
    int code = 0;
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args, {{"--model", true}, {"-o", true}}, kUsage, 0, p, out, err, code, &v)) {
        return code;
    }
    if (p.Value("-o").empty()) {
        err << "radioclone: -o FILE.dat is required\n" << kUsage;
        return kExitUsage;
    }
    std::string error;
    if (!radio::StoreDat(p.Value("-o"), radio::MakeDefaultImage(*v), error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int VerbExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
        "usage: radioclone export --model M FILE.dat [--lang en|zh] [-o OUT.csv]\n"
        "Writes the channel table as CSV (UTF-8), as the channel grid shows it.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  --lang L    en (default) or zh: the language of headings and list texts\n"
        "  -o OUT.csv  write to this file instead of standard output\n";
    ParsedArgs p;
    int code = 0;
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args, {{"--model", true}, {"--lang", true}, {"-o", true}}, kUsage, 1, p, out,
                       err, code, &v)) {
        return code;
    }
    radio::Language lang{};
    if (!LanguageFromArgs(p, lang, err)) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(*v, p.positional[0], image, err)) {
        return kExitFailure;
    }
    return Emit(p.Value("-o"), radio::ExportChannelCsv(*v, image, lang), out, err) ? kExitOk
                                                                                   : kExitFailure;
}

int VerbImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
        "usage: radioclone import --model M FILE.dat TABLE.csv [-o OUT.dat]\n"
        "Stores the channel table of TABLE.csv (the layout export writes, English or\n"
        "Chinese texts) into the image of FILE.dat. Every cell is checked first;\n"
        "on any error nothing is written.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  -o OUT.dat  write the result here and leave FILE.dat as it is\n"
        "              (default: replace FILE.dat)\n";
    ParsedArgs p;
    int code = 0;
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args, {{"--model", true}, {"-o", true}}, kUsage, 2, p, out, err, code, &v)) {
        return code;
    }
    radio::Image image;
    if (!Load(*v, p.positional[0], image, err)) {
        return kExitFailure;
    }
    std::string csv;
    std::string error;
    if (!radio::ReadWholeFile(p.positional[1], csv, error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
    }
    if (!radio::ImportChannelCsv(*v, csv, image, error)) {
        err << "radioclone: " << p.positional[1] << ": " << error << "\n";
        return kExitFailure;
    }
    const std::string target = p.Value("-o", p.positional[0]);
    if (!radio::StoreDat(target, image, error)) {
        err << "radioclone: " << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int VerbOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr const char* kUsage =
        "usage: radioclone options --model M FILE.dat [--lang en|zh]\n"
        "Prints the radio's optional features as the printout's options page shows\n"
        "them: one line per option, the label, a tab, the value.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  --lang L    en (default) or zh\n";
    ParsedArgs p;
    int code = 0;
    const radio::ModelVariant* v = nullptr;
    if (!ParseVerbArgs(args, {{"--model", true}, {"--lang", true}}, kUsage, 1, p, out, err, code,
                       &v)) {
        return code;
    }
    radio::Language lang{};
    if (!LanguageFromArgs(p, lang, err)) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(*v, p.positional[0], image, err)) {
        return kExitFailure;
    }
    std::string text;
    for (const auto& line : radio::OptionsPageLines(*v, image, lang)) {
        text += line.label + '\t' + line.value + '\n';
    }
    return Emit({}, text, out, err) ? kExitOk : kExitFailure;
}

} // namespace radioclone
