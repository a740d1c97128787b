#include "ChannelCsv.h"

#include "CellCheck.h"
#include "ChannelGrid.h"
#include "Utf8.h"

#include <algorithm>

namespace radio {

bool ParseCsv(std::string_view text, CsvRows& rows, std::string& error) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    // A table saved in another encoding, or a file that is no table at all,
    // is refused as a whole rather than cell by cell with garbled texts.
    const auto lineOf = [&](std::size_t at) {
        return std::to_string(1 +
                              std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
    };
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        error = "line " + lineOf(nul) + ": a NUL byte; this is not a text table";
        return false;
    }
    if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
        error = "line " + lineOf(bad) + ": not UTF-8 text (save the table as CSV in UTF-8)";
        return false;
    }
    CsvRows out;
    std::vector<std::string> row;
    std::string field;
    int line = 1;
    std::size_t i = 0;
    bool rowStarted = false;
    while (i < text.size()) {
        rowStarted = true;
        if (text[i] == '"' && field.empty()) {
            const int startLine = line;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (text[i] == '\n') {
                    ++line;
                }
                field += text[i++];
            }
            if (!closed) {
                error = "line " + std::to_string(startLine) + ": a quoted field is never closed";
                return false;
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                error = "line " + std::to_string(line) + ": text after a closing quote";
                return false;
            }
            continue;
        }
        const char c = text[i];
        if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            row.push_back(std::move(field));
            field.clear();
            out.push_back(std::move(row));
            row.clear();
            rowStarted = false;
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            ++line;
        } else {
            field += c;
            ++i;
        }
    }
    if (rowStarted) {
        row.push_back(std::move(field));
        out.push_back(std::move(row));
    }
    rows = std::move(out);
    return true;
}

std::string FormatCsv(const CsvRows& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out += ',';
            }
            const std::string& f = row[c];
            if (f.find_first_of(",\"\r\n") != std::string::npos) {
                out += '"';
                for (char ch : f) {
                    if (ch == '"') {
                        out += '"';
                    }
                    out += ch;
                }
                out += '"';
            } else {
                out += f;
            }
        }
        out += "\r\n";
    }
    return out;
}

std::string ExportChannelCsv(const ModelVariant& variant, const Image& image, Language lang) {
    Image copy = image;
    CellTable table = MakeChannelTable(variant, lang);
    ImageToGrid(variant, copy, table, lang);
    CsvRows rows;
    rows.reserve(static_cast<std::size_t>(table.Rows()));
    for (int r = 0; r < table.Rows(); ++r) {
        std::vector<std::string> row;
        row.reserve(static_cast<std::size_t>(table.Cols()));
        for (int c = 0; c < table.Cols(); ++c) {
            row.push_back(table.TextMatrix(r, c));
        }
        rows.push_back(std::move(row));
    }
    return FormatCsv(rows);
}

bool ImportChannelCsv(const ModelVariant& variant, std::string_view csv, Image& image,
                      std::string& error) {
    CsvRows rows;
    if (!ParseCsv(csv, rows, error)) {
        return false;
    }
    // A last empty line (a trailing blank line of an editor) carries nothing.
    while (!rows.empty() && rows.back().size() == 1 && rows.back()[0].empty()) {
        rows.pop_back();
    }
    const int wantRows = variant.Rows();
    const auto wantCols = static_cast<std::size_t>(variant.Cols());
    if (static_cast<int>(rows.size()) != wantRows) {
        error = "the table has " + std::to_string(rows.size()) +
                (rows.size() == 1 ? " row" : " rows") + ", but a " +
                std::string(variant.programName) + " table has " + std::to_string(wantRows) +
                " (a heading row and " + std::to_string(variant.channelRows) + " channel rows)";
        return false;
    }
    CellTable table = MakeChannelTable(variant, Language::English);
    for (int r = 0; r < wantRows; ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        if (row.size() != wantCols) {
            error = "line " + std::to_string(r + 1) + " has " + std::to_string(row.size()) +
                    (row.size() == 1 ? " column" : " columns") + ", but a " +
                    std::string(variant.programName) + " table has " + std::to_string(wantCols);
            return false;
        }
        if (r == 0) {
            continue; // headings
        }
        std::string label = variant.RowLabel(r);
        label.erase(0, label.find_first_not_of(' '));
        if (variant.rowStyle == RowStyle::BlankWhenRxMissing && row[1].empty()) {
            // Such a row is stored empty: its other cells would be lost.
            for (std::size_t c = 2; c < row.size(); ++c) {
                if (!row[c].empty()) {
                    error = "line " + std::to_string(r + 1) + " (channel " + label +
                            "): the channel has no Rx Frequency, so its \"" +
                            std::string(variant.columns[c].heading.en) +
                            "\" would be lost; give it a frequency or empty the row";
                    return false;
                }
            }
        }
        for (int c = 1; c < variant.Cols(); ++c) {
            const std::string& text = row[static_cast<std::size_t>(c)];
            const CellCheck check = CheckCellText(variant, c, text);
            if (!check.ok) {
                error = "line " + std::to_string(r + 1) + " (channel " + label + "), column " +
                        std::to_string(c) + " \"" +
                        std::string(variant.columns[static_cast<std::size_t>(c)].heading.en) +
                        "\": \"" + text + "\" " + check.reason;
                return false;
            }
            table.SetTextMatrix(r, c, check.text);
        }
    }
    GridToImage(variant, table, image);
    return true;
}

} // namespace radio
