#include "ImageReview.h"

#include "CellEditRules.h"
#include "ChannelGrid.h"
#include "ChannelName.h"
#include "ChannelRecord.h"
#include "FrequencyCode.h"
#include "Options.h"
#include "ToneCode.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace radio {

namespace {

// The words of the reports.
namespace words {
constexpr TextPair kChannel{"Channel", "信道"};
constexpr TextPair kOn{"On", "开"};
constexpr TextPair kBadFrequencyBytes{"the bytes decode to no valid frequency",
                                      "字节解码后不是有效的频率"};
constexpr TextPair kOutsideBand{"outside the band", "超出频段"};
constexpr TextPair kOutsideProductBand{"outside the product's band (the image names no band)",
                                       "超出产品的频段 (图像未指定频段)"};
constexpr TextPair kOffStep{"on neither the 5 kHz nor the 6.25 kHz step",
                            "不在 5 kHz 或 6.25 kHz 步进上"};
constexpr TextPair kBadToneBytes{"the bytes decode to no valid tone", "字节解码后不是有效的亚音"};
constexpr TextPair kToneNotListed{"not in the tone list", "不在亚音列表中"};
constexpr TextPair kBadNameBytes{
    "the name bytes hold codes outside the alphabet (A-Z, 0-9, '-', '_')",
    "名称字节含有字母表以外的代码 (A-Z、0-9、'-'、'_')"};
constexpr TextPair kValue{"value", "值"};
constexpr TextPair kNoChoice{"maps to no choice", "没有对应的选项"};
constexpr TextPair kOtherBytes{"Other bytes", "其他字节"};
constexpr TextPair kDiffer{"differ", "个不同"};
} // namespace words

std::string Str(std::string_view text) {
    return std::string(text);
}

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Hex4(int address) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(address));
    return buf;
}

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

bool DigitsValid(const std::uint8_t* bytes, int n) {
    for (int i = 0; i < n; ++i) {
        if ((bytes[i] >> 4) > 9 || (bytes[i] & 0x0F) > 9) {
            return false;
        }
    }
    return true;
}

bool NameBytesValid(const std::uint8_t* bytes) {
    for (int i = 0; i < kNameBytes; ++i) {
        const std::uint8_t b = bytes[i];
        if (b != 0xFF && b > 36 && b != 38) {
            return false;
        }
    }
    return true;
}

int FieldValue(const ModelVariant& v, const OptionDef& o, const Image& image) {
    const OptionField& f = v.Field(o.field);
    return (image[static_cast<std::size_t>(f.offset)] >> f.shift) & f.mask;
}

// What the Optional Features dialog shows for an option.
std::string OptionText(const ModelVariant& v, const OptionDef& o, int index, const Image& image,
                       Language lang) {
    if (o.rule == OptionRule::CheckBox) {
        return Str(index == 1 ? words::kOn.In(lang) : texts::kOff.In(lang));
    }
    if (index < 0) {
        return Str(words::kValue.In(lang)) + " " + std::to_string(FieldValue(v, o, image));
    }
    return Str(o.choices[static_cast<std::size_t>(index)].In(lang));
}

Image Sized(const ModelVariant& v, const Image& image) {
    Image copy = image;
    copy.resize(static_cast<std::size_t>(v.imageSize), 0xFF);
    return copy;
}

CellTable Shown(const ModelVariant& v, Image& image, Language lang) {
    CellTable table = MakeChannelTable(v, lang);
    ImageToGrid(v, image, table, lang);
    return table;
}

std::string CellReason(const ModelVariant& v, const GridColumn& column, const std::uint8_t* rec,
                       const std::uint8_t* name, const std::string& text,
                       const std::vector<std::string>& tones, const ProductBand& band,
                       Language lang) {
    switch (column.kind) {
    case ColumnKind::RxFrequency:
    case ColumnKind::TxFrequency: {
        const std::uint8_t* bytes =
            rec +
            (column.kind == ColumnKind::RxFrequency ? record::kRxFrequency : record::kTxFrequency);
        if (!DigitsValid(bytes, 4)) {
            return Str(words::kBadFrequencyBytes.In(lang));
        }
        const FrequencyCheck check = CheckFrequency(text, band.limits);
        if (check.verdict == FrequencyVerdict::OutOfRange) {
            return band.text.empty() ? Str(words::kOutsideProductBand.In(lang))
                                     : Str(words::kOutsideBand.In(lang)) + " " + band.text;
        }
        if (check.verdict == FrequencyVerdict::OffStep) {
            return Str(words::kOffStep.In(lang));
        }
        return {};
    }
    case ColumnKind::DecodeTone:
    case ColumnKind::EncodeTone: {
        const std::uint8_t* bytes =
            rec +
            (column.kind == ColumnKind::DecodeTone ? record::kDecodeTone : record::kEncodeTone);
        if (ToneHighMeansNone(bytes[1])) {
            return {};
        }
        const ToneBytes back = EncodeTone(v.toneCode, text);
        if (back.low != bytes[0] || back.high != bytes[1]) {
            return Str(words::kBadToneBytes.In(lang));
        }
        if (std::find(tones.begin(), tones.end(), text) == tones.end()) {
            return Str(words::kToneNotListed.In(lang));
        }
        return {};
    }
    case ColumnKind::Name:
        return NameBytesValid(name) ? std::string() : Str(words::kBadNameBytes.In(lang));
    case ColumnKind::Choice:
        break;
    }
    return {};
}

} // namespace

ImageCheckReport CheckImage(const ModelVariant& v, const Image& image, const ProductBand& band,
                            Language lang) {
    ImageCheckReport report;
    Image copy = Sized(v, image);
    const CellTable table = Shown(v, copy, lang);
    const std::vector<std::string> tones = BuildToneList(v.toneCode, lang);
    for (int r = 1; r <= v.channelRows; ++r) {
        const std::uint8_t* rec = copy.data() + v.RecordOffset(r);
        const std::uint8_t* name = v.HasNames() ? copy.data() + v.NameOffset(r) : nullptr;
        bool shows = false;
        for (int c = 1; c < v.Cols() && !shows; ++c) {
            shows = !table.TextMatrix(r, c).empty();
        }
        for (int c = 1; c < v.Cols() && shows; ++c) {
            const GridColumn& column = v.columns[static_cast<std::size_t>(c)];
            const std::string text = table.TextMatrix(r, c);
            if (text.empty() && column.kind != ColumnKind::Name) {
                continue;
            }
            const std::string reason = CellReason(v, column, rec, name, text, tones, band, lang);
            if (!reason.empty()) {
                report.cells.push_back(
                    {r, c, Trimmed(v.RowLabel(r)), Str(column.heading.In(lang)), text, reason});
            }
        }
    }
    const std::vector<int> indices = LoadOptions(v, copy);
    for (std::size_t i = 0; i < v.options.size(); ++i) {
        const OptionDef& o = v.options[i];
        if (o.rule == OptionRule::CheckBox || indices[i] >= 0) {
            continue;
        }
        const int value = FieldValue(v, o, copy);
        report.options.push_back({static_cast<int>(i), Str(o.label.In(lang)),
                                  v.Field(o.field).offset, value,
                                  Str(words::kValue.In(lang)) + " " + std::to_string(value) + " " +
                                      Str(words::kNoChoice.In(lang))});
    }
    return report;
}

std::vector<std::string> ImageCheckReport::Lines(Language lang) const {
    std::vector<std::string> lines;
    for (const CellFinding& f : cells) {
        lines.push_back(Str(words::kChannel.In(lang)) + " " + f.channel + ", " + f.column + " " +
                        Quote(f.text) + ": " + f.reason);
    }
    for (const OptionFinding& f : options) {
        lines.push_back(f.label + ": " + f.reason);
    }
    return lines;
}

ImageDiff DiffImages(const ModelVariant& v, const Image& a, const Image& b, Language lang) {
    ImageDiff diff;
    Image ia = Sized(v, a);
    Image ib = Sized(v, b);
    const CellTable ta = Shown(v, ia, lang);
    const CellTable tb = Shown(v, ib, lang);

    // Bytes whose difference a line below already shows.
    std::set<int> shown;
    const auto showRange = [&shown](int first, int n) {
        for (int i = 0; i < n; ++i) {
            shown.insert(first + i);
        }
    };
    for (int r = 1; r <= v.channelRows; ++r) {
        bool rowDiffers = false;
        for (int c = 1; c < v.Cols(); ++c) {
            const std::string textA = ta.TextMatrix(r, c);
            const std::string textB = tb.TextMatrix(r, c);
            if (textA == textB) {
                continue;
            }
            rowDiffers = true;
            diff.cells.push_back({r, c, Trimmed(v.RowLabel(r)),
                                  Str(v.columns[static_cast<std::size_t>(c)].heading.In(lang)),
                                  textA, textB});
        }
        if (!rowDiffers) {
            continue;
        }
        showRange(v.RecordOffset(r), record::kSize);
        if (v.HasNames()) {
            showRange(v.NameOffset(r), kNameBytes);
        }
        for (const GridColumn& column : v.columns) {
            if (column.kind == ColumnKind::Choice &&
                column.choice.storage == ChoiceField::Storage::ScanAddBitmap) {
                shown.insert(column.choice.bitmapOffset + (r - 1) / 8);
            }
        }
    }

    const std::vector<int> oa = LoadOptions(v, ia);
    const std::vector<int> ob = LoadOptions(v, ib);
    for (std::size_t i = 0; i < v.options.size(); ++i) {
        const OptionDef& o = v.options[i];
        const std::string textA = OptionText(v, o, oa[i], ia, lang);
        const std::string textB = OptionText(v, o, ob[i], ib, lang);
        if (textA == textB) {
            continue;
        }
        diff.options.push_back({static_cast<int>(i), Str(o.label.In(lang)), textA, textB});
        shown.insert(v.Field(o.field).offset);
    }

    // The rest in 16-byte lines; neighbouring lines join into one range.
    for (int address = 0; address < v.imageSize; ++address) {
        const auto at = static_cast<std::size_t>(address);
        if (ia[at] == ib[at] || shown.count(address)) {
            continue;
        }
        const int line = address & ~0x0F;
        if (!diff.otherBytes.empty() && diff.otherBytes.back().last + 1 >= line) {
            diff.otherBytes.back().last = line + 0x0F;
            ++diff.otherBytes.back().count;
        } else {
            diff.otherBytes.push_back({line, line + 0x0F, 1});
        }
    }
    return diff;
}

std::vector<std::string> ImageDiff::Lines(Language lang) const {
    std::vector<std::string> lines;
    for (const CellDifference& d : cells) {
        lines.push_back(Str(words::kChannel.In(lang)) + " " + d.channel + ", " + d.column + ": A " +
                        Quote(d.a) + ", B " + Quote(d.b));
    }
    for (const OptionDifference& d : options) {
        lines.push_back(d.label + ": A " + Quote(d.a) + ", B " + Quote(d.b));
    }
    for (const ByteRangeDifference& d : otherBytes) {
        lines.push_back(Str(words::kOtherBytes.In(lang)) + " " + Hex4(d.first) + "-" +
                        Hex4(d.last) + ": " + std::to_string(d.count) + " " +
                        Str(words::kDiffer.In(lang)));
    }
    return lines;
}

} // namespace radio
