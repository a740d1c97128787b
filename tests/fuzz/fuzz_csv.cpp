// Channel tables imported from CSV text of any content: a refused import
// leaves the image alone; an accepted one exports to a CSV that imports to
// the very same image.
#include "ChannelCsv.h"
#include "FuzzSupport.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using radio::fuzz::Fail;
    const std::string_view csv(reinterpret_cast<const char*>(data), size);

    radio::CsvRows rows;
    std::string error;
    // A leading byte order mark is skipped, so a first field that starts with
    // one (after the skipped one, if any) cannot come back through FormatCsv.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    std::string_view body = csv;
    if (body.substr(0, 3) == kBom)
        body.remove_prefix(3);
    if (radio::ParseCsv(csv, rows, error) && body.substr(0, 3) != kBom) {
        radio::CsvRows again;
        if (!radio::ParseCsv(radio::FormatCsv(rows), again, error) || again != rows)
            Fail("FormatCsv of parsed rows does not parse back to them");
    }

    for (const radio::ModelVariant* v : radio::AllVariants()) {
        const radio::Image fresh = radio::MakeDefaultImage(*v);
        radio::Image image = fresh;
        error.clear();
        if (!radio::ImportChannelCsv(*v, csv, image, error)) {
            if (image != fresh)
                Fail("a refused import changed the image");
            if (error.empty())
                Fail("a refused import without a message");
            continue;
        }
        if (image.size() != fresh.size())
            Fail("import changed the image size");
        for (radio::Language lang : {radio::Language::English, radio::Language::Chinese}) {
            const std::string exported = radio::ExportChannelCsv(*v, image, lang);
            radio::Image reimported = radio::MakeDefaultImage(*v);
            if (!radio::ImportChannelCsv(*v, exported, reimported, error))
                Fail("exported CSV is refused on import");
            if (reimported != image)
                Fail("export and import again gives another image");
        }
    }
    return 0;
}
