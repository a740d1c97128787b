// The variant tables: everything in which the four programmers differ.
//
// The programmers share every algorithm; what differs between them (image
// size, record addresses, grid columns and lists, option layout, product
// bytes, default image, transfer plans) is data, held in one table per
// programmer. Code asks the table, never the model's name.
#pragma once

#include "ChannelName.h"
#include "ChannelRecord.h"
#include "Texts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace radio {

enum class Model { Lark, Wren, WrenV2, WrenV3 };

// The two families of document and view classes (CApp_LarkDoc/View,
// CApp_WrenDoc/View).
enum class Family { Lark, Wren };

// A rectangle in dialog units.
struct DialogRect {
    int x, y, width, height;
};

enum class ToneCodeKind { Lark, Wren };

// How ImageToGrid and GridToImage treat a row without frequencies.
enum class RowStyle {
    // Blank when the receive or the transmit frequency is missing; every
    // field is still parsed back (ProgramLark, ProgramWren, ProgramWrenV2).
    BlankWhenRxOrTxMissing,
    // Blank when the receive frequency is missing; such a row shows nothing
    // and is stored as an all-0xFF record (ProgramWrenV3).
    BlankWhenRxMissing,
};

enum class ColumnKind { RxFrequency, TxFrequency, DecodeTone, EncodeTone, Choice, Name };

enum class EditorKind { None, Edit, DropList };

// One item of a drop-down column: its texts and the field value it stands for.
struct ChoiceItem {
    TextPair text;
    std::uint8_t code;
};

// A choice column's field and the rules that turn it into text and back.
struct ChoiceField {
    enum class Storage {
        RecordBits,    // bits of a record byte
        ScanAddBitmap, // one bit per row in the bitmap at bitmapOffset
    };
    Storage storage = Storage::RecordBits;
    int recordByte = 0;            // RecordBits: byte of the record (record::kFlags, ...)
    int shift = 0;                 // RecordBits: position of the field's lowest bit
    std::uint8_t mask = 0;         // RecordBits: field mask after shifting
    int bitmapOffset = 0;          // ScanAddBitmap: image offset of the bitmap
    std::vector<ChoiceItem> items; // the drop-down list, in list order
    std::vector<int> shownItem;    // field value -> item index, -1 shows empty
    std::uint8_t otherCode = 0;    // stored for any text that is no item
    bool showsInBlankRow = false;  // a set bit shows even in a blank row
};

struct GridColumn {
    TextPair heading;
    double widthFactor = 0.0; // of the fixed column's default width; 0 keeps the default
    ColumnKind kind = ColumnKind::Choice;
    EditorKind editor = EditorKind::None;
    int controlId = 0;
    ChoiceField choice;      // ColumnKind::Choice only
    int newChannelItem = -1; // item a new channel gets (tone columns: tone list index); -1 empty
    int maxChars = 0;        // edit boxes with a typing limit (channel names)
};

// One stretch of an address plan: `pairs` block pairs (16 bytes each) from `start`.
struct PlanSegment {
    std::uint16_t start;
    int pairs;
};

struct TransferPlan {
    std::vector<PlanSegment> segments;

    int Pairs() const;
    // Address of the first block of pair `index` (0-based).
    std::uint16_t PairAddress(int index) const;
    // Whether `address` is covered by the plan.
    bool Covers(int address) const;
};

// The options of the programmers' option blocks, each named once.
enum class OptionId {
    TimeOutTimer,
    TotPreAlert,
    SquelchLevel,
    BatterySaver,
    Beep,
    VoxGainLevel, // ProgramWrenV3: "Voice Sensitivity"
    VoxDelayTime,
    VoiceAnnunciation,
    CallTone,
    VoxFunction,
    ScanFunction,
    Step,
    KeypadLock,
    Led,
    ScanMode,
    Mode,
    ChannelName, // ProgramWrenV3: "Channel Display"
    Busy,
    PriorityScan,
    Encoder,
    PriScanningTime,
};

// Where an option lives in the image: the bits (image[offset] >> shift) &
// mask. This is the one description of each option's place; the Optional
// Features dialog and the printout's options page both read it.
struct OptionField {
    OptionId id;
    int offset = 0;
    int shift = 0;
    std::uint8_t mask = 0x01; // after shifting
};

// Rules by which an option's field becomes a choice index and back.
enum class OptionRule {
    Bits,         // the index is the field; other bits preserved
    IndexPlusOne, // the field is index + 1; other bits preserved
    TwoBitChoice, // 00, 01, 10 for index 0, 1, 2; 10 and 11 show index 2
    InvertedFlag, // one bit: index 1 ("On") stores 0, index 0 stores 1
    WholeByte,    // shown: the field; stored: the whole byte becomes index & storeMask
    CheckBox,     // one bit: 1 = checked
};

// A control of the Optional Features dialog.
struct OptionDef {
    OptionId field;
    TextPair label;
    OptionRule rule = OptionRule::Bits;
    std::uint8_t storeMask = 0xFF; // WholeByte
    std::vector<TextPair> choices; // empty for a check box
    int controlId = 0;
    DialogRect place{}; // in the Optional Features dialog, dialog units
};

// The Optional Features dialog's template besides its option controls.
struct OptionsDialogLayout {
    DialogRect size{}; // width and height
    DialogRect ok{};
    DialogRect cancel{};
    // ProgramLark builds its lists in code, by the language flag, and lets
    // only digits, Backspace, Delete and arrows reach the controls; the Wren
    // family's lists come with its resources, and keys pass as usual.
    bool listsFromCode = false;
    bool digitKeysOnly = false;
};

// How a line of the printout's options page forms its value text from
// v = (byte >> field shift) & (readMask, or the field's mask when 0).
enum class PrintKind {
    Lookup, // texts[v], the last text for any larger value
    OnOff,  // v 1 "On", 0 "Off" (inverted: the other way round)
    Number, // v == offAt prints "Off"; v == specialAt prints specialText;
            // else (v + addend) * multiplier with "%d" and the suffix
    Fifths, // 0 prints "Off"; else v * 0.2 with "%1.1f"
};

struct PrintLine {
    OptionId field;
    TextPair label;
    PrintKind kind = PrintKind::Number;
    // The printout reads other bits than the dialog for a few options (the
    // whole byte of "Step", two bits of the Wren family's "Time Out Timer").
    std::uint8_t readMask = 0;
    std::vector<TextPair> texts; // Lookup
    bool inverted = false;       // OnOff
    int offAt = -1;              // Number
    int specialAt = -1;          // Number
    std::string_view specialText;
    int addend = 0;
    int multiplier = 1;
    std::string_view suffix;
};

// A label and the grid column whose text follows it in a channel block of
// the printout.
struct PrintField {
    TextPair label;
    int column = 0;
};

// What differs between the programmers' channel blocks in the printout.
struct ChannelBlockLayout {
    int numberOffset = 0; // the printed channel number is the grid row plus this
    PrintField third;     // right half of the Power line
    // The line below: its left half, then (when there is one) its right half.
    std::vector<PrintField> fourth;
};

struct ModelVariant {
    Model model;
    Family family = Family::Wren;
    std::string_view cliName;     // "lark", "wren", "wren-v2", "wren-v3"
    std::string_view programName; // "ProgramLark", ...
    std::string_view profileFile; // "ProgramLark.ini", ...
    // Resource library of the interface language: the language's name
    // followed by this ("Lark" for "ChineseLark.rcc"); empty when the
    // program has only its own resources.
    std::string_view languageLibrarySuffix;
    // The main window's background: "background.bmp" beside the program
    // tiled over the client area (falling back to the built-in tile), or the
    // built-in tile stretched over it.
    bool tileBackgroundFile = true;

    // Memory image
    int imageSize = 0;
    std::vector<std::pair<int, std::uint8_t>> defaultBytes; // over an all-0xFF image

    // Channel records and the grid
    int channelRows = 0;            // grid rows 1..channelRows
    int recordBase = 0;             // record of grid row r at recordBase + record::kSize (r - 1)
    int nameBase = -1;              // name of grid row r at nameBase + kNameBytes (r - 1); -1 none
    std::string_view firstRowLabel; // label of row 1 instead of a number ("Pr"), else empty
    int labelWidth = 2;             // "%2d" or "%3d"
    ToneCodeKind toneCode = ToneCodeKind::Lark;
    RowStyle rowStyle = RowStyle::BlankWhenRxOrTxMissing;
    bool commitBeforeGridToImage = false; // GridToImage commits an open cell edit first
    std::vector<GridColumn> columns;      // column 0 (the labels) first
    // The column whose editor serves a column without one of its own.
    int fallbackEditorColumn = 1;

    // The channel form and the grid in it, in dialog units.
    DialogRect form{};
    DialogRect gridRect{};
    bool gridHighlight = true;         // the grid highlights its selection
    bool selectEditTextOnShow = false; // an edit box shows with its text selected

    // Product selection bytes
    int typeOffset = 0;
    int bandOffset = 0;
    // F1 in the Product Information dialog gives the focused control's topic
    // (else the dialog has no F1 handling of its own).
    bool productDialogHelpPerControl = false;
    bool hasScanInformation = false;

    // Option block: where each option lives, the dialog's controls in
    // dialog order, the printout's lines in page order.
    std::vector<OptionField> optionFields;
    std::vector<OptionDef> options;
    OptionsDialogLayout optionsDialog;
    std::vector<PrintLine> printLines;
    ChannelBlockLayout printBlock;

    // Clone protocol
    bool wrenHandshake = false;            // 7-byte wake-up, 0x06 required, then 'M'
    bool waitBeforeEveryWriteData = false; // else only before a pair's second block
    TransferPlan readPlan;
    TransferPlan writePlan;
    int dialogProgressMax = 0; // range the progress dialog starts with

    int Cols() const { return static_cast<int>(columns.size()); }
    int Rows() const { return channelRows + 1; }
    int RecordOffset(int row) const { return recordBase + record::kSize * (row - 1); }
    int NameOffset(int row) const { return nameBase + kNameBytes * (row - 1); }
    bool HasNames() const { return nameBase >= 0; }
    // Text of column 0 of a channel row, exactly as the grid shows it.
    std::string RowLabel(int row) const;
    // The place of an option of this programmer (every option its dialog or
    // printout names has one).
    const OptionField& Field(OptionId id) const;
};

const ModelVariant& VariantFor(Model model);
const std::vector<const ModelVariant*>& AllVariants();
// By command-line name ("lark", "wren", "wren-v2", "wren-v3").
const ModelVariant* VariantByCliName(std::string_view name);

} // namespace radio
