#include "IniFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using radio::CIniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = fs::temp_directory_path() /
                ("inifile-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

TEST_F(IniFileTest, WorkedExampleReadsCutsCommentsAndWritesBack) {
    // CR LF and LF line ends mixed, no final line end.
    const std::string path = Write("Program.ini", "; settings\r\nTop=1\r\n[Setup]\n"
                                                  "Language = English // chosen\nAppName=abc");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetValue("Setup", "language", ""), "English ");
    EXPECT_EQ(ini.GetValue("setup", "APPNAME", ""), "abc");
    EXPECT_EQ(ini.GetValue("", "Top", ""), "1");
    EXPECT_EQ(ini.GetValue("Setup", "Top", "none"), "none");
    EXPECT_EQ(ini.GetValue("Nowhere", "Top", "none"), "none");

    // Change a value and put it back: the file is still written, in full.
    ini.SetValue("Setup", "AppName", "x");
    ini.SetValue("Setup", "AppName", "abc");
    ini.Save();
    EXPECT_FALSE(ini.LastSaveFailed());
    EXPECT_EQ(Read(path), "Top=1\r\n[Setup]\r\nLanguage=English // chosen\r\nAppName=abc\r\n");
}

TEST_F(IniFileTest, MissingFileIsCreatedEmptyAndUnchangedFileIsNotRewritten) {
    const std::string missing = PathOf("New.ini");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(missing));
        EXPECT_EQ(ini.Path(), missing);
        EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "");
    }
    ASSERT_TRUE(fs::exists(missing));
    EXPECT_EQ(fs::file_size(missing), 0u);

    // Setting a value to what it already is changes nothing, so the comment
    // and blank line survive.
    const std::string text = "; keep me\r\n\r\n[Setup]\r\nLanguage=English\r\n";
    const std::string path = Write("Same.ini", text);
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path));
        ini.SetValue("SETUP", "language", "English");
    }
    EXPECT_EQ(Read(path), text);
}

TEST_F(IniFileTest, UnopenableFileLeavesObjectEmpty) {
    CIniFile ini;
    EXPECT_FALSE(ini.Open(PathOf("no-such-dir/Program.ini")));
    EXPECT_FALSE(ini.Open(m_dir.string())); // a directory
    EXPECT_TRUE(ini.Path().empty());
    ini.SetValue("Setup", "Language", "English");
    EXPECT_EQ(ini.GetValue("Setup", "Language", "def"), "def");
    ini.Save();
    EXPECT_FALSE(fs::exists(PathOf("no-such-dir")));
}

TEST_F(IniFileTest, DuplicateSectionsFirstWinsDuplicateKeysLastWins) {
    const std::string path =
        Write("Dup.ini", "[Setup]\nKey=1\nkey=2\nOnly=first\n[SETUP]\nOnly=second\nOther=x\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetValue("setup", "KEY", ""), "2");
    EXPECT_EQ(ini.GetValue("Setup", "Only", ""), "first");
    EXPECT_EQ(ini.GetValue("Setup", "Other", "missing"), "missing");

    ini.SetValue("Setup", "KEY", "3");
    ini.Save();
    EXPECT_EQ(Read(path),
              "[Setup]\r\nKey=1\r\nkey=3\r\nOnly=first\r\n[SETUP]\r\nOnly=second\r\nOther=x\r\n");
}

TEST_F(IniFileTest, LineRules) {
    const std::string path = Write("Lines.ini", "  \t\n"
                                                "=orphan\n"
                                                ";c1\n/c2\n\\c3\n*c4\n"
                                                "[Setup]\n"
                                                "  Flag  \n"
                                                "[Other] ; not a header\n"
                                                "After = v1 = v2 \n"
                                                "[ Spaced ]\n"
                                                "S=1\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetValue("Setup", "Flag", "def"), ""); // key without "="
    EXPECT_EQ(ini.GetValue("Setup", "[Other] ; not a header", "def"), "");
    EXPECT_EQ(ini.GetValue("Other", "After", "def"), "def");
    EXPECT_EQ(ini.GetValue("Setup", "After", ""), "v1 = v2");
    EXPECT_EQ(ini.GetValue(" Spaced ", "S", ""), "1");
    EXPECT_EQ(ini.GetValue("Spaced", "S", "def"), "def");

    ini.SetValue("Setup", "Flag", "on");
    ini.Save();
    EXPECT_EQ(Read(path), "[Setup]\r\nFlag=on\r\n[Other] ; not a header=\r\nAfter=v1 = v2\r\n"
                          "[ Spaced ]\r\nS=1\r\n");
}

TEST_F(IniFileTest, CommentCutting) {
    const std::string path = Write("Comments.ini", "[S]\n"
                                                   "slashes=a//b\n"
                                                   "semicolon=a;b\n"
                                                   "tabsemi=a\t;b\n"
                                                   "block=a /* b */\n"
                                                   "order=x\t;y//z\n"
                                                   "url=http://host\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetValue("S", "slashes", ""), "a");
    EXPECT_EQ(ini.GetValue("S", "semicolon", ""), "a;b");
    EXPECT_EQ(ini.GetValue("S", "tabsemi", ""), "a");
    EXPECT_EQ(ini.GetValue("S", "block", ""), "a ");
    EXPECT_EQ(ini.GetValue("S", "order", ""), "x");
    EXPECT_EQ(ini.GetValue("S", "url", ""), "http:");

    // Stored values keep their comments.
    ini.SetValue("S", "new", "1");
    ini.Save();
    EXPECT_NE(Read(path).find("tabsemi=a\t;b\r\n"), std::string::npos);
    EXPECT_NE(Read(path).find("block=a /* b */\r\n"), std::string::npos);
}

TEST_F(IniFileTest, NamelessSectionsWriteNoHeader) {
    const std::string path = Write("Nameless.ini", "[A]\nx=1\n[]\ny=2\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path));
        // "[]" is a separate section, but lookups of "" find section 0.
        EXPECT_EQ(ini.GetValue("A", "y", "def"), "def");
        EXPECT_EQ(ini.GetValue("", "y", "def"), "def");
        // Section 0 is written first, without a header.
        ini.SetValue("", "Top", "1");
    }
    EXPECT_EQ(Read(path), "Top=1\r\n[A]\r\nx=1\r\ny=2\r\n");

    CIniFile again;
    ASSERT_TRUE(again.Open(path));
    EXPECT_EQ(again.GetValue("A", "y", ""), "2"); // joined [A] on reload
}

TEST_F(IniFileTest, NewSectionsAndKeysAreAppended) {
    const std::string path = Write("Grow.ini", "[Setup]\nA=1\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    std::string expected = "[Setup]\r\nA=1\r\nB=2\r\n";
    ini.SetValue("Setup", "B", "2");
    for (int i = 0; i < 10; ++i) {
        const std::string name = "S" + std::to_string(i);
        ini.SetValue(name, "k", std::to_string(i));
        expected += "[" + name + "]\r\nk=" + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(ini.GetValue("s7", "K", ""), "7");
    ini.Save();
    EXPECT_EQ(Read(path), expected);
}

TEST_F(IniFileTest, CaseOnlyChangeReachesDisk) {
    const std::string path = Write("Case.ini", "[Setup]\r\nLanguage=english\r\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(path));
        ini.SetValue("Setup", "LANGUAGE", "English");
        EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "English");
    }
    EXPECT_EQ(Read(path), "[Setup]\r\nLanguage=English\r\n");
}

TEST_F(IniFileTest, SaveKeepsModifiedMarkAndLeavesNoTempFiles) {
    const std::string path = Write("Again.ini", "[Setup]\nA=1\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    ini.SetValue("Setup", "A", "2");
    ini.Save();
    Write("Again.ini", "overwritten elsewhere");
    ini.Save(); // still marked modified: written again
    EXPECT_EQ(Read(path), "[Setup]\r\nA=2\r\n");

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(IniFileTest, OpeningAnotherFileSavesTheFirst) {
    const std::string first = Write("First.ini", "[S]\nA=1\n");
    const std::string second = Write("Second.ini", "[S]\nA=9\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(first));
    ini.SetValue("S", "A", "2");
    ASSERT_TRUE(ini.Open(second));
    EXPECT_EQ(Read(first), "[S]\r\nA=2\r\n");
    EXPECT_EQ(ini.GetValue("S", "A", ""), "9");
    EXPECT_EQ(Read(second), "[S]\nA=9\n"); // not modified, not rewritten
}

TEST_F(IniFileTest, FailedSaveIsReportedAndHarmless) {
    const fs::path sub = m_dir / "sub";
    fs::create_directories(sub);
    const std::string path = (sub / "Gone.ini").string();
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    ini.SetValue("S", "A", "1");
    fs::remove_all(sub);
    ini.Save();
    EXPECT_TRUE(ini.LastSaveFailed());
    EXPECT_FALSE(fs::exists(sub));
}

#ifndef _WIN32
TEST_F(IniFileTest, SaveThroughSymlinkReplacesTargetKeepingPermissions) {
    const std::string target = Write("Real.ini", "[S]\nA=1\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const fs::path link = m_dir / "Link.ini";
    fs::create_symlink(target, link);
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Open(link.string()));
        ini.SetValue("S", "A", "2");
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(target), "[S]\r\nA=2\r\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFileTest, InPlaceFallbackWritesWholeText) {
    // A link whose target vanished cannot be replaced by rename; the file is
    // then written through the link in place.
    const fs::path target = m_dir / "Target.ini";
    const fs::path link = m_dir / "Dangling.ini";
    fs::create_symlink(target, link);
    CIniFile ini;
    ASSERT_TRUE(ini.Open(link.string())); // creates the target
    ini.SetValue("S", "A", "1");
    fs::remove(target);
    ini.Save();
    EXPECT_FALSE(ini.LastSaveFailed());
    EXPECT_EQ(Read(target.string()), "[S]\r\nA=1\r\n");
}
#endif

TEST_F(IniFileTest, OpenInProgramDir) {
    {
        CIniFile ini;
        ASSERT_TRUE(ini.OpenInProgramDir((m_dir / "ProgramLark").string(), "ProgramLark.ini"));
        EXPECT_EQ(fs::path(ini.Path()), m_dir / "ProgramLark.ini");
    }
    EXPECT_TRUE(fs::exists(m_dir / "ProgramLark.ini"));

    // Started through the search path.
    EXPECT_EQ(fs::path(CIniFile::ProgramDirectoryOf("ProgramLark")), fs::current_path());
}

TEST_F(IniFileTest, InAFolderThatTakesNoChangesTheUsersCopyGetsThemAndIsPreferred) {
    fs::create_directories(m_dir / "suite");
    const std::string program = (m_dir / "suite" / "ProgramLark").string();
    Write("suite/ProgramLark.ini", "[Setup]\nLanguage=English\nAppName=Lark\n");
    const radio::ProfilePlaces installed{false, (m_dir / "user").string()};
    {
        CIniFile ini;
        ASSERT_TRUE(ini.OpenInProgramDir(program, "ProgramLark.ini", installed));
        EXPECT_EQ(ini.GetValue("Setup", "AppName", ""), "Lark");
        // Only reading creates nothing for the user.
        ini.Save();
        EXPECT_FALSE(fs::exists(m_dir / "user"));
        ini.SetValue("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(Read(PathOf("suite/ProgramLark.ini")), "[Setup]\nLanguage=English\nAppName=Lark\n");
    EXPECT_EQ(Read(PathOf("user/ProgramLark.ini")),
              "[Setup]\r\nLanguage=Chinese\r\nAppName=Lark\r\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.OpenInProgramDir(program, "ProgramLark.ini", installed));
        EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "Chinese");
        EXPECT_EQ(fs::path(ini.Path()), m_dir / "user" / "ProgramLark.ini");
    }
    // A profile missing from the installed folder starts empty for the user.
    {
        CIniFile ini;
        ASSERT_TRUE(ini.OpenInProgramDir(program, "ProgramWren.ini", installed));
        ini.SetValue("Setup", "Language", "English");
    }
    EXPECT_FALSE(fs::exists(m_dir / "suite" / "ProgramWren.ini"));
    EXPECT_NE(Read(PathOf("user/ProgramWren.ini")).find("Language=English"), std::string::npos);

    // Where the folder takes changes, the profile beside the program is the
    // one, whatever the user's folder holds.
    CIniFile ini;
    ASSERT_TRUE(
        ini.OpenInProgramDir(program, "ProgramLark.ini", {true, (m_dir / "user").string()}));
    EXPECT_EQ(ini.GetValue("Setup", "Language", ""), "English");
}

TEST_F(IniFileTest, NameComparisonIsMultibyteSafe) {
    // GBK "信道" and a GBK pair whose trail byte is the letter 'a'.
    const std::string path = Write("Gbk.ini", "[\xD0\xC5\xB5\xC0x]\n"
                                              "\x81\x61=lower\n"
                                              "\x81\x41=upper\n"
                                              "[\xE4\xBF\xA1x]\n" // UTF-8 "信x"
                                              "\xE4\xBF\xA1=\xE9\xAB\x98\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.GetValue("\xD0\xC5\xB5\xC0X", "\x81\x61", ""), "lower");
    EXPECT_EQ(ini.GetValue("\xD0\xC5\xB5\xC0X", "\x81\x41", ""), "upper");
    EXPECT_EQ(ini.GetValue("\xE4\xBF\xA1X", "\xE4\xBF\xA1", ""), "\xE9\xAB\x98");

    // Values are bytes: GBK comes back unchanged.
    ini.SetValue("\xD0\xC5\xB5\xC0x", "Name", "\xB8\xDF");
    ini.Save();
    CIniFile again;
    ASSERT_TRUE(again.Open(path));
    EXPECT_EQ(again.GetValue("\xD0\xC5\xB5\xC0x", "name", ""), "\xB8\xDF");
}

} // namespace
