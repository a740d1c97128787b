// Every parser of a typed or imported cell text, fed each line of the input:
// frequencies, cell checks of every column of every model, tones, option and
// scan texts, and the locale-free number readers.
#include "CellCheck.h"
#include "CellEditRules.h"
#include "FuzzSupport.h"
#include "MemoryImage.h"
#include "Options.h"
#include "ScaleDecimal.h"
#include "ScanInfo.h"
#include "ToneCode.h"
#include "Variant.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using radio::fuzz::Fail;

void Frequency(std::string_view line) {
    // A narrow band and the widest storable one.
    for (const radio::BandLimits band :
         {radio::BandLimits{13600000, 17400000}, radio::BandLimits{1, 99999999}}) {
        const radio::FrequencyCheck check = radio::CheckFrequency(line, band);
        if (!check.Accepted())
            continue;
        if (check.count < band.lower || check.count > band.upper)
            Fail("CheckFrequency accepted a count outside the band");
        // What the cell stores must pass again as the same frequency.
        const radio::FrequencyCheck again = radio::CheckFrequency(check.text, band);
        if (!again.Accepted() || again.count != check.count)
            Fail("stored frequency text does not check as the same frequency");
    }
}

void Cells(std::string_view line) {
    for (const radio::ModelVariant* v : radio::AllVariants()) {
        for (int col = 1; col < v->Cols(); ++col) {
            const radio::CellCheck check = radio::CheckCellText(*v, col, line);
            if (!check.ok)
                continue;
            const radio::CellCheck again = radio::CheckCellText(*v, col, check.text);
            if (!again.ok || again.text != check.text)
                Fail("accepted cell text does not check again unchanged");
        }
    }
    for (radio::ToneCodeKind kind : {radio::ToneCodeKind::Lark, radio::ToneCodeKind::Wren}) {
        const radio::ToneBytes tone = radio::EncodeTone(kind, line);
        if (!radio::ToneHighMeansNone(tone.high))
            (void)radio::DecodeTone(kind, tone.low, tone.high);
    }
}

void Options(std::string_view line) {
    const std::size_t eq = line.find('=');
    const std::string_view label = line.substr(0, eq);
    const std::string_view choice = eq == std::string_view::npos ? "" : line.substr(eq + 1);
    for (const radio::ModelVariant* v : radio::AllVariants()) {
        radio::Image image = radio::MakeDefaultImage(*v);
        std::vector<int> indices = radio::LoadOptions(*v, image);
        const std::size_t count = indices.size();
        std::string error;
        if (radio::SetOptionByText(*v, indices, label, choice, error)) {
            if (indices.size() != count)
                Fail("SetOptionByText changed the option count");
            radio::StoreOptions(*v, image, indices);
            if (radio::LoadOptions(*v, image) != indices)
                Fail("stored option index loads back as another");
        } else if (error.empty()) {
            Fail("SetOptionByText refused without a message");
        }
    }
}

void Scan(std::string_view line) {
    const radio::ModelVariant& lark = radio::VariantFor(radio::Model::Lark);
    const std::size_t eq = line.find('=');
    const std::string_view field = line.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? "" : line.substr(eq + 1);
    radio::Image image = radio::MakeDefaultImage(lark);
    radio::ScanValues values = radio::LoadScanValues(image);
    std::string error;
    if (radio::SetScanField(values, field, value, error)) {
        (void)radio::ScanLines(values, radio::Language::English);
        const radio::Image before = image;
        if (!radio::StoreScanValues(lark, image, values) && image != before)
            Fail("refused StoreScanValues changed the image");
        if (image.size() != before.size())
            Fail("StoreScanValues changed the image size");
    }
    double d = 0;
    int i = 0;
    (void)radio::ParseDialogNumber(line, d);
    (void)radio::ParseDialogInteger(line, i);
}

void Numbers(std::string_view line) {
    const double x = radio::ParseLeadingNumber(line);
    (void)radio::ParseLeadingInt(line);
    for (double factor : {100000.0, 20.0, 10.0, 0.05}) {
        (void)radio::ScaleDecimal(x, factor);
        const auto scaled = radio::ScaleToInt32(x, factor);
        if (scaled && std::isfinite(x) && std::fabs(x * factor) > 4.0e9)
            Fail("ScaleToInt32 fitted a product far beyond 32 bits");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (true) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        Frequency(line);
        Cells(line);
        Options(line);
        Scan(line);
        Numbers(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return 0;
}
