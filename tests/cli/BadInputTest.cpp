// What a user hands radioclone from outside: .dat files of every wrong size
// and tables that are not what they claim. Each gets a message naming the
// problem, a non-zero status, and every file stays as it was.
#include "CliTestSupport.h"

#include <MemoryImage.h>
#include <Variant.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using namespace clitest;

class BadInput : public InFolder<> {
protected:
    // An import of `csv` into a fresh image of `model` must fail naming
    // `reason`, leaving the .dat as it was and writing no -o file.
    void ImportIsRefused(const char* model, const std::string& csv, const std::string& reason) {
        SCOPED_TRACE(reason);
        ASSERT_EQ(Rc({"new", "--model", model, "-o", P("target.dat")}).code, 0);
        const std::string before = ReadFile(P("target.dat"));
        WriteFile(P("table.csv"), csv);
        for (bool toOther : {false, true}) {
            std::vector<std::string> args{"import", "--model", model, P("target.dat"),
                                          P("table.csv")};
            if (toOther)
                args.insert(args.end(), {"-o", P("other.dat")});
            const Result r = Rc(args);
            EXPECT_EQ(r.code, 1);
            EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
            EXPECT_EQ(ReadFile(P("target.dat")), before);
            EXPECT_FALSE(fs::exists(P("other.dat")));
        }
    }
};

const char* const kModels[] = {"lark", "wren", "wren-v2", "wren-v3"};

TEST_F(BadInput, EveryShorterDatIsRefusedNamingItsSize) {
    for (const char* model : kModels) {
        const int size = radio::VariantByCliName(model)->imageSize;
        std::string bytes;
        // Every size of the 1 KB image, a spread of the 8 KB ones.
        const int stride = size > 1024 ? 61 : 1;
        for (int wrong = 0; wrong < size; ++wrong) {
            bytes += static_cast<char>(wrong * 7);
            if (wrong % stride != 0 && wrong != size - 1)
                continue;
            WriteFile(P("short.dat"), bytes.substr(0, static_cast<std::size_t>(wrong)));
            const Result r = Rc({"export", "--model", model, P("short.dat")});
            ASSERT_EQ(r.code, 1) << model << " " << wrong;
            ASSERT_TRUE(r.out.empty());
            ASSERT_NE(r.err.find(std::to_string(wrong) + " byte"), std::string::npos) << r.err;
        }
        // The verbs that write in place leave such a file alone.
        WriteFile(P("short.dat"), bytes.substr(0, 100));
        const std::string example = std::string(RADIO_EXAMPLES_DIR "/") + model + ".dat";
        const std::string csv = Rc({"export", "--model", model, example}).out;
        WriteFile(P("table.csv"), csv);
        EXPECT_EQ(Rc({"import", "--model", model, P("short.dat"), P("table.csv")}).code, 1);
        EXPECT_EQ(Rc({"options", "--model", model, P("short.dat"), "--set", "x=y"}).code, 1);
        EXPECT_EQ(ReadFile(P("short.dat")), bytes.substr(0, 100));
    }
}

TEST_F(BadInput, TablesThatAreNotUtf8TextAreRefusedWhole) {
    ASSERT_EQ(Rc({"new", "--model", "wren-v3", "-o", P("v3.dat")}).code, 0);
    const std::string csv = Rc({"export", "--model", "wren-v3", P("v3.dat")}).out;
    const std::string row1 = "  1,,,,,,,,\r\n";
    ASSERT_NE(csv.find(row1), std::string::npos);
    const auto withRow1 = [&](const std::string& row) {
        std::string text = csv;
        text.replace(text.find(row1), row1.size(), row);
        return text;
    };
    // The quoted headings take two lines, so channel 1 is on line 3.
    ImportIsRefused("wren-v3", withRow1(std::string("  1,145,145,,,,,,A") + '\0' + "B\r\n"),
                    "line 3: a NUL byte");
    ImportIsRefused("wren-v3", withRow1("  1,145,145,,,,,,CAF\xC9\r\n"), "line 3: not UTF-8");
    ImportIsRefused("wren-v3", std::string("\xFF\xFE", 2) + csv, "line 1: not UTF-8");
    ImportIsRefused("lark", std::string(4096, '\0'), "line 1: a NUL byte");
}

TEST_F(BadInput, ByteOrderMarkAndMillionRowTables) {
    ASSERT_EQ(Rc({"new", "--model", "lark", "-o", P("lark.dat")}).code, 0);
    const std::string csv = Rc({"export", "--model", "lark", RADIO_EXAMPLES_DIR "/lark.dat"}).out;

    // A spreadsheet's byte order mark is no part of the first heading.
    WriteFile(P("bom.csv"), "\xEF\xBB\xBF" + csv);
    ASSERT_EQ(Rc({"import", "--model", "lark", P("lark.dat"), P("bom.csv"), "-o", P("a.dat")}).code,
              0);
    WriteFile(P("plain.csv"), csv);
    ASSERT_EQ(
        Rc({"import", "--model", "lark", P("lark.dat"), P("plain.csv"), "-o", P("b.dat")}).code, 0);
    EXPECT_EQ(ReadFile(P("a.dat")), ReadFile(P("b.dat")));

    // 10^6 rows: refused by count (or size), in one pass, naming the count.
    std::string huge = csv;
    huge.reserve(csv.size() + std::size_t{1000000} * 4);
    for (int i = 0; i < 1000000; ++i)
        huge += "1,\r\n";
    ImportIsRefused("lark", huge, "rows");
}

} // namespace
