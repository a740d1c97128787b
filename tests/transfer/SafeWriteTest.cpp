// The write's safeguards in the window: COM Setup's verify and backup boxes,
// Write through them against a simulated radio, and "Write to several
// radios".
#include "LinkTestSupport.h"

#include "ComSetupDlg.h"
#include "MainFrame.h"
#include "MemoryImage.h"
#include "WriteSeveralDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>

namespace {

using radio::MessageIcon;
using radio::Model;

constexpr char kApp[] = "RadioCloneTest";
const std::string kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";
// A byte every write plan sends and every read plan reads back.
constexpr int kFlipped = 0x0020;

class SafeWriteTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        // The default backup folder lands in the test's folder, never in
        // the home of whoever runs the tests.
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_dir.path().toUtf8() + "/data");
    }
    void TearDown() override {
        LinkTest::TearDown();
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    bool StartRadio(const std::string& fault = "") {
        m_memory = RadioImage(radio::VariantFor(Model::WrenV3));
        return StartWithRadio(Model::WrenV3, m_memory, fault);
    }
    void Safeguards(bool verify, bool backup, const std::string& folder = "") {
        m_store.WriteDword(kApp, "Verify", verify ? 1 : 0);
        m_store.WriteDword(kApp, "Backup", backup ? 1 : 0);
        if (!folder.empty()) {
            m_store.WriteString(kApp, "BackupFolder", folder);
        }
    }
    // Runs Setup, Com Setup; `inside` acts while the dialog is up.
    void RunComSetup(const std::function<void(CComSetupDlg&)>& inside) {
        CComSetupDlg* dialog = Link()->ComSetupDlg();
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
    void Write() {
        Frame()->OnCommand(cmd::kWrite);
        PressOkAndRun();
    }
    // What was written: the grid's image, as the document holds it.
    radio::Image Sent() const { return Document()->GetImage(); }

    QByteArray m_oldDataHome;
    radio::Image m_memory;
};

TEST_F(SafeWriteTest, ComSetupShowsTheSafeguardsOffAndRemembersThemWithOk) {
    ASSERT_TRUE(StartRadio());
    const std::string chosen = Path("backups");
    RunComSetup([&](CComSetupDlg& dialog) {
        EXPECT_FALSE(dialog.VerifyBox()->isChecked());
        EXPECT_FALSE(dialog.BackupBox()->isChecked());
        EXPECT_EQ(dialog.FolderEdit()->text().toStdString(),
                  Path("data") + "/radio-clone-suite/backups");
        EXPECT_FALSE(dialog.FolderEdit()->isEnabled());
        EXPECT_FALSE(dialog.FolderButton()->isEnabled());
        // Every control inside the dialog, whatever the texts' width.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 dialog.VerifyBox(), dialog.BackupBox(), dialog.FolderEdit(), dialog.FolderButton(),
                 dialog.OkButton(), dialog.CancelButton()}) {
            EXPECT_TRUE(dialog.rect().contains(w->geometry())) << w->metaObject()->className();
        }
        QTest::mouseClick(dialog.VerifyBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.BackupBox(), Qt::LeftButton);
        EXPECT_TRUE(dialog.FolderButton()->isEnabled());
        m_nextFile = chosen;
        QTest::mouseClick(dialog.FolderButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.FolderEdit()->text().toStdString(), chosen);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(m_store.ReadDword(kApp, "Verify"), 1u);
    EXPECT_EQ(m_store.ReadDword(kApp, "Backup"), 1u);
    EXPECT_EQ(m_store.ReadString(kApp, "BackupFolder"), chosen);

    // Shown again as stored; Cancel keeps the store as it is.
    RunComSetup([&](CComSetupDlg& dialog) {
        EXPECT_TRUE(dialog.VerifyBox()->isChecked());
        EXPECT_TRUE(dialog.BackupBox()->isChecked());
        EXPECT_EQ(dialog.FolderEdit()->text().toStdString(), chosen);
        QTest::mouseClick(dialog.VerifyBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(m_store.ReadDword(kApp, "Verify"), 1u);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SafeWriteTest, BackupWithoutAFullPathIsRefusedByOk) {
    ASSERT_TRUE(StartRadio());
    RunComSetup([&](CComSetupDlg& dialog) {
        QTest::mouseClick(dialog.BackupBox(), Qt::LeftButton);
        for (const char* folder : {"", "relative/backups"}) {
            dialog.FolderEdit()->setText(QString::fromUtf8(folder));
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible()) << folder;
        }
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text, "Enter the full path of the folder for the backups.");
    EXPECT_FALSE(m_store.Has(kApp, "Backup"));
    EXPECT_FALSE(m_store.Has(kApp, "com"));
}

TEST_F(SafeWriteTest, VerifiedWriteSaysSoAndAFailedReadBackIsNoVerify) {
    ASSERT_TRUE(StartRadio("short-reply:3@4"));
    Safeguards(true, false);
    Write();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Written and verified.");
    EXPECT_EQ(m_messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_FALSE(View()->m_bTransferring);
    const radio::ModelVariant& v = radio::VariantFor(Model::WrenV3);
    EXPECT_EQ(GridDifference(Grid(), v, m_sim.Memory()), "");

    // The fourth conversation, the second write's read-back, breaks off.
    m_messages.clear();
    ClickCell(2, 1);
    TypeIntoEditor("160");
    Write();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text, kProgramInterrupt);
    EXPECT_EQ(m_messages[1].text, "The radio was written, but reading it back for the verify "
                                  "failed: the write is not verified.");
    EXPECT_EQ(m_messages[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(GridDifference(Grid(), v, m_sim.Memory()), "");
}

TEST_F(SafeWriteTest, ByteTheRadioKeptWrongFailsTheVerifyAndLeavesTheDocument) {
    ASSERT_TRUE(StartRadio("flip-byte:" + std::to_string(kFlipped)));
    Safeguards(true, false);
    const radio::Image before = Sent();
    const std::string title = ChildTitle();
    Write();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Verify failed: 1 bytes in the radio differ from the image "
                                  "written, the first at address 0x0020.");
    EXPECT_EQ(m_messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(Sent(), before);
    EXPECT_EQ(ChildTitle(), title);
}

TEST_F(SafeWriteTest, BackupIsSavedBeforeTheWriteWithTheRadiosOldData) {
    ASSERT_TRUE(StartRadio());
    ClickCell(2, 1);
    TypeIntoEditor("160");
    PressKey(Qt::Key_Return);
    Safeguards(false, true, Path("shop/backups"));
    Write();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(
        m_messages[0].text.rfind("Backup saved as " + Path("shop/backups") + "/ProgramWrenV3-", 0),
        0u)
        << m_messages[0].text;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(Path("shop/backups"))) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    radio::Image backup;
    std::string error;
    const radio::ModelVariant& v = radio::VariantFor(Model::WrenV3);
    ASSERT_TRUE(radio::LoadDat(v, files[0].string(), backup, error)) << error;
    // What the radio held before, where the read plan reaches.
    for (int a = 0; a < v.imageSize; ++a) {
        if (v.readPlan.Covers(a)) {
            ASSERT_EQ(backup[static_cast<std::size_t>(a)], m_memory[static_cast<std::size_t>(a)])
                << a;
        }
    }
    EXPECT_EQ(GridDifference(Grid(), v, m_sim.Memory()), "");
    EXPECT_EQ(Grid().TextMatrix(2, 1), "160.00000");
}

TEST_F(SafeWriteTest, BackupFolderThatCannotBeMadeWritesNothing) {
    ASSERT_TRUE(StartRadio());
    std::ofstream(Path("plain-file")) << "x";
    Safeguards(true, true, Path("plain-file") + "/backups");
    Write();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text.rfind("Cannot keep a backup in " + Path("plain-file"), 0), 0u)
        << m_messages[0].text;
    EXPECT_NE(m_messages[0].text.find("Nothing was written to the radio."), std::string::npos);
    EXPECT_EQ(m_sim.SessionCount(), 0);
    EXPECT_EQ(m_sim.Memory(), m_memory);
    EXPECT_FALSE(Dialog()->IsWindow());
}

TEST_F(SafeWriteTest, BothBoxesOffWriteOnceAndSayNothing) {
    ASSERT_TRUE(StartRadio());
    Write();
    EXPECT_TRUE(m_messages.empty());
    ASSERT_TRUE(WaitForSessions(1));
    EXPECT_EQ(m_sim.SessionCount(), 1);
    EXPECT_EQ(GridDifference(Grid(), radio::VariantFor(Model::WrenV3), m_sim.Memory()), "");
}

class WriteSeveralTest : public SafeWriteTest {
protected:
    // Runs the command; `inside` drives its dialog and must end it.
    void RunWriteSeveral(const std::function<void(CWriteSeveralDlg&)>& inside) {
        bool ran = false;
        OnNextDialog<CWriteSeveralDlg>([&](CWriteSeveralDlg& dialog) {
            ran = true;
            inside(dialog);
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog.done(0);
            }
        });
        Frame()->Action(cmd::kWriteSeveral)->trigger();
        EXPECT_TRUE(ran);
    }
};

TEST_F(WriteSeveralTest, CountsRadiosDoneAndFailedAndStopSumsUp) {
    // The second radio (sessions 3 and 4: write, read-back) keeps a byte wrong.
    ASSERT_TRUE(StartRadio("flip-byte:" + std::to_string(kFlipped) + "@3"));
    Safeguards(true, false);
    EXPECT_EQ(Frame()->Action(cmd::kWriteSeveral)->statusTip().toStdString(),
              "Write the same data into one radio after another");
    RunWriteSeveral([&](CWriteSeveralDlg& dialog) {
        EXPECT_EQ(dialog.DoneCount()->text(), "0");
        QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.DoneCount()->text(), "1");
        EXPECT_EQ(dialog.FailedCount()->text(), "0");
        EXPECT_EQ(dialog.StatusLabel()->text(), "Radio 1: written and verified.");
        EXPECT_TRUE(m_messages.empty());
        QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.DoneCount()->text(), "2");
        EXPECT_EQ(dialog.FailedCount()->text(), "1");
        EXPECT_TRUE(dialog.StatusLabel()->text().startsWith("Radio 2 failed: Verify failed"));
        QTest::mouseClick(dialog.StopButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].text.rfind("Verify failed: 1 bytes", 0), 0u);
    EXPECT_EQ(
        m_messages[1].text,
        "Radios: 2, written: 2, verified: 1, failed: 1.\nRadio 2: Verify failed: 1 bytes in the "
        "radio differ from the image written, the first at address 0x0020.");
    EXPECT_EQ(m_messages[1].icon, MessageIcon::Exclamation);
    // The second radio holds what was sent but for the byte it kept wrong.
    const radio::ImageMismatch kept =
        radio::CompareWritten(radio::VariantFor(Model::WrenV3), Sent(), m_sim.Memory());
    EXPECT_EQ(kept.count, 1);
    EXPECT_EQ(kept.firstAddress, kFlipped);
    EXPECT_FALSE(View()->m_bTransferring);
}

TEST_F(WriteSeveralTest, StopDuringAWriteFinishesThatRadioFirst) {
    ASSERT_TRUE(StartRadio());
    ClickCell(4, 1);
    TypeIntoEditor("147.5");
    RunWriteSeveral([&](CWriteSeveralDlg& dialog) {
        // A click on Stop arrives through the event queue while the
        // transfer pumps it.
        QObject::connect(dialog.Progress(), &QProgressBar::valueChanged, &dialog, [&](int value) {
            if (value == 3) {
                QMetaObject::invokeMethod(dialog.StopButton(), "click", Qt::QueuedConnection);
            }
        });
        QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Radios: 1, written: 1, verified: 0, failed: 0.");
    EXPECT_EQ(m_messages[0].icon, MessageIcon::Information);
    ASSERT_TRUE(WaitForSessions(1));
    const radio::ModelVariant& v = radio::VariantFor(Model::WrenV3);
    EXPECT_EQ(m_sim.Sessions()[0].blocksWritten, 2 * v.writePlan.Pairs());
    // The value being typed went with the row.
    EXPECT_EQ(GridDifference(Grid(), v, m_sim.Memory()), "");
    EXPECT_EQ(Grid().TextMatrix(4, 1), "147.50000");
}

TEST_F(WriteSeveralTest, StopAtOnceWritesNothingAndF1OpensItsTopic) {
    ASSERT_TRUE(StartRadio());
    RunWriteSeveral([&](CWriteSeveralDlg& dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{32802});
    EXPECT_EQ(m_sim.SessionCount(), 0);
}

} // namespace
