// ProductLauncher's dialog, driven offscreen with a recording process start:
// the product list, the language pair, what OK writes and starts, and
// Cancel.
#include "GuiTestSupport.h"

#include "IniFile.h"
#include "SelectProductDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string Path(const std::string& name) const {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }
    void WriteProgramIni(const std::string& text) {
        std::ofstream(Path("Program.ini"), std::ios::binary) << text;
    }
    // Runs the dialog on "Program.ini" of the folder; `inDialog` acts in it.
    int Run(const std::function<void(CSelectProductDlg&)>& inDialog) {
        m_profile = std::make_unique<radio::CIniFile>();
        m_profile->OpenInProgramDir(Path("ProductLauncher"), "Program.ini");
        CSelectProductDlg dialog(*m_profile, Path("ProductLauncher"), m_starter);
        dialog.SetErrorSink([this](const QString& text) { m_errors << text; });
        QTimer::singleShot(0, &dialog, [&] {
            inDialog(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        return dialog.DoModal();
    }

    QTemporaryDir m_dir;
    RecordingProcessStarter m_starter;
    std::unique_ptr<radio::CIniFile> m_profile;
    QStringList m_errors;
};

TEST_F(LauncherTest, TheListPlaceDecidesAndNoSelectionStartsProgramWrenV3) {
    WriteProgramIni("[Setup]\nType=A,,B\nDefault=7\nAppName=Suite\nLanguage=English\n");
    m_starter.profilePath = Path("ProgramWrenV3.ini");
    Run([](CSelectProductDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Suite"));
        ASSERT_EQ(dialog.ProductBox()->count(), 2);
        EXPECT_EQ(dialog.ProductBox()->itemText(0), QStringLiteral("A\n"));
        EXPECT_EQ(dialog.ProductBox()->itemText(1), QStringLiteral("B\n"));
        EXPECT_EQ(dialog.ProductBox()->currentIndex(), -1);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(m_starter.starts.size(), 1u);
    EXPECT_EQ(m_starter.starts[0].program, Path("ProgramWrenV3"));
    // The programmer's profile was on disk, made with just its language,
    // before the programmer started.
    EXPECT_EQ(m_starter.starts[0].profileOnDisk, "[Setup]\r\nLanguage=English\r\n");
    EXPECT_EQ(m_profile->GetValue("Setup", "Default", ""), "-1");

    // "Program.ini" reaches the disk when the launcher ends.
    EXPECT_NE(ReadFile(Path("Program.ini")).find("Default=7"), std::string::npos);
    m_profile.reset();
    EXPECT_NE(ReadFile(Path("Program.ini")).find("Default=-1"), std::string::npos);
}

TEST_F(LauncherTest, SecondPlaceStartsProgramWrenInTheChosenLanguage) {
    WriteProgramIni("[Setup]\nType=X,Y,Z,W\nDefault=1\nLanguage=English\n");
    std::ofstream(Path("ProgramWren.ini"), std::ios::binary)
        << "[Setup]\nLanguage=English\nAppName=Wren\n";
    m_starter.profilePath = Path("ProgramWren.ini");
    Run([](CSelectProductDlg& dialog) {
        EXPECT_EQ(dialog.ProductBox()->currentIndex(), 1);
        QTest::mouseClick(dialog.ChineseBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    ASSERT_EQ(m_starter.starts.size(), 1u);
    EXPECT_EQ(m_starter.starts[0].program, Path("ProgramWren"));
    EXPECT_NE(m_starter.starts[0].profileOnDisk.find("Language=Chinese"), std::string::npos);
    EXPECT_NE(m_starter.starts[0].profileOnDisk.find("AppName=Wren"), std::string::npos);
    EXPECT_EQ(m_profile->GetValue("Setup", "Default", ""), "1");
    EXPECT_EQ(m_profile->GetValue("Setup", "Language", ""), "Chinese");
}

TEST_F(LauncherTest, LanguageBoxesActAsAPairAndAnythingButEnglishIsChinese) {
    WriteProgramIni("[Setup]\nType=A,B\nDefault=0\nLanguage=english\n");
    Run([](CSelectProductDlg& dialog) {
        EXPECT_TRUE(dialog.ChineseBox()->isChecked());
        EXPECT_FALSE(dialog.EnglishBox()->isChecked());
        EXPECT_EQ(dialog.Label()->text(), QStringLiteral("请选择产品"));
        EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("确认"));
        EXPECT_EQ(dialog.ChineseBox()->text(), QStringLiteral("中文"));
        // Clicking the box that is set leaves it set.
        QTest::mouseClick(dialog.ChineseBox(), Qt::LeftButton);
        EXPECT_TRUE(dialog.ChineseBox()->isChecked());
        QTest::mouseClick(dialog.EnglishBox(), Qt::LeftButton);
        EXPECT_TRUE(dialog.EnglishBox()->isChecked());
        EXPECT_FALSE(dialog.ChineseBox()->isChecked());
        EXPECT_EQ(dialog.Label()->text(), QStringLiteral("Select Product"));
        EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    // Cancel keeps the language change, never the selection.
    EXPECT_TRUE(m_starter.starts.empty());
    m_profile.reset();
    const std::string ini = ReadFile(Path("Program.ini"));
    EXPECT_NE(ini.find("Language=English"), std::string::npos);
    EXPECT_NE(ini.find("Default=0"), std::string::npos);
}

TEST_F(LauncherTest, MissingProgramIniGivesAnEmptyChineseDialog) {
    Run([](CSelectProductDlg& dialog) {
        EXPECT_EQ(dialog.ProductBox()->count(), 0);
        EXPECT_EQ(dialog.windowTitle(), QString());
        EXPECT_TRUE(dialog.ChineseBox()->isChecked());
    });
    m_profile.reset();
    EXPECT_NE(ReadFile(Path("Program.ini")).find("Language=Chinese"), std::string::npos);
}

TEST_F(LauncherTest, AProgrammerThatCannotStartIsNamedAndTheDialogStays) {
    WriteProgramIni("[Setup]\nType=A,B,C\nDefault=2\nLanguage=English\n");
    m_starter.fail = true;
    bool stayed = false;
    Run([&](CSelectProductDlg& dialog) {
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        stayed = dialog.isVisible();
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("ProgramWrenV2"))) << m_errors[0].toStdString();
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("no such file")));
    EXPECT_EQ(m_profile->GetValue("Setup", "Default", ""), "2");
}

} // namespace
