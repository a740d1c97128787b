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
constexpr TextPair kPrintChannelLock{"Channel Lock:", "信道锁定:"};

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
                        RecordBits(record::kFlags, 4, 0x3,
                                   {{texts::kHigh, 2}, {texts::kMiddle, 1}, {texts::kLow, 0}},
                                   {2, 1, 0, -1}, 0),
                        0);
}

// Wren family: channel lock in byte 12 bit 3. What an unrecognised (empty)
// text stores differs between the programmers.
GridColumn WrenLockColumn(std::uint8_t otherCode) {
    return ChoiceColumn({"Cha Lock", "信道锁定"}, 1.0, 1127,
                        RecordBits(record::kFlags, 3, 0x1, {{texts::kLock, 1}, {texts::kUnlock, 0}},
                                   {1, 0}, otherCode),
                        0);
}

GridColumn WrenScanAddColumn(double width) {
    return ChoiceColumn(
        {"Scan Add", "扫描添加"}, width, 1134,
        RecordBits(record::kFlags, 2, 0x1, {{texts::kYes, 1}, {texts::kNo, 0}}, {1, 0}, 1), 0);
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
                     RecordBits(record::kMoreFlags, 5, 0x1, {{texts::kHigh, 1}, {texts::kLow, 0}},
                                {1, 0}, 0),
                     0),
        ChoiceColumn({"Scan Add", "扫描添加"}, 0.9, 1134, scan, 1),
        ChoiceColumn({"Busy Lock", "繁忙锁定"}, 0.9, 1139,
                     RecordBits(record::kFlags, 3, 0x3,
                                {{texts::kOff, 0}, {texts::kCarrier, 1}, {texts::kQtDqt, 2}},
                                {0, 1, 2, 2}, 2),
                     0),
        ChoiceColumn({"W/N", "宽/窄"}, 0.9, 1128,
                     RecordBits(record::kMoreFlags, 4, 0x1,
                                {{texts::kWide, 1}, {texts::kNarrow, 0}}, {1, 0}, 0),
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
//
// Per programmer: where each option lives (once), then the dialog's controls
// and the printout's lines over those places.

using Id = OptionId;

OptionField Field(Id id, int offset, int shift, std::uint8_t mask) {
    return {id, offset, shift, mask};
}

OptionDef Option(Id field, TextPair label, OptionRule rule, std::vector<TextPair> choices,
                 int controlId, DialogRect place) {
    OptionDef o;
    o.field = field;
    o.label = label;
    o.rule = rule;
    o.choices = std::move(choices);
    o.controlId = controlId;
    o.place = place;
    return o;
}

OptionDef WholeByte(Id field, TextPair label, std::uint8_t storeMask, std::vector<TextPair> choices,
                    int controlId, DialogRect place) {
    OptionDef o = Option(field, label, OptionRule::WholeByte, std::move(choices), controlId, place);
    o.storeMask = storeMask;
    return o;
}

OptionDef CheckBox(Id field, TextPair label, int controlId, DialogRect place) {
    return Option(field, label, OptionRule::CheckBox, {}, controlId, place);
}

// The Wren family's choice lists as its own (English) resources hold them,
// with the forms its Chinese language library gives.
const TextPair kWrenOff{"Off", "关"};
const std::vector<TextPair> kOffOn{kWrenOff, {"On", "开"}};
const std::vector<TextPair> kManualAuto{{"Manual", "手动"}, {"Auto", "自动"}};
const std::vector<TextPair> kLedChoices{kWrenOff, {"Auto", "自动"}, {"On", "开"}};
const std::vector<TextPair> kScanModes{Same("SE"), Same("CO"), Same("TO")};
const std::vector<TextPair> kModes{{"Channel", "信道"}, {"Frequency", "频率"}, {"Memory", "存储"}};
const std::vector<TextPair> kSteps{Same("5k"), Same("10k"), Same("6.25k"), Same("12.5k"),
                                   Same("25k")};
const std::vector<TextPair> kSavers{kWrenOff,    Same("0.2"), Same("0.4"),
                                    Same("0.6"), Same("0.8"), Same("1.0")};
const std::vector<TextPair> kTimeOuts{kWrenOff, Same("1"), Same("3"), Same("10")};

// Dialog labels of the options, in both languages.
constexpr TextPair kTimeOutTimer{"Time-Out Timer", "超时定时器"};
constexpr TextPair kTotPreAlert{"TOT Pre-Alert", "超时预警"};
constexpr TextPair kSquelchLevel{"Squelch Level", "静噪电平"};
constexpr TextPair kBatterySaver{"Battery Saver", "电池省电"};
constexpr TextPair kBeep{"Beep", "提示音"};
constexpr TextPair kVoxGainLevel{"Vox Gain Level", "声控增益电平"};
constexpr TextPair kVoxDelayTime{"Vox Delay Time", "声控延时"};
constexpr TextPair kVoiceAnnunciation{"Voice Annunciation", "语音提示"};
constexpr TextPair kStep{"Step", "步进"};
constexpr TextPair kKeypadLock{"Keypad Lock", "键盘锁"};
constexpr TextPair kLed{"LED", "指示灯"};
constexpr TextPair kScanMode{"Scan Mode", "扫描模式"};
constexpr TextPair kMode{"Mode", "工作模式"};
constexpr TextPair kCallTone{"Call Tone", "呼叫铃音"};
constexpr TextPair kChannelName{"Channel Name", "信道名称"};
constexpr TextPair kChannelDisplay{"Channel Display", "信道显示"};
constexpr TextPair kBusy{"Busy", "遇忙禁发"};
constexpr TextPair kPriorityScan{"Priority Scan", "优先扫描"};
constexpr TextPair kEncoder{"Encoder", "编码器"};
constexpr TextPair kVoiceSensitivity{"Voice Sensitivity", "声控灵敏度"};
constexpr TextPair kPriScanningTime{"Pri-Scanning Time", "优先扫描时间"};

std::vector<TextPair> CallTones() {
    std::vector<TextPair> list{kWrenOff};
    for (int n = 1; n <= 8; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    list.push_back(Same("1750"));
    return list;
}

std::vector<TextPair> WrenFamilyNumbers(int first, int last) {
    std::vector<TextPair> list{kWrenOff};
    for (int n = first; n <= last; ++n) {
        list.push_back(Same(Keep(std::to_string(n))));
    }
    return list;
}

std::vector<OptionField> LarkOptionFields() {
    return {
        Field(Id::TimeOutTimer, 0x130, 0, 0x7F),
        Field(Id::TotPreAlert, 0x131, 0, 0x0F),
        Field(Id::SquelchLevel, 0x134, 0, 0x0F),
        Field(Id::BatterySaver, 0x135, 0, 0x01),
        Field(Id::Beep, 0x136, 0, 0x01),
        Field(Id::VoxGainLevel, 0x13A, 0, 0x1F),
        Field(Id::VoxDelayTime, 0x13B, 0, 0x07),
        Field(Id::VoiceAnnunciation, 0x12F, 0, 0x03),
        // Outside the transferred ranges: printed, edited by no dialog.
        Field(Id::CallTone, 0x3F0, 0, 0xFF),
        Field(Id::VoxFunction, 0x3C7, 0, 0x01),
        Field(Id::ScanFunction, 0x3C7, 1, 0x01),
    };
}

// The Wren family's common fields over a block at `base`: 0xFC0 in
// ProgramWren, 0x1FC0 in ProgramWrenV2 and V3.
std::vector<OptionField> WrenOptionFields(int base) {
    return {
        Field(Id::Beep, base + 0x00, 0, 0x01),
        Field(Id::SquelchLevel, base + 0x01, 0, 0x0F),
        Field(Id::TimeOutTimer, base + 0x03, 0, 0x03),
        Field(Id::Step, base + 0x20, 0, 0x07),
        Field(Id::KeypadLock, base + 0x21, 1, 0x01),
        Field(Id::Led, base + 0x21, 2, 0x03),
        Field(Id::ScanMode, base + 0x21, 4, 0x03),
        Field(Id::Mode, base + 0x22, 0, 0x03),
        Field(Id::VoxGainLevel, base + 0x24, 0, 0x1F),
        Field(Id::CallTone, base + 0x25, 0, 0x0F),
        Field(Id::BatterySaver, base + 0x26, 0, 0x07),
    };
}

std::vector<OptionField> WrenV2V3OptionFields(bool v3) {
    std::vector<OptionField> fields = WrenOptionFields(0x1FC0);
    for (OptionField& f : fields) {
        if (f.id == Id::TimeOutTimer) {
            f.mask = 0x0F; // a whole-byte option here: the dialog shows the low nibble
        }
    }
    fields.push_back(Field(Id::ChannelName, 0x1FE1, 7, 0x01));
    fields.push_back(Field(Id::Busy, 0x1FE1, 6, 0x01));
    fields.push_back(Field(Id::Encoder, 0x1FE2, 5, 0x01));
    if (v3) {
        fields.push_back(Field(Id::PriorityScan, 0x1FE2, 6, 0x01));
        fields.push_back(Field(Id::PriScanningTime, 0x1FE7, 0, 0x07));
    }
    return fields;
}

std::vector<OptionDef> LarkOptions() {
    return {
        Option(Id::TimeOutTimer, kTimeOutTimer, OptionRule::IndexPlusOne, Seconds15To600(), 1118,
               {83, 15, 48, 50}),
        Option(Id::TotPreAlert, kTotPreAlert, OptionRule::IndexPlusOne, OffThenNumbers(1, 10), 1130,
               {83, 34, 48, 50}),
        Option(Id::SquelchLevel, kSquelchLevel, OptionRule::Bits, Numbers(0, 9), 1116,
               {204, 34, 48, 55}),
        CheckBox(Id::BatterySaver, kBatterySaver, 1005, {82, 73, 52, 9}),
        CheckBox(Id::Beep, kBeep, 1016, {41, 73, 27, 10}),
        Option(Id::VoxGainLevel, kVoxGainLevel, OptionRule::Bits, OffThenNumbers(1, 16), 1121,
               {83, 52, 48, 50}),
        Option(Id::VoxDelayTime, kVoxDelayTime, OptionRule::Bits,
               {Same("0.3"), Same("0.5"), Same("1.0"), Same("1.5"), Same("2.0"), Same("3.0")}, 1123,
               {204, 52, 48, 50}),
        Option(Id::VoiceAnnunciation, kVoiceAnnunciation, OptionRule::Bits,
               {texts::kOff, {"Chinese", "中文"}, {"English", "英文"}}, 1117, {204, 15, 48, 50}),
    };
}

// Places of the Wren family's controls: ProgramWren's, with the V2 and V3
// templates' own where they differ.
struct WrenPlaces {
    DialogRect mode{201, 69, 48, 50};
    DialogRect scanMode{201, 87, 48, 50};
    DialogRect beep{44, 112, 27, 10};
};

std::vector<OptionDef> WrenOptions() {
    const WrenPlaces at;
    return {
        CheckBox(Id::Beep, kBeep, 1016, at.beep),
        Option(Id::SquelchLevel, kSquelchLevel, OptionRule::Bits, Numbers(0, 9), 1116,
               {201, 51, 48, 55}),
        Option(Id::TimeOutTimer, kTimeOutTimer, OptionRule::Bits, kTimeOuts, 1118,
               {83, 69, 48, 50}),
        Option(Id::Step, kStep, OptionRule::Bits, kSteps, 1117, {201, 15, 48, 50}),
        Option(Id::KeypadLock, kKeypadLock, OptionRule::Bits, kManualAuto, 1121, {83, 51, 48, 50}),
        Option(Id::Led, kLed, OptionRule::TwoBitChoice, kLedChoices, 1119, {83, 15, 48, 50}),
        Option(Id::ScanMode, kScanMode, OptionRule::TwoBitChoice, kScanModes, 1126, at.scanMode),
        Option(Id::Mode, kMode, OptionRule::TwoBitChoice, kModes, 1128, at.mode),
        Option(Id::VoxGainLevel, kVoxGainLevel, OptionRule::Bits, WrenFamilyNumbers(1, 16), 1122,
               {83, 87, 48, 47}),
        Option(Id::CallTone, kCallTone, OptionRule::Bits, CallTones(), 1130, {201, 33, 48, 50}),
        Option(Id::BatterySaver, kBatterySaver, OptionRule::Bits, kSavers, 1120, {83, 33, 48, 50}),
    };
}

std::vector<OptionDef> WrenV2V3Options(bool v3) {
    WrenPlaces at;
    at.mode = {201, 87, 48, 50};
    at.scanMode = v3 ? DialogRect{201, 123, 48, 50} : DialogRect{83, 124, 48, 50};
    at.beep = v3 ? DialogRect{174, 141, 27, 10} : DialogRect{173, 123, 27, 10};
    std::vector<OptionDef> list{
        CheckBox(Id::Beep, kBeep, 1016, at.beep),
        WholeByte(Id::SquelchLevel, kSquelchLevel, 0x0F, Numbers(0, 9), 1116, {201, 51, 48, 55}),
        WholeByte(Id::TimeOutTimer, kTimeOutTimer, 0x0F, kTimeOuts, 1118, {83, 69, 48, 50}),
        WholeByte(Id::Step, kStep, 0x0F, kSteps, 1117, {201, 15, 48, 50}),
        Option(Id::ChannelName, v3 ? kChannelDisplay : kChannelName, OptionRule::InvertedFlag,
               kOffOn, v3 ? 1124 : 1123,
               v3 ? DialogRect{83, 123, 48, 50} : DialogRect{83, 105, 48, 47}),
        Option(Id::Busy, kBusy, OptionRule::InvertedFlag, kOffOn, 1127, {201, 105, 48, 50}),
        Option(Id::ScanMode, kScanMode, OptionRule::TwoBitChoice, kScanModes, 1126, at.scanMode),
        Option(Id::Led, kLed, OptionRule::TwoBitChoice, kLedChoices, 1119, {83, 15, 48, 50}),
        Option(Id::KeypadLock, kKeypadLock, OptionRule::Bits, kManualAuto, 1121, {83, 51, 48, 50}),
    };
    if (v3) {
        list.push_back(Option(Id::PriorityScan, kPriorityScan, OptionRule::Bits, kOffOn, 1123,
                              {83, 105, 48, 50}));
    }
    list.push_back(
        Option(Id::Encoder, kEncoder, OptionRule::Bits, kOffOn, 1129, {201, 69, 48, 50}));
    list.push_back(Option(Id::Mode, kMode, OptionRule::TwoBitChoice, kModes, 1128, at.mode));
    list.push_back(WholeByte(Id::VoxGainLevel, v3 ? kVoiceSensitivity : kVoxGainLevel, 0x1F,
                             WrenFamilyNumbers(1, 16), 1122, {83, 87, 48, 47}));
    list.push_back(WholeByte(Id::CallTone, kCallTone, 0x0F, CallTones(), 1130, {201, 33, 48, 50}));
    list.push_back(
        WholeByte(Id::BatterySaver, kBatterySaver, 0x0F, kSavers, 1120, {83, 33, 48, 50}));
    if (v3) {
        list.push_back(WholeByte(Id::PriScanningTime, kPriScanningTime, 0x0F,
                                 {Same("3s"), Same("5s"), Same("8s"), Same("10s")}, 1125,
                                 {83, 141, 48, 50}));
    }
    return list;
}

// ---- options page of the printout ---------------------------------------

PrintLine Lookup(Id field, TextPair label, std::vector<TextPair> values,
                 std::uint8_t readMask = 0) {
    PrintLine p;
    p.field = field;
    p.label = label;
    p.kind = PrintKind::Lookup;
    p.texts = std::move(values);
    p.readMask = readMask;
    return p;
}

PrintLine OnOff(Id field, TextPair label, bool inverted = false) {
    PrintLine p;
    p.field = field;
    p.label = label;
    p.kind = PrintKind::OnOff;
    p.inverted = inverted;
    return p;
}

PrintLine Number(Id field, TextPair label, int offAt = -1) {
    PrintLine p;
    p.field = field;
    p.label = label;
    p.kind = PrintKind::Number;
    p.offAt = offAt;
    return p;
}

PrintLine Fifths(Id field, TextPair label) {
    PrintLine p;
    p.field = field;
    p.label = label;
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
    // Six bits of the seven the dialog stores.
    PrintLine tot = Number(Id::TimeOutTimer, kTimeOutLabel);
    tot.readMask = 0x3F;
    tot.multiplier = 15;
    tot.suffix = "s";
    PrintLine preAlert = Number(Id::TotPreAlert, {"TOT Pre-Alert:", "超时定时器预警:"}, 1);
    preAlert.addend = -1;
    return {
        tot,
        preAlert,
        Number(Id::SquelchLevel, {"Sequelch Level:", "静噪电平:"}),
        OnOff(Id::Beep, kBeepLabel),
        Number(Id::VoxGainLevel, kVoxGainLabel, 0),
        Lookup(Id::VoxDelayTime, {"Vox Delay Time:", "声控延时时间:"},
               {Same("0.3"), Same("0.5"), Same("1.0"), Same("1.5"), Same("2.0"), Same("3.0")}),
        Number(Id::CallTone, kCallToneLabel, 0),
        OnOff(Id::BatterySaver, kBatteryLabel),
        Lookup(Id::VoiceAnnunciation, {"Voice Annunciation:", "语音报号:"},
               {kPrintOff, {"Chinese", "中文"}, {"English", "英文"}}),
        OnOff(Id::VoxFunction, {"VOX Function:", "声控功能:"}),
        OnOff(Id::ScanFunction, {"Scan Function:", "扫描功能:"}),
    };
}

// The Wren family's lines, each by its label.
namespace wren_print {

PrintLine TimeOut() {
    return Lookup(Id::TimeOutTimer, kTimeOutLabel, {kPrintOff, Same("1"), Same("3"), Same("10")},
                  0x03);
}
PrintLine Squelch() {
    return Number(Id::SquelchLevel, kSquelchLabel);
}
PrintLine Beep() {
    return OnOff(Id::Beep, kBeepLabel);
}
PrintLine CallTone() {
    PrintLine p = Number(Id::CallTone, kCallToneLabel, 0);
    p.specialAt = 9;
    p.specialText = "1750";
    return p;
}
PrintLine ChannelFlag(TextPair label) {
    return OnOff(Id::ChannelName, label, true);
}
PrintLine PriorityScan() {
    return OnOff(Id::PriorityScan, {"Priority Scan:", "优先扫描:"});
}
PrintLine Busy() {
    return OnOff(Id::Busy, {"Busy", "繁忙:"}, true);
}
PrintLine PriScanTime() {
    return Lookup(Id::PriScanningTime, {"Pri-Scanning Time:", "预扫描时间:"},
                  {Same("3s"), Same("5s"), Same("8s"), Same("10s")}, 0x03);
}
PrintLine ScanMode() {
    return Lookup(Id::ScanMode, {"Scan Mode:", "扫描模式:"}, kScanModes);
}
PrintLine KeypadLock() {
    return Lookup(Id::KeypadLock, {"Keypad Lock:", "键盘锁定:"},
                  {{"Manual", "手动"}, {"Auto", "自动"}});
}
PrintLine Led() {
    return Lookup(Id::Led, Same("LED"), {kPrintOff, Same("Auto"), kPrintOn});
}
PrintLine Mode() {
    return Lookup(Id::Mode, {"Mode:", "模式:"},
                  {{"Channel", "信道"}, {"Frequency", "频率"}, {"Memory", "存储"}});
}
PrintLine Encoder() {
    return OnOff(Id::Encoder, {"Encoder", "编码器"});
}
PrintLine VoxGain(TextPair label) {
    return Number(Id::VoxGainLevel, label, 0);
}
PrintLine Step() {
    // The whole byte, where the dialog shows three bits.
    return Lookup(Id::Step, {"Step:", "步长:"},
                  {Same("5k"), Same("10k"), Same("6.5k"), Same("12.5k"), Same("25k")}, 0xFF);
}
PrintLine Battery() {
    return Fifths(Id::BatterySaver, kBatteryLabel);
}

} // namespace wren_print

std::vector<PrintLine> WrenPrintLines() {
    using namespace wren_print;
    return {TimeOut(),  Squelch(), Battery(),    VoxGain(kVoxGainLabel),
            CallTone(), Step(),    KeypadLock(), ScanMode(),
            Led(),      Mode(),    Beep()};
}

std::vector<PrintLine> WrenV2PrintLines() {
    using namespace wren_print;
    return {TimeOut(),
            Squelch(),
            Beep(),
            CallTone(),
            ChannelFlag({"Channel Name:", "信道名字:"}),
            Busy(),
            ScanMode(),
            KeypadLock(),
            Led(),
            Mode(),
            Encoder(),
            VoxGain(kVoxGainLabel),
            Step(),
            Battery()};
}

std::vector<PrintLine> WrenV3PrintLines() {
    using namespace wren_print;
    return {TimeOut(),
            Squelch(),
            Beep(),
            CallTone(),
            ChannelFlag({"Channel Display:", "信道显示:"}),
            PriorityScan(),
            Busy(),
            PriScanTime(),
            ScanMode(),
            KeypadLock(),
            Led(),
            Mode(),
            Encoder(),
            VoxGain({"Voice Sensitivity:", "声控灵敏度:"}),
            Step(),
            Battery()};
}

// ---- the four tables ----------------------------------------------------

ModelVariant MakeLark() {
    ModelVariant v{};
    v.model = Model::Lark;
    v.family = Family::Lark;
    v.cliName = "lark";
    v.programName = "ProgramLark";
    v.profileFile = "ProgramLark.ini";
    v.languageLibrarySuffix = "Lark";
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
    v.optionFields = LarkOptionFields();
    v.options = LarkOptions();
    v.optionsDialog = {{0, 0, 271, 121}, {62, 92, 36, 14}, {173, 92, 36, 14}, true, true};
    v.printLines = LarkPrintLines();
    v.printBlock = {0,
                    {{"Scan:", "扫描开关:"}, 6},
                    {{{"Channel Lock:", "信道锁定:"}, 7}, {{"W/N:", "宽/窄:"}, 8}}};
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
    v.tileBackgroundFile = false;
    v.form = {0, 0, 387, 234};
    v.gridRect = {16, 14, 356, 205};
    v.defaultBytes = {{0x00E, 0x00}, {0x00F, 0x00}, {0xFC0, 0x01}, {0xFC1, 0x04},
                      {0xFC3, 0x01}, {0xFE0, 0x04}, {0xFE1, 0x24}, {0xFE2, 0x02},
                      {0xFE4, 0x00}, {0xFE5, 0x01}, {0xFE6, 0x02}};
    v.columns = WrenColumns(1, false);
    v.typeOffset = 0x00E;
    v.bandOffset = 0x00F;
    v.optionFields = WrenOptionFields(0xFC0);
    v.options = WrenOptions();
    v.optionsDialog = {{0, 0, 271, 142}, {125, 113, 36, 14}, {202, 113, 36, 14}};
    v.printLines = WrenPrintLines();
    v.printBlock = {0, {kPrintChannelLock, 6}, {}};
    return v;
}

ModelVariant MakeWrenV2() {
    ModelVariant v = MakeWrenFamily(Model::WrenV2);
    v.cliName = "wren-v2";
    v.programName = "ProgramWrenV2";
    v.profileFile = "ProgramWrenV2.ini";
    v.languageLibrarySuffix = "WrenV2";
    v.defaultBytes = {{0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FDE, 0x00}, {0x1FDF, 0x00},
                      {0x1FE0, 0x04}, {0x1FE1, 0xD4}, {0x1FE2, 0x21}, {0x1FE4, 0x00},
                      {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}};
    v.columns = WrenColumns(0, false);
    v.typeOffset = 0x1FDE;
    v.bandOffset = 0x1FDF;
    v.optionFields = WrenV2V3OptionFields(false);
    v.options = WrenV2V3Options(false);
    v.optionsDialog = {{0, 0, 271, 175}, {61, 148, 36, 14}, {172, 148, 36, 14}};
    v.printLines = WrenV2PrintLines();
    v.printBlock = {0, {kPrintChannelLock, 6}, {}};
    return v;
}

ModelVariant MakeWrenV3() {
    ModelVariant v = MakeWrenFamily(Model::WrenV3);
    v.cliName = "wren-v3";
    v.programName = "ProgramWrenV3";
    v.profileFile = "ProgramWrenV3.ini";
    v.languageLibrarySuffix = "WrenV3";
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
    v.optionFields = WrenV2V3OptionFields(true);
    v.options = WrenV2V3Options(true);
    v.optionsDialog = {{0, 0, 271, 195}, {61, 165, 36, 14}, {172, 165, 36, 14}};
    v.printLines = WrenV3PrintLines();
    // The "Pr" row prints as channel 0.
    v.printBlock = {-1, {kPrintChannelLock, 6}, {{{"Channel Name:", "信道名字:"}, 8}}};
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
