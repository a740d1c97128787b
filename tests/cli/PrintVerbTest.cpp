// radioclone print end to end: the real binary writes a PDF, which the
// poppler tools read back as a reader of the report would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return output;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, n);
    }
    status = pclose(pipe);
    return output;
}

class PrintVerb : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("radio-print-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string P(const std::string& name) const { return (m_dir / name).string(); }

    int Print(const std::string& arguments) {
        int status = 0;
        Shell(std::string("\"") + RADIOCLONE_EXE + "\" print " + arguments + " 2>\"" + P("err") +
                  "\"",
              status);
        return status;
    }
    std::string Text(const std::string& pdf) {
        int status = 0;
        std::string text = Shell("pdftotext -layout \"" + pdf + "\" -", status);
        EXPECT_EQ(status, 0);
        return text;
    }
    int Pages(const std::string& pdf) {
        int status = 0;
        const std::string info = Shell("pdfinfo \"" + pdf + "\"", status);
        const auto at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }

    fs::path m_dir;
};

TEST_F(PrintVerb, WritesTheReportAsASearchablePdf) {
    ASSERT_EQ(Print("--model wren-v3 " RADIO_EXAMPLES_DIR "/wren-v3.dat -o \"" + P("r.pdf") +
                    "\" --owner \"Bench Radio Shop\""),
              0);
    EXPECT_EQ(Pages(P("r.pdf")), 3); // options and eight channels on two pages
    const std::string text = Text(P("r.pdf"));
    for (const char* expected :
         {"Option", "Time Out Timer:", "Channel 0:", "Channel 7:", "146.52000", "CALL",
          "Bench Radio Shop", "Page 1 of 3", "Page 3 of 3"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }

    ASSERT_EQ(Print("--model lark " RADIO_EXAMPLES_DIR "/lark.dat -o \"" + P("zh.pdf") +
                    "\" --lang zh --paper Letter"),
              0);
    const std::string chinese = Text(P("zh.pdf"));
    for (const char* expected : {"可选功能", "超时定时器:", "信道1:", "接收频率:", "宽/窄:"}) {
        EXPECT_NE(chinese.find(expected), std::string::npos) << expected;
    }
    int status = 0;
    EXPECT_NE(Shell("pdfinfo \"" + P("zh.pdf") + "\"", status).find("612 x 792"),
              std::string::npos);
}

TEST_F(PrintVerb, BadInputWritesNothing) {
    std::ofstream(P("short.dat"), std::ios::binary) << std::string(100, '\xFF');
    EXPECT_NE(Print("--model lark \"" + P("short.dat") + "\" -o \"" + P("a.pdf") + "\""), 0);
    EXPECT_NE(
        Print("--model lark " RADIO_EXAMPLES_DIR "/lark.dat -o \"" + P("b.pdf") + "\" --paper A5"),
        0);
    EXPECT_NE(Print("--model lark " RADIO_EXAMPLES_DIR "/lark.dat"), 0);
    EXPECT_NE(Print("--model lark " RADIO_EXAMPLES_DIR "/lark.dat -o \"" + P("none/c.pdf") + "\""),
              0);
    EXPECT_FALSE(fs::exists(P("a.pdf")));
    EXPECT_FALSE(fs::exists(P("b.pdf")));
    // Nothing but the error output is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir)) {
        ++files;
    }
    EXPECT_EQ(files, 2);
}

} // namespace
