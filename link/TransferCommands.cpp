#include "TransferCommands.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CloneProtocol.h"
#include "ComSetupDlg.h"
#include "LinkServices.h"
#include "MainFrame.h"
#include "MessageBoxes.h"
#include "ProcessDlg.h"
#include "Texts.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

// The transfer's window side, over one view and its Process dialog.
class CViewTransferHost final : public radio::ITransferHost {
public:
    CViewTransferHost(CChannelView& view, CProcessDlg& dialog) : m_view(view), m_dialog(dialog) {}

    void CommitCellEditor() override { m_view.CommitCellEditor(); }
    // Into the document's image, the one the transfer sends.
    void GridToImage() override { m_view.GridToImage(); }
    void StepProgress(int) override { m_dialog.StepIt(); }
    void PumpOneEvent() override {
        // One pass over what is pending, so the Cancel button can be
        // clicked and the windows repaint.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    bool CancelRequested() override { return m_dialog.m_bCancel != 0; }

    void ShowMessage(radio::LinkMessage id, const char* detail) override {
        std::string text = radio::AppContext().LoadString(static_cast<int>(id));
        if (id == radio::LinkMessage::PortOpenFailed && detail != nullptr && *detail != '\0') {
            text += "\n";
            text += detail;
        }
        radio::ShowMessageBox(Owner(), text, radio::AppContext().language.displayName,
                              radio::MessageIcon::Exclamation, radio::MessageButtons::Ok);
    }
    bool AskRetry() override {
        const radio::CAppContext& app = radio::AppContext();
        return radio::ShowMessageBox(
                   Owner(),
                   app.LoadString(static_cast<int>(radio::LinkMessage::CommunicationError)),
                   app.language.displayName, radio::MessageIcon::None,
                   radio::MessageButtons::RetryCancel) == radio::MessageResult::Retry;
    }

    void EndProcessDialog() override { m_dialog.DestroyWindow(); }
    void AfterRead() override {
        // The radio's product is now the remembered one.
        radio::AppContext().freshDocument = false;
        m_view.ImageToGrid();
    }

private:
    QWidget* Owner() const {
        QWidget* main = radio::AppContext().mainWindow;
        return main != nullptr ? main : m_view.window();
    }

    CChannelView& m_view;
    CProcessDlg& m_dialog;
};

} // namespace

namespace radio {

void InstallLinkCommands() {
    CChannelView::AddViewInitializer([](CChannelView& view) { new CViewLink(view); });
}

} // namespace radio

CViewLink::CViewLink(CChannelView& view)
    : QObject(&view), m_view(view), m_pProcessDlg(new CProcessDlg(&view)),
      m_comSetupDlg(std::make_unique<CComSetupDlg>(&view)) {
    setObjectName(QStringLiteral("CViewLink"));
    view.SetCommandHandler(cmd::kRead, [this] { OnRead(); });
    view.SetCommandHandler(cmd::kWrite, [this] { OnWrite(); });
    view.SetCommandHandler(cmd::kComSetup, [this] { OnComSetup(); });
    view.SetCommandHandler(WM_TRANSFER, [this] { OnTransfer(); });
}

CViewLink::~CViewLink() = default;

CViewLink* CViewLink::Of(const CChannelView& view) {
    return view.findChild<CViewLink*>(QStringLiteral("CViewLink"), Qt::FindDirectChildrenOnly);
}

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
    const radio::Language lang = radio::AppContext().language.textLanguage;
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
    if (document == nullptr) {
        m_pProcessDlg->DestroyWindow();
        return;
    }
    const std::unique_ptr<radio::IPortOpener> opener = radio::MakePortOpener();
    const std::unique_ptr<radio::IWaiter> waiter = radio::MakeWaiter();
    CViewTransferHost host(m_view, *m_pProcessDlg);
    radio::CloneTransfer transfer(m_view.Variant(), *opener, *waiter, host);
    // While the transfer pumps events, the frame refuses whatever would take
    // the view, its document or the port away.
    m_view.m_bTransferring = true;
    transfer.Run(m_view.m_strPort, m_view.m_bWrite, document->GetImage());
    m_view.m_bTransferring = false;
}

void CViewLink::OnComSetup() {
    m_comSetupDlg->DoModal();
}
