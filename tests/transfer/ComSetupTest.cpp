// The COM Setup dialog: the probe, the remembered port, OK and Cancel, help.
#include "LinkTestSupport.h"

#include "ComSetupDlg.h"
#include "MainFrame.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using radio::Model;

class ComSetupTest : public LinkTest {
protected:
    // Com1 is the simulated radio; com2..com4 name devices that are not there.
    void StartWithPorts() {
        ASSERT_TRUE(StartWithRadio(Model::WrenV3, RadioImage(radio::VariantFor(Model::WrenV3))));
        for (int n = 2; n <= 4; ++n) {
            SetProfile("Port" + std::to_string(n), Path("absent-tty" + std::to_string(n)));
        }
    }

    CComSetupDlg* DialogOfView() const { return Link()->ComSetupDlg(); }

    // Runs Setup, Com Setup; `inside` acts while the dialog is up and must
    // end it.
    void RunComSetup(const std::function<void(CComSetupDlg&)>& inside) {
        CComSetupDlg* dialog = DialogOfView();
        bool ran = false;
        QTimer::singleShot(0, dialog, [&] {
            ran = true;
            inside(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        Frame()->Action(cmd::kComSetup)->trigger();
        EXPECT_TRUE(ran);
    }

    std::optional<std::uint32_t> StoredCom() { return m_store.ReadDword("RadioCloneTest", "com"); }
};

TEST_F(ComSetupTest, FirstUseSelectsCom1AndDisablesPortsThatCannotOpen) {
    StartWithPorts();
    EXPECT_TRUE(Frame()->Action(cmd::kComSetup)->isEnabled());
    RunComSetup([&](CComSetupDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle().toStdString(), "COM Setup");
        EXPECT_TRUE(dialog.PortButton(0)->isEnabled());
        for (int i = 1; i < 4; ++i) {
            EXPECT_FALSE(dialog.PortButton(i)->isEnabled()) << i;
        }
        EXPECT_TRUE(dialog.PortButton(0)->isChecked());
        EXPECT_EQ(dialog.m_nPort, 0);
        // The tooltips tell which device each name stands for.
        EXPECT_TRUE(
            dialog.PortButton(0)->toolTip().startsWith(QString::fromStdString(m_sim.DevicePath())));
        EXPECT_TRUE(dialog.PortButton(2)->toolTip().contains("absent-tty3"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(View()->m_strPort, "com1");
    EXPECT_EQ(StoredCom(), 1u);
    // The probe opened and closed the radio's port without talking to it.
    EXPECT_EQ(m_sim.SessionCount(), 0);

    // The lower-case name opens the same device: a read works over it.
    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Grid().TextMatrix(3, 1), "150.00000");
}

TEST_F(ComSetupTest, StoredPortIsSelectedEvenWhenItCannotOpen) {
    StartWithPorts();
    m_store.WriteDword("RadioCloneTest", "com", 3);
    RunComSetup([&](CComSetupDlg& dialog) {
        EXPECT_TRUE(dialog.PortButton(2)->isChecked());
        EXPECT_FALSE(dialog.PortButton(2)->isEnabled());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(View()->m_strPort, "com3");
    EXPECT_EQ(StoredCom(), 3u);
}

TEST_F(ComSetupTest, CancelChangesNothingAndF1OpensItsTopic) {
    StartWithPorts();
    m_store.WriteDword("RadioCloneTest", "com", 2);
    RunComSetup([&](CComSetupDlg& dialog) {
        QTest::keyClick(dialog.PortButton(1), Qt::Key_F1);
        dialog.PortButton(0)->setChecked(true);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{32777});
    EXPECT_EQ(View()->m_strPort, "COM1");
    EXPECT_EQ(StoredCom(), 2u);
}

TEST_F(ComSetupTest, StoredNumberOutsideTheFourPortsCountsAsCom1) {
    StartWithPorts();
    m_store.WriteDword("RadioCloneTest", "com", 0);
    RunComSetup([&](CComSetupDlg& dialog) {
        EXPECT_TRUE(dialog.PortButton(0)->isChecked());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(View()->m_strPort, "com1");
    EXPECT_EQ(StoredCom(), 1u);
}

} // namespace
