#include "ProductSelection.h"

#include "Gbk.h"
#include "ScaleDecimal.h"

#include <algorithm>
#include <limits>

namespace radio {

namespace {

constexpr std::string_view kSetup = "Setup";

std::int32_t MegahertzToCount(int mhz) {
    const std::int64_t count = static_cast<std::int64_t>(mhz) * 100000;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        count, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t ByteAt(const Image& image, int offset) {
    return offset >= 0 && static_cast<std::size_t>(offset) < image.size()
               ? image[static_cast<std::size_t>(offset)]
               : std::uint8_t{0xFF};
}

void SetByte(Image& image, int offset, std::uint8_t value) {
    if (offset >= 0 && static_cast<std::size_t>(offset) < image.size()) {
        image[static_cast<std::size_t>(offset)] = value;
    }
}

} // namespace

std::vector<std::string> SplitBandList(std::string_view list) {
    std::vector<std::string> bands;
    for (;;) {
        const std::size_t bar = list.find('|');
        if (bar == std::string_view::npos) {
            bands.emplace_back(list);
            return bands;
        }
        bands.emplace_back(list.substr(0, bar));
        list.remove_prefix(bar + 1);
    }
}

BandLimits BandLimitsOf(std::string_view bandText) {
    BandLimits limits;
    limits.lower = MegahertzToCount(ParseLeadingInt(bandText));
    const std::size_t dash = bandText.find('-');
    const std::string_view upper =
        dash == std::string_view::npos ? bandText : bandText.substr(dash + 1);
    limits.upper = MegahertzToCount(ParseLeadingInt(upper));
    return limits;
}

std::string ProductTitle(std::string_view appName, std::string_view type, std::string_view band,
                         Language labels) {
    const bool chinese = labels == Language::Chinese;
    std::string title(appName);
    title += chinese ? "  [ 类型:" : "  [ Type:";
    title += type;
    title += chinese ? "  频率:" : "  Fre:";
    title += band;
    title += " ]";
    return title;
}

CProductCatalogue::CProductCatalogue(const CIniFile& profile, std::string languageSection)
    : m_profile(profile), m_languageSection(std::move(languageSection)) {}

std::vector<std::string> CProductCatalogue::Types() const {
    std::vector<std::string> types;
    for (int n = 1; n <= kMaxProductTypes; ++n) {
        const std::string value = m_profile.GetValue(kSetup, "Type" + std::to_string(n), "");
        if (value.empty()) {
            break;
        }
        types.push_back(ProfileTextToUtf8(value));
    }
    return types;
}

std::vector<std::string> CProductCatalogue::Bands(int typeIndex) const {
    const std::string list =
        m_profile.GetValue(kSetup, "Field" + std::to_string(typeIndex + 1), "");
    std::vector<std::string> bands = SplitBandList(list);
    for (std::string& band : bands) {
        band = ProfileTextToUtf8(band);
    }
    return bands;
}

std::string CProductCatalogue::TypeText(int typeIndex) const {
    return ProfileTextToUtf8(
        m_profile.GetValue(kSetup, "Type" + std::to_string(typeIndex + 1), ""));
}

std::string CProductCatalogue::SettingsKey() const {
    return ProfileTextToUtf8(m_profile.GetValue(kSetup, "AppName", ""));
}

std::string CProductCatalogue::TitleName() const {
    return ProfileTextToUtf8(m_profile.GetValue(m_languageSection, "AppName", ""));
}

ProductSelection ReadStoredSelection(ISettingsStore& store, const std::string& key) {
    ProductSelection sel;
    sel.type = store.ReadDword(key, "Type").value_or(0);
    sel.band = store.ReadDword(key, "Field").value_or(0);
    return sel;
}

void WriteStoredSelection(ISettingsStore& store, const std::string& key, ProductSelection sel) {
    store.WriteDword(key, "Type", sel.type);
    store.WriteDword(key, "Field", sel.band);
}

ProductOutcome ApplyProductSelection(const CProductCatalogue& catalogue, ISettingsStore& store,
                                     bool freshDocument, Language lang, Image& image,
                                     int typeOffset, int bandOffset) {
    const std::string key = catalogue.SettingsKey();
    if (freshDocument) {
        const ProductSelection stored = ReadStoredSelection(store, key);
        SetByte(image, typeOffset, static_cast<std::uint8_t>(stored.type & 0xFF));
        SetByte(image, bandOffset, static_cast<std::uint8_t>(stored.band & 0xFF));
    } else {
        WriteStoredSelection(store, key, {ByteAt(image, typeOffset), ByteAt(image, bandOffset)});
    }
    const int type = ByteAt(image, typeOffset);
    const std::size_t band = ByteAt(image, bandOffset);
    const std::vector<std::string> bands = catalogue.Bands(type);
    const std::string& bandText = band < bands.size() ? bands[band] : bands.back();

    ProductOutcome outcome;
    outcome.title = ProductTitle(catalogue.TitleName(), catalogue.TypeText(type), bandText, lang);
    outcome.limits = BandLimitsOf(bandText);
    outcome.bandText = bandText;
    return outcome;
}

ProductDialogState InitialDialogState(const CProductCatalogue& catalogue, ISettingsStore& store) {
    // The dialog opens on the stored selection; an index the lists do not
    // have leaves its box without a selection (and no type reads Field0).
    const auto inRange = [](std::uint32_t index, std::size_t size) { return index < size; };
    ProductDialogState state;
    state.types = catalogue.Types();
    const ProductSelection stored = ReadStoredSelection(store, catalogue.SettingsKey());
    state.typeSelection =
        inRange(stored.type, state.types.size()) ? static_cast<int>(stored.type) : -1;
    state.bands = catalogue.Bands(state.typeSelection);
    state.bandSelection =
        inRange(stored.band, state.bands.size()) ? static_cast<int>(stored.band) : -1;
    return state;
}

ProductOutcome CommitProductChoice(const CProductCatalogue& catalogue, ISettingsStore& store,
                                   int typeSelection, int bandSelection,
                                   const std::string& typeText, const std::string& bandText,
                                   Image& image, int typeOffset, int bandOffset) {
    SetByte(image, typeOffset, static_cast<std::uint8_t>(typeSelection));
    SetByte(image, bandOffset, static_cast<std::uint8_t>(bandSelection));
    ProductOutcome outcome;
    outcome.title = ProductTitle(catalogue.TitleName(), typeText, bandText, Language::English);
    outcome.limits = BandLimitsOf(bandText);
    outcome.bandText = bandText;
    WriteStoredSelection(
        store, catalogue.SettingsKey(),
        {static_cast<std::uint32_t>(typeSelection), static_cast<std::uint32_t>(bandSelection)});
    return outcome;
}

} // namespace radio
