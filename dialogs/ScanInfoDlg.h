#pragma once

// ProgramLark's Scan Information dialog: the priority channel, the look-back
// times, the revert channel and two timers of the radio's priority scan.
// The values and their rules (spins, corrections, the check on OK) are the
// core's; this is the window around them.

#include "MemoryImage.h"
#include "ScanInfo.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace radio {
class CAppContext;
}

// An up-down control without a range of its own: it only reports which way
// it was clicked (+1 up, -1 down), as do the Up and Down keys in its edit.
class CSpinButton : public QWidget {
    Q_OBJECT

public:
    CSpinButton(int controlId, QLineEdit* buddy, QWidget* parent);
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    void Delta(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

class CScanInfoDlg : public QDialog {
    Q_OBJECT

public:
    explicit CScanInfoDlg(radio::CAppContext& app, QWidget* parent = nullptr);

    // Runs the dialog modally on the image of the active document.
    int DoModal(radio::Image& image);

    QComboBox* PriorityBox() const { return m_priority; }
    QComboBox* RevertBox() const { return m_revert; }
    QLineEdit* ChannelEdit() const { return m_channel; }
    QLineEdit* LookBackEdit(int which) const { return m_lookBack[which]; } // 0 A, 1 B
    QLineEdit* TimerEdit(int which) const { return m_timers[which]; }      // 0 Dropout, 1 Tx Dwell
    CSpinButton* LookBackSpin(int which) const { return m_lookBackSpin[which]; }
    CSpinButton* TimerSpin(int which) const { return m_timerSpin[which]; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void OnPriorityChanged(int priority);
    void OnLookBackSpin(int which, int delta);
    void OnTimerSpin(int which, int delta);
    void OnEditLeft(QLineEdit* edit);
    void OnOK();
    // The dialog's data exchange: false (with the framework's message) when
    // an edit holds no number.
    bool ReadControls();
    void ShowValues();

    radio::CAppContext& m_app;
    radio::Image* m_pImage = nullptr;
    radio::ScanValues m_values;
    QComboBox* m_priority;
    QLineEdit* m_channel;
    QLineEdit* m_lookBack[2];
    CSpinButton* m_lookBackSpin[2];
    QComboBox* m_revert;
    QLineEdit* m_timers[2];
    CSpinButton* m_timerSpin[2];
    QPushButton* m_ok;
    QPushButton* m_cancel;
    // Set while the dialog itself moves the focus or shows a message.
    bool m_bBusy = false;
};
