#include "MainFrame.h"

#include "AboutDlg.h"
#include "AppContext.h"
#include "AtomicFile.h"
#include "ChannelCopy.h"
#include "ChannelView.h"
#include "ChildFrame.h"
#include "CopyFromDlg.h"
#include "Document.h"
#include "FileDialogs.h"
#include "IniFile.h"
#include "LanguageDlg.h"
#include "MdiClientWnd.h"
#include "MessageBoxes.h"
#include "NavigationBar.h"
#include "OptionsDlg.h"
#include "Pictures.h"
#include "ProcessStarter.h"
#include "ProductInfoDlg.h"
#include "ProductSelection.h"
#include "ReportPainter.h"
#include "ScanInfoDlg.h"
#include "Strings.h"
#include "TransferCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

QString Translated(const std::string& text) {
    return QCoreApplication::translate("CMainFrame", text.c_str());
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "%1" and "%2" ... of a code-supplied text, in the interface's language.
QString Fill(const radio::TextPair& text, radio::Language lang, const QStringList& values) {
    QString filled = FromUtf8(text.In(lang));
    for (const QString& value : values) {
        filled = filled.arg(value);
    }
    return filled;
}

constexpr radio::TextPair kAskToSave{"Save changes to %1?", "是否保存对 %1 的更改？"};
constexpr radio::TextPair kLongerFile{
    "%1 holds %2 bytes, more than the %3 bytes of a %4 image: it may be the file of another "
    "radio. Only its first %3 bytes are shown, and saving keeps only those.",
    "文件 %1 有 %2 字节，多于 %4 数据的 %3 字节，可能是其他电台的文件。只显示前 %3 "
    "字节，保存时也只保留这些字节。"};
constexpr radio::TextPair kReplaceLonger{
    "%1 holds %2 bytes. Saving writes only the %3 bytes of this image, and the rest of the file "
    "is lost. Replace it?",
    "文件 %1 有 %2 字节。保存只写入本数据的 %3 字节，文件其余部分将丢失。是否替换？"};
constexpr radio::TextPair kRestartFailed{"The program could not be started again.",
                                         "无法重新启动程序。"};

// The tree's three items, in their order.
constexpr radio::TextPair kTreeItems[] = {
    {"Product Information", "类型设置"},
    {"Channel Information", "信道信息"},
    {"Optional Features", "可选功能"},
};

} // namespace

CMainFrame::CMainFrame(radio::CAppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app),
      m_mdiArea(new CMdiClientWnd(app.variant.tileBackgroundFile,
                                  app.language.programDirectory + "background.bmp")),
      m_optionsDlg(std::make_unique<COptionsDlg>(app, this)),
      m_productInfoDlg(std::make_unique<CProductInfoDlg>(app, this)) {
    // The title is set only by the product selection.
    resize(1000, 600);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    AddCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateNavigationBar();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() { // NOLINT(modernize-use-equals-default): not empty on Windows
#ifdef _WIN32
    qApp->removeEventFilter(this);
#endif
}

void CMainFrame::AddCommands() {
    using radio::Command;
    const auto frame = [this](int id, const char* text, const char* key, const char* prompt,
                              std::function<void()> run) {
        m_commands.Add(Command{
            .id = id, .text = text, .shortcut = key, .prompt = prompt, .run = std::move(run)});
    };
    // The commands of the channel view, answered by its radio link.
    const auto link = [this](int id, const char* text, const char* key, const char* prompt,
                             void (CViewLink::*run)()) {
        m_commands.Add(Command{.id = id,
                               .text = text,
                               .shortcut = key,
                               .prompt = prompt,
                               .run =
                                   [this, run] {
                                       if (CViewLink* l = ActiveLink()) {
                                           (l->*run)();
                                       }
                                   },
                               .enabled = [this] { return ActiveLink() != nullptr; }});
    };
    const auto toggle = [this](int id, const char* text, const char* prompt,
                               const std::function<QWidget*()>& bar) {
        m_commands.Add(Command{.id = id,
                               .text = text,
                               .prompt = prompt,
                               .run = [bar] { bar()->setVisible(bar()->isHidden()); },
                               .checked = [bar] { return !bar()->isHidden(); }});
    };

    frame(cmd::kFileNew, QT_TRANSLATE_NOOP("CMainFrame", "&New"), "Ctrl+N",
          QT_TRANSLATE_NOOP("CMainFrame", "Create a new document\nNew"), [this] { OnFileNew(); });
    frame(cmd::kFileOpen, QT_TRANSLATE_NOOP("CMainFrame", "&Open..."), "Ctrl+O",
          QT_TRANSLATE_NOOP("CMainFrame", "Open an existing document\nOpen"),
          [this] { OnFileOpen(); });
    frame(cmd::kCopyChannelsFrom, QT_TRANSLATE_NOOP("CMainFrame", "Copy Channels &From..."), "",
          QT_TRANSLATE_NOOP("CMainFrame",
                            "Copy the channels of another radio's file into this one\nCopy "
                            "Channels From"),
          [this] { OnCopyChannelsFrom(); });
    frame(cmd::kFileClose, QT_TRANSLATE_NOOP("CMainFrame", "&Close"), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Close the active document\nClose"),
          [this] { OnFileClose(); });
    frame(cmd::kFileSave, QT_TRANSLATE_NOOP("CMainFrame", "&Save"), "Ctrl+S",
          QT_TRANSLATE_NOOP("CMainFrame", "Save the active document\nSave"),
          [this] { OnFileSave(); });
    frame(cmd::kFileSaveAs, QT_TRANSLATE_NOOP("CMainFrame", "Save &As..."), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Save the active document with a new name\nSave As"),
          [this] { OnFileSaveAs(); });
    frame(cmd::kFilePrint, QT_TRANSLATE_NOOP("CMainFrame", "&Print..."), "Ctrl+P",
          QT_TRANSLATE_NOOP("CMainFrame", "Print the active document\nPrint"),
          [this] { OnFilePrint(); });
    frame(cmd::kFilePrintPreview, QT_TRANSLATE_NOOP("CMainFrame", "Print Pre&view"), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Display full pages\nPrint Preview"),
          [this] { OnFilePrintPreview(); });
    frame(cmd::kFilePrintSetup, QT_TRANSLATE_NOOP("CMainFrame", "P&rint Setup..."), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Change the printer and printing options\nPrint Setup"),
          [this] { OnFilePrintSetup(); });
    frame(cmd::kFilePrintDirect, "", "", "", [this] { OnFilePrintDirect(); });
    frame(cmd::kFileExportPdf, QT_TRANSLATE_NOOP("CMainFrame", "Export P&DF..."), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Save the printed report as a PDF file\nExport PDF"),
          [this] { OnExportPdf(); });
    frame(cmd::kAppExit, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Quit the application; prompts to save documents\nExit"),
          [this] { close(); });
    frame(cmd::kProductInformation, QT_TRANSLATE_NOOP("CMainFrame", "&Product Information"), "",
          QT_TRANSLATE_NOOP("CMainFrame",
                            "Choose the radio type and its frequency band\nProduct Information"),
          [this] { OnProductInformation(); });
    frame(cmd::kChannelInformation, QT_TRANSLATE_NOOP("CMainFrame", "&Channel Information"), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Show the channel table\nChannel Information"),
          [this] { OnChannelInformation(); });
    frame(cmd::kOptionalFeatures, QT_TRANSLATE_NOOP("CMainFrame", "&Optional Features"), "",
          QT_TRANSLATE_NOOP("CMainFrame", "Edit the radio's general settings\nOptional Features"),
          [this] { OnOptionalFeatures(); });
    link(cmd::kRead, QT_TRANSLATE_NOOP("CMainFrame", "&Read"), "Ctrl+R",
         QT_TRANSLATE_NOOP("CMainFrame", "Read Data From Radio\nRead"), &CViewLink::OnRead);
    link(cmd::kWrite, QT_TRANSLATE_NOOP("CMainFrame", "&Write"), "Ctrl+W",
         QT_TRANSLATE_NOOP("CMainFrame", "Write Data To Radio\nWrite"), &CViewLink::OnWrite);
    link(cmd::kWriteSeveral, QT_TRANSLATE_NOOP("CMainFrame", "Write to &several radios..."), "",
         QT_TRANSLATE_NOOP("CMainFrame",
                           "Write the same data into one radio after another\nWrite to several "
                           "radios"),
         &CViewLink::OnWriteSeveral);
    if (m_app.variant.hasScanInformation) {
        frame(cmd::kScanInfo, QT_TRANSLATE_NOOP("CMainFrame", "Scan Info"), "",
              QT_TRANSLATE_NOOP("CMainFrame", "Edit the priority scan settings\nScan Info"),
              [this] { OnScanInfo(); });
    }
    toggle(cmd::kViewToolbar, QT_TRANSLATE_NOOP("CMainFrame", "&Toolbar"),
           QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the toolbar\nToggle ToolBar"),
           [this] { return m_toolBar; });
    toggle(cmd::kViewStatusBar, QT_TRANSLATE_NOOP("CMainFrame", "&Status Bar"),
           QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the status bar\nToggle StatusBar"),
           [this] { return statusBar(); });
    toggle(cmd::kControlBar, QT_TRANSLATE_NOOP("CMainFrame", "&Control Bar"),
           QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the navigation bar\nControl Bar"),
           [this] { return m_navigationBar; });
    link(cmd::kComSetup, QT_TRANSLATE_NOOP("CMainFrame", "&Com Setup"), "",
         QT_TRANSLATE_NOOP("CMainFrame", "Choose the serial port of the radio\nCom Setup"),
         &CViewLink::OnComSetup);
    m_commands.Add(Command{
        .id = cmd::kLanguage,
        .text = QT_TRANSLATE_NOOP("CMainFrame", "&Language"),
        .prompt = QT_TRANSLATE_NOOP("CMainFrame", "Choose the interface language\nLanguage"),
        .run = [this] { OnLanguage(); },
        .enabled = [this] { return m_pChild != nullptr; }});
    frame(cmd::kAppAbout, QT_TRANSLATE_NOOP("CMainFrame", "&About..."), "",
          QT_TRANSLATE_NOOP("CMainFrame",
                            "Display program information, version number and copyright\nAbout"),
          [this] { OnAppAbout(); });
    frame(cmd::kNextPane, "", "F6", "", [this] { OnNextPane(true); });
    frame(cmd::kPrevPane, "", "Shift+F6", "", [this] { OnNextPane(false); });
    // F1 outside the view and the dialogs; help works during a transfer.
    m_commands.Add(Command{.id = cmd::kHelp, .allowedWhileTransferring = true, .run = [this] {
                               m_app.ShowHelp(cmd::kHelp);
                           }});
}

QAction* CMainFrame::MakeAction(int commandId) {
    const radio::Command* command = m_commands.Find(commandId);
    auto* action = new QAction(Translated(command->text), this);
    action->setData(commandId);
    if (!command->shortcut.empty()) {
        action->setShortcut(QKeySequence(QString::fromStdString(command->shortcut)));
    }
    const QStringList prompt = Translated(command->prompt).split(QLatin1Char('\n'));
    if (!command->prompt.empty()) {
        action->setStatusTip(prompt.front());
        action->setToolTip(prompt.back());
    }
    action->setCheckable(static_cast<bool>(command->checked));
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    m_actions[commandId] = action;
    return action;
}

QAction* CMainFrame::AddAction(QMenu* menu, int commandId) {
    QAction* action = MakeAction(commandId);
    menu->addAction(action);
    return action;
}

void CMainFrame::CreateMenus() {
    // The document menu: the program always shows a document.
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const int id :
         {cmd::kFileNew, cmd::kFileOpen, cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs}) {
        AddAction(file, id);
    }
    file->addSeparator();
    for (const int id :
         {cmd::kFilePrint, cmd::kFilePrintPreview, cmd::kFilePrintSetup, cmd::kFileExportPdf}) {
        AddAction(file, id);
    }
    file->addSeparator();
    AddAction(file, cmd::kAppExit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    for (const int id :
         {cmd::kProductInformation, cmd::kChannelInformation, cmd::kOptionalFeatures}) {
        AddAction(edit, id);
    }

    QMenu* program = menuBar()->addMenu(tr("&Program"));
    AddAction(program, cmd::kRead);
    AddAction(program, cmd::kWrite);
    AddAction(program, cmd::kWriteSeveral);
    if (m_app.variant.hasScanInformation) {
        AddAction(program, cmd::kScanInfo);
    }
    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (const int id : {cmd::kViewToolbar, cmd::kViewStatusBar, cmd::kControlBar}) {
        AddAction(view, id);
    }
    QMenu* setup = menuBar()->addMenu(tr("&Setup"));
    AddAction(setup, cmd::kComSetup);
    AddAction(setup, cmd::kLanguage);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddAction(help, cmd::kAppAbout);

    // Keys without a menu item.
    for (const int id : {cmd::kNextPane, cmd::kPrevPane}) {
        addAction(MakeAction(id));
    }

    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar128"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(18, 19));
    const int layout[] = {cmd::kFileNew,
                          cmd::kFileOpen,
                          cmd::kFileSave,
                          0,
                          cmd::kRead,
                          cmd::kWrite,
                          0,
                          cmd::kFilePrint,
                          0,
                          cmd::kAppAbout};
    for (const int id : layout) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(id);
        action->setIcon(QIcon(QPixmap::fromImage(radio::ToolbarImage(id))));
        m_toolBar->addAction(action);
    }
    // The menu keeps its check mark in step with the bar, however it went.
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateStatusBar() {
    statusBar()->showMessage(QString());
#ifdef _WIN32
    // Only where the system tells the lock keys' state: no pane rather
    // than a wrong one.
    for (const auto& [key, text] : {std::pair{VK_CAPITAL, "CAP"}, std::pair{VK_NUMLOCK, "NUM"},
                                    std::pair{VK_SCROLL, "SCRL"}}) {
        auto* label = new QLabel(QString::fromLatin1(text), statusBar());
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_lockIndicators[key] = label;
    }
    qApp->installEventFilter(this);
    UpdateLockIndicators();
#endif
}

void CMainFrame::UpdateLockIndicators() {
#ifdef _WIN32
    for (const auto& [key, label] : m_lockIndicators) {
        label->setEnabled((GetKeyState(key) & 1) != 0);
    }
#endif
}

void CMainFrame::CreateNavigationBar() {
    const radio::Language lang = m_app.language.textLanguage;
    const std::string& section = m_app.language.languageSection;
    NavigationTexts texts;
    texts.caption = QString::fromStdString(m_app.ProfileText(section, "company"));
    texts.root = QString::fromStdString(m_app.ProfileText(section, "Company"));
    for (const radio::TextPair& item : kTreeItems) {
        texts.children << FromUtf8(item.In(lang));
    }
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navigationBar = new CNavigationBar(
        texts, [central] { return central->width(); }, [central] { return central->height(); },
        central);
    layout->addWidget(m_navigationBar);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);
    connect(m_navigationBar, &CNavigationBar::ItemChosen, this, &CMainFrame::OnTreeItem);
    connect(m_navigationBar, &CNavigationBar::CloseClicked, this, [this] {
        m_navigationBar->hide();
        UpdateCommandStates();
    });
}

void CMainFrame::OnTreeItem(int child) {
    static constexpr int kCommands[] = {cmd::kProductInformation, cmd::kChannelInformation,
                                        cmd::kOptionalFeatures};
    if (child >= 0 && child < 3) {
        OnCommand(kCommands[child]);
    }
}

bool CMainFrame::OnCommand(int commandId) {
    const radio::CommandOutcome outcome = m_commands.Run(commandId, IsTransferring());
    UpdateCommandStates();
    switch (outcome) {
    case radio::CommandOutcome::Ran:
        return true;
    case radio::CommandOutcome::Refused:
        RefuseWhileTransferring();
        return true;
    case radio::CommandOutcome::Disabled:
    case radio::CommandOutcome::Unknown:
        break;
    }
    return false;
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(m_commands.IsEnabled(id));
        if (action->isCheckable()) {
            action->setChecked(m_commands.IsChecked(id));
        }
    }
}

QAction* CMainFrame::Action(int commandId) const {
    const auto it = m_actions.find(commandId);
    return it != m_actions.end() ? it->second : nullptr;
}

QMenu* CMainFrame::Menu(const QString& title) const {
    for (QAction* action : menuBar()->actions()) {
        if (action->menu() != nullptr && action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QMdiArea* CMainFrame::MdiArea() const {
    return m_mdiArea;
}

CProgrammerDoc* CMainFrame::ActiveDocument() const {
    return m_pChild != nullptr ? m_pChild->GetDocument() : nullptr;
}

CChannelView* CMainFrame::ActiveView() const {
    return m_pChild != nullptr ? m_pChild->GetView() : nullptr;
}

CViewLink* CMainFrame::ActiveLink() const {
    return m_pChild != nullptr ? m_pChild->GetLink() : nullptr;
}

bool CMainFrame::OnFileNew() {
    if (m_pChild != nullptr) {
        if (m_app.ShowMessage(this, m_app.LoadString(radio::ids::kDataWillBeCleared),
                              m_app.language.displayName, radio::MessageIcon::Exclamation,
                              radio::MessageButtons::OkCancel) != radio::MessageResult::Ok) {
            return false;
        }
    }
    NewDocument();
    return true;
}

void CMainFrame::NewDocument() {
    std::unique_ptr<CProgrammerDoc> document = CreateDocument(m_app);
    document->OnNewDocument();
    ShowDocument(std::move(document));
}

bool CMainFrame::AskOkCancel(const std::string& text) {
    return m_app.ShowMessage(this, text, m_app.language.displayName,
                             radio::MessageIcon::Exclamation,
                             radio::MessageButtons::OkCancel) == radio::MessageResult::Ok;
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    std::unique_ptr<CProgrammerDoc> document = CreateDocument(m_app);
    std::string error;
    if (!document->OnOpenDocument(path, error)) {
        ShowFileError(false, error);
        return false;
    }
    const std::size_t imageSize = document->GetImage().size();
    if (document->FileLength() > imageSize &&
        !AskOkCancel(Fill(kLongerFile, m_app.language.textLanguage,
                          {QString::fromStdString(path), QString::number(document->FileLength()),
                           QString::number(imageSize), FromUtf8(m_app.variant.programName)})
                         .toStdString())) {
        return false;
    }
    if (!SaveModified()) {
        return false;
    }
    // Opening a file makes its product the remembered one.
    m_app.freshDocument = false;
    ShowDocument(std::move(document));
    // What the product cannot hold is pointed out, never changed.
    if (CChannelView* view = ActiveView()) {
        view->ReviewImage();
    }
    return true;
}

void CMainFrame::ShowDocument(std::unique_ptr<CProgrammerDoc> document) {
    // The program keeps one document window: the new one replaces the old.
    if (m_pChild != nullptr) {
        CChildFrame* old = m_pChild;
        m_pChild = nullptr;
        m_mdiArea->removeSubWindow(old);
        delete old;
    }
    auto* child = new CChildFrame(m_app, std::move(document));
    m_mdiArea->addSubWindow(child);
    m_pChild = child;
    child->move(0, 0);
    child->ResizeParentToFit();
    child->show();
    child->GetView()->OnInitialUpdate();
    UpdateCommandStates();
}

bool CMainFrame::OnFileSave() {
    CProgrammerDoc* document = ActiveDocument();
    if (document == nullptr) {
        return false;
    }
    if (!document->HasFile()) {
        return OnFileSaveAs();
    }
    return SaveDocument(document->GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
    CProgrammerDoc* document = ActiveDocument();
    if (document == nullptr) {
        return false;
    }
    const std::optional<std::string> path = m_app.FileDialogs().AskDatFileName(
        this, radio::FileDialogKind::Save, document->GetPathName());
    return path && SaveDocument(*path);
}

bool CMainFrame::SaveDocument(const std::string& path) {
    CProgrammerDoc* document = ActiveDocument();
    if (document == nullptr) {
        return false;
    }
    // The file it came from is longer than the image: saving would cut it.
    const std::size_t imageSize = document->GetImage().size();
    if (document->HasFile() && path == document->GetPathName() &&
        document->FileLength() > imageSize &&
        !AskOkCancel(Fill(kReplaceLonger, m_app.language.textLanguage,
                          {QString::fromStdString(path), QString::number(document->FileLength()),
                           QString::number(imageSize)})
                         .toStdString())) {
        return false;
    }
    std::string error;
    if (!document->OnSaveDocument(path, error)) {
        ShowFileError(true, error);
        return false;
    }
    m_pChild->UpdateTitle();
    return true;
}

bool CMainFrame::SaveModified() {
    CProgrammerDoc* document = ActiveDocument();
    if (document == nullptr) {
        return true;
    }
    // What is still being typed counts as a change too.
    if (CChannelView* view = ActiveView()) {
        view->CommitCellEditor();
    }
    if (!document->IsModified()) {
        return true;
    }
    const QString text = Fill(kAskToSave, m_app.language.textLanguage,
                              {QString::fromStdString(document->GetTitle())});
    switch (m_app.ShowMessage(this, text.toStdString(), m_app.language.displayName,
                              radio::MessageIcon::Exclamation,
                              radio::MessageButtons::SaveDiscardCancel)) {
    case radio::MessageResult::Save:
        return OnFileSave();
    case radio::MessageResult::Discard:
        return true;
    default:
        break;
    }
    return false;
}

void CMainFrame::ShowFileError(bool saving, const std::string& error) {
    // A first line in the interface's language; the system's details follow.
    static constexpr radio::TextPair kNotOpened{"The file could not be opened.",
                                                "无法打开该文件。"};
    static constexpr radio::TextPair kNotSaved{"The file could not be saved.", "无法保存该文件。"};
    const std::string headline((saving ? kNotSaved : kNotOpened).In(m_app.language.textLanguage));
    m_app.ShowMessage(this, headline + "\n" + error, m_app.language.displayName,
                      radio::MessageIcon::Exclamation, radio::MessageButtons::Ok);
}

void CMainFrame::OnFileClose() {
    if (m_pChild != nullptr) {
        m_pChild->hide();
    }
}

void CMainFrame::OnChannelInformation() {
    if (m_pChild != nullptr) {
        m_pChild->showNormal();
        m_mdiArea->setActiveSubWindow(m_pChild);
    }
}

void CMainFrame::OnProductInformation() {
    EditImage([this](radio::Image& image) { m_productInfoDlg->DoModal(image, ActiveView()); });
}

void CMainFrame::EditImage(const std::function<void(radio::Image&)>& edit) {
    CProgrammerDoc* document = ActiveDocument();
    if (document == nullptr) {
        return;
    }
    const radio::Image before = document->GetImage();
    edit(document->GetImage());
    if (document->GetImage() != before) {
        document->SetModifiedFlag(true);
    }
}

void CMainFrame::OnOptionalFeatures() {
    EditImage([this](radio::Image& image) { m_optionsDlg->DoModal(image); });
}

void CMainFrame::OnScanInfo() {
    CChannelView* view = ActiveView();
    if (view == nullptr || m_pChild->ScanInfoDialog() == nullptr) {
        return;
    }
    // The dialog checks the channels as the grid shows them.
    view->GridToImage();
    EditImage([this](radio::Image& image) { m_pChild->ScanInfoDialog()->DoModal(image); });
}

std::unique_ptr<radio::CChannelReport> CMainFrame::Report() const {
    CChannelView* view = ActiveView();
    CProgrammerDoc* document = ActiveDocument();
    if (view == nullptr || document == nullptr) {
        return nullptr;
    }
    // The channels as the grid shows them now, the options from the image.
    return std::make_unique<radio::CChannelReport>(
        m_app.variant, view->Grid(), document->GetImage(), m_app.language.textLanguage,
        m_app.ProfileText(m_app.language.languageSection, "Copyrights Owner"));
}

QPrinter& CMainFrame::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_printer;
}

void CMainFrame::PrintReport(QPrinter& printer) {
    const std::unique_ptr<radio::CChannelReport> report = Report();
    if (report && !radio::PaintReport(printer, *report, printer.fromPage(), printer.toPage())) {
        static constexpr radio::TextPair kNotPrinted{"The report could not be printed.",
                                                     "无法打印报表。"};
        m_app.ShowMessage(this, std::string(kNotPrinted.In(m_app.language.textLanguage)),
                          m_app.language.displayName, radio::MessageIcon::Exclamation);
    }
}

void CMainFrame::OnFilePrint() {
    std::unique_ptr<radio::CChannelReport> report = Report();
    if (!report) {
        return;
    }
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, report->PageCount());
    if (dialog.exec() == QDialog::Accepted) {
        PrintReport(printer);
    }
}

void CMainFrame::OnFilePrintDirect() {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        static constexpr radio::TextPair kNoPrinter{
            "No printer is set up on this computer. Export PDF saves the report as a file.",
            "本机没有设置打印机。可用“导出PDF”把报表保存为文件。"};
        m_app.ShowMessage(this, std::string(kNoPrinter.In(m_app.language.textLanguage)),
                          m_app.language.displayName, radio::MessageIcon::Exclamation);
        return;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    PrintReport(printer);
}

void CMainFrame::OnFilePrintPreview() {
    if (!Report()) {
        return;
    }
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintReport(*printer); });
    preview.resize(900, 700);
    preview.exec();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void CMainFrame::OnExportPdf() {
    CProgrammerDoc* document = ActiveDocument();
    std::unique_ptr<radio::CChannelReport> report = Report();
    if (!report) {
        return;
    }
    const std::string proposed =
        std::filesystem::path(document->GetTitle()).replace_extension(".pdf").string();
    const std::optional<std::string> path = m_app.FileDialogs().AskPdfFileName(this, proposed);
    if (!path) {
        return;
    }
    const QByteArray pdf = radio::ReportPdf(*report, Printer().pageLayout().pageSize(),
                                            QString::fromStdString(document->GetTitle()));
    std::string error = pdf.isEmpty() ? "the report could not be drawn" : "";
    if (error.empty() &&
        radio::WriteFileAtomically(
            *path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
            error)) {
        statusBar()->showMessage(QString::fromStdString(*path), 10000);
        return;
    }
    ShowFileError(true, error);
}

void CMainFrame::OnCopyChannelsFrom() {
    CChannelView* view = ActiveView();
    CProgrammerDoc* document = ActiveDocument();
    if (view == nullptr || document == nullptr) {
        return;
    }
    const std::optional<std::string> path =
        m_app.FileDialogs().AskDatFileName(this, radio::FileDialogKind::Open, {});
    if (!path) {
        return;
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(*path, ec);
    CCopyFromDlg ask(CCopyFromDlg::Guess(ec ? 0 : size, m_app.variant.model), this);
    if (ask.exec() != QDialog::Accepted) {
        return;
    }
    const radio::ModelVariant& from = radio::VariantFor(ask.Model());
    radio::Image source;
    std::string error;
    if (!radio::LoadDat(from, *path, source, error)) {
        ShowFileError(false, error);
        return;
    }
    radio::Image& image = document->GetImage();
    // The rest of the document as the grid shows it; the channels are replaced.
    view->GridToImage();
    const radio::CProductCatalogue catalogue(m_app.profile, m_app.language.languageSection);
    const std::vector<std::string> bands =
        catalogue.Bands(image[static_cast<std::size_t>(m_app.variant.typeOffset)]);
    const std::size_t band = image[static_cast<std::size_t>(m_app.variant.bandOffset)];
    const radio::CopyReport report =
        radio::CopyChannels(from, source, m_app.variant, image, view->GetBandLimits(),
                            band < bands.size() ? bands[band] : std::string());
    view->ImageToGrid();
    document->SetModifiedFlag(true);
    std::string notice;
    for (const std::string& line : report.lines) {
        notice += line + "\n";
    }
    notice += report.Summary();
    m_app.ShowMessage(this, notice, m_app.language.displayName,
                      report.Complete() ? radio::MessageIcon::Information
                                        : radio::MessageIcon::Exclamation);
}

void CMainFrame::OnFileOpen() {
    if (const std::optional<std::string> path =
            m_app.FileDialogs().AskDatFileName(this, radio::FileDialogKind::Open, {})) {
        OpenDocumentFile(*path);
    }
}

void CMainFrame::OnAppAbout() {
    CAboutDlg about(m_app, this);
    about.exec();
}

void CMainFrame::OnLanguage() {
    CLanguageDlg* dialog = m_pChild != nullptr ? m_pChild->LanguageDialog() : nullptr;
    if (dialog == nullptr) {
        return;
    }
    const int result = dialog->DoModal();
    if (!dialog->m_bChanged || result != QDialog::Accepted) {
        return;
    }
    // The normal close, with its question about unsaved changes: Cancel
    // there keeps this instance and starts none.
    if (!close()) {
        return;
    }
    // The new instance must read the new language.
    m_app.profile.Save();
    std::string error;
    if (!m_app.Processes().StartDetached(m_app.programFile, {}, error)) {
        m_app.ShowMessage(
            nullptr, std::string(kRestartFailed.In(m_app.language.textLanguage)) + "\n" + error,
            m_app.language.displayName, radio::MessageIcon::Exclamation);
    }
}

void CMainFrame::OnNextPane(bool forward) {
    // The panes: the navigation tree (while shown) and the channel table.
    std::vector<QWidget*> panes;
    if (!m_navigationBar->isHidden()) {
        panes.push_back(m_navigationBar->Tree());
    }
    if (CChannelView* view = ActiveView(); view != nullptr && !m_pChild->isHidden()) {
        panes.push_back(&view->Grid());
    }
    if (panes.empty()) {
        return;
    }
    std::size_t current = panes.size() - 1;
    for (std::size_t i = 0; i < panes.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && (focus == panes[i] || panes[i]->isAncestorOf(focus) ||
                                 (i + 1 == panes.size() && ActiveView()->isAncestorOf(focus)))) {
            current = i;
            break;
        }
    }
    const std::size_t next =
        forward ? (current + 1) % panes.size() : (current + panes.size() - 1) % panes.size();
    panes[next]->setFocus(Qt::OtherFocusReason);
}

bool CMainFrame::IsTransferring() const {
    const CChannelView* view = ActiveView();
    return view != nullptr && view->m_bTransferring;
}

bool CMainFrame::RefuseWhileTransferring() {
    if (!IsTransferring()) {
        return false;
    }
    static constexpr radio::TextPair kTransferRunning{
        "A transfer with the radio is running. Cancel it first.",
        "正在与电台传送数据，请先取消传送。"};
    statusBar()->showMessage(FromUtf8(kTransferRunning.In(m_app.language.textLanguage)), 10000);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (RefuseWhileTransferring() || !SaveModified()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
#ifdef _WIN32
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ApplicationActivate) {
        UpdateLockIndicators();
    }
#endif
    // F1 over a menu item opens the topic of its command.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu != nullptr && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (QAction* action = menu->activeAction(); action != nullptr && action->data().isValid()) {
            m_app.ShowHelp(action->data().toUInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OnCommand(cmd::kHelp);
        return;
    }
    QMainWindow::keyPressEvent(event);
}
