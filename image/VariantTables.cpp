// One table per programmer. Everything here is data; the algorithms that read
// it are shared by all four.
#include "Variant.h"

#include <deque>
#include <string>

namespace radio {

namespace {

// Generated choice texts need storage that outlives the tables.
std::string_view Keep(std::string text) {
    static std::deque<std::string> pool;
    pool.push_back(std::move(text));
    return pool.back();
}

TextPair Same(std::string_view text) {
    return {text, text};
}

// "Off" (Chinese "关") followed by the numbers first..last.
std::vector<TextPair> OffThenNumbers(int first, int last) {
    std::vector<TextPair> list{texts::kOff};
    for (int n = first; n <= last; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    return list;
}

std::vector<TextPair> Numbers(int first, int last) {
    std::vector<TextPair> list;
    for (int n = first; n <= last; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    return list;
}

std::vector<TextPair> Seconds15To600() {
    std::vector<TextPair> list;
    for (int s = 15; s <= 600; s += 15) {
        list.push_back(Same(Keep(std::to_string(s) + "s")));
    }
    return list;
}

// Texts of the options page of the printout.
constexpr TextPair kPrintOn{"On", "开"};
constexpr TextPair kPrintOff{"Off", "关"};

// ---- grid columns -------------------------------------------------------

GridColumn LabelColumn() {
    GridColumn c;
    c.heading = {"CH", "信道"};
    c.widthFactor = 0.5;
    c.kind = ColumnKind::Choice;
    c.editor = EditorKind::None;
    return c;
}

GridColumn FrequencyColumn(bool rx) {
    GridColumn c;
    c.heading = rx ? TextPair{"Rx Frequency", "接收频率"} : TextPair{"Tx Frequency", "发射频率"};
    c.widthFactor = 1.3;
    c.kind = rx ? ColumnKind::RxFrequency : ColumnKind::TxFrequency;
    c.editor = EditorKind::Edit;
    c.controlId = rx ? 2127 : 2128;
    return c;
}

GridColumn ToneColumn(bool decode) {
    GridColumn c;
    c.heading =
        decode ? TextPair{"QT/DQT Dec", "QT/DQT解码"} : TextPair{"QT/DQT Enc", "QT/DQT编码"};
    c.widthFactor = 1.1;
    c.kind = decode ? ColumnKind::DecodeTone : ColumnKind::EncodeTone;
    c.editor = EditorKind::DropList;
    c.controlId = decode ? 2132 : 2133;
    c.newChannelItem = 0; // "None"
    return c;
}

GridColumn ChoiceColumn(TextPair heading, double width, int controlId, ChoiceField field,
                        int newChannelItem) {
    GridColumn c;
    c.heading = heading;
    c.widthFactor = width;
    c.kind = ColumnKind::Choice;
    c.editor = EditorKind::DropList;
    c.controlId = controlId;
    c.choice = std::move(field);
    c.newChannelItem = newChannelItem;
    return c;
}

ChoiceField RecordBits(int byte, int shift, std::uint8_t mask, std::vector<ChoiceItem> items,
                       std::vector<int> shown, std::uint8_t other) {
    ChoiceField f;
    f.storage = ChoiceField::Storage::RecordBits;
    f.recordByte = byte;
    f.shift = shift;
    f.mask = mask;
    f.items = std::move(items);
    f.shownItem = std::move(shown);
    f.otherCode = other;
    return f;
}

// Wren family: power in byte 12 bits 5-4, 11 shows empty; unknown text stores Low.
GridColumn WrenPowerColumn() {
    return ChoiceColumn({"Power", "功率"}, 1.0, 1129,
                        RecordBits(12, 4, 0x3,
                                   {{texts::kHigh, 2}, {texts::kMiddle, 1}, {texts::kLow, 0}},
                                   {2, 1, 0, -1}, 0),
                        0);
}

// Wren family: channel lock in byte 12 bit 3. What an unrecognised (empty)
// text stores differs between the programmers.
GridColumn WrenLockColumn(std::uint8_t otherCode) {
    return ChoiceColumn(
        {"Cha Lock", "信道锁定"}, 1.0, 1127,
        RecordBits(12, 3, 0x1, {{texts::kLock, 1}, {texts::kUnlock, 0}}, {1, 0}, otherCode), 0);
}

GridColumn WrenScanAddColumn(double width) {
    return ChoiceColumn({"Scan Add", "扫描添加"}, width, 1134,
                        RecordBits(12, 2, 0x1, {{texts::kYes, 1}, {texts::kNo, 0}}, {1, 0}, 1), 0);
}

std::vector<GridColumn> LarkColumns() {
    ChoiceField scan;
    scan.storage = ChoiceField::Storage::ScanAddBitmap;
    scan.bitmapOffset = 0x17E;
    scan.items = {{texts::kYes, 1}, {texts::kNo, 0}};
    scan.shownItem = {1, 0};
    scan.otherCode = 0;
    scan.showsInBlankRow = true;

    return {
        LabelColumn(),
        FrequencyColumn(true),
        FrequencyColumn(false),
        ToneColumn(true),
        ToneColumn(false),
        ChoiceColumn({"Power", "功率"}, 0.9, 1129,
                     RecordBits(13, 5, 0x1, {{texts::kHigh, 1}, {texts::kLow, 0}}, {1, 0}, 0), 0),
        ChoiceColumn({"Scan Add", "扫描添加"}, 0.9, 1134, scan, 1),
        ChoiceColumn({"Busy Lock", "繁忙锁定"}, 0.9, 1139,
                     RecordBits(12, 3, 0x3,
                                {{texts::kOff, 0}, {texts::kCarrier, 1}, {texts::kQtDqt, 2}},
                                {0, 1, 2, 2}, 2),
                     0),
        ChoiceColumn({"W/N", "宽/窄"}, 0.9, 1128,
                     RecordBits(13, 4, 0x1, {{texts::kWide, 1}, {texts::kNarrow, 0}}, {1, 0}, 0),
                     0),
    };
}

std::vector<GridColumn> WrenColumns(std::uint8_t lockOtherCode, bool withNames) {
    std::vector<GridColumn> cols{
        LabelColumn(),
        FrequencyColumn(true),
        FrequencyColumn(false),
        ToneColumn(true),
        ToneColumn(false),
        WrenPowerColumn(),
        WrenLockColumn(lockOtherCode),
        WrenScanAddColumn(withNames ? 1.0 : 0.0),
    };
    if (withNames) {
        GridColumn name;
        name.heading = {"Cha Name", "信道名字"};
        name.widthFactor = 1.0;
        name.kind = ColumnKind::Name;
        name.editor = EditorKind::Edit;
        name.controlId = 1126;
        name.maxChars = 6;
        cols.push_back(name);
    }
    return cols;
}

// ---- option block -------------------------------------------------------

OptionDef Option(TextPair label, int offset, int shift, std::uint8_t mask, OptionRule rule,
                 std::vector<TextPair> choices, int controlId) {
    OptionDef o;
    o.label = label;
    o.offset = offset;
    o.shift = shift;
    o.mask = mask;
    o.rule = rule;
    o.choices = std::move(choices);
    o.controlId = controlId;
    return o;
}

OptionDef WholeByte(TextPair label, int offset, std::uint8_t storeMask, std::uint8_t showMask,
                    std::vector<TextPair> choices, int controlId) {
    OptionDef o =
        Option(label, offset, 0, 0xFF, OptionRule::WholeByte, std::move(choices), controlId);
    o.storeMask = storeMask;
    o.showMask = showMask;
    return o;
}

OptionDef CheckBox(TextPair label, int offset, int bit, int controlId) {
    return Option(label, offset, bit, 0x1, OptionRule::CheckBox, {}, controlId);
}

const std::vector<TextPair> kOffOn{Same("Off"), Same("On")};
const std::vector<TextPair> kManualAuto{Same("Manual"), Same("Auto")};
const std::vector<TextPair> kLedChoices{Same("Off"), Same("Auto"), Same("On")};
const std::vector<TextPair> kScanModes{Same("SE"), Same("CO"), Same("TO")};
const std::vector<TextPair> kModes{Same("Channel"), Same("Frequency"), Same("Memory")};
const std::vector<TextPair> kSteps{Same("5k"), Same("10k"), Same("6.25k"), Same("12.5k"),
                                   Same("25k")};
const std::vector<TextPair> kSavers{Same("Off"), Same("0.2"), Same("0.4"),
                                    Same("0.6"), Same("0.8"), Same("1.0")};
const std::vector<TextPair> kTimeOuts{Same("Off"), Same("1"), Same("3"), Same("10")};

std::vector<TextPair> CallTones() {
    std::vector<TextPair> list{Same("Off")};
    for (int n = 1; n <= 8; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    list.push_back(Same("1750"));
    return list;
}

std::vector<TextPair> WrenFamilyNumbers(int first, int last) {
    std::vector<TextPair> list{Same("Off")};
    for (int n = first; n <= last; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    return list;
}

std::vector<OptionDef> LarkOptions() {
    return {
        Option({"Time-Out Timer", "Time-Out Timer"}, 0x130, 0, 0x7F, OptionRule::IndexPlusOne,
               Seconds15To600(), 1118),
        Option({"TOT Pre-Alert", "TOT Pre-Alert"}, 0x131, 0, 0x0F, OptionRule::IndexPlusOne,
               OffThenNumbers(1, 10), 1130),
        Option({"Squelch Level", "Squelch Level"}, 0x134, 0, 0x0F, OptionRule::Bits, Numbers(0, 9),
               1116),
        CheckBox({"Battery Saver", "Battery Saver"}, 0x135, 0, 1005),
        CheckBox({"Beep", "Beep"}, 0x136, 0, 1016),
        Option({"Vox Gain Level", "Vox Gain Level"}, 0x13A, 0, 0x1F, OptionRule::Bits,
               OffThenNumbers(1, 16), 1121),
        Option({"Vox Delay Time", "Vox Delay Time"}, 0x13B, 0, 0x07, OptionRule::Bits,
               {Same("0.3"), Same("0.5"), Same("1.0"), Same("1.5"), Same("2.0"), Same("3.0")},
               1123),
        Option({"Voice Annunciation", "Voice Annunciation"}, 0x12F, 0, 0x03, OptionRule::Bits,
               {texts::kOff, {"Chinese", "中文"}, {"English", "英文"}}, 1117),
    };
}

std::vector<OptionDef> WrenOptions() {
    return {
        CheckBox(Same("Beep"), 0xFC0, 0, 1016),
        Option(Same("Squelch Level"), 0xFC1, 0, 0x0F, OptionRule::Bits, Numbers(0, 9), 1116),
        Option(Same("Time-Out Timer"), 0xFC3, 0, 0x03, OptionRule::Bits, kTimeOuts, 1118),
        Option(Same("Step"), 0xFE0, 0, 0x07, OptionRule::Bits, kSteps, 1117),
        Option(Same("Keypad Lock"), 0xFE1, 1, 0x01, OptionRule::Bits, kManualAuto, 1121),
        Option(Same("LED"), 0xFE1, 2, 0x03, OptionRule::TwoBitChoice, kLedChoices, 1119),
        Option(Same("Scan Mode"), 0xFE1, 4, 0x03, OptionRule::TwoBitChoice, kScanModes, 1126),
        Option(Same("Mode"), 0xFE2, 0, 0x03, OptionRule::TwoBitChoice, kModes, 1128),
        Option(Same("Vox Gain Level"), 0xFE4, 0, 0x1F, OptionRule::Bits, WrenFamilyNumbers(1, 16),
               1122),
        Option(Same("Call Tone"), 0xFE5, 0, 0x0F, OptionRule::Bits, CallTones(), 1130),
        Option(Same("Battery Saver"), 0xFE6, 0, 0x07, OptionRule::Bits, kSavers, 1120),
    };
}

std::vector<OptionDef> WrenV2V3Options(bool v3) {
    std::vector<OptionDef> list{
        CheckBox(Same("Beep"), 0x1FC0, 0, 1016),
        WholeByte(Same("Squelch Level"), 0x1FC1, 0x0F, 0x0F, Numbers(0, 9), 1116),
        WholeByte(Same("Time-Out Timer"), 0x1FC3, 0x0F, 0x0F, kTimeOuts, 1118),
        WholeByte(Same("Step"), 0x1FE0, 0x0F, 0x07, kSteps, 1117),
        Option(v3 ? Same("Channel Display") : Same("Channel Name"), 0x1FE1, 7, 0x01,
               OptionRule::InvertedFlag, kOffOn, v3 ? 1124 : 1123),
        Option(Same("Busy"), 0x1FE1, 6, 0x01, OptionRule::InvertedFlag, kOffOn, 1127),
        Option(Same("Scan Mode"), 0x1FE1, 4, 0x03, OptionRule::TwoBitChoice, kScanModes, 1126),
        Option(Same("LED"), 0x1FE1, 2, 0x03, OptionRule::TwoBitChoice, kLedChoices, 1119),
        Option(Same("Keypad Lock"), 0x1FE1, 1, 0x01, OptionRule::Bits, kManualAuto, 1121),
    };
    if (v3) {
        list.push_back(
            Option(Same("Priority Scan"), 0x1FE2, 6, 0x01, OptionRule::Bits, kOffOn, 1123));
    }
    list.push_back(Option(Same("Encoder"), 0x1FE2, 5, 0x01, OptionRule::Bits, kOffOn, 1129));
    list.push_back(Option(Same("Mode"), 0x1FE2, 0, 0x03, OptionRule::TwoBitChoice, kModes, 1128));
    list.push_back(WholeByte(v3 ? Same("Voice Sensitivity") : Same("Vox Gain Level"), 0x1FE4, 0x1F,
                             0x1F, WrenFamilyNumbers(1, 16), 1122));
    list.push_back(WholeByte(Same("Call Tone"), 0x1FE5, 0x0F, 0x0F, CallTones(), 1130));
    list.push_back(WholeByte(Same("Battery Saver"), 0x1FE6, 0x0F, 0x07, kSavers, 1120));
    if (v3) {
        list.push_back(WholeByte(Same("Pri-Scanning Time"), 0x1FE7, 0x0F, 0x07,
                                 {Same("3s"), Same("5s"), Same("8s"), Same("10s")}, 1125));
    }
    return list;
}

// ---- options page of the printout ---------------------------------------

PrintLine Lookup(TextPair label, int offset, std::uint8_t mask, int shift,
                 std::vector<TextPair> values) {
    PrintLine p;
    p.label = label;
    p.offset = offset;
    p.mask = mask;
    p.shift = shift;
    p.kind = PrintKind::Lookup;
    p.texts = std::move(values);
    return p;
}

PrintLine OnOff(TextPair label, int offset, int bit, bool inverted = false) {
    PrintLine p;
    p.label = label;
    p.offset = offset;
    p.shift = bit;
    p.kind = PrintKind::OnOff;
    p.inverted = inverted;
    return p;
}

PrintLine Number(TextPair label, int offset, std::uint8_t mask, int offAt = -1) {
    PrintLine p;
    p.label = label;
    p.offset = offset;
    p.mask = mask;
    p.kind = PrintKind::Number;
    p.offAt = offAt;
    return p;
}

PrintLine Fifths(TextPair label, int offset, std::uint8_t mask) {
    PrintLine p;
    p.label = label;
    p.offset = offset;
    p.mask = mask;
    p.kind = PrintKind::Fifths;
    return p;
}

constexpr TextPair kTimeOutLabel{"Time Out Timer:", "超时定时器:"};
constexpr TextPair kSquelchLabel{"Squelch Level:", "静噪电平:"};
constexpr TextPair kBeepLabel{"Beep:", "提示音:"};
constexpr TextPair kCallToneLabel{"Call Tone:", "呼叫铃音:"};
constexpr TextPair kBatteryLabel{"Battery Saver:", "电池省电:"};
constexpr TextPair kVoxGainLabel{"Vox Gain Level:", "声控增益电平:"};

std::vector<PrintLine> LarkPrintLines() {
    PrintLine tot = Number(kTimeOutLabel, 0x130, 0x3F);
    tot.multiplier = 15;
    tot.suffix = "s";
    PrintLine preAlert = Number({"TOT Pre-Alert:", "超时定时器预警:"}, 0x131, 0x0F, 1);
    preAlert.addend = -1;
    return {
        tot,
        preAlert,
        Number({"Sequelch Level:", "静噪电平:"}, 0x134, 0x0F),
        OnOff(kBeepLabel, 0x136, 0),
        Number(kVoxGainLabel, 0x13A, 0x1F, 0),
        Lookup({"Vox Delay Time:", "声控延时时间:"}, 0x13B, 0x07, 0,
               {Same("0.3"), Same("0.5"), Same("1.0"), Same("1.5"), Same("2.0"), Same("3.0")}),
        Number(kCallToneLabel, 0x3F0, 0xFF, 0),
        OnOff(kBatteryLabel, 0x135, 0),
        Lookup({"Voice Annunciation:", "语音报号:"}, 0x12F, 0x03, 0,
               {kPrintOff, {"Chinese", "中文"}, {"English", "英文"}}),
        OnOff({"VOX Function:", "声控功能:"}, 0x3C7, 0),
        OnOff({"Scan Function:", "扫描功能:"}, 0x3C7, 1),
    };
}

// The Wren family's lines, each by its label; `base` is 0x1000 for
// ProgramWrenV2/V3 and 0 for ProgramWren.
struct WrenPrint {
    int base;

    PrintLine TimeOut() const {
        return Lookup(kTimeOutLabel, base + 0xFC3, 0x03, 0,
                      {kPrintOff, Same("1"), Same("3"), Same("10")});
    }
    PrintLine Squelch() const { return Number(kSquelchLabel, base + 0xFC1, 0x0F); }
    PrintLine Beep() const { return OnOff(kBeepLabel, base + 0xFC0, 0); }
    PrintLine CallTone() const {
        PrintLine p = Number(kCallToneLabel, base + 0xFE5, 0x0F, 0);
        p.specialAt = 9;
        p.specialText = "1750";
        return p;
    }
    PrintLine ChannelFlag(TextPair label) const { return OnOff(label, base + 0xFE1, 7, true); }
    PrintLine PriorityScan() const {
        return OnOff({"Priority Scan:", "优先扫描:"}, base + 0xFE2, 6);
    }
    PrintLine Busy() const { return OnOff({"Busy", "繁忙:"}, base + 0xFE1, 6, true); }
    PrintLine PriScanTime() const {
        return Lookup({"Pri-Scanning Time:", "预扫描时间:"}, base + 0xFE7, 0x03, 0,
                      {Same("3s"), Same("5s"), Same("8s"), Same("10s")});
    }
    PrintLine ScanMode() const {
        return Lookup({"Scan Mode:", "扫描模式:"}, base + 0xFE1, 0x30, 4, kScanModes);
    }
    PrintLine KeypadLock() const {
        return Lookup({"Keypad Lock:", "键盘锁定:"}, base + 0xFE1, 0x02, 1,
                      {{"Manual", "手动"}, {"Auto", "自动"}});
    }
    PrintLine Led() const {
        return Lookup(Same("LED"), base + 0xFE1, 0x0C, 2, {kPrintOff, Same("Auto"), kPrintOn});
    }
    PrintLine Mode() const {
        return Lookup({"Mode:", "模式:"}, base + 0xFE2, 0x03, 0,
                      {{"Channel", "信道"}, {"Frequency", "频率"}, {"Memory", "存储"}});
    }
    PrintLine Encoder() const { return OnOff({"Encoder", "编码器"}, base + 0xFE2, 5); }
    PrintLine VoxGain(TextPair label) const { return Number(label, base + 0xFE4, 0x1F, 0); }
    PrintLine Step() const {
        return Lookup({"Step:", "步长:"}, base + 0xFE0, 0xFF, 0,
                      {Same("5k"), Same("10k"), Same("6.5k"), Same("12.5k"), Same("25k")});
    }
    PrintLine Battery() const { return Fifths(kBatteryLabel, base + 0xFE6, 0x07); }
};

std::vector<PrintLine> WrenPrintLines() {
    const WrenPrint w{0};
    return {w.TimeOut(),  w.Squelch(), w.Battery(),    w.VoxGain(kVoxGainLabel),
            w.CallTone(), w.Step(),    w.KeypadLock(), w.ScanMode(),
            w.Led(),      w.Mode(),    w.Beep()};
}

std::vector<PrintLine> WrenV2PrintLines() {
    const WrenPrint w{0x1000};
    return {w.TimeOut(),
            w.Squelch(),
            w.Beep(),
            w.CallTone(),
            w.ChannelFlag({"Channel Name:", "信道名字:"}),
            w.Busy(),
            w.ScanMode(),
            w.KeypadLock(),
            w.Led(),
            w.Mode(),
            w.Encoder(),
            w.VoxGain(kVoxGainLabel),
            w.Step(),
            w.Battery()};
}

std::vector<PrintLine> WrenV3PrintLines() {
    const WrenPrint w{0x1000};
    return {w.TimeOut(),
            w.Squelch(),
            w.Beep(),
            w.CallTone(),
            w.ChannelFlag({"Channel Display:", "信道显示:"}),
            w.PriorityScan(),
            w.Busy(),
            w.PriScanTime(),
            w.ScanMode(),
            w.KeypadLock(),
            w.Led(),
            w.Mode(),
            w.Encoder(),
            w.VoxGain({"Voice Sensitivity:", "声控灵敏度:"}),
            w.Step(),
            w.Battery()};
}

// ---- the four tables ----------------------------------------------------

ModelVariant MakeLark() {
    ModelVariant v{};
    v.model = Model::Lark;
    v.family = Family::Lark;
    v.cliName = "lark";
    v.programName = "ProgramLark";
    v.profileFile = "ProgramLark.ini";
    v.documentType = "App_Lark.Document";
    v.languageLibrarySuffix = "Lark.dll";
    v.filesBesideProgram = true;
    v.imageSize = 1024;
    v.defaultBytes = {
        {0x000, 0x00}, {0x001, 0x00}, {0x002, 0x00}, {0x008, 0x00}, {0x009, 0x03}, {0x00A, 0x01},
        {0x00B, 0x00}, {0x00C, 0x02}, {0x00D, 0x00}, {0x00E, 0x24}, {0x00F, 0x11}, {0x12F, 0x01},
        {0x130, 0x04}, {0x131, 0x09}, {0x134, 0x04}, {0x135, 0x01}, {0x136, 0x01}, {0x13A, 0x05},
        {0x13B, 0x02}, {0x160, 0x00}, {0x161, 0x11}, {0x162, 0x09}, {0x163, 0x15}, {0x165, 0x30},
        {0x166, 0x00}, {0x167, 0x30}, {0x168, 0x00}, {0x17E, 0x00}, {0x17F, 0x00}, {0x1B8, 0x50},
        {0x1B9, 0x33}, {0x1BA, 0x32}, {0x1BB, 0x30}, {0x1BC, 0x37}, {0x1BD, 0x33}, {0x1BE, 0xF0},
        {0x1BF, 0x01}, {0x3F0, 0x00},
    };
    v.channelRows = 16;
    v.recordBase = 0x010;
    v.labelWidth = 2;
    v.toneCode = ToneCodeKind::Lark;
    v.rowStyle = RowStyle::BlankWhenRxOrTxMissing;
    v.commitBeforeGridToImage = false;
    v.columns = LarkColumns();
    v.fallbackEditorColumn = 8; // the W/N list
    v.form = {0, 0, 404, 197};
    v.gridRect = {16, 15, 371, 167};
    v.gridHighlight = true;
    v.selectEditTextOnShow = true;
    v.productDialogHelpPerControl = true;
    v.hasScanInformation = true;
    v.typeOffset = 0x3D2;
    v.bandOffset = 0x3D3;
    v.options = LarkOptions();
    v.printLines = LarkPrintLines();
    v.wrenHandshake = false;
    v.waitBeforeEveryWriteData = false;
    v.readPlan = {{{0x0000, 60}}};
    v.writePlan = {{{0x0000, 51}}};
    v.dialogProgressMax = 64;
    return v;
}

ModelVariant MakeWrenFamily(Model model) {
    ModelVariant v{};
    v.model = model;
    v.family = Family::Wren;
    v.documentType = "App_Wren.Document";
    v.imageSize = 8192;
    v.channelRows = 199;
    v.recordBase = 0x010;
    v.labelWidth = 3;
    v.toneCode = ToneCodeKind::Wren;
    v.rowStyle = RowStyle::BlankWhenRxOrTxMissing;
    v.commitBeforeGridToImage = true;
    v.fallbackEditorColumn = 1; // the Rx edit box
    v.gridHighlight = false;
    v.form = {0, 0, 386, 234};
    v.gridRect = {15, 14, 356, 205};
    v.wrenHandshake = true;
    v.waitBeforeEveryWriteData = true;
    v.readPlan = {{{0x0000, 256}}};
    v.writePlan = v.readPlan;
    v.dialogProgressMax = 256;
    return v;
}

ModelVariant MakeWren() {
    ModelVariant v = MakeWrenFamily(Model::Wren);
    v.cliName = "wren";
    v.programName = "ProgramWren";
    v.profileFile = "ProgramWren.ini";
    v.form = {0, 0, 387, 234};
    v.gridRect = {16, 14, 356, 205};
    v.defaultBytes = {{0x00E, 0x00}, {0x00F, 0x00}, {0xFC0, 0x01}, {0xFC1, 0x04},
                      {0xFC3, 0x01}, {0xFE0, 0x04}, {0xFE1, 0x24}, {0xFE2, 0x02},
                      {0xFE4, 0x00}, {0xFE5, 0x01}, {0xFE6, 0x02}};
    v.columns = WrenColumns(1, false);
    v.typeOffset = 0x00E;
    v.bandOffset = 0x00F;
    v.options = WrenOptions();
    v.printLines = WrenPrintLines();
    return v;
}

ModelVariant MakeWrenV2() {
    ModelVariant v = MakeWrenFamily(Model::WrenV2);
    v.cliName = "wren-v2";
    v.programName = "ProgramWrenV2";
    v.profileFile = "ProgramWrenV2.ini";
    v.languageLibrarySuffix = "WrenV2.dll";
    v.defaultBytes = {{0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FDE, 0x00}, {0x1FDF, 0x00},
                      {0x1FE0, 0x04}, {0x1FE1, 0xD4}, {0x1FE2, 0x21}, {0x1FE4, 0x00},
                      {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}};
    v.columns = WrenColumns(0, false);
    v.typeOffset = 0x1FDE;
    v.bandOffset = 0x1FDF;
    v.options = WrenV2V3Options(false);
    v.printLines = WrenV2PrintLines();
    return v;
}

ModelVariant MakeWrenV3() {
    ModelVariant v = MakeWrenFamily(Model::WrenV3);
    v.cliName = "wren-v3";
    v.programName = "ProgramWrenV3";
    v.profileFile = "ProgramWrenV3.ini";
    v.languageLibrarySuffix = "WrenV3.dll";
    v.form = {0, 0, 429, 234};
    v.gridRect = {17, 14, 397, 205};
    v.productDialogHelpPerControl = true;
    v.defaultBytes = {{0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00},
                      {0x1FE0, 0x04}, {0x1FE1, 0xD4}, {0x1FE2, 0x21}, {0x1FE4, 0x00},
                      {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}};
    v.channelRows = 200;
    v.recordBase = 0x000;
    v.nameBase = 0xC90;
    v.firstRowLabel = "Pr";
    v.rowStyle = RowStyle::BlankWhenRxMissing;
    v.columns = WrenColumns(1, true);
    v.typeOffset = 0x1FD6;
    v.bandOffset = 0x1FD7;
    v.options = WrenV2V3Options(true);
    v.printLines = WrenV3PrintLines();
    // After pair 300 (0x12C0-0x12CF) the plan jumps to the option block.
    v.readPlan = {{{0x0000, 301}, {0x1FC0, 4}}};
    v.writePlan = v.readPlan;
    v.dialogProgressMax = 305;
    return v;
}

} // namespace

const ModelVariant& VariantFor(Model model) {
    static const ModelVariant lark = MakeLark();
    static const ModelVariant wren = MakeWren();
    static const ModelVariant wrenV2 = MakeWrenV2();
    static const ModelVariant wrenV3 = MakeWrenV3();
    switch (model) {
    case Model::Lark:
        return lark;
    case Model::Wren:
        return wren;
    case Model::WrenV2:
        return wrenV2;
    case Model::WrenV3:
        break;
    }
    return wrenV3;
}

} // namespace radio
