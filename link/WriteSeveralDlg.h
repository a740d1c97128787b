#pragma once

// "Write to several radios": the same data into one radio after another
// over the view's port. Next writes the radio now on the cable (with the
// verify and backup COM Setup asks for), the counts show how many radios
// are done and how many failed, and Stop ends the row with a summary. Stop
// during a write ends the row once that radio is done, so none is left half
// written by it.

#include "RadioWriter.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
struct CWriteSafeguards;

namespace radio {
class CAppContext;
class ITransferHost;
} // namespace radio

class CWriteSeveralDlg : public QDialog {
    Q_OBJECT

public:
    // Writes one radio, reporting to `host`.
    using WriteOne = std::function<radio::WriteReport(radio::ITransferHost& host)>;

    CWriteSeveralDlg(const radio::CAppContext& app, const CWriteSafeguards& safeguards,
                     WriteOne writeOne, QWidget* parent = nullptr);
    ~CWriteSeveralDlg() override;

    QPushButton* NextButton() const { return m_next; }
    QPushButton* StopButton() const { return m_stop; }
    QLabel* DoneCount() const { return m_done; }
    QLabel* FailedCount() const { return m_failed; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Progress() const { return m_progress; }
    const radio::WriteTally& Tally() const { return m_tally; }

    // Esc and the close box: Stop.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class CHost;

    void OnNext();
    void OnStop();
    // The summary, then the dialog ends.
    void Finish();

    const radio::CAppContext& m_app;
    WriteOne m_writeOne;
    radio::WriteTally m_tally;
    bool m_running = false;
    bool m_stopAfter = false;
    QLabel* m_done;
    QLabel* m_failed;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_next;
    QPushButton* m_stop;
};
