#include "ProcessDlg.h"

#include "ChannelView.h"
#include "DialogUnits.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

CProcessDlg::CProcessDlg(CChannelView* view, std::function<void()> onTransfer)
    : QDialog(view), m_pView(view), m_progress(new QProgressBar(this)),
      m_ok(new QPushButton(tr("OK"), this)), m_cancel(new QPushButton(tr("Cancel"), this)),
      m_count(new QLabel(QStringLiteral("0"), this)), m_onTransfer(std::move(onTransfer)) {
    // Template 131.
    setWindowTitle(tr("Process"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    setModal(false);
    const radio::CDialogUnits units(*this);
    setFixedSize(units.Size(206, 73));
    m_ok->setGeometry(units.Rect(23, 40, 42, 14));
    m_cancel->setGeometry(units.Rect(140, 40, 42, 14));
    m_progress->setGeometry(units.Rect(23, 21, 159, 9));
    m_progress->setTextVisible(false);
    m_count->setGeometry(units.Rect(83, 40, 40, 14));
    m_count->setAlignment(Qt::AlignCenter);
    m_count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_ok->setDefault(true);
    m_ok->setProperty("controlId", 1);
    m_cancel->setProperty("controlId", 2);
    m_progress->setProperty("controlId", 1001);
    m_count->setProperty("controlId", kCountLabelId);
    connect(m_ok, &QPushButton::clicked, this, &CProcessDlg::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &CProcessDlg::OnCancel);
}

CProcessDlg::~CProcessDlg() = default;

void CProcessDlg::Create() {
    OnInitDialog();
    m_bWindow = true;
    show();
    CenterWindow();
    raise();
    activateWindow();
}

void CProcessDlg::DestroyWindow() {
    m_bWindow = false;
    hide();
}

void CProcessDlg::OnInitDialog() {
    const int upper = m_pView != nullptr ? m_pView->Variant().dialogProgressMax : 0;
    SetRange(0, upper);
    m_progress->setValue(0);
    m_count->setText(QStringLiteral("0"));
    m_ok->setEnabled(true);
    m_ok->setFocus();
    setWindowTitle(QString::fromStdString(m_strTitle));
    m_bCancel = false;
}

void CProcessDlg::SetRange(int lower, int upper) {
    m_progress->setRange(lower, upper);
}

void CProcessDlg::StepIt() {
    m_progress->setValue(std::min(m_progress->value() + 1, m_progress->maximum()));
    m_count->setText(QString::number(m_progress->value()));
}

void CProcessDlg::OnOK() {
    // A transfer is already on its way (Enter on a disabled OK, a second
    // click): never start a second one.
    if (!m_bWindow || !m_ok->isEnabled()) {
        return;
    }
    m_ok->setEnabled(false);
    if (m_pView == nullptr || !m_onTransfer) {
        return;
    }
    // Posted, not called: the transfer runs from the event loop once this
    // click has been handled. Dropped if the view goes first.
    QMetaObject::invokeMethod(m_pView, m_onTransfer, Qt::QueuedConnection);
}

void CProcessDlg::OnCancel() {
    const bool okEnabled = m_ok->isEnabled();
    m_bCancel = true;
    // While a transfer runs it polls the flag and ends the window itself.
    if (okEnabled) {
        DestroyWindow();
    }
}

void CProcessDlg::accept() {
    OnOK();
}

void CProcessDlg::reject() {
    OnCancel();
}

void CProcessDlg::closeEvent(QCloseEvent* event) {
    // The close box is Cancel; the window goes only when Cancel lets it.
    event->ignore();
    OnCancel();
}

void CProcessDlg::CenterWindow() {
    QRect area;
    if (QWidget* owner = m_pView != nullptr ? m_pView->window() : nullptr;
        owner != nullptr && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}
