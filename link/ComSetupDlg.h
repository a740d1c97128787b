#pragma once

// The COM Setup dialog: the user picks the serial port (COM1 to COM4) over
// which the channel view transfers. Ports that cannot be opened right now
// are shown disabled; the choice is remembered as "com" (1 to 4) in the
// settings store and preselected the next time. Where com1..com4 stand for
// devices of another name, each button's tooltip tells which.

#include <QDialog>

#include <array>
#include <string>

class CChannelView;
class QButtonGroup;

namespace radio {
class CAppContext;
}
class QPushButton;
class QRadioButton;

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
    std::string AppName() const;

    radio::CAppContext& m_app;
    CChannelView* m_pView;
    std::array<QRadioButton*, kPortCount> m_ports{};
    QButtonGroup* m_group;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
