#include "Product.h"

#include <IniFile.h>
#include <ProductSelection.h>
#include <SettingsStore.h>

#include <filesystem>

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

std::optional<radio::ProductBand> ProductFromArgs(const radio::ModelVariant& v, const ParsedArgs& p,
                                                  bool fresh, radio::Image& image,
                                                  const char* usage, const CliContext& cli,
                                                  int& status) {
    status = kExitUsage;
    int type = 0;
    int band = 0;
    if (!ParseIndex(p, "--type", type) || !ParseIndex(p, "--band", band)) {
        FailUsage(cli, "--type and --band take an index: 0, 1, 2, ...", usage);
        return std::nullopt;
    }
    const std::optional<std::string> profilePath = ShippedProfile(v, cli);
    if (!profilePath) {
        Fail(cli,
             "the shipped profile " + std::string(v.profileFile) +
                 " (its product catalogue) was not found beside radioclone",
             kExitUsage);
        return std::nullopt;
    }
    radio::CIniFile profile;
    profile.Open(*profilePath);
    const radio::CProductCatalogue catalogue(profile, "English");
    const auto typeAt = static_cast<std::size_t>(v.typeOffset);
    const auto bandAt = static_cast<std::size_t>(v.bandOffset);
    if (fresh || p.Has("--type") || p.Has("--band")) {
        if (!fresh && !p.Has("--type")) {
            type = image[typeAt];
        }
        const std::vector<std::string> types = catalogue.Types();
        if (type >= static_cast<int>(types.size())) {
            FailUsage(cli,
                      "--type " + std::to_string(type) + ": " + std::string(v.programName) +
                          "'s catalogue has " + std::to_string(types.size()) + " types",
                      usage);
            return std::nullopt;
        }
        const std::vector<std::string> bands = catalogue.Bands(type);
        if (band >= static_cast<int>(bands.size())) {
            FailUsage(cli,
                      "--band " + std::to_string(band) + ": type \"" +
                          types[static_cast<std::size_t>(type)] + "\" has " +
                          std::to_string(bands.size()) + " bands",
                      usage);
            return std::nullopt;
        }
        image[typeAt] = static_cast<std::uint8_t>(type);
        image[bandAt] = static_cast<std::uint8_t>(band);
    }
    radio::CMemorySettingsStore store;
    const radio::ProductOutcome product = radio::ApplyProductSelection(
        catalogue, store, false, radio::Language::English, image, v.typeOffset, v.bandOffset);
    status = kExitOk;
    return radio::ProductBand{product.limits, product.bandText};
}

} // namespace radioclone
