// The verbs that work on .dat files without a radio.
#include "Verbs.h"

#include <AtomicFile.h>
#include <ChannelCsv.h>
#include <MemoryImage.h>
#include <Options.h>

#include <filesystem>
#include <ostream>

namespace radioclone {

namespace {

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

bool Load(const radio::ModelVariant& v, const std::string& path, radio::Image& image,
          const CliContext& cli) {
    std::string error;
    if (!radio::LoadDat(v, path, image, error)) {
        Fail(cli, error);
        return false;
    }
    return true;
}

// Writes to the file atomically, or to out when no file is named.
int Emit(const std::string& path, const std::string& text, const CliContext& cli) {
    if (path.empty() || path == "-") {
        cli.out << text;
        cli.out.flush();
        return cli.out ? kExitOk : Fail(cli, "cannot write to standard output");
    }
    std::string error;
    return radio::WriteFileAtomically(path, text, error) ? kExitOk : Fail(cli, error);
}

} // namespace

int VerbNew(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{"usage: radioclone new --model M -o FILE.dat\n"
                                "Writes the image of a new document (the radio's factory "
                                "defaults).\n"
                                "  --model M   lark, wren, wren-v2 or wren-v3\n"
                                "  -o FILE     the .dat file to write\n",
                                {{"--model", true}, {"-o", true}},
                                0};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const std::string output = verb->parsed.Value("-o");
    if (output.empty()) {
        return FailUsage(cli, "-o FILE.dat is required", kSpec.usage);
    }
    std::string error;
    return radio::StoreDat(output, radio::MakeDefaultImage(*verb->model), error) ? kExitOk
                                                                                 : Fail(cli, error);
}

int VerbExport(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone export --model M FILE.dat [--lang en|zh] [-o OUT.csv]\n"
        "Writes the channel table as CSV (UTF-8), as the channel grid shows it.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  --lang L    en (default) or zh: the language of headings and list texts\n"
        "  -o OUT.csv  write to this file instead of standard output\n",
        {{"--model", true}, {"--lang", true}, {"-o", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    radio::Language lang{};
    if (!LanguageFromArgs(verb->parsed, lang, cli)) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(*verb->model, verb->parsed.positional[0], image, cli)) {
        return kExitFailure;
    }
    return Emit(verb->parsed.Value("-o"), radio::ExportChannelCsv(*verb->model, image, lang), cli);
}

int VerbImport(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone import --model M FILE.dat TABLE.csv [-o OUT.dat]\n"
        "Stores the channel table of TABLE.csv (the layout export writes, English or\n"
        "Chinese texts) into the image of FILE.dat. Every cell is checked first;\n"
        "on any error nothing is written.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  -o OUT.dat  write the result here and leave FILE.dat as it is\n"
        "              (default: replace FILE.dat)\n",
        {{"--model", true}, {"-o", true}},
        2};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    radio::Image image;
    if (!Load(v, p.positional[0], image, cli)) {
        return kExitFailure;
    }
    // Writing in place would cut a longer file (another radio's, perhaps)
    // to the image's length.
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(p.positional[0], ec);
    if (!p.Has("-o") && !ec && length > image.size()) {
        return Fail(cli, p.positional[0] + ": the file holds " + std::to_string(length) +
                             " bytes, more than the " + std::to_string(image.size()) +
                             " bytes of a " + std::string(v.programName) +
                             " image; importing in place would cut it. Nothing was written; "
                             "use -o OUT.dat to write the result elsewhere");
    }
    std::string csv;
    std::string error;
    if (!radio::ReadWholeFile(p.positional[1], csv, error)) {
        return Fail(cli, error);
    }
    if (!radio::ImportChannelCsv(v, csv, image, error)) {
        return Fail(cli, p.positional[1] + ": " + error);
    }
    return radio::StoreDat(p.Value("-o", p.positional[0]), image, error) ? kExitOk
                                                                         : Fail(cli, error);
}

int VerbOptions(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone options --model M FILE.dat [--lang en|zh]\n"
        "Prints the radio's optional features as the printout's options page shows\n"
        "them: one line per option, the label, a tab, the value.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  --lang L    en (default) or zh\n",
        {{"--model", true}, {"--lang", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    radio::Language lang{};
    if (!LanguageFromArgs(verb->parsed, lang, cli)) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(*verb->model, verb->parsed.positional[0], image, cli)) {
        return kExitFailure;
    }
    std::string text;
    for (const auto& line : radio::OptionsPageLines(*verb->model, image, lang)) {
        text += line.label + '\t' + line.value + '\n';
    }
    return Emit({}, text, cli);
}

} // namespace radioclone
