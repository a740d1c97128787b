#pragma once

// The COM Setup dialog: the user picks the serial port (COM1 to COM4) over
// which the channel view transfers. Ports that cannot be opened right now
// are shown disabled; the choice is remembered as "com" (1 to 4) in the
// settings store and preselected the next time. Where com1..com4 stand for
// devices of another name, each button's tooltip tells which.
//
// Below the ports, the safeguards of Write: "Verify after write" and a backup
// of the radio before writing, into a folder shown (and changeable) here.
// Both are off until the user ticks them, and are remembered with the port.

#include "RadioWriter.h"

#include <QDialog>

#include <array>
#include <string>

class CChannelView;
class QButtonGroup;

namespace radio {
class CAppContext;
}
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What Write does around the transfer, as COM Setup remembers it.
struct CWriteSafeguards {
    bool verify = false;
    bool backup = false;
    // The folder shown in the dialog: the user's choice, else the suite's
    // default (empty only when the system names no data folder).
    std::string backupFolder;

    // What the writer is asked for; a backup without a folder is the
    // caller's to refuse (Usable).
    radio::WriteOptions Options() const;
    bool Usable() const { return !backup || !backupFolder.empty(); }
};

class CComSetupDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFirstPortId = 1007; // COM1; COM2..COM4 follow
    static constexpr int kPortCount = 4;
    // `view` is the view whose port OK sets: the dialog is opened by the
    // active view's command, so that is the active view.
    CComSetupDlg(radio::CAppContext& app, CChannelView* view);
    ~CComSetupDlg() override;

    // Probes the ports, preselects the remembered one and runs the dialog.
    int DoModal();

    QRadioButton* PortButton(int index) const { return m_ports[static_cast<std::size_t>(index)]; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QCheckBox* VerifyBox() const { return m_verify; }
    QCheckBox* BackupBox() const { return m_backup; }
    QLineEdit* FolderEdit() const { return m_folder; }
    QPushButton* FolderButton() const { return m_browse; }

    // The safeguards as stored for this program.
    static CWriteSafeguards StoredSafeguards(radio::CAppContext& app);

    // Zero-based index of the selected button; -1 before the first use.
    int m_nPort = -1;

protected:
    void OnInitDialog();
    void OnOK();
    void keyPressEvent(QKeyEvent* event) override;

private:
    // true: the selection into m_nPort; false: m_nPort into the selection.
    void UpdateData(bool saveAndValidate);
    void ProbePorts();
    void DescribePorts();
    // Decoded like the product selection's, so that "com" lands under the
    // same key as "Type" and "Field".
    static std::string AppName(const radio::CAppContext& app);
    // The write's safeguards: placed below the ports, filled from the store,
    // checked and stored by OK (false: refused with a message).
    void CreateSafeguards();
    void LoadSafeguards();
    bool SaveSafeguards();
    void OnBrowseFolder();

    radio::CAppContext& m_app;
    CChannelView* m_pView;
    std::array<QRadioButton*, kPortCount> m_ports{};
    QButtonGroup* m_group;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QCheckBox* m_verify = nullptr;
    QCheckBox* m_backup = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
};
