// File, Copy Channels From in the window: which programmer the file is from,
// the channels replacing the document's, the notice, and Cancel at each step.
#include "GuiTestSupport.h"

#include "CopyFromDlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

using radio::Model;

using CopyChannelsTest = ProgrammerTest;

TEST_F(CopyChannelsTest, CancelAtEitherStepChangesNothing) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(5, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return);
    const std::vector<std::string> before = RowTexts(5);

    m_nextFile = std::nullopt; // the file dialog cancelled
    Frame()->OnCommand(cmd::kCopyChannelsFrom);
    m_nextFile = RADIO_EXAMPLES_DIR "/lark.dat";
    OnNextDialog<CCopyFromDlg>([](CCopyFromDlg& dialog) {
        // 1024 bytes: ProgramLark's file.
        EXPECT_EQ(dialog.Model(), Model::Lark);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    Frame()->OnCommand(cmd::kCopyChannelsFrom);
    EXPECT_EQ(RowTexts(5), before);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CopyChannelsTest, ChannelsOfAnotherRadioReplaceTheTableAndTheNoticeSaysWhatWasLeft) {
    ASSERT_TRUE(Start(Model::Wren));
    ClickCell(9, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return);
    Document()->SetModifiedFlag(false);
    m_nextFile = RADIO_EXAMPLES_DIR "/wren-v3.dat";
    OnNextDialog<CCopyFromDlg>([](CCopyFromDlg& dialog) {
        // The Wren family's files look alike: the guess is this programmer.
        EXPECT_EQ(dialog.Model(), Model::Wren);
        dialog.ProgrammerBox()->setCurrentIndex(3);
        EXPECT_EQ(dialog.Model(), Model::WrenV3);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    Frame()->OnCommand(cmd::kCopyChannelsFrom);
    // Channel 1 of the ProgramWrenV3 example lands on channel 1; its "Pr"
    // channel has nowhere to go; channel 9 of the document is gone.
    EXPECT_EQ(Grid().TextMatrix(1, 1), "145.50000");
    EXPECT_TRUE(Grid().TextMatrix(9, 1).empty());
    EXPECT_TRUE(Document()->IsModified());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("channel Pr: ProgramWren has no \"Pr\" channel"),
              std::string::npos)
        << m_messages[0].text;
    EXPECT_NE(m_messages[0].text.find("of 8 channels copied"), std::string::npos);
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::Exclamation);
}

} // namespace
