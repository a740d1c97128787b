// The verbs that work on .dat files without a radio.
#include "Verbs.h"

#include <AtomicFile.h>
#include <ChannelCsv.h>
#include <MemoryImage.h>
#include <Options.h>
#include <ScanInfo.h>

#include <filesystem>
#include <ostream>

namespace radioclone {

namespace {

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

// Writing in place would cut a longer file (another radio's, perhaps) to
// the image's length. True, after saying so, when that is what is asked:
// no -o and FILE.dat longer than the image.
bool WouldCutInPlace(const ParsedArgs& p, const radio::ModelVariant& v, const radio::Image& image,
                     std::string_view doing, const CliContext& cli) {
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(p.positional[0], ec);
    if (p.Has("-o") || ec || length <= image.size()) {
        return false;
    }
    Fail(cli, p.positional[0] + ": the file holds " + std::to_string(length) +
                  " bytes, more than the " + std::to_string(image.size()) + " bytes of a " +
                  std::string(v.programName) + " image; " + std::string(doing) +
                  " in place would cut it. Nothing was written; use -o OUT.dat to write the "
                  "result elsewhere");
    return true;
}

// The image to -o OUT.dat, or back to FILE.dat, atomically.
int StoreResult(const ParsedArgs& p, const radio::Image& image, const CliContext& cli) {
    std::string error;
    return radio::StoreDat(p.Value("-o", p.positional[0]), image, error) ? kExitOk
                                                                         : Fail(cli, error);
}

struct Setting {
    std::string name;
    std::string value;
};

// The --set "NAME=VALUE" of a verb, split at the first '='; nullopt after a
// usage error.
std::optional<std::vector<Setting>> SettingsFromArgs(const ParsedArgs& p, const char* usage,
                                                     const CliContext& cli) {
    std::vector<Setting> settings;
    for (const std::string& set : p.Values("--set")) {
        const auto eq = set.find('=');
        if (eq == std::string::npos) {
            FailUsage(cli, "--set \"" + set + "\" has no '=': write --set \"NAME=VALUE\"", usage);
            return std::nullopt;
        }
        settings.push_back({set.substr(0, eq), set.substr(eq + 1)});
    }
    if (settings.empty() && p.Has("-o")) {
        FailUsage(cli, "-o OUT.dat goes with --set: without a change there is nothing to write",
                  usage);
        return std::nullopt;
    }
    return settings;
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
    if (WouldCutInPlace(p, v, image, "importing", cli)) {
        return kExitFailure;
    }
    std::string csv;
    std::string error;
    if (!radio::ReadWholeFile(p.positional[1], csv, error)) {
        return Fail(cli, error);
    }
    if (!radio::ImportChannelCsv(v, csv, image, error)) {
        return Fail(cli, p.positional[1] + ": " + error);
    }
    return StoreResult(p, image, cli);
}

int VerbOptions(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone options --model M FILE.dat [--lang en|zh]\n"
        "                          [--set \"LABEL=CHOICE\" ...] [-o OUT.dat]\n"
        "Prints the radio's optional features as the printout's options page shows\n"
        "them: one line per option, the label, a tab, the value.\n"
        "With --set, changes them instead, as the Optional Features dialog and its OK\n"
        "do, and writes the image; on any error nothing is written.\n"
        "  --model M   lark, wren, wren-v2 or wren-v3\n"
        "  --lang L    en (default) or zh: the language of the printout\n"
        "  --set L=C   give option L (its dialog label, English or Chinese) the\n"
        "              choice C (a text of its list in either language; on or off\n"
        "              for a check box); may be repeated\n"
        "  -o OUT.dat  write the result here and leave FILE.dat as it is\n"
        "              (default: replace FILE.dat)\n",
        {{"--model", true}, {"--lang", true}, {"--set", true, true}, {"-o", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    radio::Language lang{};
    if (!LanguageFromArgs(p, lang, cli)) {
        return kExitUsage;
    }
    const std::optional<std::vector<Setting>> settings = SettingsFromArgs(p, kSpec.usage, cli);
    if (!settings) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(v, p.positional[0], image, cli)) {
        return kExitFailure;
    }
    if (settings->empty()) {
        std::string text;
        for (const auto& line : radio::OptionsPageLines(v, image, lang)) {
            text += line.label + '\t' + line.value + '\n';
        }
        return Emit({}, text, cli);
    }
    if (WouldCutInPlace(p, v, image, "changing options", cli)) {
        return kExitFailure;
    }
    std::vector<int> indices = radio::LoadOptions(v, image);
    std::string error;
    for (const Setting& s : *settings) {
        if (!radio::SetOptionByText(v, indices, s.name, s.value, error)) {
            return Fail(cli, error);
        }
    }
    radio::StoreOptions(v, image, indices);
    return StoreResult(p, image, cli);
}

namespace {

// Whether `field` names Priority, by the dialog's own rule for field names:
// of all fields only Priority takes "None" from a dialog without a priority.
} // namespace

int VerbScan(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone scan --model lark FILE.dat [--set \"FIELD=VALUE\" ...]\n"
        "                       [-o OUT.dat]\n"
        "Prints ProgramLark's Scan Information (priority scan) as its dialog shows\n"
        "it: one line per field, the label, a tab, the value.\n"
        "With --set, changes the fields instead, as the dialog and its OK do, and\n"
        "writes the image; on any error nothing is written. A change of Priority is\n"
        "made first, wherever it stands, since it resets Revert Channel and\n"
        "Priority Channel as the dialog does.\n"
        "  --model lark  only ProgramLark has Scan Information\n"
        "  --set F=V     give field F (its label, English or Chinese) the value V: a\n"
        "                text of its list for Priority and Revert Channel, else a\n"
        "                number; may be repeated\n"
        "  -o OUT.dat    write the result here and leave FILE.dat as it is\n"
        "                (default: replace FILE.dat)\n",
        {{"--model", true}, {"--set", true, true}, {"-o", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    if (v.model != radio::Model::Lark) {
        return Fail(cli,
                    "only ProgramLark (--model lark) has Scan Information, not " +
                        std::string(v.programName),
                    kExitUsage);
    }
    const std::optional<std::vector<Setting>> settings = SettingsFromArgs(p, kSpec.usage, cli);
    if (!settings) {
        return kExitUsage;
    }
    radio::Image image;
    if (!Load(v, p.positional[0], image, cli)) {
        return kExitFailure;
    }
    radio::ScanValues values = radio::LoadScanValues(image);
    if (settings->empty()) {
        std::string text;
        for (const radio::ScanLine& line : radio::ScanLines(values, radio::Language::English)) {
            text += std::string(line.label.en) + '\t' + line.value + '\n';
        }
        return Emit({}, text, cli);
    }
    if (WouldCutInPlace(p, v, image, "changing Scan Information", cli)) {
        return kExitFailure;
    }
    std::vector<const Setting*> order;
    for (const bool priority : {true, false}) {
        for (const Setting& s : *settings) {
            if (radio::IsScanPriorityField(s.name) == priority) {
                order.push_back(&s);
            }
        }
    }
    std::string error;
    for (const Setting* s : order) {
        if (!radio::SetScanField(values, s->name, s->value, error)) {
            return Fail(cli, error);
        }
    }
    if (!radio::StoreScanValues(v, image, values)) {
        const std::string channel = values.priorityChannel.empty()
                                        ? "no Priority Channel"
                                        : "Priority Channel \"" + values.priorityChannel + "\"";
        return Fail(cli, "Priority \"Fixed\" with " + channel +
                             ": it must name a programmed channel 1 to 16 (\"" +
                             std::string(radio::kSelectChannelInputed.en) +
                             "\"). Nothing was written");
    }
    return StoreResult(p, image, cli);
}

} // namespace radioclone
