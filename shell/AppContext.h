// What every window of a running programmer reads: its variant, its profile,
// the language state fixed at start-up, help, the services, and the
// fresh-document flag. The application object owns the one context of its
// run and hands it to the main frame, the documents, views and dialogs.
#pragma once

#include "MessageBoxes.h"
#include "Services.h"
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
    // The folder of the running program file with its trailing separator:
    // where "title.ico", "background.bmp" and the language library are.
    std::string programDirectory;
    std::string displayName; // caption of the framework's message boxes
    // The language resource library's file name; "" for a program that
    // has only its own (English) resources.
    std::string languageLibrary;
    // Language of the texts the code supplies (grid, titles).
    Language textLanguage = Language::English;
    // Language of the resources: of the loaded language library, else the
    // program's own English (so ProgramWren's dialogs stay English).
    Language resourceLanguage = Language::English;

    // `programDirectory` as above.
    static CLanguageState FromProfile(const CIniFile& profile, const ModelVariant& variant,
                                      const std::string& programDirectory);
};

class CAppContext {
public:
    // `services` must be complete (every member set); `programFile` is the
    // running program's file, started again after a language change.
    CAppContext(const ModelVariant& variant, const CServices& services, CIniFile& profile,
                CLanguageState language, CHelpService& help, std::string programFile);
    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    const ModelVariant& variant;
    CIniFile& profile;
    // Fixed for the life of the process.
    const CLanguageState language;
    CHelpService& help;
    const std::string programFile;
    // The main frame: owner of messages and help, bearer of the title.
    QWidget* mainWindow = nullptr;
    // Set for a new document, cleared by opening a file and by a read from
    // the radio; decides which way the product selection flows.
    bool freshDocument = false;

    ISettingsStore& Settings() const { return *m_services.settings; }
    IMessageBoxes& MessageBoxes() const { return *m_services.messages; }
    IFileDialogs& FileDialogs() const { return *m_services.fileDialogs; }
    IPortOpener& Ports() const { return *m_services.ports; }
    IWaiter& Waiter() const { return *m_services.waiter; }
    IProcessStarter& Processes() const { return *m_services.processes; }

    // A profile value as stored (bytes); "" when absent.
    std::string ProfileValue(std::string_view section, std::string_view key) const;
    // The same decoded for display.
    std::string ProfileText(std::string_view section, std::string_view key) const;
    // A message text as the loaded resources give it (the language
    // library's, else the program's own English).
    std::string LoadString(int id) const;
    void ShowHelp(std::uint32_t context) const;

    // A message box over `owner` (the main window when null).
    MessageResult ShowMessage(QWidget* owner, std::string_view text, std::string_view caption,
                              MessageIcon icon, MessageButtons buttons = MessageButtons::Ok) const;
    // The message of `id` captioned "Caution" with the exclamation icon and OK.
    void ShowCaution(QWidget* owner, int id) const;

private:
    CServices m_services;
};

} // namespace radio
