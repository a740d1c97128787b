// Read and Write in the programmer window: the Process dialog, the transfer
// against a simulated radio, its failures, and the commands it refuses.
#include "LinkTestSupport.h"

#include "AppContext.h"
#include "MainFrame.h"

#include <QAction>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <filesystem>

namespace {

using radio::MessageResult;
using radio::Model;

const std::string kCommunicationError =
    "Communication Error,Please check all the connections and the radio power";
const std::string kCannotOpenPort = "Could not Open the Port,Please check whether the Port are "
                                    "occupied or the device are ok";
const std::string kProgramInterrupt = "Program Interrupt, Please reset the radio and try again";

using TransferWindowTest = LinkTest;

class ReadEditWriteTest : public LinkTest, public ::testing::WithParamInterface<Model> {};

TEST_P(ReadEditWriteTest, ReadFillsTheGridAndWriteLeavesTheRadioAsShown) {
    const radio::ModelVariant& v = radio::VariantFor(GetParam());
    const radio::Image radioMemory = RadioImage(v);
    ASSERT_TRUE(StartWithRadio(GetParam(), radioMemory));
    const radio::Image before = Document()->GetImage();

    Frame()->Action(cmd::kRead)->trigger();
    ASSERT_TRUE(Dialog()->IsWindow());
    EXPECT_EQ(Dialog()->windowTitle().toStdString(), "Read Data");
    PressOkAndRun();
    ASSERT_TRUE(m_messages.empty()) << m_messages[0].text;
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_FALSE(View()->m_bTransferring);
    EXPECT_FALSE(App().freshDocument);
    EXPECT_EQ(GridDifference(Grid(), v, radioMemory), "");
    EXPECT_EQ(Grid().TextMatrix(3, 2), "155.00000");
    // The plan's bytes came from the radio; the rest of the image stayed.
    const radio::Image& image = Document()->GetImage();
    for (int a = 0; a < v.imageSize; ++a) {
        const auto i = static_cast<std::size_t>(a);
        ASSERT_EQ(image[i], v.readPlan.Covers(a) ? radioMemory[i] : before[i]) << "offset " << a;
    }
    const int pairs = v.readPlan.Pairs();
    EXPECT_EQ(Dialog()->m_progress->value(), pairs);
    EXPECT_EQ(Dialog()->CountLabel()->text(), QString::number(pairs));
    ASSERT_TRUE(WaitForSessions(1));

    ClickCell(2, 1);
    TypeIntoEditor("145.0125");
    PressKey(Qt::Key_Return);
    // Still in the editor when Write is chosen: the command commits it.
    ClickCell(4, 1);
    TypeIntoEditor("147.5");
    Frame()->Action(cmd::kWrite)->trigger();
    EXPECT_EQ(Grid().TextMatrix(4, 1), "147.50000");
    ASSERT_TRUE(Dialog()->IsWindow());
    EXPECT_EQ(Dialog()->windowTitle().toStdString(), "Write Data");
    EXPECT_EQ(Dialog()->m_progress->maximum(), v.writePlan.Pairs());
    PressOkAndRun();
    ASSERT_TRUE(m_messages.empty()) << m_messages[0].text;
    EXPECT_FALSE(Dialog()->IsWindow());
    ASSERT_TRUE(WaitForSessions(2));

    const radio::Image radioAfter = m_sim.Memory();
    EXPECT_EQ(GridDifference(Grid(), v, radioAfter), "");
    EXPECT_EQ(m_sim.Sessions().back().blocksWritten, 2 * v.writePlan.Pairs());
    for (int a = 0; a < v.imageSize; ++a) {
        const auto i = static_cast<std::size_t>(a);
        ASSERT_EQ(radioAfter[i], v.writePlan.Covers(a) ? image[i] : radioMemory[i])
            << "offset " << a;
    }
}

INSTANTIATE_TEST_SUITE_P(AllProgrammers, ReadEditWriteTest,
                         ::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                         [](const ::testing::TestParamInfo<Model>& info) {
                             return std::string(radio::VariantFor(info.param).programName);
                         });

TEST_F(TransferWindowTest, CancelInTheMiddleLeavesTheDocumentAsItWas) {
    const radio::ModelVariant& v = radio::VariantFor(Model::Wren);
    ASSERT_TRUE(StartWithRadio(Model::Wren, RadioImage(v)));
    ClickCell(2, 1);
    TypeIntoEditor("160");
    PressKey(Qt::Key_Return);
    const radio::Image before = Document()->GetImage();
    const std::vector<std::string> row1 = RowTexts(1);

    Frame()->OnCommand(cmd::kRead);
    // A person's click arrives through the event queue while the transfer
    // pumps it.
    QObject::connect(Dialog()->m_progress, &QProgressBar::valueChanged, [this](int value) {
        if (value == 3) {
            QMetaObject::invokeMethod(Dialog()->CancelButton(), "click", Qt::QueuedConnection);
        }
    });
    PressOkAndRun();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_EQ(Dialog()->m_progress->value(), 3);
    EXPECT_EQ(Document()->GetImage(), before);
    EXPECT_EQ(RowTexts(1), row1);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "160.00000");
    EXPECT_TRUE(App().freshDocument);
    ASSERT_TRUE(WaitForSessions(1));
    EXPECT_EQ(m_sim.Sessions()[0].blocksRead, 6);
}

TEST_F(TransferWindowTest, ReadOfChannelsTheProductCannotHoldNamesThemOnceAndMarksThem) {
    const radio::ModelVariant& v = radio::VariantFor(Model::WrenV2);
    radio::Image radioMemory = RadioImage(v);
    // A UHF channel in a radio of the VHF product, as another program left it.
    radio::CellTable table = radio::MakeChannelTable(v, radio::Language::English);
    radio::ImageToGrid(v, radioMemory, table, radio::Language::English);
    table.SetTextMatrix(3, 1, "440.00000");
    radio::GridToImage(v, table, radioMemory);
    ASSERT_TRUE(StartWithRadio(Model::WrenV2, radioMemory));

    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find(
                  "Channel 3, Rx Frequency \"440.00000\": outside the band 136 - 174MHz"),
              std::string::npos)
        << m_messages[0].text;
    EXPECT_FALSE(Dialog()->IsWindow());
    // The grid shows what the radio holds; only the cell is marked.
    EXPECT_EQ(GridDifference(Grid(), v, radioMemory), "");
    EXPECT_EQ(Grid().CellMark(3, 1), "outside the band 136 - 174MHz");
    EXPECT_EQ(Grid().CellMark(3, 2), "");
    // A second read of the same radio marks it afresh, once.
    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    EXPECT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(Grid().CellMark(3, 1), "outside the band 136 - 174MHz");
}

TEST_F(TransferWindowTest, DeadRadioAsksAfterFifteenSilentAttemptsInTheWrenFamily) {
    ASSERT_TRUE(Start(Model::WrenV2));
    UseSilentLine();
    AnswerWith({MessageResult::Retry, MessageResult::Cancel});
    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    ASSERT_EQ(m_messages.size(), 2u);
    for (const radio::MessageRequest& message : m_messages) {
        EXPECT_EQ(message.text, kCommunicationError);
        EXPECT_EQ(message.buttons, radio::MessageButtons::RetryCancel);
        EXPECT_EQ(message.caption, "Test Radio");
    }
    // Retry starts the count again and keeps the port.
    EXPECT_EQ(m_line.attempts, 30);
    EXPECT_EQ(m_line.opens, 1);
    EXPECT_EQ(m_line.closes, 1);
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_TRUE(App().freshDocument);
}

TEST_F(TransferWindowTest, DeadRadioAsksAfterEveryAttemptInProgramLark) {
    ASSERT_TRUE(Start(Model::Lark));
    UseSilentLine();
    AnswerWith({MessageResult::Retry, MessageResult::Retry, MessageResult::Cancel});
    Frame()->OnCommand(cmd::kWrite);
    PressOkAndRun();
    EXPECT_EQ(m_messages.size(), 3u);
    EXPECT_EQ(m_line.attempts, 3);
    EXPECT_EQ(m_line.closes, 1);
    EXPECT_FALSE(Dialog()->IsWindow());
}

TEST_F(TransferWindowTest, ShortReplyInterruptsAndKeepsTheDocument) {
    const radio::ModelVariant& v = radio::VariantFor(Model::WrenV3);
    ASSERT_TRUE(StartWithRadio(Model::WrenV3, RadioImage(v), "short-reply:5"));
    const radio::Image before = Document()->GetImage();
    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, kProgramInterrupt);
    EXPECT_EQ(m_messages[0].buttons, radio::MessageButtons::Ok);
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::Exclamation);
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_EQ(Document()->GetImage(), before);
    EXPECT_EQ(Grid().TextMatrix(3, 1), "");
    EXPECT_EQ(Dialog()->m_progress->value(), 2);
}

TEST_F(TransferWindowTest, MissingPortSaysWhyAndEndsTheDialog) {
    ASSERT_TRUE(Start(Model::Wren, "Chinese"));
    SetProfile("Port1", Path("no-such-tty"));
    Frame()->OnCommand(cmd::kWrite);
    EXPECT_EQ(Dialog()->windowTitle().toStdString(), "写数据");
    PressOkAndRun();
    ASSERT_EQ(m_messages.size(), 1u);
    // ProgramWren has no language library: its messages stay English.
    const std::string& text = m_messages[0].text;
    ASSERT_EQ(text.substr(0, kCannotOpenPort.size() + 1), kCannotOpenPort + "\n");
    EXPECT_NE(text.find("no-such-tty"), std::string::npos) << text;
    EXPECT_EQ(m_messages[0].caption, "测试电台");
    EXPECT_FALSE(Dialog()->IsWindow());
}

TEST_F(TransferWindowTest, ReadAndWriteDoNothingWhileTheDialogExists) {
    ASSERT_TRUE(Start(Model::WrenV3));
    UseSilentLine();
    Frame()->OnCommand(cmd::kRead);
    ClickCell(1, 1);
    TypeIntoEditor("150");
    Frame()->OnCommand(cmd::kWrite);
    // The editor was committed, nothing else changed.
    EXPECT_EQ(Grid().TextMatrix(1, 1), "150.00000");
    EXPECT_FALSE(View()->m_bWrite);
    EXPECT_EQ(Dialog()->windowTitle().toStdString(), "Read Data");
    Frame()->OnCommand(cmd::kRead);
    EXPECT_TRUE(Dialog()->IsWindow());

    // Cancel before OK: the window goes and no port is opened.
    QTest::mouseClick(Dialog()->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(Dialog()->IsWindow());
    RunPosted();
    EXPECT_EQ(m_line.opens, 0);

    // Esc is Cancel too; the next dialog starts afresh.
    Frame()->OnCommand(cmd::kWrite);
    EXPECT_FALSE(Dialog()->m_bCancel);
    EXPECT_TRUE(View()->m_bWrite);
    QTest::keyClick(Dialog(), Qt::Key_Escape);
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_EQ(m_line.opens, 0);
}

TEST_F(TransferWindowTest, EnterStartsAndCancelAfterOkStopsAtTheFirstPoll) {
    ASSERT_TRUE(Start(Model::Wren));
    UseSilentLine();
    Frame()->OnCommand(cmd::kRead);
    QTest::keyClick(Dialog(), Qt::Key_Return);
    EXPECT_FALSE(Dialog()->OkButton()->isEnabled());
    // A second OK must not post a second transfer.
    QMetaObject::invokeMethod(Dialog(), "accept");
    QTest::mouseClick(Dialog()->CancelButton(), Qt::LeftButton);
    // The running transfer ends the window, not Cancel.
    EXPECT_TRUE(Dialog()->IsWindow());
    EXPECT_TRUE(Dialog()->m_bCancel);
    RunPosted();
    EXPECT_FALSE(Dialog()->IsWindow());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_line.opens, 1);
    EXPECT_EQ(m_line.closes, 1);
    EXPECT_EQ(m_line.attempts, 0);
}

TEST_F(TransferWindowTest, ProgressRangeFollowsTheProgrammerAndDirection) {
    struct Case {
        Model model;
        int read;
        int write;
    };
    for (const Case& c : {Case{Model::Lark, 60, 51}, Case{Model::Wren, 256, 256},
                          Case{Model::WrenV2, 256, 256}, Case{Model::WrenV3, 305, 305}}) {
        m_app.reset();
        ASSERT_TRUE(Start(c.model, c.model == Model::Lark ? "Chinese" : "English"));
        Frame()->OnCommand(cmd::kRead);
        EXPECT_EQ(Dialog()->m_progress->minimum(), 0);
        EXPECT_EQ(Dialog()->m_progress->maximum(), c.read);
        EXPECT_EQ(Dialog()->m_progress->value(), 0);
        EXPECT_EQ(Dialog()->CountLabel()->text(), "0");
        if (c.model == Model::Lark) {
            EXPECT_EQ(Dialog()->windowTitle().toStdString(), "读数据");
        }
        Dialog()->reject();
        Frame()->OnCommand(cmd::kWrite);
        EXPECT_EQ(Dialog()->m_progress->maximum(), c.write);
        Dialog()->reject();
    }
}

TEST_F(TransferWindowTest, WhileATransferRunsNothingTakesTheDocumentAway) {
    const radio::ModelVariant& v = radio::VariantFor(Model::Wren);
    const radio::Image radioMemory = RadioImage(v);
    ASSERT_TRUE(StartWithRadio(Model::Wren, radioMemory));
    CChildFrame* child = Frame()->ActiveChild();
    m_nextFile = Path("other.dat");
    // A command nobody marked as allowed during a transfer, added later.
    constexpr int kDummy = 40000;
    int dummyRuns = 0;
    Frame()->Commands().Add({.id = kDummy, .run = [&dummyRuns] { ++dummyRuns; }});
    bool tried = false;
    QObject::connect(Dialog()->m_progress, &QProgressBar::valueChanged, [&](int value) {
        if (value != 2) {
            return;
        }
        tried = true;
        EXPECT_TRUE(View()->m_bTransferring);
        for (int command : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileClose, cmd::kLanguage,
                            cmd::kAppExit, cmd::kFileSave, cmd::kFileSaveAs}) {
            EXPECT_TRUE(Frame()->OnCommand(command)) << command;
        }
        // Saving would hold the transfer up in its file dialog.
        EXPECT_FALSE(std::filesystem::exists(Path("other.dat")));
        EXPECT_FALSE(child->close());
        EXPECT_FALSE(Frame()->close());
        EXPECT_FALSE(Frame()->statusBar()->currentMessage().isEmpty());
        EXPECT_TRUE(Frame()->OnCommand(kDummy));
        EXPECT_EQ(dummyRuns, 0);
        // Read and Write are no second transfer either.
        Frame()->OnCommand(cmd::kWrite);
        EXPECT_FALSE(View()->m_bWrite);
        // Help still answers.
        EXPECT_TRUE(Frame()->OnCommand(cmd::kHelp));
        EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{cmd::kHelp});
    });
    Frame()->OnCommand(cmd::kRead);
    PressOkAndRun();
    EXPECT_TRUE(tried);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Frame()->ActiveChild(), child);
    EXPECT_FALSE(child->isHidden());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(GridDifference(Grid(), v, radioMemory), "");

    // Once it is over, they work again.
    EXPECT_FALSE(View()->m_bTransferring);
    EXPECT_TRUE(Frame()->OnCommand(kDummy));
    EXPECT_EQ(dummyRuns, 1);
    Frame()->OnCommand(cmd::kFileClose);
    EXPECT_TRUE(child->isHidden());
    EXPECT_TRUE(Frame()->OnCommand(cmd::kFileNew));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(Frame()->ActiveChild(), child);
}

TEST_F(TransferWindowTest, ShortcutsOpenTheDialog) {
    ASSERT_TRUE(Start(Model::WrenV2));
    QApplication::setActiveWindow(Frame());
    QTest::keyClick(Frame(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(Dialog()->IsWindow());
    EXPECT_FALSE(View()->m_bWrite);
    Dialog()->reject();
    QApplication::setActiveWindow(Frame());
    QTest::keyClick(Frame(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(Dialog()->IsWindow());
    EXPECT_TRUE(View()->m_bWrite);
}

} // namespace
