#include "HelpFile.h"
#include "CommandIds.h"
#include "HelpTestSupport.h"
#include "context.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

using namespace HelpFileDetail;

namespace {

std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
            static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24 & 0xFF)};
}

std::string Record(std::uint16_t code, const std::string& data) {
    const auto length = static_cast<std::uint16_t>(data.size());
    return std::string{static_cast<char>(code & 0xFF), static_cast<char>(code >> 8),
                       static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} +
           data;
}

bool HasCjk(const std::string& utf8) {
    // Three-byte UTF-8 sequences starting E4..E9 cover the common ideographs.
    for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xE4 && c <= 0xE9) {
            return true;
        }
    }
    return false;
}

std::string TitleOf(const std::string& html) {
    const auto start = html.find("<title>");
    const auto end = html.find("</title>");
    if (start == std::string::npos || end == std::string::npos || end < start) {
        return {};
    }
    return html.substr(start + 7, end - start - 7);
}

struct Language {
    const char* file;
    const char* dir;
};

class BuiltHelp : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override {
        ASSERT_TRUE(help.Open(BuiltHelpFile(GetParam().file))) << BuiltHelpFile(GetParam().file);
    }
    CHelpFile help;
};

} // namespace

TEST(HelpContextMap, ReadsPairsOfContextAndNameOffset) {
    const std::string strings = std::string("\0/x/en/a.html\0en/b.html\0", 24);
    const std::string ivb = Le32(16) + Le32(32773) + Le32(1) + Le32(1000) + Le32(14);
    const auto entries = ParseContextMap(ivb, strings);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::make_pair(32773u, std::string("/x/en/a.html")));
    EXPECT_EQ(entries[1], std::make_pair(1000u, std::string("en/b.html")));
}

TEST(HelpContextMap, SurvivesDamagedObjects) {
    const std::string strings = std::string("\0a.html\0b.html", 14); // last name unterminated
    // Declared length beyond the object, an offset past "#STRINGS", an empty
    // name and a half entry at the end.
    const std::string ivb = Le32(400) + Le32(1) + Le32(1) + Le32(2) + Le32(99) + Le32(3) + Le32(0) +
                            Le32(4) + Le32(8) + Le32(5);
    const auto entries = ParseContextMap(ivb, strings);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::make_pair(1u, std::string("a.html")));
    EXPECT_EQ(entries[1], std::make_pair(4u, std::string("b.html")));
    EXPECT_TRUE(ParseContextMap("", strings).empty());
    EXPECT_TRUE(ParseContextMap(std::string("\x08\0", 2), strings).empty());
}

TEST(HelpContextMap, SystemRecordsGiveDefaultTopicAndTitle) {
    const std::string system = Le32(3) + Record(9, "HHA") +
                               Record(2, std::string("en/index.html\0", 14)) +
                               Record(3, std::string("Help\0", 5));
    EXPECT_EQ(SystemRecord(system, 2), "en/index.html");
    EXPECT_EQ(SystemRecord(system, 3), "Help");
    EXPECT_EQ(SystemRecord(system, 4), std::nullopt);
    // A record that claims more bytes than remain ends the search.
    const std::string cut = Le32(3) + Record(2, "en/index.html").substr(0, 10);
    EXPECT_EQ(SystemRecord(cut, 2), std::nullopt);
}

TEST(HelpContextMap, TopicNamesResolveToStoredFiles) {
    const std::set<std::string> stored = {"/en/read.html", "/read.html", "/zh/read.html"};
    const auto exists = [&](const std::string& p) { return stored.count(p) != 0; };
    // Full paths of the compiling machine: the longest stored tail wins.
    EXPECT_EQ(ResolveTopicName("/work/build/res/help/stage-en/en/read.html", exists),
              "/en/read.html");
    EXPECT_EQ(ResolveTopicName("C:\\help\\zh\\read.html", exists), "/zh/read.html");
    EXPECT_EQ(ResolveTopicName("en/read.html", exists), "/en/read.html");
    EXPECT_EQ(ResolveTopicName("./en/../read.html", exists), "/read.html");
    EXPECT_EQ(ResolveTopicName("/work/missing.html", exists), std::nullopt);
    EXPECT_EQ(ResolveTopicName("", exists), std::nullopt);
    EXPECT_EQ(NormalisePath("../../en//a.html"), "/en/a.html");
}

TEST(HelpFileOpen, ControlDataThatWouldMakeChmlibDivideByZeroIsRefused) {
    std::ifstream in(BuiltHelpFile("enHelp.chm"), std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(HelpFileDetail::ControlDataIsSafe(good));
    const std::size_t lzxc = good.find("LZXC");
    ASSERT_NE(lzxc, std::string::npos);
    // Window size 0, 1 << 17 which the version 2 scaling wraps to 0, and
    // windows LZX has no decoder for (3 * 2^15 and 2^22 bytes after scaling).
    for (std::uint32_t window : {0u, 1u << 17, 3u, 1u << 7}) {
        std::string bad = good;
        for (int k = 0; k < 4; ++k)
            bad[lzxc + 12 + k] = static_cast<char>(window >> (8 * k));
        EXPECT_FALSE(HelpFileDetail::ControlDataIsSafe(bad)) << window;
        const auto path = std::filesystem::temp_directory_path() / "help_tests_zero_window.chm";
        std::ofstream(path, std::ios::binary) << bad;
        CHelpFile help;
        EXPECT_FALSE(help.Open(path.string()));
        std::filesystem::remove(path);
    }
    // Headers that cannot be followed.
    EXPECT_FALSE(HelpFileDetail::ControlDataIsSafe(good.substr(0, 0x60)));
    EXPECT_FALSE(HelpFileDetail::ControlDataIsSafe(std::string(4096, '\0')));
}

TEST(HelpFileOpen, RefusesMissingAndForeignFiles) {
    CHelpFile help;
    EXPECT_FALSE(help.Open("/nonexistent/enHelp.chm"));
    EXPECT_FALSE(help.IsOpen());

    const auto path = std::filesystem::temp_directory_path() / "help_tests_not_a_chm.chm";
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string(4096, 'x');
    }
    EXPECT_FALSE(help.Open(path.string()));
    std::filesystem::remove(path);
    EXPECT_EQ(help.TopicForContext(32773), std::nullopt);
    EXPECT_EQ(help.ReadFile("/en/index.html"), std::nullopt);
    EXPECT_TRUE(help.Files().empty());
}

TEST_P(BuiltHelp, EveryUsedContextNumberHasARealTopic) {
    for (const std::uint32_t id : UsedContextNumbers()) {
        SCOPED_TRACE(id);
        const auto topic = help.TopicForContext(id);
        ASSERT_TRUE(topic.has_value());
        EXPECT_EQ(topic->rfind(std::string("/") + GetParam().dir + "/", 0), 0u) << *topic;
        const auto page = help.ReadFile(*topic);
        ASSERT_TRUE(page.has_value()) << *topic;
        EXPECT_NE(page->find("charset=utf-8"), std::string::npos) << *topic;
        const std::string title = TitleOf(*page);
        EXPECT_FALSE(title.empty()) << *topic;
        const std::string text = VisibleText(*page);
        EXPECT_NE(text.find(title), std::string::npos) << *topic << " does not show its title";
        // At least a sentence besides the title and the link to the contents.
        EXPECT_GT(text.size(), title.size() + 100u) << *topic << " says too little";
        if (std::string(GetParam().dir) == "zh") {
            EXPECT_TRUE(HasCjk(text)) << *topic << " is not in Chinese";
        }
    }
}

TEST_P(BuiltHelp, UnknownContextNumbersHaveNoTopic) {
    for (const std::uint32_t id : {0u, 3u, 1001u, 12345u, 0xFFFFFFFFu}) {
        EXPECT_EQ(help.TopicForContext(id), std::nullopt) << id;
    }
}

TEST_P(BuiltHelp, ContentsPageLeadsToEveryTopic) {
    const std::string contents = help.DefaultTopic();
    ASSERT_EQ(contents, std::string("/") + GetParam().dir + "/index.html");
    const auto page = help.ReadFile(contents);
    ASSERT_TRUE(page.has_value());
    std::set<std::string> linked;
    for (const std::string& target : LinkTargets(*page)) {
        linked.insert(NormalisePath(std::string("/") + GetParam().dir + "/" + target));
    }
    for (const auto& [id, topic] : help.ContextMap()) {
        if (topic != contents) {
            EXPECT_EQ(linked.count(topic), 1u) << topic << " (" << id << ") is not in the contents";
        }
    }
}

TEST_P(BuiltHelp, LinksPointToStoredFiles) {
    const auto files = help.Files();
    ASSERT_GT(files.size(), 50u);
    for (const std::string& file : files) {
        if (file.size() < 5 || file.substr(file.size() - 5) != ".html") {
            continue;
        }
        const std::string dir = file.substr(0, file.rfind('/') + 1);
        for (std::string target : LinkTargets(help.ReadFile(file).value_or(""))) {
            target = target.substr(0, target.find('#'));
            if (!target.empty()) {
                EXPECT_TRUE(help.Exists(dir + target)) << file << " links to " << target;
            }
        }
    }
}

TEST(BuiltHelpFiles, BothLanguagesMapTheSameNumbers) {
    CHelpFile en;
    CHelpFile zh;
    ASSERT_TRUE(en.Open(BuiltHelpFile("enHelp.chm")));
    ASSERT_TRUE(zh.Open(BuiltHelpFile("chHelp.chm")));
    std::set<std::uint32_t> enIds;
    std::set<std::uint32_t> zhIds;
    for (const auto& entry : en.ContextMap()) {
        enIds.insert(entry.first);
    }
    for (const auto& entry : zh.ContextMap()) {
        zhIds.insert(entry.first);
    }
    EXPECT_EQ(enIds, zhIds);
    // Paths are accepted in the forms a page or a caller may write them.
    EXPECT_TRUE(en.ReadFile("en\\index.html").has_value());
    EXPECT_TRUE(en.ReadFile("/en/./sub/../index.html").has_value());
}

INSTANTIATE_TEST_SUITE_P(Languages, BuiltHelp,
                         ::testing::Values(Language{"enHelp.chm", "en"},
                                           Language{"chHelp.chm", "zh"}),
                         [](const auto& info) { return std::string(info.param.dir); });

// The help project's context numbers are the programs' command ids; the
// two headers must not drift apart.
static_assert(IDH_FILE_NEW == cmd::kFileNew && IDH_FILE_OPEN == cmd::kFileOpen &&
                  IDH_FILE_CLOSE == cmd::kFileClose && IDH_FILE_SAVE == cmd::kFileSave &&
                  IDH_FILE_SAVE_AS == cmd::kFileSaveAs &&
                  IDH_FILE_PRINT_SETUP == cmd::kFilePrintSetup &&
                  IDH_FILE_PRINT == cmd::kFilePrint &&
                  IDH_FILE_PRINT_PREVIEW == cmd::kFilePrintPreview &&
                  IDH_APP_ABOUT == cmd::kAppAbout && IDH_APP_EXIT == cmd::kAppExit &&
                  IDH_HELP == cmd::kHelp && IDH_VIEW_TOOLBAR == cmd::kViewToolbar &&
                  IDH_VIEW_STATUS_BAR == cmd::kViewStatusBar && IDH_READ == cmd::kRead &&
                  IDH_WRITE == cmd::kWrite && IDH_COM_SETUP == cmd::kComSetup &&
                  IDH_CONTROL_BAR == cmd::kControlBar && IDH_SCAN_INFO == cmd::kScanInfo &&
                  IDH_PRODUCT_INFO == cmd::kProductInformation &&
                  IDH_CHANNEL_INFO == cmd::kChannelInformation &&
                  IDH_OPTIONAL_FEATURES == cmd::kOptionalFeatures &&
                  IDH_LANGUAGE == cmd::kLanguage && IDH_FILE_EXPORT_PDF == cmd::kFileExportPdf &&
                  IDH_COPY_CHANNELS_FROM == cmd::kCopyChannelsFrom &&
                  IDH_WRITE_SEVERAL == cmd::kWriteSeveral,
              "a help context number differs from its command id");
