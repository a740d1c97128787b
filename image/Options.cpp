#include "Options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace radio {

namespace {

int ShownIndex(const OptionDef& o, std::uint8_t b) {
    int index = 0;
    switch (o.rule) {
    case OptionRule::Bits:
    case OptionRule::CheckBox:
        index = (b >> o.shift) & o.mask;
        break;
    case OptionRule::IndexPlusOne:
        index = ((b >> o.shift) & o.mask) - 1;
        break;
    case OptionRule::TwoBitChoice:
        index = std::min((b >> o.shift) & 0x3, 2);
        break;
    case OptionRule::InvertedFlag:
        index = 1 - ((b >> o.shift) & 1);
        break;
    case OptionRule::WholeByte:
        index = b & o.showMask;
        break;
    }
    if (o.rule == OptionRule::CheckBox) {
        return index;
    }
    if (index < 0 || index >= static_cast<int>(o.choices.size())) {
        return -1;
    }
    return index;
}

std::uint8_t SetField(std::uint8_t b, int shift, std::uint8_t mask, int value) {
    const auto fieldMask = static_cast<std::uint8_t>(mask << shift);
    return static_cast<std::uint8_t>((b & ~fieldMask) | ((value << shift) & fieldMask));
}

std::uint8_t Stored(const OptionDef& o, std::uint8_t b, int index) {
    switch (o.rule) {
    case OptionRule::Bits:
    case OptionRule::CheckBox:
    case OptionRule::TwoBitChoice:
        return SetField(b, o.shift, o.mask, index);
    case OptionRule::IndexPlusOne:
        return SetField(b, o.shift, o.mask, index + 1);
    case OptionRule::InvertedFlag:
        return SetField(b, o.shift, 0x1, index == 1 ? 0 : 1);
    case OptionRule::WholeByte:
        return static_cast<std::uint8_t>(index & o.storeMask);
    }
    return b;
}

std::string Decimal(int v) {
    return std::to_string(v);
}

} // namespace

std::vector<int> LoadOptions(const ModelVariant& variant, const Image& image) {
    std::vector<int> indices;
    for (const OptionDef& o : variant.options) {
        indices.push_back(ShownIndex(o, image[static_cast<std::size_t>(o.offset)]));
    }
    return indices;
}

void StoreOptions(const ModelVariant& variant, Image& image, const std::vector<int>& indices) {
    for (std::size_t i = 0; i < variant.options.size() && i < indices.size(); ++i) {
        const OptionDef& o = variant.options[i];
        if (indices[i] < 0) {
            continue; // no selection: keep what the radio had
        }
        auto& b = image[static_cast<std::size_t>(o.offset)];
        b = Stored(o, b, indices[i]);
    }
}

std::vector<OptionsPageLine> OptionsPageLines(const ModelVariant& variant, const Image& image,
                                              Language lang) {
    static constexpr TextPair kOn{"On", "开"};
    static constexpr TextPair kOff{"Off", "关"};
    std::vector<OptionsPageLine> lines;
    for (const PrintLine& p : variant.printLines) {
        const std::uint8_t b = image[static_cast<std::size_t>(p.offset)];
        std::string value;
        switch (p.kind) {
        case PrintKind::Lookup: {
            std::size_t i = static_cast<std::size_t>((b & p.mask) >> p.shift);
            i = std::min(i, p.texts.size() - 1);
            value = std::string(p.texts[i].In(lang));
            break;
        }
        case PrintKind::OnOff: {
            const bool set = ((b >> p.shift) & 1) != 0;
            value = std::string((set != p.inverted ? kOn : kOff).In(lang));
            break;
        }
        case PrintKind::Number: {
            const int v = (b & p.mask) >> p.shift;
            if (v == p.offAt) {
                value = std::string(kOff.In(lang));
            } else if (v == p.specialAt) {
                value = std::string(p.specialText);
            } else {
                value = Decimal((v + p.addend) * p.multiplier) + std::string(p.suffix);
            }
            break;
        }
        case PrintKind::Fifths: {
            const int v = b & p.mask;
            if (v == 0) {
                value = std::string(kOff.In(lang));
            } else {
                char buf[32];
                const auto res =
                    std::to_chars(buf, buf + sizeof buf, v * 0.2, std::chars_format::fixed, 1);
                value.assign(buf, res.ptr);
            }
            break;
        }
        }
        lines.push_back({std::string(p.label.In(lang)), value});
    }
    return lines;
}

} // namespace radio
