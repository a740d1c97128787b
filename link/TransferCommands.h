#pragma once

// The radio link's commands of the channel view: Program, Read (32773) and
// Write (32774) open the Process dialog; its OK posts WM_TRANSFER, which runs
// the clone transfer over the view's port (m_strPort) in the direction of
// m_bWrite; Setup, Com Setup (32777) chooses the port.
//
// Use: InstallLinkCommands() once before the first view is made; every
// channel view then gets a CViewLink (a child object) with the commands.

#include <QObject>

#include <memory>

class CChannelView;
class CComSetupDlg;
class CProcessDlg;

namespace radio {

// Attaches a CViewLink to every channel view made from now on.
void InstallLinkCommands();

} // namespace radio

class CViewLink : public QObject {
    Q_OBJECT

public:
    // Becomes a child of `view` and registers the commands with it.
    explicit CViewLink(CChannelView& view);
    ~CViewLink() override;

    // The link of a view; null when it has none.
    static CViewLink* Of(const CChannelView& view);

    void OnRead();
    void OnWrite();
    void OnComSetup();
    // The handler of WM_TRANSFER: one transfer from the open Process dialog.
    void OnTransfer();

    CProcessDlg* ProcessDlg() const { return m_pProcessDlg; }
    CComSetupDlg* ComSetupDlg() const { return m_comSetupDlg.get(); }

private:
    // Opens the Process dialog for a transfer in the given direction.
    void OpenProcessDialog(bool write);

    CChannelView& m_view;
    CProcessDlg* m_pProcessDlg; // a child window of the view
    std::unique_ptr<CComSetupDlg> m_comSetupDlg;
};
