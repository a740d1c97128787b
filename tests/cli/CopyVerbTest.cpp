// radioclone copy: a customer's channels moved between the programmers'
// images, over stored and made-up images, with what is left out and why.
#include "CliTestSupport.h"

#include <ChannelGrid.h>
#include <MemoryImage.h>
#include <ToneCode.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using namespace clitest;

using namespace radio;

// The grid of an image file as a programmer shows it (English texts).
CellTable Shown(const ModelVariant& v, const std::string& path) {
    Image image;
    std::string error;
    EXPECT_TRUE(LoadDat(v, path, image, error)) << error;
    CellTable table = MakeChannelTable(v, Language::English);
    ImageToGrid(v, image, table, Language::English);
    return table;
}

class CopyVerb : public InFolder<> {
protected:
    // Writes an image of `model` whose rows hold these Rx/Tx/tone texts.
    std::string Make(Model model, const std::string& name,
                     const std::vector<std::pair<int, std::vector<std::string>>>& rows) {
        const ModelVariant& v = VariantFor(model);
        Image image = MakeDefaultImage(v);
        CellTable table = MakeChannelTable(v, Language::English);
        const std::vector<std::string> defaults = NewChannelDefaults(v, Language::English);
        for (const auto& [row, texts] : rows) {
            for (int c = 3; c < v.Cols(); ++c) {
                table.SetTextMatrix(row, c, defaults[static_cast<std::size_t>(c - 3)]);
            }
            for (std::size_t i = 0; i < texts.size(); ++i) {
                table.SetTextMatrix(row, static_cast<int>(i) + 1, texts[i]);
            }
        }
        GridToImage(v, table, image);
        std::string error;
        EXPECT_TRUE(StoreDat(P(name), image, error)) << error;
        return P(name);
    }
};

const char* const kModels[] = {"lark", "wren", "wren-v2", "wren-v3"};

TEST_F(CopyVerb, EveryPairCopiesChannelNToChannelNOrSaysWhyNot) {
    for (const char* from : kModels) {
        for (const char* to : kModels) {
            const std::string src = std::string(RADIO_EXAMPLES_DIR) + "/" + from + ".dat";
            const std::string before = ReadFile(src);
            const std::string out = P(std::string(from) + "-" + to + ".dat");
            const Result r = Rc({"copy", "--from", from, src, "--model", to, "-o", out});
            SCOPED_TRACE(std::string(from) + " -> " + to + "\n" + r.out + r.err);
            ASSERT_TRUE(r.code == 0 || r.code == 1);
            EXPECT_EQ(ReadFile(src), before);
            const ModelVariant& vf = *VariantByCliName(from);
            const ModelVariant& vt = *VariantByCliName(to);
            const CellTable source = Shown(vf, src);
            const CellTable target = Shown(vt, out);
            int used = 0;
            int copied = 0;
            for (int r2 = 1; r2 <= vf.channelRows; ++r2) {
                if (source.TextMatrix(r2, 1).empty()) {
                    continue;
                }
                ++used;
                // Channel numbers: the "Pr" row of ProgramWrenV3 is 0.
                const int channel = vf.firstRowLabel.empty() ? r2 : r2 - 1;
                const int row = vt.firstRowLabel.empty() ? channel : channel + 1;
                if (row >= 1 && row <= vt.channelRows &&
                    target.TextMatrix(row, 1) == source.TextMatrix(r2, 1)) {
                    ++copied;
                    EXPECT_EQ(target.TextMatrix(row, 2), source.TextMatrix(r2, 2));
                    EXPECT_EQ(target.TextMatrix(row, 3), source.TextMatrix(r2, 3));
                }
            }
            EXPECT_NE(r.out.find(std::to_string(copied) + " of " + std::to_string(used) +
                                 " channels copied"),
                      std::string::npos);
            EXPECT_EQ(r.code, copied == used ? 0 : 1);
            // Nothing in the target but what was copied.
            int filled = 0;
            for (int r2 = 1; r2 <= vt.channelRows; ++r2) {
                filled += target.TextMatrix(r2, 1).empty() ? 0 : 1;
            }
            EXPECT_EQ(filled, copied);
        }
    }
}

TEST_F(CopyVerb, WhatTheNewRadioCannotHoldIsNamed) {
    // A DCS code ProgramLark has and the Wren family has not.
    const std::vector<std::string> lark = BuildToneList(ToneCodeKind::Lark, Language::English);
    const std::vector<std::string> wren = BuildToneList(ToneCodeKind::Wren, Language::English);
    std::string only;
    for (const std::string& tone : lark) {
        if (std::find(wren.begin(), wren.end(), tone) == wren.end()) {
            only = tone;
            break;
        }
    }
    ASSERT_FALSE(only.empty());
    const std::string src = Make(Model::Lark, "lark.dat",
                                 {{1, {"146.52000", "146.52000", "None", "None", "Middle"}},
                                  {2, {"145.50000", "145.50000", only, "None", "High"}},
                                  {3, {"146.52125", "146.52125", "None", "None", "Low"}}});
    Result r = Rc({"copy", "--from", "lark", src, "--model", "wren", "-o", P("w.dat")});
    EXPECT_EQ(r.code, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("ProgramWren has no \"Busy Lock\", \"W/N\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("channel 2: QT/DQT Dec \"" + only + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("channel 3: Rx Frequency \"146.52125\" is on neither"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("1 of 3 channels copied"), std::string::npos);

    // Lark has no Middle power: the conservative Low, said per channel.
    const std::string v3 = Make(Model::WrenV3, "v3.dat",
                                {{1, {"146.52000", "146.52000", "None", "None", "High"}},
                                 {2, {"146.55000", "146.55000", "None", "None", "Middle"}},
                                 {18, {"147.00000", "147.00000", "None", "None", "Low"}},
                                 {200, {"147.50000", "147.50000", "None", "None", "Low"}}});
    r = Rc({"copy", "--from", "wren-v3", v3, "--model", "lark", "-o", P("l.dat")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("channel Pr: ProgramLark has no \"Pr\" channel"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("channel 1: Power \"Middle\" becomes \"Low\""), std::string::npos);
    EXPECT_NE(r.out.find("channel 17: ProgramLark has only 16 channels"), std::string::npos);
    EXPECT_NE(r.out.find("channel 199: ProgramLark has only 16 channels"), std::string::npos);
    EXPECT_NE(r.out.find("1 of 4 channels copied"), std::string::npos);
    EXPECT_EQ(Shown(VariantFor(Model::Lark), P("l.dat")).TextMatrix(1, 5), "Low");

    // A VHF radio into a UHF product: nothing fits.
    r = Rc(
        {"copy", "--from", "wren-v3", v3, "--model", "wren-v3", "-o", P("u.dat"), "--type", "1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("is outside 400 - 470MHz"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("0 of 4 channels copied"), std::string::npos);
}

TEST_F(CopyVerb, NamesAndPrStayWithinProgramWrenV3AndDestKeepsItsOptions) {
    const ModelVariant& v3 = VariantFor(Model::WrenV3);
    const std::string src = std::string(RADIO_EXAMPLES_DIR) + "/wren-v3.dat";
    const std::string dest =
        Make(Model::WrenV3, "dest.dat", {{50, {"146.00000", "146.00000", "None", "None", "Low"}}});
    // Options and product of the destination that differ from the source's.
    {
        std::fstream f(dest, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(0x1FC1);
        f.put(static_cast<char>(0x07));
        f.seekp(v3.typeOffset); // WR-300D, 136 - 174MHz
        f.put(static_cast<char>(0x02));
        f.seekp(v3.bandOffset);
        f.put(static_cast<char>(0x00));
    }
    const std::string destBefore = ReadFile(dest);
    const Result r =
        Rc({"copy", "--from", "wren-v3", src, "--model", "wren-v3", dest, "-o", P("out.dat")});
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(ReadFile(dest), destBefore);
    const std::string out = ReadFile(P("out.dat"));
    EXPECT_EQ(static_cast<unsigned char>(out[0x1FC1]), 0x07);
    EXPECT_EQ(static_cast<unsigned char>(out[static_cast<std::size_t>(v3.typeOffset)]), 0x02);
    const CellTable shown = Shown(v3, P("out.dat"));
    const CellTable source = Shown(v3, src);
    EXPECT_EQ(shown.TextMatrix(1, 8), source.TextMatrix(1, 8)); // the Pr channel's name
    EXPECT_EQ(shown.TextMatrix(1, 1), source.TextMatrix(1, 1));
    EXPECT_TRUE(shown.TextMatrix(50, 1).empty()); // the destination's channels are replaced

    const Result toWren =
        Rc({"copy", "--from", "wren-v3", src, "--model", "wren-v2", "-o", P("v2.dat")});
    EXPECT_NE(toWren.out.find("ProgramWrenV2 has no \"Cha Name\": dropped from every channel"),
              std::string::npos)
        << toWren.out;
}

TEST_F(CopyVerb, UsageAndFileErrorsWriteNothing) {
    const std::string src = std::string(RADIO_EXAMPLES_DIR) + "/lark.dat";
    const std::vector<std::vector<std::string>> bad = {
        {"copy", "--from", "lark", P("missing.dat"), "--model", "wren", "-o", P("o.dat")},
        {"copy", "--from", "lark", src, "--model", "wren", "-o", P("o.dat"), "--type", "9"},
        {"copy", "--from", "lark", src, "--model", "wren", "-o", P("o.dat"), "--band", "x"},
        {"copy", "--from", "walkie", src, "--model", "wren", "-o", P("o.dat")},
        {"copy", "--from", "lark", src, "--model", "wren"},
        {"copy", "--from", "lark", src, "--model", "wren", P("missing.dat"), "-o", P("o.dat")},
    };
    for (const auto& args : bad) {
        const Result r = Rc(args);
        EXPECT_EQ(r.code, 2) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(fs::exists(P("o.dat")));
    }
}

} // namespace
