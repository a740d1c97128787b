#pragma once

// The application object of a programmer: start-up with the profile beside
// the program, the language state fixed for the run, help, the main frame and
// the first document (new, or the .dat file named on the command line).

#include "IniFile.h"
#include "Variant.h"

#include <QStringList>

#include <memory>
#include <string>

class CHelpService;
class CMainFrame;

class CProgrammerApp {
public:
    explicit CProgrammerApp(const radio::ModelVariant& variant);
    ~CProgrammerApp();
    CProgrammerApp(const CProgrammerApp&) = delete;
    CProgrammerApp& operator=(const CProgrammerApp&) = delete;

    // Start-up; `arguments` are the command line without the program name
    // (none, or a .dat file). False ends the program. `show` false keeps the
    // main window hidden (tests show it themselves).
    bool InitInstance(const QStringList& arguments, bool show = true);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    radio::CIniFile& Profile() { return m_profile; }
    CHelpService& Help() { return *m_help; }
    const radio::ModelVariant& Variant() const { return m_variant; }

    // A whole programmer: QApplication, start-up, event loop. The body of
    // each program's main().
    static int Run(const radio::ModelVariant& variant, int argc, char** argv);

private:
    const radio::ModelVariant& m_variant;
    radio::CIniFile m_profile;
    std::unique_ptr<CHelpService> m_help;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
