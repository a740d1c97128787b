#include "CellCheck.h"

#include "ChannelGrid.h"
#include "ChannelName.h"
#include "FrequencyCode.h"
#include "ToneCode.h"

namespace radio {

namespace {

bool IsPlainDecimal(std::string_view t) {
    std::size_t i = 0;
    std::size_t intDigits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        ++i;
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++fracDigits;
        }
    }
    return i == t.size() && intDigits + fracDigits > 0;
}

CellCheck Pass(std::string_view text) {
    return {true, std::string(text), {}};
}
CellCheck Refuse(std::string reason) {
    return {false, {}, std::move(reason)};
}

CellCheck CheckFrequency(std::string_view text) {
    if (!IsPlainDecimal(text)) {
        return Refuse("is not a frequency: write it as a plain decimal number of MHz, "
                      "such as 145.50000");
    }
    const std::int64_t count = FrequencyCountFromText(text);
    if (count <= 0) {
        return Refuse("is no frequency (zero)");
    }
    if (count > kMaxFrequencyCount) {
        return Refuse("is 1000 MHz or more, which a channel cannot hold");
    }
    if (count < kMinPresentFrequencyCount) {
        // Its leading digit pair would be 00, which reads as no frequency.
        return Refuse("is below 10 MHz, which a channel cannot hold");
    }
    return Pass(text);
}

CellCheck CheckTone(const ModelVariant& v, std::string_view text) {
    const ToneBytes b = EncodeTone(v.toneCode, text);
    const std::string back =
        ToneHighMeansNone(b.high) ? std::string() : DecodeTone(v.toneCode, b.low, b.high);
    const bool same = ToneHighMeansNone(b.high) ? texts::kNone.Matches(text) : back == text;
    if (!same) {
        return Refuse("is not a tone this radio can hold (such as \"None\", \"88.5\", "
                      "\"D023N\" or \"D023I\")");
    }
    return Pass(text);
}

CellCheck CheckChoice(const GridColumn& col, std::string_view text) {
    if (ChoiceItemIndex(col.choice, text) >= 0) {
        return Pass(text);
    }
    std::string items;
    for (const ChoiceItem& item : col.choice.items) {
        items += items.empty() ? "" : ", ";
        items += "\"" + std::string(item.text.en) + "\"";
    }
    return Refuse("is not one of " + items);
}

CellCheck CheckName(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    for (char c : upper) {
        if (!IsNameChar(c)) {
            return Refuse("holds a character a channel name cannot: use A-Z, 0-9, '-' and '_'");
        }
    }
    if (upper.size() > static_cast<std::size_t>(kNameBytes)) {
        return Refuse("is longer than 8 characters");
    }
    return Pass(upper);
}

} // namespace

CellCheck CheckCellText(const ModelVariant& variant, int col, std::string_view text) {
    if (text.empty()) {
        return Pass(text);
    }
    if (col < 1 || col >= variant.Cols()) {
        return Refuse("is outside the channel table");
    }
    const GridColumn& c = variant.columns[static_cast<std::size_t>(col)];
    switch (c.kind) {
    case ColumnKind::RxFrequency:
    case ColumnKind::TxFrequency:
        return CheckFrequency(text);
    case ColumnKind::DecodeTone:
    case ColumnKind::EncodeTone:
        return CheckTone(variant, text);
    case ColumnKind::Choice:
        return CheckChoice(c, text);
    case ColumnKind::Name:
        return CheckName(text);
    }
    return Refuse("is not valid here");
}

} // namespace radio
