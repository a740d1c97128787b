// ProgramLark's priority scan settings: nine bytes of the image, the values
// the Scan Information dialog shows for them, and the rules by which the
// dialog's spins, edits and OK change them. The dialog window and
// `radioclone scan` both work through these functions.
#pragma once

#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace radio {

namespace scan {
inline constexpr int kPriority = 0x160;        // 0 None, 1 Fixed, 2 Selected
inline constexpr int kPriorityChannel = 0x161; // channel number
inline constexpr int kLookBackA = 0x162;       // (t - 0.45) x 20
inline constexpr int kLookBackB = 0x163;
inline constexpr int kRevert = 0x164;  // 0..3, 0xFF none chosen
inline constexpr int kDropout = 0x165; // 16 bits, low byte first
inline constexpr int kTxDwell = 0x167; // 16 bits, low byte first

inline constexpr int kFixed = 1;
inline constexpr int kSelected = 2;
inline constexpr double kLookBackMin = 0.5;
inline constexpr double kLookBackMax = 5.0;
inline constexpr int kTimerMax = 300;
inline constexpr int kChannels = 16;
} // namespace scan

// The dialog's labels and lists, in both languages.
inline constexpr TextPair kScanPriorityLabel{"Priority", "优先"};
inline constexpr TextPair kScanPriorityChannelLabel{"Priority Channel", "优先信道"};
inline constexpr TextPair kScanLookBackALabel{"Look Back Time A", "回看时间A"};
inline constexpr TextPair kScanLookBackBLabel{"Look Back Time B", "回看时间B"};
inline constexpr TextPair kScanRevertLabel{"Revert Channel", "回复信道"};
inline constexpr TextPair kScanDropoutLabel{"Dropout Delay Time", "掉线延时"};
inline constexpr TextPair kScanTxDwellLabel{"Tx Dwell Time", "发射驻留时间"};
inline constexpr TextPair kScanPriorities[] = {
    {"None", "无"}, {"Fixed", "固定"}, {"Selected", "选定"}};
inline constexpr TextPair kSelectChannelInputed{"Please select channel inputed",
                                                "请选择已输入的信道"};

// What the dialog holds between exchanges with its controls.
struct ScanValues {
    int priority = 0;            // position in the Priority list; -1 none
    std::string priorityChannel; // the edit's text
    double lookBackA = 0.0;
    double lookBackB = 0.0;
    int revert = -1; // position in the Revert list; -1 none
    int dropoutDelay = 0;
    int txDwell = 0;
};

// The Revert list for a Priority position: all four for Fixed, the two
// "Selected" ones for None, the two "Priority" ones for Selected.
std::vector<TextPair> RevertChoices(int priority);

// The dialog's data exchange of a number edit: the whole text (blanks
// around it aside) must be one number; an integer edit takes digits only.
bool ParseDialogNumber(std::string_view text, double& value);
bool ParseDialogInteger(std::string_view text, int& value);

// The values the dialog opens with.
ScanValues LoadScanValues(const Image& image);

// A Look Back Time as it is stored and shown: byte x 0.05 + 0.45, and back.
double LookBackOfByte(int byte);
int LookBackByte(double t);
// Truncated down to a multiple of 0.05, exactly as typed decimals count.
double LookBackStep(double t);

// One click of a spin: +1 up, anything else down; both wrap at the ends.
double SpinLookBack(double t, int delta);
int SpinTimer(int v, int delta);

// What leaving an edit makes of its value: Look Back Times within
// 0.5 ... 5.0 on the 0.05 grid, timers within 0 ... 300.
double CorrectLookBack(double t);
int CorrectTimer(int v);

// The texts the dialog shows: "%.15g" for a Look Back Time, "%2d" for the
// Priority Channel.
std::string FormatLookBack(double t);
std::string FormatPriorityChannel(int channel);

// OK: corrects the values as leaving their edits does, checks that a Fixed
// priority names a programmed channel 1 ... 16, then stores every field.
// False, with the image untouched, when the channel is refused.
bool StoreScanValues(const ModelVariant& variant, Image& image, ScanValues& values);

// The dialog's fields as label and shown text, in dialog order.
struct ScanLine {
    TextPair label;
    std::string value;
};
std::vector<ScanLine> ScanLines(const ScanValues& values, Language lang);

// What a user does who changes one field of the dialog and leaves it:
// `field` is a label (English or Chinese); Priority and Revert Channel take a
// text of their list, the others a number. False with a message naming the
// allowed values when the field or value is not the dialog's.
bool SetScanField(ScanValues& values, std::string_view field, std::string_view value,
                  std::string& error);
// Whether `field` names the Priority, whose change resets the Revert Channel
// (so a script sets it before the rest).
bool IsScanPriorityField(std::string_view field);

} // namespace radio
