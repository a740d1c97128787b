// The channel table as CSV (UTF-8, RFC 4180): a heading row, then one row
// per channel row with column 0's label and each cell text exactly as
// ImageToGrid writes it.
#pragma once

#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace radio {

using CsvRows = std::vector<std::vector<std::string>>;

// RFC 4180 reading: quoted fields with doubled quotes, CRLF or LF line ends,
// a UTF-8 byte order mark at the start is skipped. False with a message
// (naming the line) on an unterminated quote or text after a closing quote.
bool ParseCsv(std::string_view text, CsvRows& rows, std::string& error);

// Writes rows with CRLF line ends, quoting fields that need it.
std::string FormatCsv(const CsvRows& rows);

// The grid of the image as CSV. The image is not changed.
std::string ExportChannelCsv(const ModelVariant& variant, const Image& image, Language lang);

// Checks every cell of the CSV, then runs GridToImage on its texts over
// `image`. On any error `image` is left untouched and `error` names the
// line and column.
bool ImportChannelCsv(const ModelVariant& variant, std::string_view csv, Image& image,
                      std::string& error);

} // namespace radio
