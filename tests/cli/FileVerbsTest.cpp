// radioclone's file verbs, in process and through the real binary.
#include "CliTestSupport.h"

#include <ChannelCsv.h>
#include <ChannelGrid.h>
#include <MemoryImage.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using namespace clitest;

class FileVerbs : public InFolder<> {};

const char* const kModels[] = {"lark", "wren", "wren-v2", "wren-v3"};

TEST_F(FileVerbs, NewWritesTheExactDefaultImage) {
    for (const char* m : kModels) {
        const auto* v = radio::VariantByCliName(m);
        ASSERT_EQ(Rc({"new", "--model", m, "-o", P("n.dat")}).code, 0) << m;
        const std::string bytes = ReadFile(P("n.dat"));
        const radio::Image want = radio::MakeDefaultImage(*v);
        EXPECT_EQ(bytes, std::string(want.begin(), want.end())) << m;
    }
}

TEST_F(FileVerbs, ImportOfExportEqualsOpenAndSaveInBothLanguages) {
    for (const char* m : kModels) {
        const auto* v = radio::VariantByCliName(m);
        // A document with channels, and odd values in every byte no field reads.
        radio::Image image = radio::MakeDefaultImage(*v);
        auto grid = radio::MakeChannelTable(*v, radio::Language::English);
        const char* const rx[] = {"145.50000", "", "438.82500", "151.62500"};
        const char* const tones[] = {"None", "88.5", "D023N", "D754I", "254.1"};
        for (int r = 1; r <= v->channelRows; ++r) {
            grid.SetTextMatrix(r, 1, rx[r % 4]);
            grid.SetTextMatrix(r, 2, r % 3 ? rx[(r + 1) % 4] : "");
            grid.SetTextMatrix(r, 3, tones[r % 5]);
            grid.SetTextMatrix(r, 4, tones[(r + 2) % 5]);
        }
        radio::GridToImage(*v, grid, image);
        const int fieldBytes = v->model == radio::Model::Lark ? 14 : 13;
        for (std::size_t i = 0; i < image.size(); ++i) {
            const int at = static_cast<int>(i);
            const int row = (at - v->recordBase) / 16 + 1;
            const bool inRecord = at >= v->recordBase && row <= v->channelRows;
            const bool field = inRecord && (at - v->recordBase) % 16 < fieldBytes;
            const bool name =
                v->HasNames() && at >= v->nameBase && at < v->nameBase + 8 * v->channelRows;
            const bool scanBits = v->model == radio::Model::Lark && (at == 0x17E || at == 0x17F);
            if (!field && !name && !scanBits) {
                image[i] = static_cast<std::uint8_t>(i * 31 + 5);
            }
        }
        const std::string src(image.begin(), image.end());
        WriteFile(P("a.dat"), src);

        // What opening and saving in a window does: ImageToGrid, then GridToImage.
        radio::Image saved = image;
        auto table = radio::MakeChannelTable(*v, radio::Language::English);
        radio::ImageToGrid(*v, saved, table, radio::Language::English);
        radio::GridToImage(*v, table, saved);

        for (const char* lang : {"en", "zh"}) {
            const Result ex = Rc({"export", "--model", m, P("a.dat"), "--lang", lang});
            ASSERT_EQ(ex.code, 0) << m << ex.err;
            WriteFile(P("t.csv"), ex.out);
            const Result im =
                Rc({"import", "--model", m, P("a.dat"), P("t.csv"), "-o", P("b.dat")});
            ASSERT_EQ(im.code, 0) << m << " " << lang << ": " << im.err;
            EXPECT_EQ(ReadFile(P("b.dat")), std::string(saved.begin(), saved.end())) << m << lang;
            EXPECT_EQ(ReadFile(P("a.dat")), src) << "-o must leave the source untouched";
        }
    }
}

TEST_F(FileVerbs, ExportLayout) {
    const Result r = Rc({"export", "--model", "wren-v3", RADIO_EXAMPLES_DIR "/wren-v3.dat"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,"
                    "Cha Name\r");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 13), "Pr,146.52000,");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 4), "  1,");
    int rows = 3;
    while (std::getline(lines, line)) {
        ++rows;
    }
    EXPECT_EQ(rows, 201);

    const std::string example = RADIO_EXAMPLES_DIR "/lark.dat";
    const Result zh = Rc({"export", "--model", "lark", example, "--lang", "zh", "-o", P("zh.csv")});
    ASSERT_EQ(zh.code, 0) << zh.err;
    EXPECT_TRUE(zh.out.empty());
    const std::string csv = ReadFile(P("zh.csv"));
    EXPECT_EQ(
        csv.rfind("信道,接收频率,发射频率,QT/DQT解码,QT/DQT编码,功率,扫描添加,繁忙锁定,宽/窄\r\n",
                  0),
        0u);
    EXPECT_NE(csv.find("\r\n 1,146.52000,146.52000,无,无,高,有,关,宽\r\n"), std::string::npos);
}

TEST_F(FileVerbs, ImportRefusesBadCellsNamingRowAndColumnAndWritesNothing) {
    const std::string src = ReadFile(RADIO_EXAMPLES_DIR "/lark.dat");
    WriteFile(P("a.dat"), src);
    const std::string csv = Rc({"export", "--model", "lark", P("a.dat")}).out;
    struct Case {
        std::string from, to, message;
    };
    const Case cases[] = {
        {" 2,145.50000,", " 2,145.5abc,", "line 3 (channel 2), column 1 \"Rx Frequency\""},
        {",Low,", ",Hgh,", "column 5 \"Power\""},
        {" 3,145.60000,145.00000,88.5,", " 3,145.60000,145.00000,D023,", "column 3"},
        {" 1,146.52000,", " 1,1000.00000,", "1000 MHz"},
        {" 1,146.52000,146.52000", " 1,146.52000,146.52000,extra", "columns"},
    };
    for (const Case& c : cases) {
        std::string bad = csv;
        const auto at = bad.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        bad.replace(at, c.from.size(), c.to);
        WriteFile(P("bad.csv"), bad);
        const Result r = Rc({"import", "--model", "lark", P("a.dat"), P("bad.csv")});
        EXPECT_NE(r.code, 0) << c.to;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(P("a.dat")), src) << "a refused import must not touch the file";
    }
    // Too few rows.
    WriteFile(P("short.csv"), csv.substr(0, csv.find("\r\n 5,")));
    EXPECT_NE(Rc({"import", "--model", "lark", P("a.dat"), P("short.csv")}).code, 0);
    EXPECT_EQ(ReadFile(P("a.dat")), src);
}

TEST_F(FileVerbs, ImportUpperCasesNamesAndRefusesBadOnes) {
    ASSERT_EQ(Rc({"new", "--model", "wren-v3", "-o", P("v3.dat")}).code, 0);
    std::string csv = Rc({"export", "--model", "wren-v3", P("v3.dat")}).out;
    const std::string row1 = "  1,,,,,,,,\r\n";
    const auto at = csv.find(row1);
    ASSERT_NE(at, std::string::npos);
    csv.replace(at, row1.size(), "  1,145.50000,145.50000,None,None,High,Lock,Yes,rpt-1_a\r\n");
    WriteFile(P("t.csv"), csv);
    const Result ok = Rc({"import", "--model", "wren-v3", P("v3.dat"), P("t.csv")});
    ASSERT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(Rc({"export", "--model", "wren-v3", P("v3.dat")}).out.find(",RPT-1_A\r\n"),
              std::string::npos);

    const std::string before = ReadFile(P("v3.dat"));
    const auto nameAt = csv.find("rpt-1_a");
    for (const std::string bad : {"RPT 1", "ABCDEFGHI", "R*1"}) {
        std::string c = csv;
        c.replace(nameAt, 7, bad);
        WriteFile(P("bad.csv"), c);
        const Result r = Rc({"import", "--model", "wren-v3", P("v3.dat"), P("bad.csv")});
        EXPECT_NE(r.code, 0) << bad;
        EXPECT_NE(r.err.find("column 8 \"Cha Name\""), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(P("v3.dat")), before);
    }
}

TEST_F(FileVerbs, OptionsPrintsTheOptionsPage) {
    ASSERT_EQ(Rc({"new", "--model", "lark", "-o", P("l.dat")}).code, 0);
    const Result en = Rc({"options", "--model", "lark", P("l.dat")});
    ASSERT_EQ(en.code, 0);
    EXPECT_EQ(en.out.rfind("Time Out Timer:\t60s\nTOT Pre-Alert:\t8\nSequelch Level:\t4\n", 0), 0u)
        << en.out;
    EXPECT_NE(en.out.find("Voice Annunciation:\tChinese\n"), std::string::npos);
    const Result zh = Rc({"options", "--model", "lark", P("l.dat"), "--lang", "zh"});
    EXPECT_NE(zh.out.find("提示音:\t开\n"), std::string::npos);
}

TEST_F(FileVerbs, UsageErrorsAndHelp) {
    EXPECT_EQ(Rc({}).code, 2);
    EXPECT_EQ(Rc({"bogus"}).code, 2);
    for (const char* verb : {"new", "export", "import", "options", "scan"}) {
        const Result h = Rc({verb, "--help"});
        EXPECT_EQ(h.code, 0) << verb;
        EXPECT_EQ(h.out.rfind(std::string("usage: radioclone ") + verb, 0), 0u) << verb;
    }
    EXPECT_NE(Rc({"new", "-o", P("x.dat")}).code, 0);                    // no model
    EXPECT_NE(Rc({"new", "--model", "hawk", "-o", P("x.dat")}).code, 0); // unknown model
    EXPECT_NE(Rc({"new", "--model", "lark"}).code, 0);                   // no output
    EXPECT_NE(Rc({"export", "--model", "lark", "--lang", "fr", P("x.dat")}).code, 0);
    EXPECT_NE(Rc({"export", "--model", "lark", "--frob", P("x.dat")}).code, 0);
    EXPECT_FALSE(fs::exists(P("x.dat")));
}

TEST_F(FileVerbs, ShortFileIsRefusedLongerFileLoads) {
    WriteFile(P("short.dat"), std::string(1000, '\xFF'));
    const Result r = Rc({"export", "--model", "lark", P("short.dat")});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("1000 bytes"), std::string::npos) << r.err;
    EXPECT_NE(Rc({"export", "--model", "lark", P("missing.dat")}).code, 0);

    std::string longer = ReadFile(RADIO_EXAMPLES_DIR "/lark.dat") + std::string(100, 'x');
    WriteFile(P("long.dat"), longer);
    EXPECT_EQ(Rc({"export", "--model", "lark", P("long.dat")}).out,
              Rc({"export", "--model", "lark", RADIO_EXAMPLES_DIR "/lark.dat"}).out);
    EXPECT_EQ(Rc({"options", "--model", "lark", P("long.dat")}).code, 0);

    // Importing into it in place would cut it to the image: refused, and
    // the file stays whole; with -o the result goes elsewhere as before.
    const std::string csv = Rc({"export", "--model", "lark", P("long.dat")}).out;
    WriteFile(P("table.csv"), csv);
    const Result inPlace = Rc({"import", "--model", "lark", P("long.dat"), P("table.csv")});
    EXPECT_EQ(inPlace.code, 1);
    EXPECT_NE(inPlace.err.find("1124 bytes"), std::string::npos) << inPlace.err;
    EXPECT_NE(inPlace.err.find("1024 bytes"), std::string::npos) << inPlace.err;
    EXPECT_EQ(ReadFile(P("long.dat")), longer);
    EXPECT_EQ(
        Rc({"import", "--model", "lark", P("long.dat"), P("table.csv"), "-o", P("out.dat")}).code,
        0);
    EXPECT_EQ(ReadFile(P("out.dat")), longer.substr(0, 1024));

    // The same for the verbs that change settings in place.
    for (const std::vector<std::string>& set :
         {std::vector<std::string>{"options", "--set", "Beep=Off"},
          {"scan", "--set", "Tx Dwell Time=5"}}) {
        std::vector<std::string> args = set;
        args.insert(args.end(), {"--model", "lark", P("long.dat")});
        const Result r = Rc(args);
        EXPECT_EQ(r.code, 1) << set[0];
        EXPECT_NE(r.err.find("1124 bytes"), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(P("long.dat")), longer);
        args.insert(args.end(), {"-o", P("set.dat")});
        EXPECT_EQ(Rc(args).code, 0) << set[0];
        EXPECT_EQ(fs::file_size(P("set.dat")), 1024u);
    }
}

// std::system of a command line with quoted words.
int Shell(const std::string& command) {
#ifdef _WIN32
    // cmd /c drops the first and the last quote of the line: one more pair
    // keeps those of the words.
    return std::system(("\"" + command + "\"").c_str());
#else
    return std::system(command.c_str());
#endif
}

TEST_F(FileVerbs, RealBinaryReportsErrorsOnStderrWithStatus) {
    const char* exe = RADIOCLONE_EXE;
    const std::string out = P("o.txt"), err = P("e.txt");
    const std::string cmd = std::string("\"") + exe + "\" export --model lark \"" + P("none.dat") +
                            "\" >\"" + out + "\" 2>\"" + err + "\"";
    const int status = Shell(cmd);
    EXPECT_NE(status, 0);
    EXPECT_TRUE(ReadFile(out).empty());
    EXPECT_NE(ReadFile(err).find("none.dat"), std::string::npos);

    const std::string ok =
        std::string("\"") + exe + "\" new --model wren -o \"" + P("w.dat") + "\"";
    EXPECT_EQ(Shell(ok), 0);
    EXPECT_EQ(fs::file_size(P("w.dat")), 8192u);
}

} // namespace

namespace {

TEST_F(FileVerbs, ImportRefusesWhatWouldSilentlyVanish) {
    ASSERT_EQ(Rc({"new", "--model", "wren-v3", "-o", P("v3.dat")}).code, 0);
    const std::string before = ReadFile(P("v3.dat"));
    const std::string csv = Rc({"export", "--model", "wren-v3", P("v3.dat")}).out;
    const std::string row1 = "  1,,,,,,,,\r\n";
    struct Case {
        std::string row, message;
    };
    const Case cases[] = {
        // Below 10 MHz the leading digit pair is 00, which reads as no frequency.
        {"  1,5.5,5.5,None,None,High,Lock,Yes,\r\n", "below 10 MHz"},
        // A row without Rx is stored empty: its name would be lost.
        {"  1,,,,,,,,HOME\r\n", "no Rx Frequency"},
    };
    for (const Case& c : cases) {
        std::string bad = csv;
        bad.replace(bad.find(row1), row1.size(), c.row);
        WriteFile(P("bad.csv"), bad);
        const Result r = Rc({"import", "--model", "wren-v3", P("v3.dat"), P("bad.csv")});
        EXPECT_NE(r.code, 0) << c.row;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(P("v3.dat")), before);
    }
}

TEST_F(FileVerbs, DevicesAndHugeInputsAreReadOnlyAsFarAsNeeded) {
    // A .dat is read up to the image size only, so a device loads at once.
    const Result zero = Rc({"options", "--model", "lark", "/dev/zero"});
    EXPECT_EQ(zero.code, 0) << zero.err;
    EXPECT_NE(zero.out.find("Time Out Timer:\t0s"), std::string::npos);
    // A table is not taken into memory without limit.
    const std::string example = RADIO_EXAMPLES_DIR "/lark.dat";
    const Result table = Rc({"import", "--model", "lark", example, "/dev/zero", "-o", P("x.dat")});
    EXPECT_NE(table.code, 0);
    EXPECT_NE(table.err.find("too large"), std::string::npos) << table.err;
    EXPECT_FALSE(fs::exists(P("x.dat")));
}

TEST_F(FileVerbs, ReadOnlyFileIsNotReplaced) {
    ASSERT_EQ(Rc({"new", "--model", "lark", "-o", P("ro.dat")}).code, 0);
    const std::string csv = Rc({"export", "--model", "lark", RADIO_EXAMPLES_DIR "/lark.dat"}).out;
    WriteFile(P("t.csv"), csv);
    fs::permissions(P("ro.dat"), fs::perms::owner_read | fs::perms::group_read);
    const std::string before = ReadFile(P("ro.dat"));
    const Result r = Rc({"import", "--model", "lark", P("ro.dat"), P("t.csv")});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(P("ro.dat")), before);
    // Windows removes no read-only file, so the folder could not go.
    fs::permissions(P("ro.dat"), fs::perms::owner_write, fs::perm_options::add);
}

// ---- options --set and scan ------------------------------------------------

std::string WithBytes(std::string bytes, std::initializer_list<std::pair<int, int>> changes) {
    for (const auto& [at, value] : changes) {
        bytes[static_cast<std::size_t>(at)] = static_cast<char>(value);
    }
    return bytes;
}

TEST_F(FileVerbs, OptionsSetChangesTheChosenBitsAndRewritesWholeByteOptionsAsOkDoes) {
    // A stray high nibble in Squelch Level, and a Time-Out Timer of no list entry.
    const std::string src =
        WithBytes(ReadFile(RADIO_EXAMPLES_DIR "/wren-v3.dat"), {{0x1FC1, 0xF1}, {0x1FC3, 0x0F}});
    ASSERT_EQ(src[0x1FC0], '\xFF');
    ASSERT_EQ(src[0x1FE1], '\xD4'); // LED Auto
    WriteFile(P("v3.dat"), src);

    const Result r =
        Rc({"options", "--model", "wren-v3", P("v3.dat"), "--set", "LED=On", "--set=Beep=off"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.out.empty() && r.err.empty());
    std::string want = WithBytes(src, {{0x1FC0, 0xFE}, {0x1FC1, 0x01}, {0x1FE1, 0xD8}});
    EXPECT_EQ(ReadFile(P("v3.dat")), want);

    ASSERT_EQ(Rc({"options", "--model", "wren-v3", P("v3.dat"), "--set", "静噪电平=9"}).code, 0);
    want[0x1FC1] = 0x09;
    EXPECT_EQ(ReadFile(P("v3.dat")), want);

    const std::string page = Rc({"options", "--model", "wren-v3", P("v3.dat")}).out;
    for (const char* line : {"\nLED\tOn\n", "\nBeep:\tOff\n", "\nSquelch Level:\t9\n"}) {
        EXPECT_NE(page.find(line), std::string::npos) << line << page;
    }
}

TEST_F(FileVerbs, OptionsSetRefusalsWriteNothing) {
    const std::string src = ReadFile(RADIO_EXAMPLES_DIR "/wren-v3.dat");
    WriteFile(P("v3.dat"), src);
    struct Case {
        std::string set, message;
        int code;
    };
    const Case cases[] = {
        {"Bogus=1", "the options are \"Beep\", \"Squelch Level\"", 1},
        {"LED=Blink", "the choices are \"Off\", \"Auto\", \"On\"", 1},
        {"Beep=maybe", "on or off", 1},
        {"LED", "no '='", 2},
    };
    for (const Case& c : cases) {
        // A good change before the bad one must not be written either.
        const Result r =
            Rc({"options", "--model", "wren-v3", P("v3.dat"), "--set", "Beep=Off", "--set", c.set});
        EXPECT_EQ(r.code, c.code) << c.set;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(P("v3.dat")), src) << c.set;
    }
    const Result noSet = Rc({"options", "--model", "wren-v3", P("v3.dat"), "-o", P("o.dat")});
    EXPECT_EQ(noSet.code, 2);
    EXPECT_NE(noSet.err.find("nothing to write"), std::string::npos) << noSet.err;
    EXPECT_FALSE(fs::exists(P("o.dat")));

    ASSERT_EQ(
        Rc({"options", "--model", "wren-v3", P("v3.dat"), "--set", "LED=Off", "-o", P("o.dat")})
            .code,
        0);
    EXPECT_EQ(ReadFile(P("v3.dat")), src);
    EXPECT_EQ(ReadFile(P("o.dat")), WithBytes(src, {{0x1FE1, 0xD0}}));
}

TEST_F(FileVerbs, ScanPrintsAndStoresTheDialogFields) {
    const std::string src = ReadFile(RADIO_EXAMPLES_DIR "/lark.dat");
    WriteFile(P("l.dat"), src);
    const auto scan = [&](const std::vector<std::string>& sets) {
        std::vector<std::string> args{"scan", "--model", "lark", P("l.dat")};
        for (const std::string& s : sets) {
            args.insert(args.end(), {"--set", s});
        }
        return Rc(args);
    };
    EXPECT_EQ(scan({}).out, "Priority\tNone\nPriority Channel\t\nLook Back Time A\t0.9\n"
                            "Look Back Time B\t1.5\nRevert Channel\t\nDropout Delay Time\t48\n"
                            "Tx Dwell Time\t48\n");

    // Priority goes first although it is given last: it resets Revert Channel.
    ASSERT_EQ(scan({"Revert Channel=Priority+Talk back", "Priority=Selected"}).code, 0);
    std::string want = WithBytes(src, {{0x160, 2}, {0x164, 3}});
    EXPECT_EQ(ReadFile(P("l.dat")), want);
    EXPECT_NE(scan({}).out.find("\nRevert Channel\tPriority+Talk back\n"), std::string::npos);

    // 0.57 is truncated to 0.55, 1000 corrected to 300; Revert resets to its first.
    const Result fixed = scan(
        {"Look Back Time A=0.57", "Priority Channel=1", "优先=固定", "Dropout Delay Time=1000"});
    ASSERT_EQ(fixed.code, 0) << fixed.err;
    want =
        WithBytes(src, {{0x160, 1}, {0x161, 1}, {0x162, 2}, {0x164, 0}, {0x165, 0x2C}, {0x166, 1}});
    EXPECT_EQ(ReadFile(P("l.dat")), want);
    ASSERT_EQ(scan({"Dropout Delay Time=258"}).code, 0);
    EXPECT_EQ(ReadFile(P("l.dat")), WithBytes(want, {{0x165, 0x02}, {0x166, 0x01}}));
}

TEST_F(FileVerbs, ScanRefusalsWriteNothing) {
    const std::string src = ReadFile(RADIO_EXAMPLES_DIR "/lark.dat");
    ASSERT_EQ(src[16 * 7 + 3], '\xFF'); // channel 7 is empty
    WriteFile(P("l.dat"), src);
    struct Case {
        std::vector<std::string> sets;
        std::string message;
    };
    const Case cases[] = {
        {{"Priority=Fixed", "Priority Channel=7"}, "Please select channel inputed"},
        {{"Priority=Fixed"}, "channel 1 to 16"},
        {{"Priority=Fixed", "Look Back Time A=abc"}, "0.5 to 5.0"},
        {{"Priority=Sometimes"}, "\"None\", \"Fixed\", \"Selected\""},
        {{"Nonsense=1"}, "the fields are \"Priority\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"scan", "--model", "lark", P("l.dat"), "-o", P("o.dat")};
        for (const std::string& s : c.sets) {
            args.insert(args.end(), {"--set", s});
        }
        const Result r = Rc(args);
        EXPECT_EQ(r.code, 1) << c.sets.back();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(P("o.dat")));
    }
    EXPECT_EQ(Rc({"scan", "--model", "lark", P("l.dat"), "--set", "Priority"}).code, 2);
    const Result wren = Rc({"scan", "--model", "wren", RADIO_EXAMPLES_DIR "/wren.dat"});
    EXPECT_EQ(wren.code, 2);
    EXPECT_NE(wren.err.find("only ProgramLark"), std::string::npos) << wren.err;
    EXPECT_EQ(ReadFile(P("l.dat")), src);
}

} // namespace

namespace {

TEST(Version, RadiocloneSaysTheBuildsVersion) {
    const Result r = Rc({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("radioclone ") + RADIO_VERSION + "\n");
}

} // namespace
