#include "ChannelCopy.h"

#include "CellCheck.h"
#include "CellEditRules.h"
#include "ChannelGrid.h"
#include "ToneCode.h"

#include <algorithm>

#include <optional>

namespace radio {

namespace {

// The channel number a grid row stands for: the "Pr" row is 0.
int ChannelOfRow(const ModelVariant& v, int row) {
    return v.firstRowLabel.empty() ? row : row - 1;
}

// The row of a channel number; nullopt when the programmer has none.
std::optional<int> RowOfChannel(const ModelVariant& v, int channel) {
    const int row = v.firstRowLabel.empty() ? channel : channel + 1;
    if (row < 1 || row > v.channelRows) {
        return std::nullopt;
    }
    return row;
}

std::string ChannelName(const ModelVariant& v, int row) {
    std::string label = v.RowLabel(row);
    label.erase(0, label.find_first_not_of(' '));
    return "channel " + label;
}

// The source column with the same heading as the target column, or 0.
int SourceColumn(const ModelVariant& from, const ModelVariant& to, int col) {
    for (int c = 1; c < from.Cols(); ++c) {
        if (from.columns[static_cast<std::size_t>(c)].heading.en ==
            to.columns[static_cast<std::size_t>(col)].heading.en) {
            return c;
        }
    }
    return 0;
}

bool HasItem(const GridColumn& column, std::string_view text) {
    return ChoiceItemIndex(column.choice, text) >= 0;
}

} // namespace

std::string CopyReport::Summary() const {
    return std::to_string(copied) + " of " + std::to_string(used) + " channels copied";
}

CopyReport CopyChannels(const ModelVariant& from, const Image& source, const ModelVariant& to,
                        Image& target, const BandLimits& band, const std::string& bandName) {
    CopyReport report;
    CellTable shown = MakeChannelTable(from, Language::English);
    Image sourceCopy = source;
    ImageToGrid(from, sourceCopy, shown, Language::English);

    std::vector<int> sourceOf(static_cast<std::size_t>(to.Cols()), 0);
    std::vector<bool> taken(static_cast<std::size_t>(from.Cols()), false);
    for (int c = 1; c < to.Cols(); ++c) {
        sourceOf[static_cast<std::size_t>(c)] = SourceColumn(from, to, c);
        taken[static_cast<std::size_t>(sourceOf[static_cast<std::size_t>(c)])] = true;
    }
    std::string dropped;
    for (int c = 1; c < from.Cols(); ++c) {
        if (!taken[static_cast<std::size_t>(c)]) {
            dropped += (dropped.empty() ? "\"" : ", \"") +
                       std::string(from.columns[static_cast<std::size_t>(c)].heading.en) + "\"";
        }
    }
    if (!dropped.empty()) {
        report.lines.push_back(std::string(to.programName) + " has no " + dropped +
                               ": dropped from every channel");
    }

    const std::vector<std::string> defaults = NewChannelDefaults(to, Language::English);
    const std::vector<std::string> tones = BuildToneList(to.toneCode, Language::English);
    CellTable table = MakeChannelTable(to, Language::English);
    for (int r = 1; r <= from.channelRows; ++r) {
        if (shown.TextMatrix(r, 1).empty()) {
            continue;
        }
        ++report.used;
        const std::string name = ChannelName(from, r);
        const int channel = ChannelOfRow(from, r);
        const std::optional<int> row = RowOfChannel(to, channel);
        if (!row) {
            const int numbered = to.channelRows - (to.firstRowLabel.empty() ? 0 : 1);
            report.lines.push_back(name + ": " + std::string(to.programName) +
                                   (channel == 0
                                        ? std::string(" has no \"Pr\" channel")
                                        : " has only " + std::to_string(numbered) + " channels") +
                                   "; not copied");
            continue;
        }
        std::vector<std::string> texts(static_cast<std::size_t>(to.Cols()));
        std::string refusal;
        for (int c = 1; c < to.Cols() && refusal.empty(); ++c) {
            const GridColumn& column = to.columns[static_cast<std::size_t>(c)];
            const int sc = sourceOf[static_cast<std::size_t>(c)];
            std::string text =
                sc > 0 ? shown.TextMatrix(r, sc) : defaults[static_cast<std::size_t>(c - 3)];
            const std::string quoted = "\"" + text + "\"";
            if (column.kind == ColumnKind::RxFrequency || column.kind == ColumnKind::TxFrequency) {
                if (!text.empty()) {
                    const FrequencyCheck check = CheckFrequency(text, band);
                    if (!check.Accepted()) {
                        refusal = std::string(column.heading.en) + " " + quoted +
                                  (check.verdict == FrequencyVerdict::OffStep
                                       ? " is on neither the 5 kHz nor the 6.25 kHz step"
                                       : " is outside " + (bandName.empty()
                                                               ? std::string("the target's band")
                                                               : bandName));
                        break;
                    }
                    text = check.text;
                }
            } else if ((column.kind == ColumnKind::DecodeTone ||
                        column.kind == ColumnKind::EncodeTone) &&
                       std::find(tones.begin(), tones.end(), text) == tones.end()) {
                // Only what the target's tone list offers: what a user could pick.
                refusal = std::string(column.heading.en) + " " + quoted + " is not in " +
                          std::string(to.programName) + "'s tone list";
                break;
            } else if (column.kind == ColumnKind::Choice && column.heading.en == "Power" &&
                       text == texts::kMiddle.en && !HasItem(column, text)) {
                // Never more power than the source asked for.
                report.lines.push_back(name + ": Power \"Middle\" becomes \"Low\": " +
                                       std::string(to.programName) + " has no Middle");
                text = std::string(texts::kLow.en);
            }
            const CellCheck check = CheckCellText(to, c, text);
            if (!check.ok) {
                refusal = std::string(column.heading.en) + " " + quoted + " " + check.reason;
                break;
            }
            texts[static_cast<std::size_t>(c)] = check.text;
        }
        if (!refusal.empty()) {
            report.lines.push_back(name + ": " + refusal + "; not copied");
            continue;
        }
        for (int c = 1; c < to.Cols(); ++c) {
            table.SetTextMatrix(*row, c, texts[static_cast<std::size_t>(c)]);
        }
        ++report.copied;
    }
    GridToImage(to, table, target);
    return report;
}

} // namespace radio
