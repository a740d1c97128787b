// Looking at an image before it goes into a radio, and comparing two images.
//
// CheckImage lists what the selected product cannot hold: channel cells
// (outside the band, off the 5 / 6.25 kHz steps, bytes that decode to no
// valid frequency or tone, a tone outside the tone list, name bytes outside
// the name alphabet) and option fields whose value maps to no choice. It
// changes nothing. DiffImages lists the channel cells and options in which
// two images differ, then the other bytes that differ, by range.
//
// The texts are the grid's and the Optional Features dialog's, in the
// language asked for; the reasons and words are in that language too. Cell
// entries carry the grid row and column, so a window can mark those cells.
#pragma once

#include "BandLimits.h"
#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <vector>

namespace radio {

// The band a check holds the frequencies to.
struct ProductBand {
    BandLimits limits;
    std::string text; // "136-174MHz" as the catalogue gives it; may be empty
};

struct CellFinding {
    int row = 0;         // grid row, 1..channelRows
    int col = 0;         // grid column, 1..Cols()-1
    std::string channel; // the row label as the grid shows it, without padding ("5", "Pr")
    std::string column;  // the column heading
    std::string text;    // the cell text as the grid shows it
    std::string reason;
};

struct OptionFinding {
    int option = 0;    // index into variant.options
    std::string label; // the Optional Features dialog's label
    int address = 0;   // the image byte the option lives in
    int value = 0;     // the stored field value
    std::string reason;
};

struct ImageCheckReport {
    std::vector<CellFinding> cells;
    std::vector<OptionFinding> options;
    bool Clean() const { return cells.empty() && options.empty(); }
    // One line each: "Channel 5, Rx Frequency "1603.00000": outside the band 136-174MHz",
    // "Squelch Level: value 12 maps to no choice".
    std::vector<std::string> Lines(Language lang) const;
};

ImageCheckReport CheckImage(const ModelVariant& variant, const Image& image,
                            const ProductBand& band, Language lang);

struct CellDifference {
    int row = 0;
    int col = 0;
    std::string channel;
    std::string column;
    std::string a; // the cell text in the first image
    std::string b; // in the second
};

struct OptionDifference {
    int option = 0;
    std::string label;
    std::string a;
    std::string b;
};

// Differing bytes that no cell or option line above accounts for.
struct ByteRangeDifference {
    int first = 0; // first address of the range (16-byte lines)
    int last = 0;  // last address of the range
    int count = 0; // differing bytes in it
};

struct ImageDiff {
    std::vector<CellDifference> cells;
    std::vector<OptionDifference> options;
    std::vector<ByteRangeDifference> otherBytes;
    bool Equal() const { return cells.empty() && options.empty() && otherBytes.empty(); }
    std::vector<std::string> Lines(Language lang) const;
};

ImageDiff DiffImages(const ModelVariant& variant, const Image& a, const Image& b, Language lang);

} // namespace radio
