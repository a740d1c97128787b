// The programmer as a whole: start-up, documents and files, the channel
// window, the Product Information dialog and command routing.
#include "GuiTestSupport.h"

#include "AppContext.h"
#include "MemoryImage.h"
#include "ProductInfoDlg.h"
#include "Strings.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace {

using radio::Model;

using ProgrammerWindowTest = ProgrammerTest;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ProgrammerWindowTest, NewDocumentIsFreshWithTheDefaultImage) {
    ASSERT_TRUE(Start(Model::WrenV3));
    EXPECT_TRUE(App().freshDocument);
    EXPECT_EQ(Document()->GetTitle(), "Channel Information");
    EXPECT_EQ(Document()->GetPathName(), "RadioCloneTest");
    EXPECT_EQ(Document()->GetImage().size(), 8192u);
    EXPECT_EQ(Document()->GetImage()[0x1FD6], 0);
    EXPECT_EQ(App().language.displayName, "Test Radio");
    EXPECT_EQ(Frame()->Action(cmd::kAppAbout)->text().toStdString(), "About Test");
}

TEST_F(ProgrammerWindowTest, SaveAndReopenGiveTheEditedChannel) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(2, 1);
    TypeIntoEditor("145.0125");
    PressKey(Qt::Key_Return);
    // A new document's first Save asks for a name.
    const std::string file = Path("saved.dat");
    m_nextFile = file;
    ASSERT_TRUE(Frame()->OnCommand(cmd::kFileSave));
    const std::string bytes = ReadFile(file);
    ASSERT_EQ(bytes.size(), 8192u);
    EXPECT_EQ(ChildTitle(), "saved.dat");

    Frame()->NewDocument();
    EXPECT_EQ(Grid().TextMatrix(2, 1), "");
    m_nextFile = file;
    ASSERT_TRUE(Frame()->OnCommand(cmd::kFileOpen));
    EXPECT_FALSE(App().freshDocument);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "145.01250");
    EXPECT_EQ(Grid().TextMatrix(2, 2), "145.01250");
    EXPECT_EQ(Frame()->MdiArea()->subWindowList().size(), 1);

    // The second Save goes to the same file without asking.
    m_nextFile.reset();
    ClickCell(2, 2);
    TypeIntoEditor("146");
    PressKey(Qt::Key_Return);
    ASSERT_TRUE(Frame()->OnCommand(cmd::kFileSave));
    radio::Image image;
    std::string error;
    ASSERT_TRUE(radio::LoadDat(radio::VariantFor(Model::WrenV3), file, image, error));
    radio::Image expected = Document()->GetImage();
    EXPECT_EQ(image, expected);
}

TEST_F(ProgrammerWindowTest, WrenFamilySaveCommitsAnOpenEdit) {
    ASSERT_TRUE(Start(Model::Wren));
    ClickCell(1, 1);
    TypeIntoEditor("150");
    m_nextFile = Path("wren.dat");
    ASSERT_TRUE(Frame()->OnFileSave());
    EXPECT_EQ(Grid().TextMatrix(1, 1), "150.00000");
    const std::string bytes = ReadFile(Path("wren.dat"));
    ASSERT_EQ(bytes.size(), 8192u);
    // 150.00000 MHz as BCD, least significant pair first.
    const radio::ModelVariant& v = radio::VariantFor(Model::Wren);
    EXPECT_EQ(static_cast<unsigned char>(bytes[static_cast<std::size_t>(v.RecordOffset(1)) + 3]),
              0x15);
}

TEST_F(ProgrammerWindowTest, ShortFileIsRefusedAndTheShownDocumentStays) {
    ASSERT_TRUE(Start(Model::Lark));
    ClickCell(1, 1);
    TypeIntoEditor("145");
    PressKey(Qt::Key_Return);
    CChildFrame* shown = Frame()->ActiveChild();
    { std::ofstream(Path("short.dat"), std::ios::binary) << std::string(1000, '\0'); }
    m_nextFile = Path("short.dat");
    Frame()->OnCommand(cmd::kFileOpen);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("1000 bytes"), std::string::npos) << m_messages[0].text;
    EXPECT_EQ(m_messages[0].caption, "Test Radio");
    EXPECT_EQ(Frame()->ActiveChild(), shown);
    EXPECT_EQ(Grid().TextMatrix(1, 1), "145.00000");
    EXPECT_TRUE(App().freshDocument);
}

TEST_F(ProgrammerWindowTest, CloseHidesAndChannelInformationShowsWithTheEdits) {
    ASSERT_TRUE(Start(Model::WrenV2));
    ClickCell(3, 1);
    TypeIntoEditor("160");
    PressKey(Qt::Key_Return);
    CChildFrame* child = Frame()->ActiveChild();
    Frame()->OnCommand(cmd::kFileClose);
    EXPECT_TRUE(child->isHidden());
    child->close(); // the close box hides too
    EXPECT_EQ(Frame()->ActiveChild(), child);
    Frame()->Action(cmd::kChannelInformation)->trigger();
    EXPECT_FALSE(child->isHidden());
    EXPECT_EQ(Grid().TextMatrix(3, 1), "160.00000");
}

TEST_F(ProgrammerWindowTest, NewAsksBeforeDroppingTheDocument) {
    ASSERT_TRUE(Start(Model::WrenV3));
    ClickCell(2, 1);
    TypeIntoEditor("150");
    PressKey(Qt::Key_Return);
    m_answer = radio::MessageResult::Cancel;
    Frame()->Action(cmd::kFileNew)->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "All data will be Cleared!");
    EXPECT_EQ(m_messages[0].buttons, radio::MessageButtons::OkCancel);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "150.00000");
    m_answer = radio::MessageResult::Ok;
    Frame()->Action(cmd::kFileNew)->trigger();
    EXPECT_EQ(Grid().TextMatrix(2, 1), "");
}

TEST_F(ProgrammerWindowTest, CommandLineFileIsOpenedAndItsProductRemembered) {
    const std::string example = RADIO_EXAMPLES_DIR "/wren-v3.dat";
    ASSERT_TRUE(Start(Model::WrenV3, "English", {QString::fromStdString(example)}));
    EXPECT_FALSE(App().freshDocument);
    EXPECT_FALSE(Grid().TextMatrix(1, 1).empty());
    const radio::Image& image = Document()->GetImage();
    EXPECT_EQ(m_store.ReadDword("RadioCloneTest", "Type"), image[0x1FD6]);
    EXPECT_EQ(ChildTitle(), "wren-v3.dat");
}

TEST_F(ProgrammerWindowTest, StartUpEndsOnAFileThatCannotBeLoaded) {
    EXPECT_FALSE(Start(Model::Lark, "English", {QString::fromStdString(Path("missing.dat"))}));
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(ProgrammerWindowTest, ProductInformationSetsImageStoreTitleAndBand) {
    ASSERT_TRUE(Start(Model::WrenV3));
    CProductInfoDlg* dialog = Frame()->ProductInfoDialog();
    bool ran = false;
    // Runs inside the dialog's modal loop, as soon as it is open.
    QTimer::singleShot(0, dialog, [&] {
        ran = true;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->TypeBox()->count(), 2);
        EXPECT_EQ(dialog->TypeBox()->currentIndex(), 0);
        EXPECT_EQ(dialog->BandBox()->count(), 2);
        QTest::keyClick(dialog->BandBox(), Qt::Key_F1);
        QTest::keyClick(dialog->TypeBox(), Qt::Key_Down); // T-2: one band, the first selected
        EXPECT_EQ(dialog->BandBox()->count(), 1);
        EXPECT_EQ(dialog->BandBox()->currentText().toStdString(), "400 - 470MHz");
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    Frame()->Action(cmd::kProductInformation)->trigger();
    ASSERT_TRUE(ran);
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{1014});
    EXPECT_EQ(Document()->GetImage()[0x1FD6], 1);
    EXPECT_EQ(Document()->GetImage()[0x1FD7], 0);
    EXPECT_EQ(m_store.ReadDword("RadioCloneTest", "Type"), 1u);
    EXPECT_EQ(m_store.ReadDword("RadioCloneTest", "Field"), 0u);
    EXPECT_EQ(Frame()->windowTitle().toStdString(),
              "Test Programmer  [ Type:T-2  Fre:400 - 470MHz ]");
    EXPECT_EQ(View()->GetBandLimits(), (radio::BandLimits{40000000, 47000000}));
    // The new band rules the editor at once.
    ClickCell(2, 1);
    TypeIntoEditor("440");
    PressKey(Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(2, 1), "440.00000");
    EXPECT_TRUE(m_messages.empty());

    // A new document starts with the remembered product.
    Frame()->NewDocument();
    EXPECT_EQ(Document()->GetImage()[0x1FD6], 1);
    EXPECT_EQ(View()->GetBandLimits().lower, 40000000);
}

TEST_F(ProgrammerWindowTest, ProductDialogCancelChangesNothingAndOtherFamiliesHelp) {
    ASSERT_TRUE(Start(Model::Wren));
    CProductInfoDlg* dialog = Frame()->ProductInfoDialog();
    QTimer::singleShot(0, dialog, [&] {
        QTest::keyClick(dialog->TypeBox(), Qt::Key_F1);
        QTest::keyClick(dialog->TypeBox(), Qt::Key_Down);
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    Frame()->OnCommand(cmd::kProductInformation);
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{32786});
    EXPECT_EQ(Document()->GetImage()[0x0E], 0);
    EXPECT_FALSE(m_store.Has("RadioCloneTest", "Type"));
}

TEST_F(ProgrammerWindowTest, MenusAndCommandsComeFromTheCommandTable) {
    ASSERT_TRUE(Start(Model::Lark));
    // The view's link answers Read and Write.
    EXPECT_TRUE(Frame()->Action(cmd::kRead)->isEnabled());
    EXPECT_TRUE(Frame()->Action(cmd::kWrite)->isEnabled());
    EXPECT_EQ(Frame()->Action(cmd::kRead)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    ASSERT_NE(Frame()->Action(cmd::kScanInfo), nullptr);
    EXPECT_TRUE(Frame()->Action(cmd::kScanInfo)->isEnabled());
    EXPECT_TRUE(Frame()->Action(cmd::kFilePrint)->isEnabled());
    EXPECT_EQ(Frame()->Action(cmd::kFilePrint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    // A command added to the table runs through the same door.
    constexpr int kDummy = 40000;
    int runs = 0;
    Frame()->Commands().Add({.id = kDummy, .run = [&runs] { ++runs; }});
    EXPECT_TRUE(Frame()->OnCommand(kDummy));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(Frame()->OnCommand(kDummy + 1));

    // F1 on the frame is the help command.
    QTest::keyClick(Frame(), Qt::Key_F1);
    EXPECT_EQ(m_help.contexts, std::vector<std::uint32_t>{cmd::kHelp});
}

TEST_F(ProgrammerWindowTest, OnlyLarkHasScanInfoInItsMenu) {
    ASSERT_TRUE(Start(Model::WrenV3));
    EXPECT_EQ(Frame()->Action(cmd::kScanInfo), nullptr);
}

TEST_F(ProgrammerWindowTest, ShippedProfilesNameTheirCatalogue) {
    for (const radio::ModelVariant* variant : radio::AllVariants()) {
        radio::CIniFile profile;
        ASSERT_TRUE(
            profile.Open(std::string(RADIO_PROFILES_DIR "/") + std::string(variant->profileFile)));
        EXPECT_EQ(profile.GetValue("Setup", "Language", ""), "English");
        EXPECT_FALSE(profile.GetValue("Setup", "AppName", "").empty());
        EXPECT_FALSE(profile.GetValue("Setup", "Type1", "").empty());
        EXPECT_NE(profile.GetValue("Setup", "Field1", "").find("MHz"), std::string::npos);
        for (const char* section : {"English", "Chinese"}) {
            for (const char* key : {"Company", "AppName", "About Title", "Version", "Copyrights",
                                    "Copyrights Owner"}) {
                EXPECT_FALSE(profile.GetValue(section, key, "").empty())
                    << variant->profileFile << " " << section << " " << key;
            }
        }
        profile.Clear();
    }
}

} // namespace
