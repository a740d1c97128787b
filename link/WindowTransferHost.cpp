#include "WindowTransferHost.h"

#include "AppContext.h"
#include "MessageIds.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// Why a write without a message of the writer's own ended: a cancel. A
// cancelled write transfer itself says nothing unless `partial`: the Write
// command has never told more than the link does.
std::string CancelledText(const radio::WriteReport& report, bool partial) {
    if (report.outcome != radio::TransferOutcome::Cancelled) {
        return {};
    }
    if (report.written) {
        return Utf8(QCoreApplication::translate(
            "CWindowTransferHost",
            "The radio was written, but the read-back was cancelled: the write is not verified."));
    }
    if (report.failure == radio::WriteFailure::BackupRead) {
        return Utf8(QCoreApplication::translate(
            "CWindowTransferHost",
            "Cancelled during the backup: nothing was written to the radio."));
    }
    if (!partial) {
        return {};
    }
    return Utf8(QCoreApplication::translate("CWindowTransferHost",
                                            "Cancelled: the radio may hold a partial write."));
}

std::string OwnMessage(const radio::CAppContext& app, const radio::WriteReport& report) {
    if (report.messageId == 0) {
        return {};
    }
    return radio::FillMessageArgs(app.LoadString(report.messageId), report.messageArgs);
}

} // namespace

void CWindowTransferHost::PumpOneEvent() {
    // One pass over what is pending, so Cancel (or Stop) can be clicked and
    // the windows repaint.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CWindowTransferHost::ShowMessage(radio::LinkMessage id, const char* detail) {
    std::string text = m_app.LoadString(static_cast<int>(id));
    if (id == radio::LinkMessage::PortOpenFailed && detail != nullptr && *detail != '\0') {
        text += "\n";
        text += detail;
    }
    m_app.ShowMessage(nullptr, text, m_app.language.displayName, radio::MessageIcon::Exclamation,
                      radio::MessageButtons::Ok);
}

bool CWindowTransferHost::AskRetry() {
    return m_app.ShowMessage(
               nullptr, m_app.LoadString(static_cast<int>(radio::LinkMessage::CommunicationError)),
               m_app.language.displayName, radio::MessageIcon::None,
               radio::MessageButtons::RetryCancel) == radio::MessageResult::Retry;
}

std::string WriteReportText(const radio::CAppContext& app, const radio::WriteReport& report) {
    std::string text = OwnMessage(app, report);
    if (text.empty()) {
        text = CancelledText(report, false);
    }
    const auto add = [&text](const std::string& line) {
        text += (text.empty() ? "" : "\n") + line;
    };
    if (!report.backupPath.empty()) {
        add(radio::FillMessageArgs(app.LoadString(radio::ids::kBackupSaved), {report.backupPath}));
    }
    if (report.Succeeded() && report.verified) {
        add(app.LoadString(radio::ids::kWrittenAndVerified));
    }
    return text;
}

std::string WriteFailureText(const radio::CAppContext& app, const radio::WriteReport& report) {
    if (report.Succeeded()) {
        return {};
    }
    std::string text = OwnMessage(app, report);
    if (text.empty()) {
        text = CancelledText(report, true);
    }
    if (text.empty()) {
        text = app.LoadString(static_cast<int>(report.transfer.message));
    }
    return text;
}
