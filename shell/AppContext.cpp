#include "AppContext.h"

#include "Gbk.h"
#include "HelpService.h"
#include "IniFile.h"
#include "LanguageLibrary.h"
#include "Strings.h"

#include <QCoreApplication>

namespace radio {

CLanguageState CLanguageState::FromProfile(const CIniFile& profile, const ModelVariant& variant,
                                           const std::string& programDirectory) {
    CLanguageState state;
    state.currentLanguage = profile.GetValue("Setup", "Language", "");
    state.chinese = state.currentLanguage == "Chinese";
    state.languageSection = state.currentLanguage;
    state.helpFile = CHelpService::FileNameFor(state.chinese);
    state.textLanguage = state.chinese ? Language::Chinese : Language::English;
    state.programDirectory = programDirectory;
    if (!variant.languageLibrarySuffix.empty()) {
        state.languageLibrary = CLanguageLibrary::FileName(
            state.currentLanguage, std::string(variant.languageLibrarySuffix));
    }
    state.displayName = ProfileTextToUtf8(profile.GetValue(state.languageSection, "Company", ""));
    return state;
}

CAppContext::CAppContext(const ModelVariant& variant_, const CServices& services,
                         CIniFile& profile_, CLanguageState language_, CHelpService& help_,
                         std::string programFile_)
    : variant(variant_), profile(profile_), language(std::move(language_)), help(help_),
      programFile(std::move(programFile_)), m_services(services) {}

std::string CAppContext::ProfileValue(std::string_view section, std::string_view key) const {
    return profile.GetValue(section, key, "");
}

std::string CAppContext::ProfileText(std::string_view section, std::string_view key) const {
    return ProfileTextToUtf8(ProfileValue(section, key));
}

std::string CAppContext::LoadString(int id) const {
    return QCoreApplication::translate("Strings", LoadResString(id)).toStdString();
}

void CAppContext::ShowHelp(std::uint32_t context) const {
    help.ShowHelp(context);
}

MessageResult CAppContext::ShowMessage(QWidget* owner, std::string_view text,
                                       std::string_view caption, MessageIcon icon,
                                       MessageButtons buttons) const {
    const MessageRequest request{owner != nullptr ? owner : mainWindow, std::string(text),
                                 std::string(caption), icon, buttons};
    return m_services.messages->Show(request);
}

void CAppContext::ShowCaution(QWidget* owner, int id) const {
    ShowMessage(owner, LoadString(id), LoadString(ids::kCaution), MessageIcon::Exclamation,
                MessageButtons::Ok);
}

} // namespace radio
