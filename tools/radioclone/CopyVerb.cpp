// radioclone copy: a customer's channels moved from one programmer's image
// into another's, with an account of what the new radio cannot hold.
#include "Verbs.h"

#include <AtomicFile.h>
#include <ChannelCopy.h>
#include <IniFile.h>
#include <MemoryImage.h>
#include <ProductSelection.h>
#include <SettingsStore.h>

#include <filesystem>
#include <optional>
#include <ostream>

namespace radioclone {

namespace {

// The programmer's shipped profile: beside the tool when installed, else in
// the source tree it was built from.
std::optional<std::string> ShippedProfile(const radio::ModelVariant& v, const CliContext& cli) {
    std::vector<std::filesystem::path> places;
    if (!cli.programDirectory.empty()) {
        places.emplace_back(std::filesystem::path(cli.programDirectory) / v.profileFile);
    }
#ifdef RADIOCLONE_SHIPPED_PROFILES
    places.emplace_back(std::filesystem::path(RADIOCLONE_SHIPPED_PROFILES) / v.profileFile);
#endif
    for (const std::filesystem::path& place : places) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(place, ec)) {
            return place.string();
        }
    }
    return std::nullopt;
}

bool ParseIndex(const ParsedArgs& p, const char* name, int& value) {
    if (!p.Has(name)) {
        return true;
    }
    const std::string text = p.Value(name);
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::stoi(text);
    return true;
}

} // namespace

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
    int type = 0;
    int band = 0;
    if (!ParseIndex(p, "--type", type) || !ParseIndex(p, "--band", band)) {
        return FailUsage(cli, "--type and --band take an index: 0, 1, 2, ...", kSpec.usage);
    }

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
    const std::optional<std::string> profilePath = ShippedProfile(to, cli);
    if (!profilePath) {
        return Fail(cli,
                    "the shipped profile " + std::string(to.profileFile) +
                        " (its product catalogue) was not found beside radioclone",
                    kExitUsage);
    }
    radio::CIniFile profile;
    profile.Open(*profilePath);
    const radio::CProductCatalogue catalogue(profile, "English");
    const auto ix = [](std::size_t i) { return static_cast<int>(i); };
    if (!hasDest || p.Has("--type") || p.Has("--band")) {
        if (hasDest && !p.Has("--type")) {
            type = target[static_cast<std::size_t>(to.typeOffset)];
        }
        const std::vector<std::string> types = catalogue.Types();
        if (type >= ix(types.size())) {
            return FailUsage(cli,
                             "--type " + std::to_string(type) + ": " + std::string(to.programName) +
                                 "'s catalogue has " + std::to_string(types.size()) + " types",
                             kSpec.usage);
        }
        const std::vector<std::string> bands = catalogue.Bands(type);
        if (band >= ix(bands.size())) {
            return FailUsage(cli,
                             "--band " + std::to_string(band) + ": type \"" + types[type] +
                                 "\" has " + std::to_string(bands.size()) + " bands",
                             kSpec.usage);
        }
        target[static_cast<std::size_t>(to.typeOffset)] = static_cast<std::uint8_t>(type);
        target[static_cast<std::size_t>(to.bandOffset)] = static_cast<std::uint8_t>(band);
    }
    radio::CMemorySettingsStore store;
    const radio::ProductOutcome product = radio::ApplyProductSelection(
        catalogue, store, false, radio::Language::English, target, to.typeOffset, to.bandOffset);

    const std::vector<std::string> bands =
        catalogue.Bands(target[static_cast<std::size_t>(to.typeOffset)]);
    const std::size_t bandIndex = target[static_cast<std::size_t>(to.bandOffset)];
    const radio::CopyReport report =
        radio::CopyChannels(*from, source, to, target, product.limits,
                            bandIndex < bands.size() ? bands[bandIndex] : "");
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
