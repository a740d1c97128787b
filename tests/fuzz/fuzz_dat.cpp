// .dat files of any content and length for every model: loading, the grid
// both ways and the CSV export. A stored grid must survive being shown and
// stored again unchanged.
#include "ChannelCsv.h"
#include "ChannelGrid.h"
#include "FuzzSupport.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string GridText(const radio::CellTable& table) {
    std::string text;
    for (int r = 0; r < table.Rows(); ++r)
        for (int c = 0; c < table.Cols(); ++c)
            text += table.TextMatrix(r, c) + '\x1f';
    return text;
}

// The grid of `image` after storing its grid once: a field value that has no
// item shows empty and is stored as the column's other code, so only the
// second round must be stable.
std::string StoredGrid(const radio::ModelVariant& v, radio::Image& image, radio::Language lang) {
    radio::CellTable table = radio::MakeChannelTable(v, lang);
    radio::ImageToGrid(v, image, table, lang);
    const std::size_t size = image.size();
    radio::GridToImage(v, table, image);
    if (image.size() != size)
        radio::fuzz::Fail("GridToImage changed the image size");
    radio::CellTable again = radio::MakeChannelTable(v, lang);
    radio::ImageToGrid(v, image, again, lang);
    return GridText(again);
}

void Exercise(const radio::ModelVariant& v, radio::Image& image, radio::Language lang) {
    (void)radio::ExportChannelCsv(v, image, lang);
    radio::Image stored = image;
    const std::string first = StoredGrid(v, stored, lang);
    if (StoredGrid(v, stored, lang) != first)
        radio::fuzz::Fail("grid of the stored grid differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace radio::fuzz;
    const std::string raw = TempPath("raw.dat");
    const std::string padded = TempPath("padded.dat");
    WriteFile(raw, data, size);
    const radio::Language lang =
        size > 0 && (data[0] & 1) ? radio::Language::Chinese : radio::Language::English;

    for (const radio::ModelVariant* v : radio::AllVariants()) {
        const auto imageSize = static_cast<std::size_t>(v->imageSize);
        radio::Image image = radio::MakeDefaultImage(*v);
        const radio::Image before = image;
        std::string error;
        const bool loaded = radio::LoadDat(*v, raw, image, error);
        if (loaded != (size >= imageSize))
            Fail("LoadDat took a short file or refused a long one");
        if (!loaded && image != before)
            Fail("a refused LoadDat changed the image");
        if (loaded && (image.size() != imageSize || !std::equal(image.begin(), image.end(), data)))
            Fail("LoadDat image is not the file's first bytes");

        // Short inputs still reach the grid: over the default image.
        if (!loaded) {
            radio::Image file = before;
            std::copy(data, data + size, file.begin());
            WriteFile(padded, file.data(), file.size());
            if (!radio::LoadDat(*v, padded, image, error))
                Fail("LoadDat of a full-size file");
        }
        Exercise(*v, image, lang);
    }
    return 0;
}
