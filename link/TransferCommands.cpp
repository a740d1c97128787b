#include "TransferCommands.h"

#include "AppContext.h"
#include "ChannelView.h"
#include "CloneProtocol.h"
#include "ComSetupDlg.h"
#include "ProcessDlg.h"
#include "RadioWriter.h"
#include "Texts.h"
#include "WindowTransferHost.h"
#include "WriteSeveralDlg.h"

#include <QLabel>
#include <QProgressBar>

namespace {

// The Process dialog's part of a transfer: its bar, its count and its
// Cancel. A write with safeguards runs up to three transfers through it;
// each starts the bar again under the title of its direction.
class CViewTransferHost final : public CWindowTransferHost {
public:
    CViewTransferHost(const radio::CAppContext& app, CProcessDlg& dialog)
        : CWindowTransferHost(app), m_dialog(dialog) {}

    void BeginTransfer(bool write, int pairs) override {
        const radio::Language lang = m_app.language.textLanguage;
        const std::string_view title =
            (write ? radio::texts::kWriteData : radio::texts::kReadData).In(lang);
        m_dialog.setWindowTitle(
            QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        m_dialog.SetRange(0, pairs);
        m_dialog.m_progress->setValue(0);
        m_dialog.CountLabel()->setText(QStringLiteral("0"));
    }
    void StepProgress(int) override { m_dialog.StepIt(); }
    bool CancelRequested() override { return m_dialog.m_bCancel; }

private:
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

bool CViewLink::SafeguardsUsable(const CWriteSafeguards& safeguards) {
    if (safeguards.Usable()) {
        return true;
    }
    m_app.ShowMessage(nullptr,
                      tr("There is no folder for the backups: choose one in Com Setup. Nothing "
                         "was written to the radio.")
                          .toStdString(),
                      m_app.language.displayName, radio::MessageIcon::Exclamation);
    return false;
}

void CViewLink::OnTransfer() {
    IChannelDocument* document = m_view.GetDocument();
    // Only from the Process dialog's OK, and never inside a running one.
    if (m_view.m_bTransferring || !m_pProcessDlg->IsWindow()) {
        return;
    }
    std::string report;
    bool failed = false;
    if (document != nullptr) {
        const bool write = m_view.m_bWrite;
        // What is being typed goes with the transfer; a write sends the grid.
        m_view.CommitCellEditor();
        if (write) {
            m_view.GridToImage();
        }
        CViewTransferHost host(m_app, *m_pProcessDlg);
        if (write) {
            // With both safeguards off this is the one write transfer of old.
            const CWriteSafeguards safeguards = CComSetupDlg::StoredSafeguards(m_app);
            if (SafeguardsUsable(safeguards)) {
                radio::RadioWriter writer(m_view.Variant(), m_app.Ports(), m_app.Waiter(), host);
                const CFlagScope transferring(m_view.m_bTransferring);
                const radio::WriteReport written =
                    writer.Write(m_view.m_strPort, document->GetImage(), safeguards.Options());
                report = WriteReportText(m_app, written);
                failed = !written.Succeeded();
            }
        } else {
            radio::CloneTransfer transfer(m_view.Variant(), m_app.Ports(), m_app.Waiter(), host);
            {
                // While the transfer pumps events, the frame refuses whatever
                // would take the view, its document or the port away.
                const CFlagScope transferring(m_view.m_bTransferring);
                transfer.Run(m_view.m_strPort, write, document->GetImage());
            }
            if (transfer.Result().outcome == radio::TransferOutcome::Completed) {
                // The radio's product is now the remembered one.
                m_app.freshDocument = false;
                m_view.ImageToGrid();
                // What came from the radio is in no file yet.
                document->SetModifiedFlag(true);
                // What the product cannot hold is pointed out, not changed.
                m_view.ReviewImage();
            }
        }
    }
    m_pProcessDlg->DestroyWindow();
    if (!report.empty()) {
        m_app.ShowMessage(nullptr, report, m_app.language.displayName,
                          failed ? radio::MessageIcon::Exclamation
                                 : radio::MessageIcon::Information);
    }
}

void CViewLink::OnWriteSeveral() {
    m_view.CommitCellEditor();
    IChannelDocument* document = m_view.GetDocument();
    if (document == nullptr || m_pProcessDlg->IsWindow() || m_view.m_bTransferring) {
        return;
    }
    const CWriteSafeguards safeguards = CComSetupDlg::StoredSafeguards(m_app);
    if (!SafeguardsUsable(safeguards)) {
        return;
    }
    // Every radio of the row gets the grid as it is now.
    m_view.GridToImage();
    const radio::Image image = document->GetImage();
    const radio::WriteOptions options = safeguards.Options();
    CWriteSeveralDlg dialog(
        m_app, safeguards,
        [this, &image, &options](radio::ITransferHost& host) {
            radio::RadioWriter writer(m_view.Variant(), m_app.Ports(), m_app.Waiter(), host);
            const CFlagScope transferring(m_view.m_bTransferring);
            return writer.Write(m_view.m_strPort, image, options);
        },
        &m_view);
    dialog.exec();
}

void CViewLink::OnComSetup() {
    m_comSetupDlg->DoModal();
}
