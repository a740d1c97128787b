#include "Options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace radio {
namespace {

using Strings = std::vector<std::string>;

const ModelVariant& Lark() {
    return VariantFor(Model::Lark);
}
const ModelVariant& Wren() {
    return VariantFor(Model::Wren);
}
const ModelVariant& V2() {
    return VariantFor(Model::WrenV2);
}
const ModelVariant& V3() {
    return VariantFor(Model::WrenV3);
}

int OptionIndex(const ModelVariant& v, std::string_view label) {
    for (std::size_t i = 0; i < v.options.size(); ++i) {
        if (v.options[i].label.en == label) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << v.programName << " has no option " << label;
    return -1;
}

// The text a dialog would show for each option, by label.
std::map<std::string, std::string> Shown(const ModelVariant& v, const Image& image) {
    const std::vector<int> idx = LoadOptions(v, image);
    EXPECT_EQ(idx.size(), v.options.size());
    std::map<std::string, std::string> out;
    for (std::size_t i = 0; i < v.options.size() && i < idx.size(); ++i) {
        const OptionDef& o = v.options[i];
        std::string text;
        if (o.rule == OptionRule::CheckBox) {
            text = idx[i] == 1 ? "checked" : idx[i] == 0 ? "unchecked" : "?";
        } else if (idx[i] < 0) {
            text = "<none>";
        } else if (idx[i] < static_cast<int>(o.choices.size())) {
            text = std::string(o.choices[idx[i]].en);
        } else {
            text = "<beyond list>";
        }
        out[std::string(o.label.en)] = text;
    }
    return out;
}

// Stores one option, leaving every other option alone.
void StoreOne(const ModelVariant& v, Image& image, std::string_view label, int index) {
    std::vector<int> idx(v.options.size(), -1);
    idx[OptionIndex(v, label)] = index;
    StoreOptions(v, image, idx);
}

// Stores one option over a given byte; returns the byte afterwards and checks
// that nothing else in the image changed.
std::uint8_t StoreOver(const ModelVariant& v, int offset, std::uint8_t start,
                       std::string_view label, int index) {
    Image image = MakeDefaultImage(v);
    image[offset] = start;
    const Image before = image;
    StoreOne(v, image, label, index);
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (static_cast<int>(i) != offset) {
            EXPECT_EQ(image[i], before[i]) << label << ": offset " << i << " changed";
        }
    }
    return image[offset];
}

Strings Numbers(int from, int to) {
    Strings s;
    for (int i = from; i <= to; ++i) {
        s.push_back(std::to_string(i));
    }
    return s;
}

Strings OffThen(int to) {
    Strings s{"Off"};
    for (int i = 1; i <= to; ++i) {
        s.push_back(std::to_string(i));
    }
    return s;
}

// ---------------------------------------------------------------------------
// The places of the options: one per option, none overlapping another, and
// one for every control of the dialog and every line of the printout.

TEST(OptionPlaces, EachOptionHasOnePlaceAndThePlacesAreDisjoint) {
    for (const ModelVariant* v : AllVariants()) {
        SCOPED_TRACE(std::string(v->programName));
        std::map<OptionId, int> count;
        std::map<int, std::uint8_t> bitsAt;
        for (const OptionField& f : v->optionFields) {
            ++count[f.id];
            const auto bits = static_cast<std::uint8_t>(f.mask << f.shift);
            EXPECT_EQ(bits >> f.shift, f.mask) << "field runs off its byte";
            EXPECT_EQ(bitsAt[f.offset] & bits, 0) << "overlap at " << f.offset;
            bitsAt[f.offset] |= bits;
            EXPECT_LT(f.offset, v->imageSize);
        }
        for (const auto& [id, n] : count) {
            EXPECT_EQ(n, 1) << static_cast<int>(id);
        }
        for (const OptionDef& o : v->options) {
            EXPECT_EQ(count.count(o.field), 1u) << o.label.en;
        }
        for (const PrintLine& p : v->printLines) {
            EXPECT_EQ(count.count(p.field), 1u) << p.label.en;
        }
    }
}

// ---------------------------------------------------------------------------
// Options, their choice lists and control ids

struct OptionSpec {
    const char* label;
    int controlId;
    Strings choices; // empty for a check box
};

void ExpectOptions(const ModelVariant& v, const std::vector<OptionSpec>& want) {
    SCOPED_TRACE(std::string(v.programName));
    ASSERT_EQ(v.options.size(), want.size());
    for (const OptionSpec& w : want) {
        const int i = OptionIndex(v, w.label);
        if (i < 0) {
            continue;
        }
        const OptionDef& o = v.options[i];
        EXPECT_EQ(o.controlId, w.controlId) << w.label;
        Strings choices;
        for (const TextPair& c : o.choices) {
            choices.emplace_back(c.en);
        }
        EXPECT_EQ(choices, w.choices) << w.label;
        EXPECT_EQ(o.rule == OptionRule::CheckBox, w.choices.empty()) << w.label;
    }
}

TEST(OptionLists, Lark) {
    Strings timeOut;
    for (int s = 15; s <= 600; s += 15) {
        timeOut.push_back(std::to_string(s) + "s");
    }
    ExpectOptions(Lark(), {
                              {"Time-Out Timer", 1118, timeOut},
                              {"TOT Pre-Alert", 1130, OffThen(10)},
                              {"Squelch Level", 1116, Numbers(0, 9)},
                              {"Battery Saver", 1005, {}},
                              {"Beep", 1016, {}},
                              {"Vox Gain Level", 1121, OffThen(16)},
                              {"Vox Delay Time", 1123, {"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"}},
                              {"Voice Annunciation", 1117, {"Off", "Chinese", "English"}},
                          });
    const OptionDef& voice = Lark().options[OptionIndex(Lark(), "Voice Annunciation")];
    EXPECT_EQ(voice.choices[0].zh, "关");
    EXPECT_EQ(voice.choices[1].zh, "中文");
    EXPECT_EQ(voice.choices[2].zh, "英文");
    EXPECT_EQ(Lark().options[OptionIndex(Lark(), "TOT Pre-Alert")].choices[0].zh, "关");
    EXPECT_EQ(Lark().options[OptionIndex(Lark(), "Vox Gain Level")].choices[0].zh, "关");
}

const Strings kStep{"5k", "10k", "6.25k", "12.5k", "25k"};
const Strings kOffOn{"Off", "On"};
const Strings kTimeOut{"Off", "1", "3", "10"};
const Strings kCallTone{"Off", "1", "2", "3", "4", "5", "6", "7", "8", "1750"};
const Strings kBattery{"Off", "0.2", "0.4", "0.6", "0.8", "1.0"};
const Strings kLed{"Off", "Auto", "On"};
const Strings kScanMode{"SE", "CO", "TO"};
const Strings kMode{"Channel", "Frequency", "Memory"};
const Strings kKeypad{"Manual", "Auto"};

TEST(OptionLists, WrenFamily) {
    ExpectOptions(Wren(), {
                              {"Beep", 1016, {}},
                              {"Squelch Level", 1116, Numbers(0, 9)},
                              {"Time-Out Timer", 1118, kTimeOut},
                              {"Step", 1117, kStep},
                              {"Keypad Lock", 1121, kKeypad},
                              {"LED", 1119, kLed},
                              {"Scan Mode", 1126, kScanMode},
                              {"Mode", 1128, kMode},
                              {"Vox Gain Level", 1122, OffThen(16)},
                              {"Call Tone", 1130, kCallTone},
                              {"Battery Saver", 1120, kBattery},
                          });
    std::vector<OptionSpec> v2{
        {"Beep", 1016, {}},
        {"Squelch Level", 1116, Numbers(0, 9)},
        {"Time-Out Timer", 1118, kTimeOut},
        {"Step", 1117, kStep},
        {"Channel Name", 1123, kOffOn},
        {"Busy", 1127, kOffOn},
        {"Scan Mode", 1126, kScanMode},
        {"LED", 1119, kLed},
        {"Keypad Lock", 1121, kKeypad},
        {"Encoder", 1129, kOffOn},
        {"Mode", 1128, kMode},
        {"Vox Gain Level", 1122, OffThen(16)},
        {"Call Tone", 1130, kCallTone},
        {"Battery Saver", 1120, kBattery},
    };
    ExpectOptions(V2(), v2);
    std::vector<OptionSpec> v3 = v2;
    v3[4] = {"Channel Display", 1124, kOffOn};
    v3[11] = {"Voice Sensitivity", 1122, OffThen(16)};
    v3.push_back({"Priority Scan", 1123, kOffOn});
    v3.push_back({"Pri-Scanning Time", 1125, {"3s", "5s", "8s", "10s"}});
    ExpectOptions(V3(), v3);
}

// ---------------------------------------------------------------------------
// A new document's options

TEST(OptionDefaults, NewDocumentShowsItsDefaults) {
    using M = std::map<std::string, std::string>;
    EXPECT_EQ(Shown(Lark(), MakeDefaultImage(Lark())), (M{{"Time-Out Timer", "60s"},
                                                          {"Voice Annunciation", "Chinese"},
                                                          {"TOT Pre-Alert", "8"},
                                                          {"Squelch Level", "4"},
                                                          {"Vox Gain Level", "5"},
                                                          {"Vox Delay Time", "1.0"},
                                                          {"Beep", "checked"},
                                                          {"Battery Saver", "checked"}}));
    EXPECT_EQ(Shown(Wren(), MakeDefaultImage(Wren())), (M{{"Beep", "checked"},
                                                          {"Squelch Level", "4"},
                                                          {"Time-Out Timer", "1"},
                                                          {"Step", "25k"},
                                                          {"Keypad Lock", "Manual"},
                                                          {"LED", "Auto"},
                                                          {"Scan Mode", "TO"},
                                                          {"Mode", "Memory"},
                                                          {"Vox Gain Level", "Off"},
                                                          {"Call Tone", "1"},
                                                          {"Battery Saver", "0.4"}}));
    M v2{{"LED", "Auto"},           {"Step", "25k"},           {"Battery Saver", "0.4"},
         {"Call Tone", "1"},        {"Keypad Lock", "Manual"}, {"Squelch Level", "1"},
         {"Time-Out Timer", "1"},   {"Mode", "Frequency"},     {"Encoder", "On"},
         {"Vox Gain Level", "Off"}, {"Scan Mode", "CO"},       {"Busy", "Off"},
         {"Channel Name", "Off"},   {"Beep", "checked"}};
    EXPECT_EQ(Shown(V2(), MakeDefaultImage(V2())), v2);
    M v3 = v2;
    v3.erase("Vox Gain Level");
    v3.erase("Channel Name");
    v3["Voice Sensitivity"] = "Off";
    v3["Channel Display"] = "Off";
    v3["Priority Scan"] = "Off";
    v3["Pri-Scanning Time"] = "3s";
    EXPECT_EQ(Shown(V3(), MakeDefaultImage(V3())), v3);
}

TEST(OptionDefaults, StoringTheShownValuesKeepsANewDocument) {
    for (const ModelVariant* v : AllVariants()) {
        Image image = MakeDefaultImage(*v);
        const Image before = image;
        StoreOptions(*v, image, LoadOptions(*v, image));
        EXPECT_EQ(image, before) << v->programName;
    }
}

// ---------------------------------------------------------------------------
// Store rules

TEST(OptionStore, LarkIndexPlusOneFields) {
    EXPECT_EQ(StoreOver(Lark(), 0x130, 0x84, "Time-Out Timer", 39), 0xA8); // 600s, bit 7 kept
    EXPECT_EQ(StoreOver(Lark(), 0x130, 0x04, "Time-Out Timer", 39), 0x28);
    EXPECT_EQ(StoreOver(Lark(), 0x130, 0xFF, "Time-Out Timer", 0), 0x81);
    EXPECT_EQ(StoreOver(Lark(), 0x131, 0xF9, "TOT Pre-Alert", 0), 0xF1);  // "Off"
    EXPECT_EQ(StoreOver(Lark(), 0x131, 0x59, "TOT Pre-Alert", 10), 0x5B); // "10"
}

TEST(OptionStore, LarkBitFieldsKeepTheOtherBits) {
    EXPECT_EQ(StoreOver(Lark(), 0x134, 0xF4, "Squelch Level", 9), 0xF9);
    EXPECT_EQ(StoreOver(Lark(), 0x13A, 0xE5, "Vox Gain Level", 16), 0xF0);
    EXPECT_EQ(StoreOver(Lark(), 0x13A, 0xFF, "Vox Gain Level", 0), 0xE0);
    EXPECT_EQ(StoreOver(Lark(), 0x13B, 0xF8, "Vox Delay Time", 5), 0xFD);
    EXPECT_EQ(StoreOver(Lark(), 0x12F, 0xFD, "Voice Annunciation", 2), 0xFE);
    EXPECT_EQ(StoreOver(Lark(), 0x136, 0xF0, "Beep", 1), 0xF1);
    EXPECT_EQ(StoreOver(Lark(), 0x135, 0xFF, "Battery Saver", 0), 0xFE);
}

TEST(OptionStore, WrenBitFieldsKeepTheOtherBits) {
    EXPECT_EQ(StoreOver(Wren(), 0xFC1, 0xF4, "Squelch Level", 9), 0xF9);
    EXPECT_EQ(StoreOver(Wren(), 0xFC3, 0xFD, "Time-Out Timer", 3), 0xFF);
    EXPECT_EQ(StoreOver(Wren(), 0xFC3, 0xFD, "Time-Out Timer", 0), 0xFC);
    EXPECT_EQ(StoreOver(Wren(), 0xFE0, 0xFC, "Step", 3), 0xFB);
    EXPECT_EQ(StoreOver(Wren(), 0xFE4, 0xE0, "Vox Gain Level", 16), 0xF0);
    EXPECT_EQ(StoreOver(Wren(), 0xFE5, 0xF1, "Call Tone", 9), 0xF9);
    EXPECT_EQ(StoreOver(Wren(), 0xFE6, 0xFA, "Battery Saver", 5), 0xFD);
    EXPECT_EQ(StoreOver(Wren(), 0xFC0, 0x01, "Beep", 0), 0x00);
    EXPECT_EQ(StoreOver(Wren(), 0xFE1, 0x24, "Keypad Lock", 1), 0x26);
    EXPECT_EQ(StoreOver(Wren(), 0xFE1, 0x24, "Scan Mode", 1), 0x14);
    EXPECT_EQ(StoreOver(Wren(), 0xFE2, 0xFF, "Mode", 0), 0xFC);
    EXPECT_EQ(StoreOver(Wren(), 0xFE2, 0x02, "Mode", 1), 0x01);
}

TEST(OptionStore, LedOnAfterAuto) {
    EXPECT_EQ(StoreOver(Wren(), 0xFE1, 0x24, "LED", 2), 0x28);
    EXPECT_EQ(StoreOver(Wren(), 0xFE1, 0xFF, "LED", 1), 0xF7);
    for (const ModelVariant* v : {&V2(), &V3()}) {
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, "LED", 2), 0xD8);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, "LED", 0), 0xD0);
    }
}

TEST(OptionStore, InvertedFlagsOfV2AndV3) {
    for (const ModelVariant* v : {&V2(), &V3()}) {
        const char* display = v == &V2() ? "Channel Name" : "Channel Display";
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, "Busy", 1), 0x94);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0x00, "Busy", 0), 0x40);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, display, 1), 0x54);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0x00, display, 0), 0x80);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, "Scan Mode", 2), 0xE4);
        EXPECT_EQ(StoreOver(*v, 0x1FE1, 0xD4, "Keypad Lock", 1), 0xD6);
        EXPECT_EQ(StoreOver(*v, 0x1FE2, 0x21, "Encoder", 0), 0x01);
        EXPECT_EQ(StoreOver(*v, 0x1FE2, 0x21, "Mode", 2), 0x22);
        EXPECT_EQ(StoreOver(*v, 0x1FC0, 0xFF, "Beep", 0), 0xFE);
    }
    EXPECT_EQ(StoreOver(V3(), 0x1FE2, 0x21, "Priority Scan", 1), 0x61);
}

TEST(OptionStore, WholeByteOptionsOfV2AndV3) {
    for (const ModelVariant* v : {&V2(), &V3()}) {
        SCOPED_TRACE(std::string(v->programName));
        const char* vox = v == &V2() ? "Vox Gain Level" : "Voice Sensitivity";
        EXPECT_EQ(StoreOver(*v, 0x1FC1, 0xF1, "Squelch Level", 9), 0x09);
        EXPECT_EQ(StoreOver(*v, 0x1FC3, 0xF1, "Time-Out Timer", 3), 0x03);
        EXPECT_EQ(StoreOver(*v, 0x1FE0, 0xF4, "Step", 2), 0x02);
        EXPECT_EQ(StoreOver(*v, 0x1FE4, 0xE0, vox, 16), 0x10);
        EXPECT_EQ(StoreOver(*v, 0x1FE5, 0xF1, "Call Tone", 9), 0x09);
        EXPECT_EQ(StoreOver(*v, 0x1FE6, 0xF2, "Battery Saver", 5), 0x05);
    }
    EXPECT_EQ(StoreOver(V3(), 0x1FE7, 0xF0, "Pri-Scanning Time", 3), 0x03);
}

TEST(OptionStore, ConfirmingUnchangedClearsUpperBitsOnlyInV2AndV3) {
    for (const ModelVariant* v : {&V2(), &V3()}) {
        Image image = MakeDefaultImage(*v);
        image[0x1FC1] = 0xF1;
        image[0x1FC3] = 0x31;
        image[0x1FE0] = 0x84; // shown through 0x07: "25k"
        image[0x1FE4] = 0xE5;
        image[0x1FE5] = 0x31;
        image[0x1FE6] = 0x42;
        image[0x1FE7] = 0x41;
        StoreOptions(*v, image, LoadOptions(*v, image));
        EXPECT_EQ(image[0x1FC1], 0x01);
        EXPECT_EQ(image[0x1FC3], 0x01);
        EXPECT_EQ(image[0x1FE0], 0x04);
        EXPECT_EQ(image[0x1FE4], 0x05);
        EXPECT_EQ(image[0x1FE5], 0x01);
        EXPECT_EQ(image[0x1FE6], 0x02);
        EXPECT_EQ(image[0x1FE7], v == &V3() ? 0x01 : 0x41); // V2 has no option there
    }
    Image image = MakeDefaultImage(Wren());
    image[0xFC1] = 0xF4;
    image[0xFE5] = 0x31;
    const Image before = image;
    StoreOptions(Wren(), image, LoadOptions(Wren(), image));
    EXPECT_EQ(image, before);
}

TEST(OptionStore, LoadThenStoreIsTheIdentityForLark) {
    // Every Lark field keeps its other bits and every value beyond a list
    // shows no selection, so confirming any image changes nothing.
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        Image image(Lark().imageSize);
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(rng());
        }
        const Image before = image;
        StoreOptions(Lark(), image, LoadOptions(Lark(), image));
        ASSERT_EQ(image, before) << "round " << round;
    }
}

TEST(OptionStore, NoSelectionLeavesEveryField) {
    std::mt19937 rng(11);
    for (const ModelVariant* v : AllVariants()) {
        Image image(v->imageSize);
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(rng());
        }
        const Image before = image;
        StoreOptions(*v, image, std::vector<int>(v->options.size(), -1));
        EXPECT_EQ(image, before) << v->programName;
    }
}

// ---------------------------------------------------------------------------
// Shown values, two-bit fields and values beyond a list

int ShownIndex(const ModelVariant& v, int offset, std::uint8_t value, std::string_view label) {
    Image image = MakeDefaultImage(v);
    image[offset] = value;
    return LoadOptions(v, image)[OptionIndex(v, label)];
}

TEST(OptionLoad, ValuesBeyondTheListShowNoSelection) {
    EXPECT_EQ(ShownIndex(V3(), 0x1FC3, 0x0F, "Time-Out Timer"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FC3, 0xF3, "Time-Out Timer"), 3);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE6, 0x06, "Battery Saver"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE6, 0x0D, "Battery Saver"), 5); // through 0x07
    EXPECT_EQ(ShownIndex(V3(), 0x1FE5, 0x0A, "Call Tone"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE4, 0x11, "Voice Sensitivity"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE4, 0xF0, "Voice Sensitivity"), 16);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE7, 0x04, "Pri-Scanning Time"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE0, 0x05, "Step"), -1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE0, 0x0C, "Step"), 4);
    EXPECT_EQ(ShownIndex(Wren(), 0xFE0, 0x05, "Step"), -1);
    EXPECT_EQ(ShownIndex(Wren(), 0xFC1, 0x0A, "Squelch Level"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x130, 0x00, "Time-Out Timer"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x130, 0x29, "Time-Out Timer"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x130, 0x84, "Time-Out Timer"), 3);
    EXPECT_EQ(ShownIndex(Lark(), 0x131, 0x00, "TOT Pre-Alert"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x131, 0x0C, "TOT Pre-Alert"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x131, 0xFB, "TOT Pre-Alert"), 10);
    EXPECT_EQ(ShownIndex(Lark(), 0x13B, 0x06, "Vox Delay Time"), -1);
    EXPECT_EQ(ShownIndex(Lark(), 0x12F, 0x03, "Voice Annunciation"), -1);
}

TEST(OptionLoad, TwoBitFieldsShowElevenAsTheThirdChoice) {
    EXPECT_EQ(ShownIndex(Wren(), 0xFE1, 0x0C, "LED"), 2);
    EXPECT_EQ(ShownIndex(Wren(), 0xFE1, 0x30, "Scan Mode"), 2);
    EXPECT_EQ(ShownIndex(Wren(), 0xFE2, 0x03, "Mode"), 2);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE1, 0xFF, "LED"), 2);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE1, 0xFF, "Busy"), 0);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE1, 0x00, "Channel Display"), 1);
    EXPECT_EQ(ShownIndex(V3(), 0x1FE2, 0x40, "Priority Scan"), 1);
}

// ---------------------------------------------------------------------------
// The options page of the printout

using Lines = std::vector<std::pair<std::string, std::string>>;

Lines PageLines(const ModelVariant& v, const Image& image, Language lang) {
    Lines out;
    for (const OptionsPageLine& l : OptionsPageLines(v, image, lang)) {
        out.emplace_back(l.label, l.value);
    }
    return out;
}

TEST(OptionsPage, NewLarkDocument) {
    const Image image = MakeDefaultImage(Lark());
    EXPECT_EQ(PageLines(Lark(), image, Language::English),
              (Lines{{"Time Out Timer:", "60s"},
                     {"TOT Pre-Alert:", "8"},
                     {"Sequelch Level:", "4"},
                     {"Beep:", "On"},
                     {"Vox Gain Level:", "5"},
                     {"Vox Delay Time:", "1.0"},
                     {"Call Tone:", "Off"},
                     {"Battery Saver:", "On"},
                     {"Voice Annunciation:", "Chinese"},
                     {"VOX Function:", "On"},
                     {"Scan Function:", "On"}}));
    EXPECT_EQ(PageLines(Lark(), image, Language::Chinese), (Lines{{"超时定时器:", "60s"},
                                                                  {"超时定时器预警:", "8"},
                                                                  {"静噪电平:", "4"},
                                                                  {"提示音:", "开"},
                                                                  {"声控增益电平:", "5"},
                                                                  {"声控延时时间:", "1.0"},
                                                                  {"呼叫铃音:", "关"},
                                                                  {"电池省电:", "开"},
                                                                  {"语音报号:", "中文"},
                                                                  {"声控功能:", "开"},
                                                                  {"扫描功能:", "开"}}));
}

TEST(OptionsPage, NewWrenDocument) {
    const Image image = MakeDefaultImage(Wren());
    EXPECT_EQ(PageLines(Wren(), image, Language::English), (Lines{{"Time Out Timer:", "1"},
                                                                  {"Squelch Level:", "4"},
                                                                  {"Battery Saver:", "0.4"},
                                                                  {"Vox Gain Level:", "Off"},
                                                                  {"Call Tone:", "1"},
                                                                  {"Step:", "25k"},
                                                                  {"Keypad Lock:", "Manual"},
                                                                  {"Scan Mode:", "TO"},
                                                                  {"LED", "Auto"},
                                                                  {"Mode:", "Memory"},
                                                                  {"Beep:", "On"}}));
    EXPECT_EQ(PageLines(Wren(), image, Language::Chinese), (Lines{{"超时定时器:", "1"},
                                                                  {"静噪电平:", "4"},
                                                                  {"电池省电:", "0.4"},
                                                                  {"声控增益电平:", "关"},
                                                                  {"呼叫铃音:", "1"},
                                                                  {"步长:", "25k"},
                                                                  {"键盘锁定:", "手动"},
                                                                  {"扫描模式:", "TO"},
                                                                  {"LED", "Auto"},
                                                                  {"模式:", "存储"},
                                                                  {"提示音:", "开"}}));
}

TEST(OptionsPage, NewWrenV2Document) {
    const Image image = MakeDefaultImage(V2());
    EXPECT_EQ(PageLines(V2(), image, Language::English), (Lines{{"Time Out Timer:", "1"},
                                                                {"Squelch Level:", "1"},
                                                                {"Beep:", "On"},
                                                                {"Call Tone:", "1"},
                                                                {"Channel Name:", "Off"},
                                                                {"Busy", "Off"},
                                                                {"Scan Mode:", "CO"},
                                                                {"Keypad Lock:", "Manual"},
                                                                {"LED", "Auto"},
                                                                {"Mode:", "Frequency"},
                                                                {"Encoder", "On"},
                                                                {"Vox Gain Level:", "Off"},
                                                                {"Step:", "25k"},
                                                                {"Battery Saver:", "0.4"}}));
    EXPECT_EQ(PageLines(V2(), image, Language::Chinese), (Lines{{"超时定时器:", "1"},
                                                                {"静噪电平:", "1"},
                                                                {"提示音:", "开"},
                                                                {"呼叫铃音:", "1"},
                                                                {"信道名字:", "关"},
                                                                {"繁忙:", "关"},
                                                                {"扫描模式:", "CO"},
                                                                {"键盘锁定:", "手动"},
                                                                {"LED", "Auto"},
                                                                {"模式:", "频率"},
                                                                {"编码器", "开"},
                                                                {"声控增益电平:", "关"},
                                                                {"步长:", "25k"},
                                                                {"电池省电:", "0.4"}}));
}

TEST(OptionsPage, NewWrenV3Document) {
    const Image image = MakeDefaultImage(V3());
    EXPECT_EQ(PageLines(V3(), image, Language::English), (Lines{{"Time Out Timer:", "1"},
                                                                {"Squelch Level:", "1"},
                                                                {"Beep:", "On"},
                                                                {"Call Tone:", "1"},
                                                                {"Channel Display:", "Off"},
                                                                {"Priority Scan:", "Off"},
                                                                {"Busy", "Off"},
                                                                {"Pri-Scanning Time:", "3s"},
                                                                {"Scan Mode:", "CO"},
                                                                {"Keypad Lock:", "Manual"},
                                                                {"LED", "Auto"},
                                                                {"Mode:", "Frequency"},
                                                                {"Encoder", "On"},
                                                                {"Voice Sensitivity:", "Off"},
                                                                {"Step:", "25k"},
                                                                {"Battery Saver:", "0.4"}}));
    EXPECT_EQ(PageLines(V3(), image, Language::Chinese), (Lines{{"超时定时器:", "1"},
                                                                {"静噪电平:", "1"},
                                                                {"提示音:", "开"},
                                                                {"呼叫铃音:", "1"},
                                                                {"信道显示:", "关"},
                                                                {"优先扫描:", "关"},
                                                                {"繁忙:", "关"},
                                                                {"预扫描时间:", "3s"},
                                                                {"扫描模式:", "CO"},
                                                                {"键盘锁定:", "手动"},
                                                                {"LED", "Auto"},
                                                                {"模式:", "频率"},
                                                                {"编码器", "开"},
                                                                {"声控灵敏度:", "关"},
                                                                {"步长:", "25k"},
                                                                {"电池省电:", "0.4"}}));
}

std::string PageValue(const ModelVariant& v, const std::vector<std::pair<int, std::uint8_t>>& bytes,
                      std::string_view label, Language lang = Language::English) {
    Image image = MakeDefaultImage(v);
    for (const auto& [offset, value] : bytes) {
        image[offset] = value;
    }
    // Found by its English label; the line of the same place in `lang`.
    const std::vector<OptionsPageLine> en = OptionsPageLines(v, image, Language::English);
    const std::vector<OptionsPageLine> lines = OptionsPageLines(v, image, lang);
    for (std::size_t i = 0; i < en.size() && i < lines.size(); ++i) {
        if (en[i].label == label) {
            return lines[i].value;
        }
    }
    ADD_FAILURE() << "no line " << label;
    return {};
}

TEST(OptionsPage, WrenV3ValueRules) {
    EXPECT_EQ(PageValue(V3(), {{0x1FE0, 0}}, "Step:"), "5k");
    EXPECT_EQ(PageValue(V3(), {{0x1FE0, 1}}, "Step:"), "10k");
    EXPECT_EQ(PageValue(V3(), {{0x1FE0, 2}}, "Step:"), "6.5k");
    EXPECT_EQ(PageValue(V3(), {{0x1FE0, 3}}, "Step:"), "12.5k");
    EXPECT_EQ(PageValue(V3(), {{0x1FE0, 0x10}}, "Step:"), "25k"); // whole byte
    EXPECT_EQ(PageValue(V3(), {{0x1FE5, 9}}, "Call Tone:"), "1750");
    EXPECT_EQ(PageValue(V3(), {{0x1FE5, 0x00}}, "Call Tone:"), "Off");
    EXPECT_EQ(PageValue(V3(), {{0x1FE5, 0x1F}}, "Call Tone:"), "15");
    EXPECT_EQ(PageValue(V3(), {{0x1FE6, 7}}, "Battery Saver:"), "1.4");
    EXPECT_EQ(PageValue(V3(), {{0x1FE6, 5}}, "Battery Saver:"), "1.0");
    EXPECT_EQ(PageValue(V3(), {{0x1FE6, 0xF1}}, "Battery Saver:"), "0.2");
    EXPECT_EQ(PageValue(V3(), {{0x1FE6, 0}}, "Battery Saver:"), "Off");
    EXPECT_EQ(PageValue(V3(), {{0x1FE7, 0x07}}, "Pri-Scanning Time:"), "10s");
    EXPECT_EQ(PageValue(V3(), {{0x1FC3, 0xFE}}, "Time Out Timer:"), "3");
    EXPECT_EQ(PageValue(V3(), {{0x1FC1, 0x3A}}, "Squelch Level:"), "10");
    EXPECT_EQ(PageValue(V3(), {{0x1FE4, 0xFF}}, "Voice Sensitivity:"), "31");
    EXPECT_EQ(PageValue(V3(), {{0x1FC0, 0xFE}}, "Beep:"), "Off");
    const std::vector<std::pair<int, std::uint8_t>> flags{{0x1FE1, 0x3E}, {0x1FE2, 0x43}};
    EXPECT_EQ(PageValue(V3(), flags, "Channel Display:"), "On");
    EXPECT_EQ(PageValue(V3(), flags, "Busy"), "On");
    EXPECT_EQ(PageValue(V3(), flags, "Scan Mode:"), "TO");
    EXPECT_EQ(PageValue(V3(), flags, "Keypad Lock:"), "Auto");
    EXPECT_EQ(PageValue(V3(), flags, "Keypad Lock:", Language::Chinese), "自动");
    EXPECT_EQ(PageValue(V3(), flags, "LED"), "On");
    EXPECT_EQ(PageValue(V3(), flags, "Mode:"), "Memory");
    EXPECT_EQ(PageValue(V3(), flags, "Mode:", Language::Chinese), "存储");
    EXPECT_EQ(PageValue(V3(), flags, "Priority Scan:"), "On");
    EXPECT_EQ(PageValue(V3(), flags, "Encoder"), "Off");
    EXPECT_EQ(PageValue(V3(), {{0x1FE1, 0x00}}, "Scan Mode:"), "SE");
    EXPECT_EQ(PageValue(V3(), {{0x1FE1, 0x00}}, "LED"), "Off");
    EXPECT_EQ(PageValue(V3(), {{0x1FE2, 0x00}}, "Mode:", Language::Chinese), "信道");
}

TEST(OptionsPage, WrenStepAndCallToneFollowV3Rules) {
    EXPECT_EQ(PageValue(Wren(), {{0xFE0, 2}}, "Step:"), "6.5k");
    EXPECT_EQ(PageValue(Wren(), {{0xFE5, 9}}, "Call Tone:"), "1750");
    EXPECT_EQ(PageValue(V2(), {{0x1FE0, 2}}, "Step:"), "6.5k");
    EXPECT_EQ(PageValue(V2(), {{0x1FE5, 9}}, "Call Tone:"), "1750");
}

TEST(OptionsPage, LarkValueRules) {
    EXPECT_EQ(PageValue(Lark(), {{0x130, 0xA8}}, "Time Out Timer:"), "600s");
    EXPECT_EQ(PageValue(Lark(), {{0x130, 0x7F}}, "Time Out Timer:"), "945s");
    EXPECT_EQ(PageValue(Lark(), {{0x131, 0xF1}}, "TOT Pre-Alert:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x131, 0x01}}, "TOT Pre-Alert:", Language::Chinese), "关");
    EXPECT_EQ(PageValue(Lark(), {{0x131, 0x0B}}, "TOT Pre-Alert:"), "10");
    EXPECT_EQ(PageValue(Lark(), {{0x134, 0x3A}}, "Sequelch Level:"), "10");
    EXPECT_EQ(PageValue(Lark(), {{0x136, 0xFE}}, "Beep:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x13A, 0xE0}}, "Vox Gain Level:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x13A, 0x10}}, "Vox Gain Level:"), "16");
    EXPECT_EQ(PageValue(Lark(), {{0x13B, 0}}, "Vox Delay Time:"), "0.3");
    EXPECT_EQ(PageValue(Lark(), {{0x13B, 4}}, "Vox Delay Time:"), "2.0");
    EXPECT_EQ(PageValue(Lark(), {{0x13B, 7}}, "Vox Delay Time:"), "3.0");
    EXPECT_EQ(PageValue(Lark(), {{0x3F0, 5}}, "Call Tone:"), "5");
    EXPECT_EQ(PageValue(Lark(), {{0x3F0, 0xC8}}, "Call Tone:"), "200");
    EXPECT_EQ(PageValue(Lark(), {{0x135, 0x00}}, "Battery Saver:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x12F, 0x00}}, "Voice Annunciation:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x12F, 0x03}}, "Voice Annunciation:"), "English");
    EXPECT_EQ(PageValue(Lark(), {{0x12F, 0x02}}, "Voice Annunciation:", Language::Chinese), "英文");
    EXPECT_EQ(PageValue(Lark(), {{0x3C7, 0xFE}}, "VOX Function:"), "Off");
    EXPECT_EQ(PageValue(Lark(), {{0x3C7, 0xFE}}, "Scan Function:"), "On");
    EXPECT_EQ(PageValue(Lark(), {{0x3C7, 0x01}}, "VOX Function:"), "On");
    EXPECT_EQ(PageValue(Lark(), {{0x3C7, 0x01}}, "Scan Function:"), "Off");
}

} // namespace
} // namespace radio
