#include "WriteSeveralDlg.h"

#include "AppContext.h"
#include "ComSetupDlg.h"
#include "CommandIds.h"
#include "WindowTransferHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

// The progress of each transfer in the dialog's own bar. Stop does not
// cancel a transfer: the current radio is finished first.
class CWriteSeveralDlg::CHost final : public CWindowTransferHost {
public:
    CHost(const radio::CAppContext& app, QProgressBar& bar)
        : CWindowTransferHost(app), m_bar(bar) {}

    void BeginTransfer(bool, int pairs) override {
        m_bar.setRange(0, pairs);
        m_bar.setValue(0);
    }
    void StepProgress(int) override {
        m_bar.setValue(std::min(m_bar.value() + 1, m_bar.maximum()));
    }
    bool CancelRequested() override { return false; }

private:
    QProgressBar& m_bar;
};

CWriteSeveralDlg::CWriteSeveralDlg(const radio::CAppContext& app,
                                   const CWriteSafeguards& safeguards, WriteOne writeOne,
                                   QWidget* parent)
    : QDialog(parent), m_app(app), m_writeOne(std::move(writeOne)),
      m_done(new QLabel(QStringLiteral("0"), this)),
      m_failed(new QLabel(QStringLiteral("0"), this)), m_status(new QLabel(this)),
      m_progress(new QProgressBar(this)), m_next(new QPushButton(tr("&Next"), this)),
      m_stop(new QPushButton(tr("&Stop"), this)) {
    setWindowTitle(tr("Write to several radios"));
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        tr("Connect a radio and press Next to write this data into it; then the next radio. "
           "Stop ends the row."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    // What each radio gets besides the write, as set in Com Setup.
    QStringList extras;
    if (safeguards.backup) {
        extras << tr("Each radio is first backed up into %1.")
                      .arg(QString::fromStdString(safeguards.backupFolder));
    }
    if (safeguards.verify) {
        extras << tr("Each radio is verified after the write.");
    }
    if (!extras.isEmpty()) {
        auto* safety = new QLabel(extras.join(QLatin1Char('\n')), this);
        safety->setWordWrap(true);
        layout->addWidget(safety);
    }

    auto* counts = new QFormLayout;
    counts->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (QLabel* count : {m_done, m_failed}) {
        count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        count->setAlignment(Qt::AlignCenter);
        count->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    }
    counts->addRow(tr("Radios done:"), m_done);
    counts->addRow(tr("Failed:"), m_failed);
    layout->addLayout(counts);

    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(2 * fontMetrics().height());
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(m_stop);
    layout->addLayout(buttons);
    m_next->setDefault(true);
    m_next->setAutoDefault(true);
    m_stop->setAutoDefault(false);
    connect(m_next, &QPushButton::clicked, this, &CWriteSeveralDlg::OnNext);
    connect(m_stop, &QPushButton::clicked, this, &CWriteSeveralDlg::OnStop);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

CWriteSeveralDlg::~CWriteSeveralDlg() = default;

void CWriteSeveralDlg::OnNext() {
    // A second click while a radio is being written starts nothing.
    if (m_running || !m_next->isEnabled()) {
        return;
    }
    m_running = true;
    m_next->setEnabled(false);
    const int number = m_tally.Radios() + 1;
    m_status->setText(tr("Writing radio %1...").arg(number));
    CHost host(m_app, *m_progress);
    const radio::WriteReport report = m_writeOne(host);
    m_running = false;

    const std::string failure = WriteFailureText(m_app, report);
    m_tally.Add(report, failure);
    m_done->setText(QString::number(m_tally.Radios()));
    m_failed->setText(QString::number(m_tally.Failed()));
    if (report.Succeeded()) {
        m_status->setText(report.verified ? tr("Radio %1: written and verified.").arg(number)
                                          : tr("Radio %1: written.").arg(number));
    } else {
        m_status->setText(
            tr("Radio %1 failed: %2").arg(number).arg(QString::fromStdString(failure)));
        // The writer's own message as a box too, as for Write; the link's
        // messages were boxes already.
        if (report.messageId != 0) {
            m_app.ShowMessage(this, WriteReportText(m_app, report), m_app.language.displayName,
                              radio::MessageIcon::Exclamation);
        }
    }
    m_next->setEnabled(true);
    if (m_stopAfter) {
        Finish();
    }
}

void CWriteSeveralDlg::OnStop() {
    if (m_running) {
        // The radio being written is finished first.
        m_stopAfter = true;
        m_stop->setEnabled(false);
        m_status->setText(tr("Stopping after this radio..."));
        return;
    }
    Finish();
}

void CWriteSeveralDlg::reject() {
    OnStop();
}

void CWriteSeveralDlg::Finish() {
    if (m_tally.Radios() > 0) {
        QString summary = tr("Radios: %1, written: %2, verified: %3, failed: %4.")
                              .arg(m_tally.Radios())
                              .arg(m_tally.Written())
                              .arg(m_tally.Verified())
                              .arg(m_tally.Failed());
        for (const radio::WriteTally::Failure& failure : m_tally.Failures()) {
            summary +=
                QLatin1Char('\n') +
                tr("Radio %1: %2").arg(failure.radio).arg(QString::fromStdString(failure.message));
        }
        m_app.ShowMessage(this, summary.toStdString(), m_app.language.displayName,
                          m_tally.Failed() == 0 ? radio::MessageIcon::Information
                                                : radio::MessageIcon::Exclamation);
    }
    done(QDialog::Accepted);
}

void CWriteSeveralDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_app.ShowHelp(cmd::kWriteSeveral);
        return;
    }
    QDialog::keyPressEvent(event);
}
