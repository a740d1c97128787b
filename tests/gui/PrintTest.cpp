// Printing from the window: the report as a PDF, its preview, and printing
// without a printer.
#include "GuiTestSupport.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using radio::Model;

std::string PdfText(const std::string& pdf) {
    std::string text;
    FILE* pipe = popen(("pdftotext -layout \"" + pdf + "\" -").c_str(), "r");
    if (pipe == nullptr) {
        return text;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, n);
    }
    pclose(pipe);
    return text;
}

using PrintTest = ProgrammerTest;

TEST_F(PrintTest, ExportPdfPrintsTheGridAsItIsNowWithTheProfilesOwner) {
    std::string profile = TestProfile("English");
    profile.insert(profile.find("[English]\n") + 10, "Copyrights Owner=Test Shop\n");
    ASSERT_TRUE(StartWithProfile(Model::WrenV3, profile));
    ClickCell(3, 1);
    TypeIntoEditor("150.125");
    PressKey(Qt::Key_Return);
    m_nextFile = Path("report.pdf");
    Frame()->OnCommand(cmd::kFileExportPdf);
    EXPECT_TRUE(m_messages.empty());
    const std::string text = PdfText(Path("report.pdf"));
    EXPECT_NE(text.find("Channel 2:"), std::string::npos) << text;
    EXPECT_NE(text.find("150.12500"), std::string::npos);
    EXPECT_NE(text.find("Test Shop"), std::string::npos);
    EXPECT_NE(text.find("Page 2 of 2"), std::string::npos);
    // Printing saves nothing: the edit is still unsaved.
    EXPECT_TRUE(Document()->IsModified());
}

TEST_F(PrintTest, ExportPdfThatCannotBeWrittenSaysSoAndLeavesNothing) {
    ASSERT_TRUE(Start(Model::Lark));
    m_nextFile = std::nullopt;
    Frame()->OnCommand(cmd::kFileExportPdf);
    EXPECT_TRUE(m_messages.empty());
    m_nextFile = Path("missing/report.pdf");
    Frame()->OnCommand(cmd::kFileExportPdf);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text.rfind("The file could not be saved.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(Path("missing")));
}

TEST_F(PrintTest, PreviewShowsEveryPage) {
    ASSERT_TRUE(Start(Model::Lark));
    for (int row = 1; row <= 8; ++row) {
        ClickCell(row, 1);
        TypeIntoEditor("146.52");
        PressKey(Qt::Key_Return);
    }
    int pages = 0;
    OnNextDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        pages = widget->pageCount();
        preview.reject();
    });
    Frame()->OnCommand(cmd::kFilePrintPreview);
    EXPECT_EQ(pages, 3); // options, channels 1-7, channel 8
}

TEST_F(PrintTest, PrintDirectWithoutAPrinterSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a printer";
    }
    ASSERT_TRUE(Start(Model::Wren, "Chinese"));
    Frame()->OnCommand(cmd::kFilePrintDirect);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("导出PDF"), std::string::npos);
}

} // namespace
