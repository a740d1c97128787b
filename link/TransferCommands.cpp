#include "TransferCommands.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CloneProtocol.h"
#include "ComSetupDlg.h"
#include "ProcessDlg.h"
#include "Texts.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

// What the transfer asks of the window while it runs, over one view and its
// Process dialog.
class CViewTransferHost final : public radio::ITransferHost {
public:
    CViewTransferHost(const radio::CAppContext& app, CProcessDlg& dialog)
        : m_app(app), m_dialog(dialog) {}

    void StepProgress(int) override { m_dialog.StepIt(); }
    void PumpOneEvent() override {
        // One pass over what is pending, so the Cancel button can be
        // clicked and the windows repaint.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    bool CancelRequested() override { return m_dialog.m_bCancel; }

    void ShowMessage(radio::LinkMessage id, const char* detail) override {
        std::string text = m_app.LoadString(static_cast<int>(id));
        if (id == radio::LinkMessage::PortOpenFailed && detail != nullptr && *detail != '\0') {
            text += "\n";
            text += detail;
        }
        m_app.ShowMessage(nullptr, text, m_app.language.displayName,
                          radio::MessageIcon::Exclamation, radio::MessageButtons::Ok);
    }
    bool AskRetry() override {
        return m_app.ShowMessage(
                   nullptr,
                   m_app.LoadString(static_cast<int>(radio::LinkMessage::CommunicationError)),
                   m_app.language.displayName, radio::MessageIcon::None,
                   radio::MessageButtons::RetryCancel) == radio::MessageResult::Retry;
    }

private:
    const radio::CAppContext& m_app;
    CProcessDlg& m_dialog;
};

// Set for as long as it lives, whichever way the scope is left.
class CFlagScope {
public:
    explicit CFlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CFlagScope() { m_flag = false; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

CViewLink::CViewLink(radio::CAppContext& app, CChannelView& view)
    : QObject(&view), m_app(app), m_view(view),
      m_pProcessDlg(new CProcessDlg(&view, [this] { OnTransfer(); })),
      m_comSetupDlg(std::make_unique<CComSetupDlg>(app, &view)) {}

CViewLink::~CViewLink() = default;

void CViewLink::OnRead() {
    if (m_pProcessDlg->IsWindow()) {
        return;
    }
    OpenProcessDialog(false);
}

void CViewLink::OnWrite() {
    // A value still being typed reaches the grid, dialog or not.
    m_view.CommitCellEditor();
    if (m_pProcessDlg->IsWindow()) {
        return;
    }
    OpenProcessDialog(true);
}

void CViewLink::OpenProcessDialog(bool write) {
    const radio::Language lang = m_app.language.textLanguage;
    m_view.m_bWrite = write;
    m_pProcessDlg->m_strTitle =
        std::string(write ? radio::texts::kWriteData.In(lang) : radio::texts::kReadData.In(lang));
    m_pProcessDlg->Create();
    // The bar is full exactly when the last block pair is done (ProgramLark
    // starts with a wider range than either direction moves).
    const radio::ModelVariant& variant = m_view.Variant();
    const int pairs = (write ? variant.writePlan : variant.readPlan).Pairs();
    if (pairs != variant.dialogProgressMax) {
        m_pProcessDlg->SetRange(0, pairs);
    }
}

void CViewLink::OnTransfer() {
    IChannelDocument* document = m_view.GetDocument();
    // Only from the Process dialog's OK, and never inside a running one.
    if (m_view.m_bTransferring || !m_pProcessDlg->IsWindow()) {
        return;
    }
    if (document != nullptr) {
        const bool write = m_view.m_bWrite;
        // What is being typed goes with the transfer; a write sends the grid.
        m_view.CommitCellEditor();
        if (write) {
            m_view.GridToImage();
        }
        CViewTransferHost host(m_app, *m_pProcessDlg);
        radio::CloneTransfer transfer(m_view.Variant(), m_app.Ports(), m_app.Waiter(), host);
        {
            // While the transfer pumps events, the frame refuses whatever
            // would take the view, its document or the port away.
            const CFlagScope transferring(m_view.m_bTransferring);
            transfer.Run(m_view.m_strPort, write, document->GetImage());
        }
        if (!write && transfer.Result().outcome == radio::TransferOutcome::Completed) {
            // The radio's product is now the remembered one.
            m_app.freshDocument = false;
            m_view.ImageToGrid();
            // What came from the radio is in no file yet.
            document->SetModifiedFlag(true);
        }
    }
    m_pProcessDlg->DestroyWindow();
}

void CViewLink::OnComSetup() {
    m_comSetupDlg->DoModal();
}
