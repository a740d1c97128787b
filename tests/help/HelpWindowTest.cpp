#include "HelpWindow.h"
#include "HelpService.h"
#include "HelpTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class RecordingSink : public IHelpSink {
public:
    void Show(std::uint32_t context) override { shown.push_back(context); }
    std::vector<std::uint32_t> shown;
};

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
};

QString PlainText(const CHelpWindow& window) {
    return window.Browser()->toPlainText();
}

} // namespace

TEST_F(HelpWindowTest, ShowsTheTopicOfAContextNumber) {
    CHelpWindow window;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("enHelp.chm"))));
    for (const std::uint32_t id : {2127u, 32773u, 1116u, 1u}) {
        window.ShowContext(id);
        const auto topic = window.File().TopicForContext(id);
        ASSERT_TRUE(topic.has_value());
        EXPECT_EQ(window.CurrentTopic().toStdString(), *topic);
        const QString title = window.Browser()->documentTitle();
        EXPECT_FALSE(title.isEmpty()) << id;
        EXPECT_TRUE(PlainText(window).contains(title)) << id;
        EXPECT_EQ(window.windowTitle(), title);
    }
    window.ShowContext(2127);
    EXPECT_TRUE(PlainText(window).contains("Rx Frequency"));
}

TEST_F(HelpWindowTest, ChineseTopicsAreDecodedAsUtf8) {
    CHelpWindow window(true);
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("chHelp.chm"))));
    window.ShowContext(2127);
    EXPECT_TRUE(PlainText(window).contains(QStringLiteral("接收频率")));
}

TEST_F(HelpWindowTest, UnknownContextShowsTheContents) {
    CHelpWindow window;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("enHelp.chm"))));
    window.ShowContext(12345);
    EXPECT_EQ(window.CurrentTopic().toStdString(), window.File().DefaultTopic());
    EXPECT_FALSE(PlainText(window).isEmpty());
}

TEST_F(HelpWindowTest, FollowsLinksInsideTheHelpFileOnly) {
    CHelpWindow window;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("enHelp.chm"))));
    window.ShowContext(2132);
    const QString toneTopic = window.CurrentTopic();

    emit window.Browser()->anchorClicked(QUrl("tones.html"));
    EXPECT_EQ(window.CurrentTopic(), "/en/tones.html");
    EXPECT_TRUE(PlainText(window).contains("D023N"));

    // Links to missing pages and to anything outside the file go nowhere.
    emit window.Browser()->anchorClicked(QUrl("no_such_page.html"));
    EXPECT_EQ(window.CurrentTopic(), "/en/tones.html");
    emit window.Browser()->anchorClicked(QUrl("http://localhost/tones.html"));
    EXPECT_EQ(window.CurrentTopic(), "/en/tones.html");
    emit window.Browser()->anchorClicked(QUrl("file:///etc/hostname"));
    EXPECT_EQ(window.CurrentTopic(), "/en/tones.html");

    window.Browser()->backward();
    EXPECT_EQ(window.CurrentTopic(), toneTopic);
}

TEST_F(HelpWindowTest, MissingFileIsReportedAndLaterFileWorks) {
    CHelpWindow window;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("enHelp.chm"))));
    window.ShowContext(2128);
    const QString page = PlainText(window);

    EXPECT_FALSE(window.OpenFile("/nonexistent/enHelp.chm"));
    EXPECT_TRUE(PlainText(window).contains("/nonexistent/enHelp.chm"));
    EXPECT_EQ(window.CurrentTopic(), QString());
    window.ShowContext(2128); // nothing to show from, and no crash
    EXPECT_EQ(window.CurrentTopic(), QString());

    // The same page as before the failure is loaded again, not left as the message.
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(BuiltHelpFile("enHelp.chm"))));
    window.ShowContext(2128);
    EXPECT_EQ(PlainText(window), page);
}

TEST_F(HelpWindowTest, DamagedFilesGiveAPageOrAMessageNeverACrash) {
    std::ifstream in(BuiltHelpFile("enHelp.chm"), std::ios::binary);
    const std::string whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(whole.size(), 4096u);
    const auto path = std::filesystem::temp_directory_path() / "help_window_damaged.chm";
    std::vector<std::string> damaged = {whole.substr(0, 96), whole.substr(0, whole.size() / 2),
                                        whole.substr(0, whole.size() - 1)};
    for (std::size_t at : {std::size_t{0x60}, whole.size() / 3, whole.size() / 2}) {
        std::string flipped = whole;
        for (std::size_t k = at; k < at + 64 && k < flipped.size(); ++k)
            flipped[k] = static_cast<char>(~flipped[k]);
        damaged.push_back(flipped);
    }
    for (const std::string& bytes : damaged) {
        std::ofstream(path, std::ios::binary) << bytes;
        CHelpWindow window;
        if (window.OpenFile(QString::fromStdString(path.string()))) {
            window.ShowContext(2128);
            window.ShowContents();
        }
        // Either a topic, the contents or a message saying what is wrong.
        EXPECT_FALSE(PlainText(window).trimmed().isEmpty()) << bytes.size();
    }
    std::filesystem::remove(path);
}

TEST_F(HelpWindowTest, ServiceGivesTheContextNumberToItsSink) {
    QWidget owner;
    CHelpService service(CHelpService::FileNameFor(false), &owner);
    RecordingSink sink;
    service.SetSink(&sink);
    service.ShowHelp(32773);
    service.ShowHelp(1126);
    EXPECT_EQ(sink.shown, (std::vector<std::uint32_t>{32773, 1126}));
    EXPECT_EQ(service.Window(), nullptr);
}

TEST_F(HelpWindowTest, ServiceFindsTheFileBesideTheProgram) {
    EXPECT_EQ(CHelpService::FileNameFor(false), "enHelp.chm");
    EXPECT_EQ(CHelpService::FileNameFor(true), "chHelp.chm");
    CHelpService service("chHelp.chm");
    EXPECT_EQ(QString::fromStdString(service.FilePath()),
              QApplication::applicationDirPath() + "/chHelp.chm");
}

TEST_F(HelpWindowTest, ServiceShowsAndReusesTheHelpWindow) {
    QWidget owner;
    CHelpService service(CHelpService::FileNameFor(true), &owner);
    service.SetDirectory(RADIO_HELP_DIR);
    service.ShowHelp(1013);
    CHelpWindow* window = service.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->CurrentTopic(), "/zh/product_type.html");

    window->close();
    service.ShowHelp(32799);
    EXPECT_EQ(service.Window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->CurrentTopic(), "/zh/language.html");
}

TEST_F(HelpWindowTest, HelpFromAModalDialogStaysUsable) {
    QWidget owner;
    QDialog dialog(&owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    CHelpService service(CHelpService::FileNameFor(false), &owner);
    service.SetDirectory(RADIO_HELP_DIR);
    service.ShowHelp(1014);
    ASSERT_NE(service.Window(), nullptr);
    // A window outside the modal dialog would be blocked from input.
    EXPECT_EQ(service.Window()->parentWidget(), &dialog);

    dialog.hide();
    service.ShowHelp(1013);
    ASSERT_NE(service.Window(), nullptr);
    EXPECT_EQ(service.Window()->parentWidget(), &owner);
    EXPECT_TRUE(service.Window()->isVisible());
}
