// What a user hands the programmer windows from outside: damaged profiles and
// .dat files of the wrong size. The window starts or says why, and no file it
// was given is changed by being read.
#include "GuiTestSupport.h"

#include "CommandIds.h"
#include "Gbk.h"
#include "MainFrame.h"

#include <QTest>

#include <fstream>
#include <iterator>
#include <random>

namespace {

using radio::Model;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes of every value, NUL, CR and '[' included, the same in every run.
std::string Junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class BadInputTest : public ProgrammerTest {
protected:
    std::string ProfilePath(Model model) const {
        return Path(std::string(radio::VariantFor(model).profileFile));
    }
    // Starts with `profile`; a start-up that fails must have said why.
    void StartsOrSaysWhy(Model model, const std::string& profile, const char* what) {
        SCOPED_TRACE(what);
        m_messages.clear();
        if (StartWithProfile(model, profile)) {
            EXPECT_TRUE(Frame()->isVisible());
            ASSERT_NE(View(), nullptr);
            EXPECT_EQ(Grid().Rows(), radio::VariantFor(model).Rows());
        } else {
            ASSERT_EQ(m_messages.size(), 1u);
            EXPECT_FALSE(m_messages[0].text.empty());
        }
        // Reading a profile never rewrites it.
        EXPECT_EQ(ReadFile(ProfilePath(model)), profile);
        m_app.reset();
    }
};

TEST_F(BadInputTest, DamagedProfilesStartTheProgrammerOrSayWhyAndStayAsTheyWere) {
    const std::string chinese = TestProfile("Chinese");
    const std::string gbk = radio::Utf8ToGbk(chinese).value();
    ASSERT_NE(gbk, chinese);
    const std::string longLine =
        TestProfile("English") + "Note=" + std::string(1 << 20, 'x') + "\n";
    const std::string noSections = "Language=English\nType1=T-1\nField1=136 - 174MHz\n";
    const std::string junkAfter = TestProfile("English") + Junk(4096, 1);

    for (Model model : {Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3}) {
        SCOPED_TRACE(radio::VariantFor(model).programName);
        StartsOrSaysWhy(model, Junk(8192, 2), "binary junk");
        StartsOrSaysWhy(model, junkAfter, "junk after a good profile");
        StartsOrSaysWhy(model, longLine, "a 1 MB line");
        StartsOrSaysWhy(model, noSections, "no sections");
        StartsOrSaysWhy(model, gbk, "GBK");
        StartsOrSaysWhy(model, chinese, "UTF-8");
        StartsOrSaysWhy(model, std::string(), "empty");
    }
}

TEST_F(BadInputTest, ProfileTextsInGbkAndUtf8ShowTheSameInTheWindow) {
    const std::string chinese = TestProfile("Chinese");
    ASSERT_TRUE(StartWithProfile(Model::WrenV3, chinese));
    const QString utf8Title = Frame()->windowTitle();
    m_app.reset();
    ASSERT_TRUE(StartWithProfile(Model::WrenV3, radio::Utf8ToGbk(chinese).value()));
    EXPECT_EQ(Frame()->windowTitle(), utf8Title);
    EXPECT_TRUE(utf8Title.contains(QStringLiteral("测试")));
}

TEST_F(BadInputTest, DatFilesOfTheWrongSizeAreRefusedAndChangeNothing) {
    for (Model model : {Model::Lark, Model::Wren, Model::WrenV2, Model::WrenV3}) {
        const radio::ModelVariant& variant = radio::VariantFor(model);
        SCOPED_TRACE(variant.programName);
        ASSERT_TRUE(Start(model));
        ClickCell(1, 1);
        TypeIntoEditor("145");
        PressKey(Qt::Key_Return);
        const std::vector<std::string> shown = RowTexts(1);
        const auto size = static_cast<std::size_t>(variant.imageSize);
        for (std::size_t wrong : {std::size_t{0}, std::size_t{1}, size / 2, size - 1}) {
            const std::string path = Path("wrong.dat");
            const std::string bytes = Junk(wrong, static_cast<unsigned>(wrong));
            { std::ofstream(path, std::ios::binary) << bytes; }
            m_messages.clear();
            m_nextFile = path;
            Frame()->OnCommand(cmd::kFileOpen);
            ASSERT_EQ(m_messages.size(), 1u) << wrong;
            EXPECT_NE(m_messages[0].text.find(std::to_string(wrong) + " byte"), std::string::npos)
                << m_messages[0].text;
            EXPECT_EQ(RowTexts(1), shown) << wrong;
            EXPECT_EQ(ReadFile(path), bytes);
        }
        m_app.reset();
    }
}

} // namespace
