#pragma once

// The Process dialog: the small modeless window through which every Read and
// Write runs. The command only opens it; OK starts the transfer by posting
// WM_TRANSFER to the owner view, the bar and the count follow the block
// pairs, and Cancel either closes it (before OK) or asks the running
// transfer to stop.
//
// The object lives as long as its view; its window is created for each
// transfer (Create) and destroyed at the end (DestroyWindow), which here
// hides it and lets the next Create start it afresh.

#include <QDialog>

#include <functional>
#include <string>

class CChannelView;
class QLabel;
class QProgressBar;
class QPushButton;

// The private message by which the Process dialog starts the transfer in its
// view (WM_USER + 5): here a call posted to the view's event queue.
inline constexpr int WM_TRANSFER = 0x0400 + 5;

class CProcessDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCountLabelId = 1009;

    // `onTransfer` is what WM_TRANSFER runs in the view: the transfer.
    CProcessDlg(CChannelView* view, std::function<void()> onTransfer);
    ~CProcessDlg() override;

    // Creates (shows and centres) the window with a fresh state: the range
    // of the programmer, position 0, the title m_strTitle, m_bCancel false,
    // OK enabled and the count "0".
    void Create();
    // Ends the window; the next Create starts it anew.
    void DestroyWindow();
    // Whether the window exists (from Create to DestroyWindow).
    bool IsWindow() const { return m_bWindow; }

    void SetRange(int lower, int upper);
    // One block pair done: the bar steps by one and the count shows its
    // position.
    void StepIt();

    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QLabel* CountLabel() const { return m_count; }

    // OK and Cancel, also for Enter and Esc.
    void accept() override;
    void reject() override;

    bool m_bCancel = false;
    CChannelView* m_pView;
    std::string m_strTitle;
    QProgressBar* m_progress;

protected:
    void OnInitDialog();
    void OnOK();
    void OnCancel();

    void closeEvent(QCloseEvent* event) override;

private:
    void CenterWindow();

    QPushButton* m_ok;
    QPushButton* m_cancel;
    QLabel* m_count;
    std::function<void()> m_onTransfer;
    bool m_bWindow = false;
};
