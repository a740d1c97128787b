// What every window of a running programmer reads: its variant, its profile,
// the language state fixed at start-up, help, and the fresh-document flag.
// The application object fills it in; there is one per process.
#pragma once

#include "Texts.h"
#include "Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

class CHelpService;
class QWidget;

namespace radio {

class CIniFile;

struct CLanguageState {
    std::string currentLanguage; // "Language" of "Setup", as written
    bool chinese = false;        // exactly when currentLanguage is "Chinese"
    std::string languageSection; // the profile section of the language's texts
    std::string helpFile = "enHelp.chm";
    std::string programDirectory; // where "title.ico" and friends are looked for
    std::string displayName;      // caption of the framework's message boxes
    // Language of the texts the code supplies (grid, titles).
    Language textLanguage = Language::English;
    // Language of the resources (menus, messages): ProgramWren has no
    // language library and keeps its own English resources.
    Language resourceLanguage = Language::English;

    static CLanguageState FromProfile(const CIniFile& profile, const ModelVariant& variant);
};

class CAppContext {
public:
    const ModelVariant* variant = nullptr;
    CIniFile* profile = nullptr;
    CLanguageState language;
    CHelpService* help = nullptr;
    // The main frame: owner of messages and help, bearer of the title.
    QWidget* mainWindow = nullptr;
    // Set for a new document, cleared by opening a file and by a read from
    // the radio; decides which way the product selection flows.
    bool freshDocument = false;

    // A profile value as stored (bytes); "" without a profile.
    std::string ProfileValue(std::string_view section, std::string_view key) const;
    // The same decoded for display.
    std::string ProfileText(std::string_view section, std::string_view key) const;
    // A message text in the resource language.
    std::string LoadString(int id) const;
    void ShowHelp(std::uint32_t context) const;
};

CAppContext& AppContext();

// The message of `id` captioned "Caution" with the exclamation icon and OK.
void ShowCaution(QWidget* owner, int id);

} // namespace radio
