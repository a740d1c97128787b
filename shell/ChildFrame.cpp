#include "ChildFrame.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "Document.h"
#include "LanguageDlg.h"
#include "MainFrame.h"
#include "ScanInfoDlg.h"
#include "TransferCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

CChildFrame::CChildFrame(radio::CAppContext& app, std::unique_ptr<CProgrammerDoc> document,
                         QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::move(document)),
      m_pView(CreateChannelView(app, m_document.get())), m_pLink(new CViewLink(app, *m_pView)),
      m_languageDlg(std::make_unique<CLanguageDlg>(app, this)),
      m_scanInfoDlg(app.variant.hasScanInformation ? std::make_unique<CScanInfoDlg>(app, this)
                                                   : nullptr) {
    setWidget(m_pView);
    m_document->SetView(m_pView);
    m_document->SetModifiedListener([this] { UpdateTitle(); });
    UpdateTitle();
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The window menu's Close answers Ctrl+W on some desktops; Ctrl+W is
    // Program, Write here, and an ambiguous key would do neither.
    if (QMenu* menu = systemMenu()) {
        const QKeySequence write(Qt::CTRL | Qt::Key_W);
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(write) > 0) {
                action->setShortcuts(keys);
            }
        }
    }
}

CChildFrame::~CChildFrame() {
    // The view goes before the document it shows.
    m_document->SetModifiedListener({});
    m_document->SetView(nullptr);
    delete m_pView;
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_document->GetTitle()) + QStringLiteral("[*]"));
    setWindowModified(m_document->IsModified());
}

void CChildFrame::ResizeParentToFit() {
    const QSize frame = size() - contentsRect().size();
    const QSize wanted = m_pView->sizeHint() + frame;
    resize(std::min(wanted.width(), 1600), std::min(wanted.height(), 1200));
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The program keeps its one document window; closing only hides it.
    event->ignore();
    if (m_pView->m_bTransferring) {
        if (auto* frame = qobject_cast<CMainFrame*>(window())) {
            frame->RefuseWhileTransferring();
        }
        return;
    }
    hide();
}
