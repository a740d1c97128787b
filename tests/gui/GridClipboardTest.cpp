// The channel grid's clipboard driven through the real widgets: blocks and
// rows selected with the mouse, Ctrl+C, Ctrl+V and Delete sent to the widget
// that has the keyboard, the messages answered by the test.
#include "GuiTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace {

using radio::Model;
using Row = std::vector<std::string>;

class GridClipboardTest : public ProgrammerTest {
protected:
    // A key to the shown editor, else to the grid: where the keyboard is.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = ShownEditor();
        QTest::keyClick(target != nullptr ? target : static_cast<QWidget*>(&Grid()), key,
                        modifiers);
    }
    void ShiftClickCell(int row, int col) {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          Grid().CellRectOf(row, col).center());
    }
    void ClickRowLabel(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        CMSFlexGrid& grid = Grid();
        grid.scrollTo(grid.model()->index(row - 1, 0));
        QHeaderView* labels = grid.verticalHeader();
        const QPoint at(labels->width() / 2, labels->sectionViewportPosition(row - 1) +
                                                 labels->sectionSize(row - 1) / 2);
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, modifiers, at);
    }
    void TypeChannel(int row, const std::string& rx) {
        ClickCell(row, 1);
        TypeIntoEditor(rx);
        PressKey(Qt::Key_Return);
    }
    static void SetClipboard(const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
    static std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }
    bool Modified() const { return ChildTitle().back() == '*'; }
};

TEST_F(GridClipboardTest, CopiesABlockOfCellsAsTheGridShowsThem) {
    ASSERT_TRUE(Start(Model::WrenV3));
    TypeChannel(2, "145.5");
    TypeChannel(3, "146");
    ClickCell(2, 1);
    ShiftClickCell(3, 3);
    EXPECT_EQ(Grid().Selection().bottom, 3);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "145.50000\t145.50000\tNone\n146.00000\t146.00000\tNone\n");

    // One cell alone, from the grid or from a list editor.
    ClickCell(3, 5);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "High\n");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(GridClipboardTest, CopiesWholeRowsChosenByTheirLabels) {
    ASSERT_TRUE(Start(Model::Lark, "Chinese"));
    TypeChannel(2, "150");
    ClickRowLabel(2);
    ClickRowLabel(3, Qt::ShiftModifier);
    ASSERT_TRUE(Grid().WholeRowsSelected());
    Key(Qt::Key_C, Qt::ControlModifier);
    // The empty channel 3 is copied as a row of empty cells.
    EXPECT_EQ(Clipboard(), "150.00000\t150.00000\t无\t无\t高\t无\t关\t宽\n\t\t\t\t\t\t\t\n");
}

TEST_F(GridClipboardTest, PastesASpreadsheetsRowsFromTheCurrentCell) {
    ASSERT_TRUE(Start(Model::Wren));
    SetClipboard("145\t145.0125\tNone\t88.5\tLow\tUnlock\tNo\r\n"
                 "146\t\tD023N\tNone\tMiddle\tLock\tYes\r\n");
    ClickCell(4, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(RowTexts(4), (Row{"145.00000", "145.01250", "None", "88.5", "Low", "Unlock", "No"}));
    EXPECT_EQ(RowTexts(5), (Row{"146.00000", "", "D023N", "None", "Middle", "Lock", "Yes"}));
    EXPECT_TRUE(Modified());
    // The current cell stays; its editor no longer shows the old text.
    EXPECT_EQ(Grid().Row(), 4);
    EXPECT_EQ(ShownEditor(), nullptr);

    // What this grid copies goes back in unchanged elsewhere.
    ClickCell(4, 1);
    ShiftClickCell(5, 7);
    Key(Qt::Key_C, Qt::ControlModifier);
    ClickCell(10, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(RowTexts(10), RowTexts(4));
    EXPECT_EQ(RowTexts(11), RowTexts(5));
}

TEST_F(GridClipboardTest, ABlockOfSeveralCellsIsShownEvenWhereSingleCellsAreNot) {
    ASSERT_TRUE(Start(Model::Wren));
    const auto highlighted = [this] {
        return Grid().palette().color(QPalette::Highlight) !=
               Grid().palette().color(QPalette::Base);
    };
    ClickCell(2, 2);
    EXPECT_FALSE(highlighted());
    ShiftClickCell(4, 3);
    EXPECT_TRUE(highlighted());
    ClickCell(6, 1);
    EXPECT_FALSE(highlighted());
}

TEST_F(GridClipboardTest, RowsWithARefusedCellStayAndOneMessageListsTheCells) {
    ASSERT_TRUE(Start(Model::WrenV3));
    TypeChannel(3, "150");
    const Row before = RowTexts(3);
    Document()->SetModifiedFlag(false);
    SetClipboard("145\t145\tNone\tNone\tHigh\tLock\tYes\thome\n"
                 "440\t440.00625\tNone\tNone\tHigh\tLock\tYes\t\n"
                 "147\t147\tNone\tNone\tHigh\tLock\tYes\tWAY-TOO-LONG\n"
                 "148\t148\tNone\tNone\tLow\tLock\tYes\t\n");
    ClickCell(2, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(RowTexts(2),
              (Row{"145.00000", "145.00000", "None", "None", "High", "Lock", "Yes", "HOME"}));
    EXPECT_EQ(RowTexts(3), before);
    EXPECT_EQ(RowTexts(4), Row(8, ""));
    EXPECT_EQ(RowTexts(5)[4], "Low");
    EXPECT_TRUE(Modified());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::Exclamation);
    EXPECT_EQ(m_messages[0].text,
              "2 of 4 rows were pasted. The rows with a refused cell were left as they were:\n"
              "Channel 2, Rx Frequency: \"440\": outside the band 136 - 174 MHz\n"
              "Channel 2, Tx Frequency: \"440.00625\": outside the band 136 - 174 MHz\n"
              "Channel 3, Cha Name: \"WAY-TOO-LONG\": longer than 6 characters");
}

TEST_F(GridClipboardTest, TheLastRowsTakeAPasteThatFitsAndNoneBeyond) {
    ASSERT_TRUE(Start(Model::Lark));
    SetClipboard("145\n146\n");
    ClickCell(15, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid().TextMatrix(15, 1), "145.00000");
    EXPECT_EQ(Grid().TextMatrix(16, 1), "146.00000");
    EXPECT_TRUE(m_messages.empty());

    Document()->SetModifiedFlag(false);
    SetClipboard("150\n151\n");
    ClickCell(16, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid().TextMatrix(16, 1), "146.00000");
    EXPECT_FALSE(Modified());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "The clipboard holds 2 rows, but from channel 16 down the "
                                  "table has only 1. Nothing was pasted.");

    SetClipboard("Off\tWide\tmore\n");
    ClickCell(16, 7);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].text, "The clipboard holds 3 columns, but from \"Busy Lock\" on "
                                  "the table has only 2. Nothing was pasted.");
}

TEST_F(GridClipboardTest, AtARowLabelOnlyWholeChannelsGoIn) {
    ASSERT_TRUE(Start(Model::Wren));
    SetClipboard("145\t145\n");
    ClickRowLabel(6);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(RowTexts(6), Row(7, ""));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "With whole channels selected, only whole channels (7 columns) can be pasted, but "
              "the clipboard holds 2 columns. Click the cell to paste into instead.");

    SetClipboard("145\t145\tNone\tNone\tLow\tLock\tNo\n");
    ClickRowLabel(6);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(RowTexts(6), (Row{"145.00000", "145.00000", "None", "None", "Low", "Lock", "No"}));
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(GridClipboardTest, OneValueIntoAnEditBoxIsTypedNotCommitted) {
    ASSERT_TRUE(Start(Model::WrenV3));
    SetClipboard("150\r\n");
    ClickCell(2, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    auto* edit = qobject_cast<QLineEdit*>(ShownEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text().toStdString(), "150");
    EXPECT_EQ(Grid().TextMatrix(2, 1), "");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");

    // Into a list, one value is checked and goes in at once.
    SetClipboard("Low\n");
    ClickCell(2, 5);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid().TextMatrix(2, 5), "Low");
    SetClipboard("Loud\n");
    ClickCell(2, 5);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid().TextMatrix(2, 5), "Low");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("\"Loud\": not in the column's list"), std::string::npos)
        << m_messages[0].text;
}

TEST_F(GridClipboardTest, DeleteClearsOneSelectedChannelWithoutAQuestion) {
    ASSERT_TRUE(Start(Model::WrenV2));
    TypeChannel(4, "150");
    TypeChannel(5, "151");
    Document()->SetModifiedFlag(false);
    ClickRowLabel(4);
    Key(Qt::Key_Delete);
    EXPECT_EQ(RowTexts(4), Row(7, ""));
    EXPECT_EQ(Grid().TextMatrix(5, 1), "151.00000");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(Modified());
}

TEST_F(GridClipboardTest, DeleteOnSeveralChannelsAsksFirst) {
    ASSERT_TRUE(Start(Model::WrenV3));
    for (const int row : {3, 4, 6}) {
        TypeChannel(row, "150");
    }
    Document()->SetModifiedFlag(false);
    ClickRowLabel(3);
    ClickRowLabel(7, Qt::ShiftModifier);
    m_answer = radio::MessageResult::No;
    Key(Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].buttons, radio::MessageButtons::YesNo);
    EXPECT_EQ(m_messages[0].text,
              "Clear the 3 selected channels (2 to 5)? Their settings are lost.");
    EXPECT_EQ(Grid().TextMatrix(6, 1), "150.00000");
    EXPECT_FALSE(Modified());

    m_answer = radio::MessageResult::Yes;
    Key(Qt::Key_Delete);
    EXPECT_EQ(m_messages.size(), 2u);
    for (const int row : {3, 4, 6}) {
        EXPECT_EQ(RowTexts(row), Row(8, "")) << row;
    }
    EXPECT_TRUE(Modified());
}

TEST_F(GridClipboardTest, DeleteWhileTypingStaysInTheEditBox) {
    ASSERT_TRUE(Start(Model::Wren));
    TypeChannel(2, "150");
    // The row's label opens the editor of its first cell; once the user
    // types there, Delete is the box's key.
    ClickRowLabel(2);
    auto* edit = qobject_cast<QLineEdit*>(ShownEditor());
    ASSERT_NE(edit, nullptr);
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("1"));
    edit->setCursorPosition(0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(edit->text().toStdString(), "150.00000");
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");
    EXPECT_EQ(Grid().TextMatrix(2, 3), "None");
    // A cell block that is not whole rows leaves Delete to the editor too.
    ClickCell(2, 1);
    ShiftClickCell(3, 6);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
