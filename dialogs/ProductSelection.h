// The product selection: which radio type and frequency band a document is
// for. The catalogue of types and bands lives in the profile ("Type1".. and
// "Field1".. of section "Setup"); the chosen indices live in two bytes of the
// image and in the settings store ("Type" and "Field" under "AppName"). The
// selection names the main window and gives the channel editor its band.
#pragma once

#include "BandLimits.h"
#include "IniFile.h"
#include "MemoryImage.h"
#include "SettingsStore.h"
#include "Texts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radio {

inline constexpr int kMaxProductTypes = 19;

// "a|b|" -> "a", "b", ""; an empty list is one empty band text.
std::vector<std::string> SplitBandList(std::string_view list);

// Lower limit = the leading number in MHz, upper limit = the number after the
// first '-' (the whole text when there is none), both times 100000 and held
// within the signed 32-bit range.
BandLimits BandLimitsOf(std::string_view bandText);

// "<appName>  [ Type:<type>  Fre:<band> ]"; Chinese labels when asked.
std::string ProductTitle(std::string_view appName, std::string_view type, std::string_view band,
                         Language labels);

struct ProductSelection {
    std::uint32_t type = 0;
    std::uint32_t band = 0;
    bool operator==(const ProductSelection&) const = default;
};

// The catalogue and names of one programmer's profile. Texts are decoded for
// display (UTF-8, or GBK as written by Chinese Windows).
class CProductCatalogue {
public:
    CProductCatalogue(const CIniFile& profile, std::string languageSection);

    // Type1.. up to the first empty one, at most 19.
    std::vector<std::string> Types() const;
    // The band list of the type at `typeIndex` (key Field<typeIndex + 1>);
    // index -1 reads the absent key Field0, so one empty band.
    std::vector<std::string> Bands(int typeIndex) const;
    // Type<typeIndex + 1> ("" when absent).
    std::string TypeText(int typeIndex) const;
    // Name of the settings key ("AppName" of "Setup").
    std::string SettingsKey() const;
    // First part of the window title ("AppName" of the language section).
    std::string TitleName() const;

private:
    const CIniFile& m_profile;
    std::string m_languageSection;
};

ProductSelection ReadStoredSelection(ISettingsStore& store, const std::string& key);
void WriteStoredSelection(ISettingsStore& store, const std::string& key, ProductSelection sel);

struct ProductOutcome {
    std::string title;
    BandLimits limits;
    std::string bandText; // the band the limits come from, as the catalogue gives it
};

// The step that ends every refresh of the grid: a fresh document takes the
// stored selection into its image, any other document's selection becomes
// the stored one; then title and band limits follow from the image bytes.
ProductOutcome ApplyProductSelection(const CProductCatalogue& catalogue, ISettingsStore& store,
                                     bool freshDocument, Language lang, Image& image,
                                     int typeOffset, int bandOffset);

// What the Product Information dialog opens with.
struct ProductDialogState {
    std::vector<std::string> types;
    int typeSelection = -1; // -1: no selection
    std::vector<std::string> bands;
    int bandSelection = -1;
};
ProductDialogState InitialDialogState(const CProductCatalogue& catalogue, ISettingsStore& store);

// OK of the dialog: the indices go to the image and the store; the title
// uses the English labels in either language.
ProductOutcome CommitProductChoice(const CProductCatalogue& catalogue, ISettingsStore& store,
                                   int typeSelection, int bandSelection,
                                   const std::string& typeText, const std::string& bandText,
                                   Image& image, int typeOffset, int bandOffset);

} // namespace radio
