#include "ChannelGrid.h"

#include "ChannelName.h"
#include "ChannelRecord.h"
#include "FrequencyCode.h"
#include "ToneCode.h"

namespace radio {

CellTable::CellTable(int rows, int cols)
    : m_rows(rows), m_cols(cols), m_cells(static_cast<std::size_t>(rows * cols)) {}

std::string CellTable::TextMatrix(int row, int col) const {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
        return {};
    }
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
                   static_cast<std::size_t>(col)];
}

void CellTable::SetTextMatrix(int row, int col, const std::string& text) {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
        return;
    }
    m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
            static_cast<std::size_t>(col)] = text;
}

void WriteGridLabels(const ModelVariant& variant, IChannelTable& table, Language lang) {
    for (int c = 0; c < variant.Cols(); ++c) {
        table.SetTextMatrix(0, c, std::string(variant.columns[c].heading.In(lang)));
    }
    for (int r = 1; r <= variant.channelRows; ++r) {
        table.SetTextMatrix(r, 0, variant.RowLabel(r));
    }
}

CellTable MakeChannelTable(const ModelVariant& variant, Language lang) {
    CellTable table(variant.Rows(), variant.Cols());
    WriteGridLabels(variant, table, lang);
    return table;
}

std::string ChoiceText(const ChoiceField& field, int value, Language lang) {
    if (value < 0 || value >= static_cast<int>(field.shownItem.size())) {
        return {};
    }
    const int item = field.shownItem[static_cast<std::size_t>(value)];
    if (item < 0) {
        return {};
    }
    return std::string(field.items[static_cast<std::size_t>(item)].text.In(lang));
}

int ChoiceItemIndex(const ChoiceField& field, std::string_view text) {
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        if (field.items[i].text.Matches(text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> NewChannelDefaults(const ModelVariant& variant, Language lang) {
    std::vector<std::string> defaults;
    for (int c = 3; c < variant.Cols(); ++c) {
        const GridColumn& col = variant.columns[c];
        std::string text;
        if (col.kind == ColumnKind::DecodeTone || col.kind == ColumnKind::EncodeTone) {
            text = std::string(texts::kNone.In(lang));
        } else if (col.kind == ColumnKind::Choice && col.newChannelItem >= 0) {
            text = std::string(
                col.choice.items[static_cast<std::size_t>(col.newChannelItem)].text.In(lang));
        }
        defaults.push_back(text);
    }
    return defaults;
}

namespace {

int BitmapByte(const ChoiceField& f, int row) {
    return f.bitmapOffset + (row - 1) / 8;
}
int BitmapBit(int row) {
    return (row - 1) % 8;
}

int ReadChoice(const ChoiceField& f, const Image& image, int record, int row) {
    if (f.storage == ChoiceField::Storage::ScanAddBitmap) {
        return (image[static_cast<std::size_t>(BitmapByte(f, row))] >> BitmapBit(row)) & 1;
    }
    return (image[static_cast<std::size_t>(record) + static_cast<std::size_t>(f.recordByte)] >>
            f.shift) &
           f.mask;
}

void WriteChoice(const ChoiceField& f, Image& image, int record, int row, std::uint8_t code) {
    if (f.storage == ChoiceField::Storage::ScanAddBitmap) {
        auto& b = image[static_cast<std::size_t>(BitmapByte(f, row))];
        const auto bit = static_cast<std::uint8_t>(1u << BitmapBit(row));
        b = static_cast<std::uint8_t>((code & 1) ? (b | bit) : (b & ~bit));
        return;
    }
    auto& b = image[static_cast<std::size_t>(record) + static_cast<std::size_t>(f.recordByte)];
    const auto fieldMask = static_cast<std::uint8_t>(f.mask << f.shift);
    b = static_cast<std::uint8_t>((b & ~fieldMask) | ((code << f.shift) & fieldMask));
}

std::string ToneCellText(const ModelVariant& v, const std::uint8_t* tone, bool blank,
                         Language lang) {
    if (ToneHighMeansNone(tone[1])) {
        return blank ? std::string() : std::string(texts::kNone.In(lang));
    }
    return DecodeTone(v.toneCode, tone[0], tone[1]);
}

} // namespace

void ImageToGrid(const ModelVariant& v, Image& image, IChannelTable& table, Language lang,
                 const GridHooks& hooks) {
    image.resize(static_cast<std::size_t>(v.imageSize), 0xFF);
    for (int r = 1; r <= v.channelRows; ++r) {
        const int record = v.RecordOffset(r);
        const std::uint8_t* rec = image.data() + record;
        const bool rxPresent = FrequencyPresent(rec + record::kRxFrequency);
        const bool txPresent = FrequencyPresent(rec + record::kTxFrequency);
        if (v.rowStyle == RowStyle::BlankWhenRxMissing && !rxPresent) {
            for (int c = 1; c < v.Cols(); ++c) {
                table.SetTextMatrix(r, c, std::string());
            }
            continue;
        }
        const bool blank =
            v.rowStyle == RowStyle::BlankWhenRxOrTxMissing && (!rxPresent || !txPresent);
        for (int c = 1; c < v.Cols(); ++c) {
            const GridColumn& col = v.columns[c];
            std::string text;
            switch (col.kind) {
            case ColumnKind::RxFrequency:
                text = FrequencyText(rec + record::kRxFrequency);
                break;
            case ColumnKind::TxFrequency:
                text = FrequencyText(rec + record::kTxFrequency);
                break;
            case ColumnKind::DecodeTone:
                text = ToneCellText(v, rec + record::kDecodeTone, blank, lang);
                break;
            case ColumnKind::EncodeTone:
                text = ToneCellText(v, rec + record::kEncodeTone, blank, lang);
                break;
            case ColumnKind::Choice: {
                const int value = ReadChoice(col.choice, image, record, r);
                const bool shows = !blank || (col.choice.showsInBlankRow && value != 0);
                text = shows ? ChoiceText(col.choice, value, lang) : std::string();
                break;
            }
            case ColumnKind::Name:
                text = DecodeChannelName(image.data() + v.NameOffset(r));
                break;
            }
            table.SetTextMatrix(r, c, text);
        }
    }
    if (hooks.applyProductSelection) {
        hooks.applyProductSelection(image);
    }
}

void GridToImage(const ModelVariant& v, const IChannelTable& table, Image& image,
                 const GridHooks& hooks) {
    if (v.commitBeforeGridToImage && hooks.commitCellEditor) {
        hooks.commitCellEditor();
    }
    image.resize(static_cast<std::size_t>(v.imageSize), 0xFF);
    for (int r = 1; r <= v.channelRows; ++r) {
        const int record = v.RecordOffset(r);
        std::uint8_t* rec = image.data() + record;
        if (v.rowStyle == RowStyle::BlankWhenRxMissing && table.TextMatrix(r, 1).empty()) {
            std::fill(rec, rec + record::kSize, 0xFF); // the row's name stays
            continue;
        }
        for (int c = 1; c < v.Cols(); ++c) {
            const GridColumn& col = v.columns[c];
            const std::string text = table.TextMatrix(r, c);
            switch (col.kind) {
            case ColumnKind::RxFrequency:
            case ColumnKind::TxFrequency: {
                const FrequencyBytes f = EncodeFrequencyText(text);
                std::copy(f.begin(), f.end(),
                          rec + (col.kind == ColumnKind::RxFrequency ? record::kRxFrequency
                                                                     : record::kTxFrequency));
                break;
            }
            case ColumnKind::DecodeTone:
            case ColumnKind::EncodeTone: {
                const ToneBytes t = EncodeTone(v.toneCode, text);
                const int at =
                    col.kind == ColumnKind::DecodeTone ? record::kDecodeTone : record::kEncodeTone;
                rec[at] = t.low;
                rec[at + 1] = t.high;
                break;
            }
            case ColumnKind::Choice: {
                const int item = ChoiceItemIndex(col.choice, text);
                const std::uint8_t code =
                    item >= 0 ? col.choice.items[static_cast<std::size_t>(item)].code
                              : col.choice.otherCode;
                WriteChoice(col.choice, image, record, r, code);
                break;
            }
            case ColumnKind::Name: {
                const auto name = EncodeChannelName(text);
                std::copy(name.begin(), name.end(), image.begin() + v.NameOffset(r));
                break;
            }
            }
        }
    }
}

} // namespace radio
