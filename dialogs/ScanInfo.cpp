#include "ScanInfo.h"

#include "ScaleDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace radio {

namespace {

constexpr TextPair kRevertTexts[] = {
    {"Selected", "选定"},
    {"Selected+Talk back", "选定+当前通话"},
    {"Priority", "优先"},
    {"Priority+Talk back", "优先+当前通话"},
};

int Word(const Image& image, int offset) {
    return image[static_cast<std::size_t>(offset)] |
           (image[static_cast<std::size_t>(offset) + 1] << 8);
}

void SetWord(Image& image, int offset, int value) {
    image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value & 0xFF);
    image[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Where the Revert position sits in the byte: after the two "Selected"
// entries when the priority is Selected.
int RevertBase(int priority) {
    return priority == scan::kSelected ? 2 : 0;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool ParseWholeDouble(std::string_view text, double& value) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() &&
           std::isfinite(value);
}

bool ParseDigits(std::string_view text, int& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string English(const std::vector<TextPair>& texts) {
    std::string list;
    for (const TextPair& text : texts) {
        list += (list.empty() ? "\"" : ", \"") + std::string(text.en) + "\"";
    }
    return list;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

int FindText(const std::vector<TextPair>& texts, std::string_view value) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (EqualsIgnoringCase(texts[i].en, value) || texts[i].zh == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

bool ParseDialogNumber(std::string_view text, double& value) {
    return ParseWholeDouble(text, value);
}

bool ParseDialogInteger(std::string_view text, int& value) {
    return ParseDigits(Trimmed(text), value);
}

std::vector<TextPair> RevertChoices(int priority) {
    if (priority == scan::kFixed) {
        return {std::begin(kRevertTexts), std::end(kRevertTexts)};
    }
    if (priority == scan::kSelected) {
        return {kRevertTexts[2], kRevertTexts[3]};
    }
    return {kRevertTexts[0], kRevertTexts[1]};
}

double LookBackOfByte(int byte) {
    return byte * 0.05 + 0.45;
}

int LookBackByte(double t) {
    const std::optional<std::int32_t> count = ScaleToInt32(t - 0.45, 20.0);
    return std::clamp(count.value_or(0), 0, 255);
}

double LookBackStep(double t) {
    return std::trunc(ScaleDecimal(t, 20.0)) * 0.05;
}

double SpinLookBack(double t, int delta) {
    if (delta == 1) {
        t += 0.05;
        return t >= scan::kLookBackMin && t <= scan::kLookBackMax ? LookBackStep(t)
                                                                  : scan::kLookBackMin;
    }
    t -= 0.05;
    return t >= scan::kLookBackMin && t <= scan::kLookBackMax ? LookBackStep(t + 0.04)
                                                              : scan::kLookBackMax;
}

int SpinTimer(int v, int delta) {
    if (delta == 1) {
        return v + 1 > scan::kTimerMax ? 0 : v + 1;
    }
    return v - 1 < 0 ? scan::kTimerMax : v - 1;
}

double CorrectLookBack(double t) {
    if (t > scan::kLookBackMax) {
        return scan::kLookBackMax;
    }
    if (t < scan::kLookBackMin) {
        return scan::kLookBackMin;
    }
    return LookBackStep(t);
}

int CorrectTimer(int v) {
    return std::clamp(v, 0, scan::kTimerMax);
}

std::string FormatLookBack(double t) {
    // Not printf: the "%.15g" of the dialog, whatever the locale's decimal mark.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, t, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string FormatPriorityChannel(int channel) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", channel);
    return buffer;
}

ScanValues LoadScanValues(const Image& image) {
    ScanValues values;
    const int priority = image[scan::kPriority];
    values.priority = priority <= scan::kSelected ? priority : -1;
    if (values.priority == scan::kFixed) {
        values.priorityChannel = FormatPriorityChannel(image[scan::kPriorityChannel]);
    }
    values.lookBackA = LookBackOfByte(image[scan::kLookBackA]);
    values.lookBackB = LookBackOfByte(image[scan::kLookBackB]);
    const int revert = image[scan::kRevert] - RevertBase(values.priority);
    const int choices = static_cast<int>(RevertChoices(values.priority).size());
    values.revert = revert >= 0 && revert < choices ? revert : -1;
    values.dropoutDelay = Word(image, scan::kDropout);
    values.txDwell = Word(image, scan::kTxDwell);
    return values;
}

bool StoreScanValues(const ModelVariant& variant, Image& image, ScanValues& values) {
    // What is still in an edit gets the corrections leaving it would give,
    // so no value beyond the radio's range reaches its byte.
    values.lookBackA = CorrectLookBack(values.lookBackA);
    values.lookBackB = CorrectLookBack(values.lookBackB);
    values.dropoutDelay = CorrectTimer(values.dropoutDelay);
    values.txDwell = CorrectTimer(values.txDwell);

    if (values.priority == scan::kFixed) {
        const int n = ParseLeadingInt(values.priorityChannel);
        if (n < 1 || n > scan::kChannels) {
            return false;
        }
        // Programmed: the highest byte of its receive frequency is a digit pair.
        const std::uint8_t rxHigh = image[static_cast<std::size_t>(variant.RecordOffset(n)) + 3];
        if (rxHigh == 0xFF || rxHigh == 0x00) {
            return false;
        }
        image[scan::kPriorityChannel] = static_cast<std::uint8_t>(n);
    }
    if (values.priority >= 0) {
        image[scan::kPriority] = static_cast<std::uint8_t>(values.priority);
    }
    image[scan::kLookBackA] = static_cast<std::uint8_t>(LookBackByte(values.lookBackA));
    image[scan::kLookBackB] = static_cast<std::uint8_t>(LookBackByte(values.lookBackB));
    // No selection keeps what the radio had rather than inventing a choice.
    if (values.revert >= 0) {
        image[scan::kRevert] =
            static_cast<std::uint8_t>(values.revert + RevertBase(values.priority));
    }
    SetWord(image, scan::kDropout, values.dropoutDelay);
    SetWord(image, scan::kTxDwell, values.txDwell);
    return true;
}

std::vector<ScanLine> ScanLines(const ScanValues& values, Language lang) {
    const std::vector<TextPair> reverts = RevertChoices(values.priority);
    const auto item = [lang](const std::vector<TextPair>& list, int index) {
        return index >= 0 && index < static_cast<int>(list.size())
                   ? std::string(list[static_cast<std::size_t>(index)].In(lang))
                   : std::string();
    };
    return {
        {kScanPriorityLabel,
         item({std::begin(kScanPriorities), std::end(kScanPriorities)}, values.priority)},
        {kScanPriorityChannelLabel, values.priorityChannel},
        {kScanLookBackALabel, FormatLookBack(values.lookBackA)},
        {kScanLookBackBLabel, FormatLookBack(values.lookBackB)},
        {kScanRevertLabel, item(reverts, values.revert)},
        {kScanDropoutLabel, std::to_string(values.dropoutDelay)},
        {kScanTxDwellLabel, std::to_string(values.txDwell)},
    };
}

static bool LabelMatches(const TextPair& label, std::string_view field) {
    return EqualsIgnoringCase(label.en, field) || label.zh == field;
}

bool IsScanPriorityField(std::string_view field) {
    return LabelMatches(kScanPriorityLabel, field);
}

bool SetScanField(ScanValues& values, std::string_view field, std::string_view value,
                  std::string& error) {
    value = Trimmed(value);
    const std::string quoted = "\"" + std::string(value) + "\"";
    const auto matches = [field](const TextPair& label) { return LabelMatches(label, field); };
    const auto onlyWhenFixed = [&](const TextPair& label) {
        if (values.priority == scan::kFixed) {
            return true;
        }
        error = "\"" + std::string(label.en) +
                "\" can be changed only with Priority \"Fixed\" (set Priority=Fixed first)";
        return false;
    };
    if (matches(kScanPriorityLabel)) {
        const std::vector<TextPair> priorities{std::begin(kScanPriorities),
                                               std::end(kScanPriorities)};
        const int priority = FindText(priorities, value);
        if (priority < 0) {
            error = quoted + " is no Priority; the choices are " + English(priorities);
            return false;
        }
        // As the dialog does on a change of Priority.
        values.priority = priority;
        values.revert = 0;
        if (priority != scan::kFixed) {
            values.priorityChannel.clear();
        }
        return true;
    }
    if (matches(kScanPriorityChannelLabel)) {
        if (!onlyWhenFixed(kScanPriorityChannelLabel)) {
            return false;
        }
        int channel = 0;
        if (value.size() > 2 || !ParseDigits(value, channel) || channel < 1 ||
            channel > scan::kChannels) {
            error = quoted + " is no Priority Channel; it takes a channel number 1 to 16";
            return false;
        }
        values.priorityChannel = std::string(value);
        return true;
    }
    for (auto [label, target] : {std::pair{&kScanLookBackALabel, &values.lookBackA},
                                 std::pair{&kScanLookBackBLabel, &values.lookBackB}}) {
        if (!matches(*label)) {
            continue;
        }
        if (!onlyWhenFixed(*label)) {
            return false;
        }
        double t = 0.0;
        if (!ParseWholeDouble(value, t)) {
            error = quoted + " is no number; \"" + std::string(label->en) +
                    "\" takes 0.5 to 5.0 in steps of 0.05";
            return false;
        }
        *target = CorrectLookBack(t);
        return true;
    }
    if (matches(kScanRevertLabel)) {
        const std::vector<TextPair> reverts = RevertChoices(values.priority);
        const int revert = FindText(reverts, value);
        if (revert < 0) {
            error = quoted + " is no Revert Channel with this Priority; the choices are " +
                    English(reverts);
            return false;
        }
        values.revert = revert;
        return true;
    }
    for (auto [label, target] : {std::pair{&kScanDropoutLabel, &values.dropoutDelay},
                                 std::pair{&kScanTxDwellLabel, &values.txDwell}}) {
        if (!matches(*label)) {
            continue;
        }
        int v = 0;
        if (!ParseDigits(value, v)) {
            error = quoted + " is no number; \"" + std::string(label->en) + "\" takes 0 to 300";
            return false;
        }
        *target = CorrectTimer(v);
        return true;
    }
    std::vector<TextPair> fields;
    for (const ScanLine& line : ScanLines(values, Language::English)) {
        fields.push_back(line.label);
    }
    error = "no field \"" + std::string(field) + "\" in Scan Information; the fields are " +
            English(fields);
    return false;
}

} // namespace radio
