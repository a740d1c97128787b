#pragma once

// The application object of a programmer: start-up with the profile beside
// the program, the language state fixed for the run, help, the services, the
// main frame and the first document (new, or the .dat file named on the
// command line). It owns the context that every window of the run reads.

#include "IniFile.h"
#include "LanguageLibrary.h"
#include "Services.h"
#include "Variant.h"

#include <QStringList>

#include <memory>
#include <string>

class CHelpService;
class CMainFrame;

namespace radio {
class CAppContext;
}

class CProgrammerApp {
public:
    // `programPath`: the program's command-line name (argv[0]); its profile
    // is looked for beside it. `services`: the seams a caller replaces; the
    // ones left empty are the platform's own.
    CProgrammerApp(const radio::ModelVariant& variant, std::string programPath,
                   radio::CServices services = {});
    ~CProgrammerApp();
    CProgrammerApp(const CProgrammerApp&) = delete;
    CProgrammerApp& operator=(const CProgrammerApp&) = delete;

    // Start-up; `arguments` are the command line without the program name
    // (none, or a .dat file). False ends the program. `show` false keeps the
    // main window hidden (tests show it themselves).
    bool InitInstance(const QStringList& arguments, bool show = true);

    // After InitInstance.
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    radio::CAppContext& Context() const { return *m_context; }
    CHelpService& Help() { return *m_help; }

    radio::CIniFile& Profile() { return m_profile; }
    const radio::ModelVariant& Variant() const { return m_variant; }

    // A whole programmer: QApplication, start-up, event loop. The body of
    // each program's main().
    static int Run(const radio::ModelVariant& variant, int argc, char** argv);

private:
    struct CPlatform;

    const radio::ModelVariant& m_variant;
    std::string m_programPath;
    radio::CServices m_services;
    std::unique_ptr<CPlatform> m_platform;
    radio::CIniFile m_profile;
    // Loaded at start-up, kept until the application goes.
    radio::CLanguageLibrary m_library;
    std::unique_ptr<CHelpService> m_help;
    std::unique_ptr<radio::CAppContext> m_context;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
