#pragma once

// The radio link's commands of the channel view: Program, Read (32773) and
// Write (32774) open the Process dialog; its OK posts WM_TRANSFER, which runs
// the clone transfer over the view's port (m_strPort) in the direction of
// m_bWrite; Setup, Com Setup (32777) chooses the port and the write's
// safeguards (verify, backup), which every write goes through the radio
// writer with. Program, Write to Several Radios (32802) writes the grid into
// one radio after another.
//
// The channel window gives each view one CViewLink (a child object of the
// view); the main frame's command table runs its commands.

#include <QObject>

#include <memory>

class CChannelView;
class CComSetupDlg;
class CProcessDlg;
struct CWriteSafeguards;

namespace radio {
class CAppContext;
}

class CViewLink : public QObject {
    Q_OBJECT

public:
    // Becomes a child of `view`.
    CViewLink(radio::CAppContext& app, CChannelView& view);
    ~CViewLink() override;

    void OnRead();
    void OnWrite();
    void OnComSetup();
    void OnWriteSeveral();
    // The handler of WM_TRANSFER: one transfer from the open Process dialog.
    void OnTransfer();

    CProcessDlg* ProcessDlg() const { return m_pProcessDlg; }
    CComSetupDlg* ComSetupDlg() const { return m_comSetupDlg.get(); }

private:
    // False, with the message, when a backup is asked for without a folder.
    bool SafeguardsUsable(const CWriteSafeguards& safeguards);

    // Opens the Process dialog for a transfer in the given direction.
    void OpenProcessDialog(bool write);

    radio::CAppContext& m_app;
    CChannelView& m_view;
    CProcessDlg* m_pProcessDlg; // a child window of the view
    std::unique_ptr<CComSetupDlg> m_comSetupDlg;
};
