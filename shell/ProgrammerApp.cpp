#include "ProgrammerApp.h"

#include "AppContext.h"
#include "HelpService.h"
#include "MainFrame.h"
#include "TransferCommands.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>

CProgrammerApp::CProgrammerApp(const radio::ModelVariant& variant) : m_variant(variant) {}

CProgrammerApp::~CProgrammerApp() {
    // The windows go before the state they read.
    m_mainFrame.reset();
    radio::CAppContext& app = radio::AppContext();
    app = radio::CAppContext{};
    m_help.reset();
    // The profile store writes its file when it goes (only if changed).
}

bool CProgrammerApp::InitInstance(const QStringList& arguments, bool show) {
    m_profile.OpenInProgramDir(std::string(m_variant.profileFile));

    radio::CAppContext& app = radio::AppContext();
    app = radio::CAppContext{};
    app.variant = &m_variant;
    app.profile = &m_profile;
    app.language = radio::CLanguageState::FromProfile(m_profile, m_variant);
    m_help = std::make_unique<CHelpService>(app.language.helpFile);
    app.help = m_help.get();
    // The language resource library is loaded here once it exists.

    m_mainFrame = std::make_unique<CMainFrame>(m_variant);
    app.mainWindow = m_mainFrame.get();
    m_help->SetOwner(m_mainFrame.get());

    if (!arguments.isEmpty()) {
        if (!m_mainFrame->OpenDocumentFile(arguments.front().toStdString())) {
            return false;
        }
    } else {
        m_mainFrame->NewDocument();
    }

    if (show) {
        m_mainFrame->showMaximized();
    }
    const QString icon = QString::fromStdString(app.language.programDirectory + "title.ico");
    if (QFileInfo::exists(icon)) {
        m_mainFrame->setWindowIcon(QIcon(icon));
    }
    const std::string aboutTitle = app.ProfileText(app.language.languageSection, "About Title");
    if (QAction* about = m_mainFrame->Action(cmd::kAppAbout);
        about != nullptr && !aboutTitle.empty()) {
        about->setText(QString::fromStdString(aboutTitle));
    }
    return true;
}

int CProgrammerApp::Run(const radio::ModelVariant& variant, int argc, char** argv) {
    QApplication application(argc, argv);
    radio::CIniFile::SetProgramPath(argc > 0 ? argv[0] : "");
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();
    }
    // The view's Read, Write and Com Setup commands.
    radio::InstallLinkCommands();
    CProgrammerApp app(variant);
    if (!app.InitInstance(arguments)) {
        return 1;
    }
    return QApplication::exec();
}
