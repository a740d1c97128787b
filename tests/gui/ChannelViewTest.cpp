// The channel view driven through its real widgets: clicks on cells, typing
// into the editors, Enter and F1.
#include "GuiTestSupport.h"

#include "Strings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace {

using radio::Model;
using Row = std::vector<std::string>;

using ChannelViewTest = ProgrammerTest;

TEST_F(ChannelViewTest, GridShowsHeadingsLabelsAndTheFirstBand) {
    ASSERT_TRUE(Start(Model::WrenV3));
    CMSFlexGrid& grid = Grid();
    EXPECT_EQ(grid.Rows(), 201);
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.TextMatrix(0, 0), "CH");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Rx Frequency");
    EXPECT_EQ(grid.TextMatrix(0, 8), "Cha Name");
    EXPECT_EQ(grid.TextMatrix(1, 0), "Pr");
    EXPECT_EQ(grid.TextMatrix(200, 0), "199");
    EXPECT_EQ(grid.ColWidth(0), 32); // half the default width
    EXPECT_EQ(grid.ColWidth(1), 83);
    EXPECT_EQ(View()->GetBandLimits(), (radio::BandLimits{13600000, 17400000}));
    EXPECT_EQ(Frame()->windowTitle().toStdString(),
              "Test Programmer  [ Type:T-1  Fre:136 - 174MHz ]");
    EXPECT_EQ(View()->ToneNames().size(), 261u);
}

TEST_F(ChannelViewTest, ChineseGridTextsAndTitle) {
    ASSERT_TRUE(Start(Model::Lark, "Chinese"));
    EXPECT_EQ(Grid().TextMatrix(0, 0), "信道");
    EXPECT_EQ(Grid().TextMatrix(0, 7), "繁忙锁定");
    EXPECT_EQ(Grid().TextMatrix(1, 0), " 1");
    EXPECT_EQ(Grid().TextMatrix(16, 0), "16");
    EXPECT_EQ(Frame()->windowTitle().toStdString(), "测试编程  [ 类型:T-1  频率:136 - 174MHz ]");
    EXPECT_EQ(ChildTitle(), "信道信息");
    auto* power = qobject_cast<QComboBox*>(View()->EditorOfColumn(5));
    ASSERT_NE(power, nullptr);
    EXPECT_EQ(power->itemText(0).toStdString(), "高");
}

TEST_F(ChannelViewTest, TypedFrequencyMakesANewChannelAndEnterWalksOn) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(3, 1);
    QWidget* editor = ShownEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->property("controlId").toInt(), 2127);
    TypeIntoEditor("145.5");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(RowTexts(3),
              (Row{"145.50000", "145.50000", "None", "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(Grid().Row(), 3);
    EXPECT_EQ(Grid().Col(), 2);
    auto* tx = qobject_cast<QLineEdit*>(ShownEditor());
    ASSERT_NE(tx, nullptr);
    EXPECT_EQ(tx->text().toStdString(), "145.50000");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ChannelViewTest, RefusedFrequencyByEnterKeepsTheCellAndStays) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(2, 1);
    TypeIntoEditor("146");
    PressKey(Qt::Key_Return);
    ClickCell(2, 1);
    TypeIntoEditor("174.00001");
    PressKey(Qt::Key_Return);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Out of range,please input again.");
    EXPECT_EQ(m_messages[0].caption, "Caution");
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::Exclamation);
    EXPECT_EQ(RowTexts(2),
              (Row{"146.00000", "146.00000", "None", "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(Grid().Row(), 2);
    EXPECT_EQ(Grid().Col(), 1);
    EXPECT_EQ(ShownEditor(), nullptr);
}

TEST_F(ChannelViewTest, RefusedTxWhenLeavingByMouseKeepsTheRow) {
    ASSERT_TRUE(Start(Model::Lark));
    ClickCell(4, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return); // now on Tx
    TypeIntoEditor("150.0025");
    ClickCell(6, 3);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, std::string(radio::LoadResString(radio::ids::kOffStep)));
    EXPECT_EQ(RowTexts(4),
              (Row{"150.00000", "150.00000", "None", "None", "High", "No", "Off", "Wide"}));
    EXPECT_EQ(Grid().Row(), 6);
    EXPECT_EQ(Grid().Col(), 3);
}

TEST_F(ChannelViewTest, ListEditorOpensOnTheCellTextAndCommitsTheChoice) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(2, 1);
    TypeIntoEditor("440");
    PressKey(Qt::Key_Return); // out of the first band
    EXPECT_EQ(Grid().TextMatrix(2, 1), "");
    m_messages.clear();
    ClickCell(2, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return);
    ClickCell(2, 5);
    auto* power = qobject_cast<QComboBox*>(ShownEditor());
    ASSERT_NE(power, nullptr);
    EXPECT_EQ(power->currentText().toStdString(), "High");
    QTest::keyClick(power, Qt::Key_Down);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(2, 5), "Middle");
    // An empty row keeps no settings; its list opens on the first item.
    ClickCell(5, 6);
    auto* lock = qobject_cast<QComboBox*>(ShownEditor());
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->currentIndex(), 0);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(5, 6), "");
}

TEST_F(ChannelViewTest, ChannelNameIsUpperCaseAndShort) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(2, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return);
    ClickCell(2, 8);
    TypeIntoEditor("home1234");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(2, 8), "HOME12");
    // Enter on the last column goes on at the first data column of the next row.
    EXPECT_EQ(Grid().Row(), 3);
    EXPECT_EQ(Grid().Col(), 1);
}

TEST_F(ChannelViewTest, EnterOnTheLastCellWrapsToTheFirst) {
    ASSERT_TRUE(Start(Model::Lark));
    ClickCell(16, 8);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().Row(), 1);
    EXPECT_EQ(Grid().Col(), 1);
    EXPECT_NE(ShownEditor(), nullptr);
}

TEST_F(ChannelViewTest, EmptyingRxDeletesTheChannel) {
    ASSERT_TRUE(Start(Model::Lark));
    ClickCell(1, 1);
    TypeIntoEditor("145");
    PressKey(Qt::Key_Return);
    ClickCell(1, 1);
    TypeIntoEditor("");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(RowTexts(1), Row(8, ""));
}

TEST_F(ChannelViewTest, ScrollHidesTheEditorAndDropsWhatWasTyped) {
    ASSERT_TRUE(Start(Model::Wren));
    ClickCell(1, 1);
    TypeIntoEditor("145");
    Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->value() + 5);
    EXPECT_EQ(ShownEditor(), nullptr);
    View()->CommitCellEditor();
    EXPECT_EQ(Grid().TextMatrix(1, 1), "");
    // A click on the current cell shows its editor again.
    ClickCell(1, 1);
    EXPECT_NE(ShownEditor(), nullptr);
}

TEST_F(ChannelViewTest, F1GivesTheFocusedControlsContext) {
    ASSERT_TRUE(Start(Model::Lark));
    ClickCell(1, 1);
    PressKey(Qt::Key_F1);
    ClickCell(1, 4);
    PressKey(Qt::Key_F1);
    ClickCell(1, 8);
    PressKey(Qt::Key_F1);
    QTest::keyClick(&Grid(), Qt::Key_F1);
    EXPECT_EQ(m_help.contexts, (std::vector<std::uint32_t>{2127, 2133, 1128, 1000}));
}

TEST_F(ChannelViewTest, F1OverAMenuItemGivesItsCommand) {
    ASSERT_TRUE(Start(Model::WrenV3));
    QMenu* edit = Frame()->Menu(QStringLiteral("&Edit"));
    ASSERT_NE(edit, nullptr);
    edit->popup(QPoint(0, 0));
    edit->setActiveAction(Frame()->Action(cmd::kProductInformation));
    QTest::keyClick(edit, Qt::Key_F1);
    edit->hide();
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{32786});
}

} // namespace
