// radioclone copy: a customer's channels moved from one programmer's image
// into another's, with an account of what the new radio cannot hold.
#include "Product.h"
#include "Verbs.h"

#include <ChannelCopy.h>
#include <MemoryImage.h>

#include <optional>
#include <ostream>

namespace radioclone {

int VerbCopy(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone copy --from M1 SRC.dat --model M2 [DEST.dat] -o OUT.dat\n"
        "                       [--type N] [--band N]\n"
        "Copies the channel table of SRC.dat (an M1 image) into an M2 image: channel n\n"
        "to channel n, each cell checked as if typed against the target's band. What\n"
        "the target cannot hold is left out and reported, one line each, then\n"
        "\"K of N channels copied\". Status 0: all copied; 1: written, something left\n"
        "out; 2: usage or file error, nothing written. SRC.dat and DEST.dat stay.\n"
        "  --from M1    the model of SRC.dat (lark, wren, wren-v2, wren-v3)\n"
        "  --model M2   the model to copy into\n"
        "  DEST.dat     the image whose options and product are kept (default: a new\n"
        "               document of M2)\n"
        "  -o OUT.dat   the result\n"
        "  --type N     the product type, an index into M2's shipped catalogue (0 when\n"
        "               new; with DEST.dat it replaces its product)\n"
        "  --band N     the band of that type, likewise\n",
        {{"--from", true}, {"--model", true}, {"-o", true}, {"--type", true}, {"--band", true}},
        1,
        true,
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& to = *verb->model;
    const radio::ModelVariant* from = radio::VariantByCliName(p.Value("--from"));
    if (from == nullptr) {
        return FailUsage(cli,
                         "--from must name the model of SRC.dat (lark, wren, wren-v2, wren-v3)",
                         kSpec.usage);
    }
    if (p.Value("-o").empty()) {
        return FailUsage(cli, "copy needs -o OUT.dat", kSpec.usage);
    }
    const bool hasDest = p.positional.size() == 2;

    std::string error;
    radio::Image source;
    if (!radio::LoadDat(*from, p.positional[0], source, error)) {
        return Fail(cli, error, kExitUsage);
    }
    radio::Image target = radio::MakeDefaultImage(to);
    if (hasDest && !radio::LoadDat(to, p.positional[1], target, error)) {
        return Fail(cli, error, kExitUsage);
    }

    // The target's product, and its band as Product Information computes it.
    int productStatus = kExitOk;
    const std::optional<radio::ProductBand> band =
        ProductFromArgs(to, p, !hasDest, target, kSpec.usage, cli, productStatus);
    if (!band) {
        return productStatus;
    }
    const radio::CopyReport report =
        radio::CopyChannels(*from, source, to, target, band->limits, band->text);
    if (!radio::StoreDat(p.Value("-o"), target, error)) {
        return Fail(cli, error, kExitUsage);
    }
    for (const std::string& line : report.lines) {
        cli.out << line << "\n";
    }
    cli.out << report.Summary() << "\n";
    return report.Complete() ? kExitOk : kExitFailure;
}

} // namespace radioclone
