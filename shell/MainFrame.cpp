#include "MainFrame.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "ChildFrame.h"
#include "Document.h"
#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "ProductInfoDlg.h"
#include "Strings.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

namespace {

constexpr char kCommandId[] = "commandId";

} // namespace

CMainFrame::CMainFrame(const radio::ModelVariant& variant, QWidget* parent)
    : QMainWindow(parent), m_variant(variant), m_mdiArea(new QMdiArea(this)),
      m_productInfoDlg(std::make_unique<CProductInfoDlg>(variant, this)) {
    // The title is set only by the product selection.
    resize(1000, 600);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    CreateMenus();
    // The navigation bar, toolbar and status bar join here.
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddAction(QMenu* menu, const QString& text, int commandId,
                               const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setData(commandId);
    action->setProperty(kCommandId, commandId);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    AddAction(file, tr("&New"), cmd::kFileNew, QKeySequence(Qt::CTRL | Qt::Key_N));
    AddAction(file, tr("&Open..."), cmd::kFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
    AddAction(file, tr("&Close"), cmd::kFileClose);
    AddAction(file, tr("&Save"), cmd::kFileSave, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddAction(file, tr("Save &As..."), cmd::kFileSaveAs);
    file->addSeparator();
    // Printing joins with the print-out; the items are in place already.
    AddAction(file, tr("&Print..."), cmd::kFilePrint, QKeySequence(Qt::CTRL | Qt::Key_P));
    AddAction(file, tr("Print Pre&view"), cmd::kFilePrintPreview);
    AddAction(file, tr("P&rint Setup..."), cmd::kFilePrintSetup);
    file->addSeparator();
    AddAction(file, tr("E&xit"), cmd::kAppExit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    AddAction(edit, tr("&Product Information"), cmd::kProductInformation);
    AddAction(edit, tr("&Channel Information"), cmd::kChannelInformation);
    AddAction(edit, tr("&Optional Features"), cmd::kOptionalFeatures);

    // Commands of the channel view: the radio link and the set-up dialogs
    // register their handlers with the view.
    QMenu* program = menuBar()->addMenu(tr("&Program"));
    AddAction(program, tr("&Read"), cmd::kRead, QKeySequence(Qt::CTRL | Qt::Key_R));
    AddAction(program, tr("&Write"), cmd::kWrite, QKeySequence(Qt::CTRL | Qt::Key_W));
    if (m_variant.hasScanInformation) {
        AddAction(program, tr("Scan Info"), cmd::kScanInfo);
    }
    QMenu* setup = menuBar()->addMenu(tr("&Setup"));
    AddAction(setup, tr("&Com Setup"), cmd::kComSetup);
    AddAction(setup, tr("&Language"), cmd::kLanguage);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddAction(help, tr("&About..."), cmd::kAppAbout);

    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
    UpdateCommandStates();
}

bool CMainFrame::HasBuiltInCommand(int commandId) {
    switch (commandId) {
    case cmd::kFileNew:
    case cmd::kFileOpen:
    case cmd::kFileClose:
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kAppExit:
    case cmd::kAppAbout:
    case cmd::kProductInformation:
    case cmd::kChannelInformation:
        return true;
    default:
        break;
    }
    return false;
}

bool CMainFrame::OnCommand(int commandId) {
    switch (commandId) {
    case cmd::kFileNew:
    case cmd::kFileOpen:
    case cmd::kFileClose:
    case cmd::kAppExit:
    case cmd::kLanguage:
        // These drop the document window or the program.
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kFilePrintSetup:
    case cmd::kFilePrint:
    case cmd::kFilePrintPreview:
    case cmd::kComSetup:
    case cmd::kScanInfo:
    case cmd::kProductInformation:
    case cmd::kOptionalFeatures:
        // And these would open a modal window, whose loop would hold up the
        // transfer until the radio gives up.
        if (RefuseWhileTransferring()) {
            return true;
        }
        break;
    default:
        break;
    }
    if (CChannelView* view = ActiveView(); view != nullptr && view->OnCommand(commandId)) {
        return true;
    }
    if (const auto it = m_commands.find(commandId); it != m_commands.end()) {
        const CommandHandler handler = it->second;
        handler();
        return true;
    }
    switch (commandId) {
    case cmd::kFileNew:
        OnFileNew();
        return true;
    case cmd::kFileOpen:
        if (const std::optional<std::string> path =
                radio::AskDatFileName(this, radio::FileDialogKind::Open)) {
            OpenDocumentFile(*path);
        }
        return true;
    case cmd::kFileClose:
        OnFileClose();
        return true;
    case cmd::kFileSave:
        OnFileSave();
        return true;
    case cmd::kFileSaveAs:
        OnFileSaveAs();
        return true;
    case cmd::kAppExit:
        close();
        return true;
    case cmd::kAppAbout:
        OnAppAbout();
        return true;
    case cmd::kProductInformation:
        OnProductInformation();
        return true;
    case cmd::kChannelInformation:
        OnChannelInformation();
        return true;
    default:
        break;
    }
    return false;
}

void CMainFrame::SetCommandHandler(int commandId, CommandHandler handler) {
    if (handler) {
        m_commands[commandId] = std::move(handler);
    } else {
        m_commands.erase(commandId);
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    const CChannelView* view = ActiveView();
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(HasBuiltInCommand(id) || m_commands.count(id) != 0 ||
                           (view != nullptr && view->HandlesCommand(id)));
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

bool CMainFrame::OnFileNew() {
    if (m_pChild != nullptr) {
        const radio::CAppContext& app = radio::AppContext();
        if (radio::ShowMessageBox(this, app.LoadString(radio::ids::kDataWillBeCleared),
                                  app.language.displayName, radio::MessageIcon::Exclamation,
                                  radio::MessageButtons::OkCancel) != radio::MessageResult::Ok) {
            return false;
        }
    }
    NewDocument();
    return true;
}

void CMainFrame::NewDocument() {
    std::unique_ptr<CProgrammerDoc> document = CreateDocument(m_variant);
    document->OnNewDocument();
    ShowDocument(std::move(document));
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    std::unique_ptr<CProgrammerDoc> document = CreateDocument(m_variant);
    std::string error;
    if (!document->OnOpenDocument(path, error)) {
        ShowFileError(false, error);
        return false;
    }
    // Opening a file makes its product the remembered one.
    radio::AppContext().freshDocument = false;
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
    auto* child = new CChildFrame(std::move(document));
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
    const std::optional<std::string> path =
        radio::AskDatFileName(this, radio::FileDialogKind::Save, document->GetPathName());
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
    const radio::CAppContext& app = radio::AppContext();
    const std::string headline((saving ? kNotSaved : kNotOpened).In(app.language.textLanguage));
    radio::ShowMessageBox(this, headline + "\n" + error, app.language.displayName,
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

void CMainFrame::OnAppAbout() {
    // A plain box until the About box with its icon joins.
    const radio::CAppContext& app = radio::AppContext();
    const std::string& section = app.language.languageSection;
    const std::string text = app.ProfileText(section, "Version") + "\n" +
                             app.ProfileText(section, "Copyrights") + "\n" +
                             app.ProfileText(section, "Copyrights Owner");
    radio::ShowMessageBox(this, text, app.ProfileText(section, "About Title"),
                          radio::MessageIcon::Information, radio::MessageButtons::Ok);
}

bool CMainFrame::RefuseWhileTransferring() {
    const CChannelView* view = ActiveView();
    if (view == nullptr || !view->m_bTransferring) {
        return false;
    }
    static constexpr radio::TextPair kTransferRunning{
        "A transfer with the radio is running. Cancel it first.",
        "正在与电台传送数据，请先取消传送。"};
    const std::string_view text = kTransferRunning.In(radio::AppContext().language.textLanguage);
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
            radio::AppContext().ShowHelp(action->data().toUInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        radio::AppContext().ShowHelp(cmd::kHelp);
        return;
    }
    QMainWindow::keyPressEvent(event);
}
