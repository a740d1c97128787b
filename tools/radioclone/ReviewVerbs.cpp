// radioclone diff and check: what a dealer looks at before an image goes
// into a radio.
#include "Product.h"
#include "Verbs.h"

#include <ImageReview.h>
#include <MemoryImage.h>

#include <ostream>

namespace radioclone {

namespace {

void PrintLines(const std::vector<std::string>& lines, const CliContext& cli) {
    for (const std::string& line : lines) {
        cli.out << line << "\n";
    }
    cli.out.flush();
}

} // namespace

int VerbDiff(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone diff --model M A.dat B.dat [--lang en|zh]\n"
        "Compares two images: one line per channel cell that differs (channel, column,\n"
        "A's text, B's text), then the options that differ (label, A, B), then the\n"
        "other bytes that differ, counted by range. Status 0: equal; 1: they differ;\n"
        "2: usage or file error.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --lang L     en (default) or zh: the texts of the grid and the dialog\n",
        {{"--model", true}, {"--lang", true}},
        2};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    radio::Language lang = radio::Language::English;
    if (!LanguageFromArgs(p, lang, cli)) {
        return kExitUsage;
    }
    radio::Image a;
    radio::Image b;
    std::string error;
    if (!radio::LoadDat(v, p.positional[0], a, error) ||
        !radio::LoadDat(v, p.positional[1], b, error)) {
        return Fail(cli, error, kExitUsage);
    }
    const radio::ImageDiff diff = radio::DiffImages(v, a, b, lang);
    PrintLines(diff.Lines(lang), cli);
    if (diff.Equal()) {
        cli.err << (lang == radio::Language::Chinese ? "两个图像相同" : "The images are equal")
                << "\n";
        return kExitOk;
    }
    std::size_t other = 0;
    for (const radio::ByteRangeDifference& d : diff.otherBytes) {
        other += static_cast<std::size_t>(d.count);
    }
    if (lang == radio::Language::Chinese) {
        cli.err << diff.cells.size() << " 个单元格, " << diff.options.size() << " 个选项, " << other
                << " 个其他字节不同\n";
    } else {
        cli.err << diff.cells.size() << " cells, " << diff.options.size() << " options and "
                << other << " other bytes differ\n";
    }
    return kExitFailure;
}

int VerbCheck(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone check --model M FILE.dat [--type N --band N] [--lang en|zh]\n"
        "Lists what the product cannot hold, one line each: channel cells outside the\n"
        "band, off the 5 / 6.25 kHz steps, whose bytes decode to no valid frequency or\n"
        "tone, with a tone outside the tone list or name bytes outside the name\n"
        "alphabet (channel, column, text, reason); then options whose stored value\n"
        "maps to no choice. Nothing is changed. Status 0: clean; 1: findings; 2: usage\n"
        "or file error.\n"
        "  --model M    lark, wren, wren-v2 or wren-v3\n"
        "  --type N     the product type, an index into M's shipped catalogue\n"
        "               (default: the file's own type byte)\n"
        "  --band N     the band of that type (default: the file's own band byte)\n"
        "  --lang L     en (default) or zh\n",
        {{"--model", true}, {"--type", true}, {"--band", true}, {"--lang", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    radio::Language lang = radio::Language::English;
    if (!LanguageFromArgs(p, lang, cli)) {
        return kExitUsage;
    }
    radio::Image image;
    std::string error;
    if (!radio::LoadDat(v, p.positional[0], image, error)) {
        return Fail(cli, error, kExitUsage);
    }
    // The product goes into a copy only: the check changes nothing.
    radio::Image product = image;
    const std::optional<radio::ProductBand> band =
        ProductFromArgs(v, p, false, product, kSpec.usage, cli, status);
    if (!band) {
        return status;
    }
    const radio::ImageCheckReport report = radio::CheckImage(v, image, *band, lang);
    PrintLines(report.Lines(lang), cli);
    const std::string bandText = band->text.empty() ? "-" : band->text;
    const std::size_t findings = report.cells.size() + report.options.size();
    if (lang == radio::Language::Chinese) {
        cli.err << (findings == 0 ? std::string("无问题") : std::to_string(findings) + " 个问题")
                << " (频段 " << bandText << ")\n";
    } else {
        cli.err << (findings == 0
                        ? std::string("No findings")
                        : std::to_string(findings) + (findings == 1 ? " finding" : " findings"))
                << " (band " << bandText << ")\n";
    }
    return report.Clean() ? kExitOk : kExitFailure;
}

} // namespace radioclone
