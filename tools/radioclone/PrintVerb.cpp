// radioclone print: the report the programmers print, as a PDF. Needs Qt
// Gui for the fonts and the PDF writer, but no display.
#include "Verbs.h"

#include <AtomicFile.h>
#include <ChannelGrid.h>
#include <ChannelReport.h>
#include <Gbk.h>
#include <IniFile.h>
#include <MemoryImage.h>
#include <ReportPainter.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace radioclone {

namespace {

// The owner line of the footer as the installed programmer would print it:
// its profile beside this tool, in the report's language.
std::string InstalledOwner(const radio::ModelVariant& v, radio::Language lang,
                           const CliContext& cli) {
    const std::filesystem::path profile =
        std::filesystem::path(cli.programDirectory) / std::string(v.profileFile);
    std::error_code ec;
    if (cli.programDirectory.empty() || !std::filesystem::is_regular_file(profile, ec)) {
        return {};
    }
    radio::CIniFile ini;
    if (!ini.Open(profile.string())) {
        return {};
    }
    const char* section = lang == radio::Language::Chinese ? "Chinese" : "English";
    return radio::ProfileTextToUtf8(ini.GetValue(section, "Copyrights Owner", ""));
}

} // namespace

int VerbPrint(const std::vector<std::string>& args, const CliContext& cli) {
    static const VerbSpec kSpec{
        "usage: radioclone print --model M FILE.dat -o REPORT.pdf [--lang en|zh]\n"
        "                        [--owner TEXT] [--paper A4|Letter]\n"
        "Writes the report a programmer prints for FILE.dat as a PDF: the optional\n"
        "features, then the used channels, seven to a page.\n"
        "  --model M     lark, wren, wren-v2 or wren-v3\n"
        "  -o REPORT.pdf the PDF to write (replaced only when complete)\n"
        "  --lang L      en (default) or zh: the language of the report\n"
        "  --owner TEXT  the footer's owner line (default: \"Copyrights Owner\" of the\n"
        "                programmer's profile beside radioclone, else none)\n"
        "  --paper P     A4 (default) or Letter\n",
        {{"--model", true}, {"-o", true}, {"--lang", true}, {"--owner", true}, {"--paper", true}},
        1};
    int status = kExitOk;
    const std::optional<VerbArgs> verb = ParseVerb(args, kSpec, cli, status);
    if (!verb) {
        return status;
    }
    const ParsedArgs& p = verb->parsed;
    const radio::ModelVariant& v = *verb->model;
    if (!p.Has("-o") || p.Value("-o").empty()) {
        return FailUsage(cli, "print needs -o REPORT.pdf", kSpec.usage);
    }
    radio::Language lang{};
    if (!LanguageFromArgs(p, lang, cli)) {
        return kExitUsage;
    }
    const std::string paper = p.Value("--paper", "A4");
    if (paper != "A4" && paper != "Letter") {
        return FailUsage(cli, "--paper must be A4 or Letter, not \"" + paper + "\"", kSpec.usage);
    }

    radio::Image image;
    std::string error;
    if (!radio::LoadDat(v, p.positional[0], image, error)) {
        return Fail(cli, error);
    }
    // The grid as a programmer shows the file freshly opened.
    radio::CellTable grid = radio::MakeChannelTable(v, lang);
    radio::Image shown = image;
    radio::ImageToGrid(v, shown, grid, lang);
    const std::string owner = p.Has("--owner") ? p.Value("--owner") : InstalledOwner(v, lang, cli);

    // Fonts and the PDF writer need a GUI application, though no display.
    // Qt's own notes (a missing runtime folder, say) mean nothing to the
    // user of a command line tool.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "radioclone: %s\n", qPrintable(text));
        }
    });
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "radioclone";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return Fail(cli, "printing needs a GUI application object");
    }
    radio::CChannelReport report(v, grid, image, lang, owner);
    const QByteArray pdf =
        radio::ReportPdf(report, QPageSize(paper == "A4" ? QPageSize::A4 : QPageSize::Letter),
                         QString::fromStdString(std::string(v.programName) + " report"));
    if (pdf.isEmpty()) {
        return Fail(cli, "the report could not be drawn");
    }
    if (!radio::WriteFileAtomically(
            p.Value("-o"), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
            error)) {
        return Fail(cli, error);
    }
    return kExitOk;
}

} // namespace radioclone
