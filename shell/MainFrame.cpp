#include "MainFrame.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "ChildFrame.h"
#include "Document.h"
#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "ProductInfoDlg.h"
#include "Strings.h"
#include "TransferCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

CMainFrame::CMainFrame(radio::CAppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_mdiArea(new QMdiArea(this)),
      m_productInfoDlg(std::make_unique<CProductInfoDlg>(app, this)) {
    // The title is set only by the product selection.
    resize(1000, 600);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    AddCommands();
    CreateMenus();
    // The navigation bar, toolbar and status bar join here.
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::AddCommands() {
    using radio::Command;
    const auto frame = [this](int id, const char* text, const char* key, std::function<void()> run,
                              bool allowed = false) {
        m_commands.Add(Command{id, text, key, allowed, std::move(run), {}});
    };
    // The commands of the channel view, answered by its radio link.
    const auto link = [this](int id, const char* text, const char* key, void (CViewLink::*run)()) {
        m_commands.Add(Command{id, text, key, false,
                               [this, run] {
                                   if (CViewLink* l = ActiveLink()) {
                                       (l->*run)();
                                   }
                               },
                               [this] { return ActiveLink() != nullptr; }});
    };
    // Commands in the menus whose handlers come with later parts.
    const auto pending = [this](int id, const char* text, const char* key) {
        m_commands.Add(Command{id, text, key, false, {}, {}});
    };

    frame(cmd::kFileNew, "&New", "Ctrl+N", [this] { OnFileNew(); });
    frame(cmd::kFileOpen, "&Open...", "Ctrl+O", [this] { OnFileOpen(); });
    frame(cmd::kFileClose, "&Close", "", [this] { OnFileClose(); });
    frame(cmd::kFileSave, "&Save", "Ctrl+S", [this] { OnFileSave(); });
    frame(cmd::kFileSaveAs, "Save &As...", "", [this] { OnFileSaveAs(); });
    pending(cmd::kFilePrint, "&Print...", "Ctrl+P");
    pending(cmd::kFilePrintPreview, "Print Pre&view", "");
    pending(cmd::kFilePrintSetup, "P&rint Setup...", "");
    frame(cmd::kAppExit, "E&xit", "", [this] { close(); });
    frame(cmd::kProductInformation, "&Product Information", "", [this] { OnProductInformation(); });
    frame(cmd::kChannelInformation, "&Channel Information", "", [this] { OnChannelInformation(); });
    pending(cmd::kOptionalFeatures, "&Optional Features", "");
    link(cmd::kRead, "&Read", "Ctrl+R", &CViewLink::OnRead);
    link(cmd::kWrite, "&Write", "Ctrl+W", &CViewLink::OnWrite);
    pending(cmd::kScanInfo, "Scan Info", "");
    link(cmd::kComSetup, "&Com Setup", "", &CViewLink::OnComSetup);
    pending(cmd::kLanguage, "&Language", "");
    frame(cmd::kAppAbout, "&About...", "", [this] { OnAppAbout(); });
    // F1 outside the view and the dialogs; help works during a transfer.
    frame(
        cmd::kHelp, "", "", [this] { m_app.ShowHelp(cmd::kHelp); }, true);
}

QAction* CMainFrame::AddAction(QMenu* menu, int commandId) {
    const radio::Command* command = m_commands.Find(commandId);
    QAction* action = menu->addAction(tr(command->text.c_str()));
    action->setData(commandId);
    if (!command->shortcut.empty()) {
        action->setShortcut(QKeySequence(QString::fromStdString(command->shortcut)));
    }
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const int id :
         {cmd::kFileNew, cmd::kFileOpen, cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs}) {
        AddAction(file, id);
    }
    file->addSeparator();
    for (const int id : {cmd::kFilePrint, cmd::kFilePrintPreview, cmd::kFilePrintSetup}) {
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
    if (m_app.variant.hasScanInformation) {
        AddAction(program, cmd::kScanInfo);
    }
    QMenu* setup = menuBar()->addMenu(tr("&Setup"));
    AddAction(setup, cmd::kComSetup);
    AddAction(setup, cmd::kLanguage);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddAction(help, cmd::kAppAbout);

    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
    UpdateCommandStates();
}

bool CMainFrame::OnCommand(int commandId) {
    switch (m_commands.Run(commandId, IsTransferring())) {
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

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    std::unique_ptr<CProgrammerDoc> document = CreateDocument(m_app);
    std::string error;
    if (!document->OnOpenDocument(path, error)) {
        ShowFileError(false, error);
        return false;
    }
    // Opening a file makes its product the remembered one.
    m_app.freshDocument = false;
    ShowDocument(std::move(document));
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
    std::string error;
    if (!document->OnSaveDocument(path, error)) {
        ShowFileError(true, error);
        return false;
    }
    m_pChild->setWindowTitle(QString::fromStdString(document->GetTitle()));
    return true;
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
    CProgrammerDoc* document = ActiveDocument();
    if (document != nullptr) {
        m_productInfoDlg->DoModal(document->GetImage(), ActiveView());
    }
}

void CMainFrame::OnFileOpen() {
    if (const std::optional<std::string> path =
            m_app.FileDialogs().AskDatFileName(this, radio::FileDialogKind::Open, {})) {
        OpenDocumentFile(*path);
    }
}

void CMainFrame::OnAppAbout() {
    // A plain box until the About box with its icon joins.
    const std::string& section = m_app.language.languageSection;
    const std::string text = m_app.ProfileText(section, "Version") + "\n" +
                             m_app.ProfileText(section, "Copyrights") + "\n" +
                             m_app.ProfileText(section, "Copyrights Owner");
    m_app.ShowMessage(this, text, m_app.ProfileText(section, "About Title"),
                      radio::MessageIcon::Information, radio::MessageButtons::Ok);
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
    const std::string_view text = kTransferRunning.In(m_app.language.textLanguage);
    statusBar()->showMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                             10000);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (RefuseWhileTransferring()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
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
