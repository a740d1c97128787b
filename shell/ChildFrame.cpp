#include "ChildFrame.h"

#include "ChannelView.h"
#include "Document.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(std::unique_ptr<CProgrammerDoc> document, QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::move(document)),
      m_pView(CreateChannelView(m_document->Variant(), m_document.get())) {
    setWidget(m_pView);
    m_document->SetView(m_pView);
    setWindowTitle(QString::fromStdString(m_document->GetTitle()));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CChildFrame::~CChildFrame() {
    // The view goes before the document it shows.
    m_document->SetView(nullptr);
    delete m_pView;
}

void CChildFrame::ResizeParentToFit() {
    const QSize frame = size() - contentsRect().size();
    const QSize wanted = m_pView->sizeHint() + frame;
    resize(std::min(wanted.width(), 1600), std::min(wanted.height(), 1200));
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The program keeps its one document window; closing only hides it.
    event->ignore();
    hide();
}
