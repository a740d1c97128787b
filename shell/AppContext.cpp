#include "AppContext.h"

#include "Gbk.h"
#include "HelpService.h"
#include "IniFile.h"
#include "MessageBoxes.h"
#include "Strings.h"

namespace radio {

CLanguageState CLanguageState::FromProfile(const CIniFile& profile, const ModelVariant& variant) {
    CLanguageState state;
    state.currentLanguage = profile.GetValue("Setup", "Language", "");
    state.chinese = state.currentLanguage == "Chinese";
    state.languageSection = state.currentLanguage;
    state.helpFile = CHelpService::FileNameFor(state.chinese);
    state.textLanguage = state.chinese ? Language::Chinese : Language::English;
    // A program without a language library keeps its own (English) resources.
    state.resourceLanguage = state.chinese && !variant.languageLibrarySuffix.empty()
                                 ? Language::Chinese
                                 : Language::English;
    state.programDirectory = variant.filesBesideProgram ? CIniFile::ProgramDirectory() : "";
    state.displayName = ProfileTextToUtf8(profile.GetValue(state.languageSection, "Company", ""));
    return state;
}

std::string CAppContext::ProfileValue(std::string_view section, std::string_view key) const {
    return profile != nullptr ? profile->GetValue(section, key, "") : std::string();
}

std::string CAppContext::ProfileText(std::string_view section, std::string_view key) const {
    return ProfileTextToUtf8(ProfileValue(section, key));
}

std::string CAppContext::LoadString(int id) const {
    return std::string(LoadResString(id, language.resourceLanguage));
}

void CAppContext::ShowHelp(std::uint32_t context) const {
    if (help != nullptr) {
        help->ShowHelp(context);
    }
}

CAppContext& AppContext() {
    static CAppContext context;
    return context;
}

void ShowCaution(QWidget* owner, int id) {
    const CAppContext& app = AppContext();
    ShowMessageBox(owner, app.LoadString(id), app.LoadString(ids::kCaution),
                   MessageIcon::Exclamation, MessageButtons::Ok);
}

} // namespace radio
