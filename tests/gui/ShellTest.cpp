// The shell around the channel window: start-up in each language with its
// language library, About, the Language dialog and its restart, the
// navigation bar, the questions that keep unsaved work, and the bundled
// examples.
#include "GuiTestSupport.h"

#include "AboutDlg.h"
#include "CellEditRules.h"
#include "LanguageDlg.h"
#include "MdiClientWnd.h"
#include "NavigationBar.h"
#include "ProductInfoDlg.h"
#include "Strings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>

namespace {

using radio::MessageButtons;
using radio::MessageResult;
using radio::Model;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class ShellTest : public ProgrammerTest {
protected:
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* action : Frame()->menuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }

    QStringList TreeTexts() const {
        QStringList texts;
        const QTreeWidgetItem* root = Bar()->Tree()->topLevelItem(0);
        texts << root->text(0);
        for (int i = 0; i < root->childCount(); ++i) {
            texts << root->child(i)->text(0);
        }
        return texts;
    }

    CNavigationBar* Bar() const { return Frame()->NavigationBar(); }

    // The main window on the (offscreen) screen at its start-up size.
    void ShowFrame() {
        Frame()->resize(1000, 600);
        Frame()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    }

    void ClickTreeItem(int child) {
        QTreeWidget* tree = Bar()->Tree();
        QTreeWidgetItem* item =
            child < 0 ? tree->topLevelItem(0) : tree->topLevelItem(0)->child(child);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    }

    void EditACell() {
        ClickCell(2, 1);
        TypeIntoEditor("150");
        PressKey(Qt::Key_Return);
    }

    std::string ProfileOnDisk(Model model) const {
        return ReadFile(Path(std::string(radio::VariantFor(model).profileFile)));
    }
};

TEST_F(ShellTest, EnglishAndChineseLibrariesSetMenusMessagesAndQtsOwnTexts) {
    ASSERT_TRUE(Start(Model::WrenV3, "English"));
    EXPECT_EQ(App().language.helpFile, "enHelp.chm");
    EXPECT_EQ(App().language.languageLibrary, "EnglishWrenV3.rcc");
    EXPECT_EQ(MenuTitles(),
              (QStringList{"&File", "&Edit", "&Program", "&View", "&Setup", "&Help"}));
    EXPECT_EQ(App().LoadString(radio::ids::kCaution), "Caution");
    EXPECT_EQ(TreeTexts(), (QStringList{"Test Radio", "Product Information", "Channel Information",
                                        "Optional Features"}));

    ASSERT_TRUE(Start(Model::WrenV3, "Chinese"));
    EXPECT_TRUE(App().language.chinese);
    EXPECT_EQ(App().language.helpFile, "chHelp.chm");
    EXPECT_EQ(App().language.displayName, "测试电台");
    EXPECT_EQ(MenuTitles().front(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(App().LoadString(radio::ids::kCaution), "注意");
    EXPECT_EQ(Frame()->Action(cmd::kRead)->statusTip(), QStringLiteral("从电台读取数据"));
    // Qt's standard buttons follow the library's language.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    EXPECT_EQ(TreeTexts(), (QStringList{"测试电台", "类型设置", "信道信息", "可选功能"}));
    EXPECT_EQ(Frame()->Action(cmd::kAppAbout)->text(), QStringLiteral("关于测试"));

    // The next start in English leaves no Chinese behind.
    ASSERT_TRUE(Start(Model::WrenV3, "English"));
    EXPECT_EQ(MenuTitles().front(), QStringLiteral("&File"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

TEST_F(ShellTest, EveryMessageAndMenuTextIsTranslated) {
    ASSERT_TRUE(Start(Model::Lark, "Chinese"));
    for (const int* id = radio::MessageIdsBegin(); id != radio::MessageIdsEnd(); ++id) {
        const std::string english = radio::LoadResString(*id);
        ASSERT_FALSE(english.empty()) << *id;
        EXPECT_NE(App().LoadString(*id), english) << *id;
    }
    for (const int id : Frame()->Commands().Ids()) {
        const radio::Command* command = Frame()->Commands().Find(id);
        QAction* action = Frame()->Action(id);
        if (command->text.empty() || action == nullptr) {
            continue;
        }
        EXPECT_NE(action->text().toStdString(), command->text) << id;
        if (!command->prompt.empty()) {
            const std::string status = command->prompt.substr(0, command->prompt.find('\n'));
            EXPECT_NE(action->statusTip().toStdString(), status) << id;
        }
    }
}

TEST_F(ShellTest, LowerCaseChineseIsAnotherLanguageWhoseLibraryIsMissing) {
    EXPECT_FALSE(Start(Model::WrenV2, "chinese"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Load language DLL fail");
    EXPECT_EQ(m_messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(m_messages[0].icon, radio::MessageIcon::None);
}

TEST_F(ShellTest, MissingLibrarySaysSoInTheProfilesLanguage) {
    // A folder where the library should be: it cannot be loaded.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("ChineseLark.rcc"))));
    EXPECT_FALSE(Start(Model::Lark, "Chinese"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "加载语言链接库失败");
}

TEST_F(ShellTest, WithoutAProfileProgramWrenStartsInEnglishAndTheOthersSeekAnUnprefixedLibrary) {
    ASSERT_TRUE(Start(Model::Wren, "", {}, false));
    EXPECT_FALSE(App().language.chinese);
    EXPECT_EQ(App().language.displayName, "");
    EXPECT_EQ(App().language.helpFile, "enHelp.chm");
    EXPECT_EQ(App().language.languageLibrary, "");

    EXPECT_FALSE(Start(Model::Lark, "", {}, false));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Load language DLL fail");
}

TEST_F(ShellTest, ProgramWrenInChineseKeepsItsOwnEnglishResources) {
    ASSERT_TRUE(Start(Model::Wren, "Chinese"));
    EXPECT_TRUE(App().language.chinese);
    EXPECT_EQ(MenuTitles().front(), QStringLiteral("&File"));
    EXPECT_EQ(App().LoadString(radio::ids::kOutOfRange), "Out of range,please input again.");
    // What the code supplies follows the flag.
    EXPECT_EQ(TreeTexts().at(2), QStringLiteral("信道信息"));
    EXPECT_EQ(ChildTitle(), "信道信息");
}

TEST_F(ShellTest, AboutShowsTheProfilesTextsAndAnIcon) {
    ASSERT_TRUE(StartWithProfile(Model::WrenV2, TestProfile("Chinese") +
                                                    "Version=版本 2.0\nCopyrights=版权 2026\n"
                                                    "Copyrights Owner=测试公司\n"));
    CAboutDlg about(App(), Frame());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于测试"));
    EXPECT_EQ(about.Line(1001)->text(), QStringLiteral("版本 2.0"));
    EXPECT_EQ(about.Line(1002)->text(), QStringLiteral("版权 2026"));
    EXPECT_EQ(about.Line(1003)->text(), QStringLiteral("测试公司"));
    EXPECT_FALSE(about.IconLabel()->pixmap().isNull());
}

TEST_F(ShellTest, ChoosingTheActiveLanguageWritesNothingAndDoesNotRestart) {
    ASSERT_TRUE(Start(Model::WrenV3, "English"));
    const std::string before = ProfileOnDisk(Model::WrenV3);
    bool ran = false;
    OnNextDialog<CLanguageDlg>([&](CLanguageDlg& dialog) {
        ran = true;
        EXPECT_TRUE(dialog.EnglishButton()->isChecked());
        QTest::keyClick(&dialog, Qt::Key_F1);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    Frame()->OnCommand(cmd::kLanguage);
    ASSERT_TRUE(ran);
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{32799});
    EXPECT_TRUE(m_processes.starts.empty());
    EXPECT_FALSE(Frame()->ActiveChild()->LanguageDialog()->m_bChanged);
    EXPECT_EQ(App().profile.GetValue("Setup", "Language", ""), "English");
    EXPECT_EQ(ProfileOnDisk(Model::WrenV3), before);
}

TEST_F(ShellTest, AnotherLanguageSavesTheProfileThenStartsTheProgramAgain) {
    ASSERT_TRUE(Start(Model::WrenV3, "English"));
    ShowFrame();
    const auto chooseChinese = [this] {
        OnNextDialog<CLanguageDlg>([](CLanguageDlg& dialog) {
            QTest::mouseClick(dialog.ChineseButton(), Qt::LeftButton);
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
        Frame()->OnCommand(cmd::kLanguage);
    };

    // Unsaved edits: Cancel in the question keeps this instance and starts none.
    EditACell();
    m_answer = MessageResult::Cancel;
    chooseChinese();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].buttons, MessageButtons::SaveDiscardCancel);
    EXPECT_TRUE(m_processes.starts.empty());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");

    // Discard: the window closes and the new instance finds the new language.
    m_answer = MessageResult::Discard;
    chooseChinese();
    EXPECT_FALSE(Frame()->isVisible());
    ASSERT_EQ(m_processes.starts.size(), 1u);
    EXPECT_EQ(m_processes.starts[0].program, Path("ProgramWrenV3"));
    EXPECT_TRUE(m_processes.starts[0].arguments.empty());
    EXPECT_NE(m_processes.starts[0].profileOnDisk.find("Language=Chinese"), std::string::npos);
}

TEST_F(ShellTest, RestartThatCannotStartSaysWhy) {
    ASSERT_TRUE(Start(Model::Lark, "Chinese"));
    m_processes.fail = true;
    OnNextDialog<CLanguageDlg>([](CLanguageDlg& dialog) {
        QTest::mouseClick(dialog.EnglishButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    Frame()->OnCommand(cmd::kLanguage);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("无法重新启动程序"), std::string::npos);
    EXPECT_NE(m_messages[0].text.find("no such file"), std::string::npos);
}

TEST_F(ShellTest, UnsavedChangesAreAskedAboutBeforeExitAndOpen) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ShowFrame();
    EXPECT_EQ(ChildTitle(), "Channel Information");
    EXPECT_TRUE(Frame()->close()); // nothing changed: no question
    ASSERT_TRUE(Start(Model::WrenV3));
    ShowFrame();
    EditACell();
    EXPECT_EQ(ChildTitle(), "Channel Information*");

    // Cancel keeps everything.
    m_answer = MessageResult::Cancel;
    EXPECT_FALSE(Frame()->close());
    m_nextFile = RADIO_EXAMPLES_DIR "/wren-v3.dat";
    Frame()->OnCommand(cmd::kFileOpen);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].buttons, MessageButtons::SaveDiscardCancel);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");
    EXPECT_TRUE(Frame()->isVisible());

    // Discard opens the file; it comes unmodified.
    m_answer = MessageResult::Discard;
    Frame()->OnCommand(cmd::kFileOpen);
    EXPECT_EQ(ChildTitle(), "wren-v3.dat");
    EXPECT_FALSE(Document()->IsModified());

    // Save runs Save As for a document without a file, then exits.
    Frame()->NewDocument();
    EditACell();
    m_answer = MessageResult::Save;
    m_nextFile = Path("kept.dat");
    EXPECT_TRUE(Frame()->close());
    EXPECT_EQ(ReadFile(Path("kept.dat")).size(), 8192u);
    EXPECT_FALSE(Document()->IsModified());
    EXPECT_EQ(ChildTitle(), "kept.dat");
}

TEST_F(ShellTest, NewWithCancelKeepsTheEditsAndItsOwnQuestion) {
    ASSERT_TRUE(Start(Model::Lark));
    EditACell();
    m_answer = MessageResult::Cancel;
    Frame()->OnCommand(cmd::kFileNew);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "All data will be Cleared!");
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");
    EXPECT_TRUE(Document()->IsModified());
}

TEST_F(ShellTest, ALongerFileOpensOnlyAfterSayingSoAndSavingOverItAsks) {
    ASSERT_TRUE(Start(Model::Lark));
    const std::string wren = ReadFile(RADIO_EXAMPLES_DIR "/wren-v3.dat");
    ASSERT_EQ(wren.size(), 8192u);
    WriteFile(Path("other.dat"), wren);

    m_answer = MessageResult::Cancel;
    EXPECT_FALSE(Frame()->OpenDocumentFile(Path("other.dat")));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("8192 bytes"), std::string::npos) << m_messages[0].text;
    EXPECT_NE(m_messages[0].text.find("1024 bytes"), std::string::npos) << m_messages[0].text;
    EXPECT_TRUE(App().freshDocument);
    EXPECT_EQ(ChildTitle(), "Channel Information");

    m_answer = MessageResult::Ok;
    ASSERT_TRUE(Frame()->OpenDocumentFile(Path("other.dat")));
    EXPECT_EQ(ChildTitle(), "other.dat");
    EXPECT_EQ(Document()->GetImage(), radio::Image(wren.begin(), wren.begin() + 1024));

    m_answer = MessageResult::Cancel;
    Frame()->OnCommand(cmd::kFileSave);
    EXPECT_EQ(ReadFile(Path("other.dat")), wren);
    m_answer = MessageResult::Ok;
    Frame()->OnCommand(cmd::kFileSave);
    EXPECT_EQ(ReadFile(Path("other.dat")).size(), 1024u);
    // Now it is a file of this programmer: no more questions.
    const std::size_t asked = m_messages.size();
    Frame()->OnCommand(cmd::kFileSave);
    EXPECT_EQ(m_messages.size(), asked);
}

TEST_F(ShellTest, SplitterDragClampsTheMarkButKeepsTheReleasedWidth) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ShowFrame();
    CNavigationBar* bar = Bar();
    EXPECT_EQ(bar->BarWidth(), 220);
    EXPECT_EQ(bar->width(), 220);
    EXPECT_EQ(bar->CloseRect().size(), QSize(16, 15));
    EXPECT_EQ(bar->Tree()->geometry().topLeft(), QPoint(5, 31));
    EXPECT_EQ(bar->Tree()->width(), 220 - 13);
    const int half = bar->parentWidget()->width() / 2;
    const QRect strip = bar->SplitterStrip();
    EXPECT_EQ(strip.width(), 7);
    const int y = strip.center().y();

    // Pressing outside the strip drags nothing.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(100, y));
    EXPECT_FALSE(bar->IsDragging());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(100, y));

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(strip.left() + 2, y));
    EXPECT_TRUE(bar->IsDragging());
    QTest::mouseMove(bar, QPoint(50, y));
    EXPECT_EQ(bar->TrackerX(), 80);
    QTest::mouseMove(bar, QPoint(half + 200, y));
    EXPECT_EQ(bar->TrackerX(), half);
    QTest::mouseMove(bar, QPoint(50, y));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(50, y));
    EXPECT_EQ(bar->TrackerX(), -1);
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_EQ(bar->BarWidth(), 50);
    EXPECT_EQ(bar->width(), 50);

    const auto dragTo = [&](int x) {
        const QRect s = bar->SplitterStrip();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(s.left() + 1, y));
        QTest::mouseMove(bar, QPoint(x, y));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(x, y));
    };
    dragTo(5);
    EXPECT_EQ(bar->BarWidth(), 11);
    dragTo(half + 300);
    EXPECT_EQ(bar->BarWidth(), half);
    dragTo(300);
    EXPECT_EQ(bar->BarWidth(), 300);
    EXPECT_EQ(bar->Tree()->width(), 300 - 13);
}

TEST_F(ShellTest, CloseButtonHidesOnlyWhenReleasedOverItAndControlBarBringsItBack) {
    ASSERT_TRUE(Start(Model::Wren));
    ShowFrame();
    CNavigationBar* bar = Bar();
    QAction* controlBar = Frame()->Action(cmd::kControlBar);
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(controlBar->isChecked());
    const QPoint close = bar->CloseRect().center();

    QTest::mousePress(bar, Qt::LeftButton, {}, close);
    EXPECT_TRUE(bar->IsPressed());
    QTest::mouseMove(bar, close + QPoint(0, 60));
    EXPECT_FALSE(bar->IsPressed());
    QTest::mouseMove(bar, close);
    EXPECT_TRUE(bar->IsPressed());
    EXPECT_FALSE(bar->IsHot());
    QTest::mouseMove(bar, close + QPoint(0, 60));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, close + QPoint(0, 60));
    EXPECT_FALSE(bar->isHidden());

    // Hovering with the button up raises it.
    QMouseEvent hover(QEvent::MouseMove, QPointF(close), bar->mapToGlobal(QPointF(close)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &hover);
    EXPECT_TRUE(bar->IsHot());

    // A narrower bar, closed and shown again, keeps its width.
    const QRect s = bar->SplitterStrip();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(s.left() + 1, s.center().y()));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(150, s.center().y()));
    ASSERT_EQ(bar->BarWidth(), 150);
    const QPoint newClose = bar->CloseRect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, newClose);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, newClose);
    EXPECT_TRUE(bar->isHidden());
    Frame()->UpdateCommandStates();
    EXPECT_FALSE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(controlBar->isChecked());
    EXPECT_EQ(bar->width(), 150);
    controlBar->trigger();
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(ShellTest, TreeItemsActAndTheSameItemActsAgain) {
    ASSERT_TRUE(Start(Model::WrenV2));
    ShowFrame();
    CChildFrame* child = Frame()->ActiveChild();
    Frame()->OnCommand(cmd::kFileClose);
    ASSERT_TRUE(child->isHidden());
    ClickTreeItem(1); // Channel Information
    EXPECT_FALSE(child->isHidden());
    EXPECT_EQ(Bar()->Tree()->currentItem(), Bar()->Tree()->topLevelItem(0));
    child->close();
    ClickTreeItem(1);
    EXPECT_FALSE(child->isHidden());

    int opened = 0;
    const auto closeProductDialog = [&] {
        OnNextDialog<CProductInfoDlg>([&](CProductInfoDlg& dialog) {
            ++opened;
            QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        });
    };
    closeProductDialog();
    ClickTreeItem(0);
    // Once, though the pointer still rests on the item when the root is
    // selected again.
    EXPECT_EQ(opened, 1);
    closeProductDialog();
    ClickTreeItem(0);
    EXPECT_EQ(opened, 2);

    // The root does nothing.
    Frame()->OnCommand(cmd::kFileClose);
    ClickTreeItem(-1);
    EXPECT_TRUE(child->isHidden());
}

TEST_F(ShellTest, ChineseTreeLabelsAct) {
    ASSERT_TRUE(Start(Model::WrenV3, "Chinese"));
    ShowFrame();
    CChildFrame* child = Frame()->ActiveChild();
    Frame()->OnCommand(cmd::kFileClose);
    ClickTreeItem(1);
    EXPECT_FALSE(child->isHidden());
}

TEST_F(ShellTest, BackgroundComesFromBesideTheProgramWhateverTheWorkingFolder) {
    ASSERT_TRUE(Start(Model::WrenV2));
    EXPECT_EQ(App().language.programDirectory, m_dir.path().toStdString() + "/");
    // No file there yet: the built-in tile.
    EXPECT_EQ(Frame()->MdiClient()->Tile().size(), QSize(238, 157));
    QImage own(20, 10, QImage::Format_RGB32);
    own.fill(Qt::darkCyan);
    ASSERT_TRUE(own.save(QString::fromStdString(Path("background.bmp"))));
    EXPECT_EQ(Frame()->MdiClient()->Tile().size(), QSize(20, 10));

    // ProgramWren stretches its own picture and reads no file.
    ASSERT_TRUE(Start(Model::Wren));
    EXPECT_EQ(Frame()->MdiClient()->Tile().size(), QSize(238, 157));
}

TEST_F(ShellTest, F6MovesTheKeyboardBetweenTreeAndTable) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ShowFrame();
    Frame()->activateWindow();
    Grid().setFocus();
    Frame()->OnCommand(cmd::kNextPane);
    EXPECT_EQ(QApplication::focusWidget(), Bar()->Tree());
    Frame()->OnCommand(cmd::kNextPane);
    EXPECT_EQ(QApplication::focusWidget(), &Grid());
    Frame()->OnCommand(cmd::kPrevPane);
    EXPECT_EQ(QApplication::focusWidget(), Bar()->Tree());
}

// Each bundled example names a product of its programmer's shipped
// catalogue, and every channel in it could be typed again as it is shown.
class ExampleTest : public ProgrammerTest, public ::testing::WithParamInterface<Model> {};

TEST_P(ExampleTest, NamesAProductAndEveryChannelPassesItsBand) {
    const radio::ModelVariant& variant = radio::VariantFor(GetParam());
    const std::string profile = ReadFile(RADIO_PROFILES_DIR "/" + std::string(variant.profileFile));
    const std::string example = RADIO_EXAMPLES_DIR "/" + std::string(variant.cliName) + ".dat";
    ASSERT_TRUE(StartWithProfile(GetParam(), profile, {QString::fromStdString(example)}));
    const QRegularExpressionMatch title =
        QRegularExpression(QStringLiteral("Type:(\\S+)\\s+Fre:(\\S.*\\S)\\s*\\]$"))
            .match(Frame()->windowTitle());
    ASSERT_TRUE(title.hasMatch()) << Frame()->windowTitle().toStdString();
    const radio::BandLimits band = View()->GetBandLimits();
    ASSERT_GT(band.lower, 0);
    ASSERT_GT(band.upper, band.lower);
    int channels = 0;
    for (int row = 1; row < Grid().Rows(); ++row) {
        for (const int col : {1, 2}) {
            const std::string text = Grid().TextMatrix(row, col);
            if (text.empty()) {
                continue;
            }
            ++channels;
            const radio::FrequencyCheck check = radio::CheckFrequency(text, band);
            EXPECT_TRUE(check.Accepted()) << "row " << row << ": " << text;
            EXPECT_EQ(check.text, text);
        }
    }
    EXPECT_GE(channels, 8);
}

INSTANTIATE_TEST_SUITE_P(AllProgrammers, ExampleTest,
                         ::testing::Values(Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3),
                         [](const ::testing::TestParamInfo<Model>& info) {
                             return std::string(radio::VariantFor(info.param).programName);
                         });

} // namespace
