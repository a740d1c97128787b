#include "ProgrammerApp.h"

#include "AppContext.h"
#include "FileDialogs.h"
#include "HelpService.h"
#include "IniFile.h"
#include "MainFrame.h"
#include "MessageBoxes.h"
#include "PortNames.h"
#include "ProcessStarter.h"
#include "QtSettingsStore.h"
#include "SystemWaiter.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <string_view>

// The platform's own services, for whatever the caller left empty.
struct CProgrammerApp::CPlatform {
    explicit CPlatform(radio::ProfilePortLookup portLookup) : ports(std::move(portLookup)) {}

    radio::CQtSettingsStore settings;
    radio::CQtMessageBoxes messages;
    radio::CQtFileDialogs fileDialogs;
    radio::SystemPortOpener ports;
    radio::SystemWaiter waiter;
    radio::CQtProcessStarter processes;
};

CProgrammerApp::CProgrammerApp(const radio::ModelVariant& variant, std::string programPath,
                               radio::CServices services)
    : m_variant(variant), m_programPath(std::move(programPath)), m_services(services),
      // com1..com4 are the devices the profile names, as it reads now.
      m_platform(std::make_unique<CPlatform>([this](int n) {
          return m_profile.GetValue(radio::kPortSection, radio::ProfilePortKey(n), "");
      })) {
    radio::CServices& s = m_services;
    if (s.settings == nullptr) {
        s.settings = &m_platform->settings;
    }
    if (s.messages == nullptr) {
        s.messages = &m_platform->messages;
    }
    if (s.fileDialogs == nullptr) {
        s.fileDialogs = &m_platform->fileDialogs;
    }
    if (s.ports == nullptr) {
        s.ports = &m_platform->ports;
    }
    if (s.waiter == nullptr) {
        s.waiter = &m_platform->waiter;
    }
    if (s.processes == nullptr) {
        s.processes = &m_platform->processes;
    }
}

CProgrammerApp::~CProgrammerApp() {
    // The windows go before the state they read.
    m_mainFrame.reset();
    m_context.reset();
    m_help.reset();
    // The profile store writes its file when it goes (only if changed).
}

bool CProgrammerApp::InitInstance(const QStringList& arguments, bool show) {
    m_profile.OpenInProgramDir(m_programPath, std::string(m_variant.profileFile));

    // Pictures, the language library and the restarted program are all
    // beside the program, wherever it was started from.
    const std::string directory = radio::CIniFile::ProgramDirectoryOf(m_programPath) + "/";
    radio::CLanguageState language =
        radio::CLanguageState::FromProfile(m_profile, m_variant, directory);
    if (!language.languageLibrary.empty() &&
        !m_library.Load(language.programDirectory + language.languageLibrary)) {
        static constexpr radio::TextPair kLoadFailed{"Load language DLL fail",
                                                     "加载语言链接库失败"};
        m_services.messages->Show({nullptr, std::string(kLoadFailed.In(language.textLanguage)),
                                   std::string(), radio::MessageIcon::None,
                                   radio::MessageButtons::Ok});
        return false;
    }
    if (m_library.IsLoaded() && m_library.Language().startsWith(QLatin1String("zh"))) {
        language.resourceLanguage = radio::Language::Chinese;
    }
    m_help = std::make_unique<CHelpService>(language.helpFile);
    m_help->SetSink(m_services.help);
    m_context = std::make_unique<radio::CAppContext>(m_variant, m_services, m_profile,
                                                     std::move(language), *m_help, m_programPath);
    radio::CAppContext& app = *m_context;

    m_mainFrame = std::make_unique<CMainFrame>(app);
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
        QApplication::setWindowIcon(QIcon(icon));
    }
    const std::string aboutTitle = app.ProfileText(app.language.languageSection, "About Title");
    if (QAction* about = m_mainFrame->Action(cmd::kAppAbout);
        about != nullptr && !aboutTitle.empty()) {
        about->setText(QString::fromStdString(aboutTitle));
    }
    return true;
}

int CProgrammerApp::Run(const radio::ModelVariant& variant, int argc, char** argv) {
    // Said without a window, so that it works where there is no display.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%.*s %s\n", static_cast<int>(variant.programName.size()),
                    variant.programName.data(), RADIO_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();
    }
    // The running file itself, however it was started (through the search
    // path, a link, another working directory).
    CProgrammerApp app(variant, QCoreApplication::applicationFilePath().toStdString());
    if (!app.InitInstance(arguments)) {
        return 1;
    }
    return QApplication::exec();
}
