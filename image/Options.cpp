#include "Options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace radio {

namespace {

int ShownIndex(const OptionDef& o, const OptionField& f, std::uint8_t b) {
    const int field = (b >> f.shift) & f.mask;
    int index = field;
    switch (o.rule) {
    case OptionRule::Bits:
    case OptionRule::CheckBox:
    case OptionRule::WholeByte:
        break;
    case OptionRule::IndexPlusOne:
        index = field - 1;
        break;
    case OptionRule::TwoBitChoice:
        index = std::min(field, 2);
        break;
    case OptionRule::InvertedFlag:
        index = 1 - field;
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

std::uint8_t SetField(std::uint8_t b, const OptionField& f, int value) {
    const auto fieldMask = static_cast<std::uint8_t>(f.mask << f.shift);
    return static_cast<std::uint8_t>((b & ~fieldMask) | ((value << f.shift) & fieldMask));
}

std::uint8_t Stored(const OptionDef& o, const OptionField& f, std::uint8_t b, int index) {
    switch (o.rule) {
    case OptionRule::Bits:
    case OptionRule::CheckBox:
    case OptionRule::TwoBitChoice:
        return SetField(b, f, index);
    case OptionRule::IndexPlusOne:
        return SetField(b, f, index + 1);
    case OptionRule::InvertedFlag:
        return SetField(b, f, index == 1 ? 0 : 1);
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
        const OptionField& f = variant.Field(o.field);
        indices.push_back(ShownIndex(o, f, image[static_cast<std::size_t>(f.offset)]));
    }
    return indices;
}

void StoreOptions(const ModelVariant& variant, Image& image, const std::vector<int>& indices) {
    for (std::size_t i = 0; i < variant.options.size() && i < indices.size(); ++i) {
        const OptionDef& o = variant.options[i];
        if (indices[i] < 0) {
            continue; // no selection: keep what the radio had
        }
        const OptionField& f = variant.Field(o.field);
        auto& b = image[static_cast<std::size_t>(f.offset)];
        b = Stored(o, f, b, indices[i]);
    }
}

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// English texts match whatever their letter case; Chinese ones exactly.
bool Names(const TextPair& text, std::string_view typed) {
    return Lower(text.en) == Lower(typed) || text.zh == typed;
}

std::string Quoted(const std::vector<std::string_view>& texts) {
    std::string list;
    for (const std::string_view text : texts) {
        list += (list.empty() ? "\"" : ", \"") + std::string(text) + "\"";
    }
    return list;
}

} // namespace

bool SetOptionByText(const ModelVariant& variant, std::vector<int>& indices, std::string_view label,
                     std::string_view choice, std::string& error) {
    const auto& options = variant.options;
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const OptionDef& o) { return Names(o.label, label); });
    if (option == options.end()) {
        std::vector<std::string_view> labels;
        labels.reserve(options.size());
        for (const OptionDef& o : options) {
            labels.push_back(o.label.en);
        }
        error = "no option \"" + std::string(label) + "\" in " + std::string(variant.programName) +
                "; the options are " + Quoted(labels);
        return false;
    }
    const auto i = static_cast<std::size_t>(option - options.begin());
    if (indices.size() < options.size()) {
        indices.resize(options.size(), -1);
    }
    if (option->rule == OptionRule::CheckBox) {
        const std::string value = Lower(choice);
        if (value == "on" || choice == "开") {
            indices[i] = 1;
            return true;
        }
        if (value == "off" || choice == "关") {
            indices[i] = 0;
            return true;
        }
        error = "\"" + std::string(option->label.en) + "\" is a check box: on or off, not \"" +
                std::string(choice) + "\"";
        return false;
    }
    for (std::size_t c = 0; c < option->choices.size(); ++c) {
        if (Names(option->choices[c], choice)) {
            indices[i] = static_cast<int>(c);
            return true;
        }
    }
    std::vector<std::string_view> choices;
    for (const TextPair& text : option->choices) {
        choices.push_back(text.en);
    }
    error = "\"" + std::string(choice) + "\" is no choice of \"" + std::string(option->label.en) +
            "\"; the choices are " + Quoted(choices);
    return false;
}

std::vector<OptionsPageLine> OptionsPageLines(const ModelVariant& variant, const Image& image,
                                              Language lang) {
    static constexpr TextPair kOn{"On", "开"};
    static constexpr TextPair kOff{"Off", "关"};
    std::vector<OptionsPageLine> lines;
    for (const PrintLine& p : variant.printLines) {
        const OptionField& f = variant.Field(p.field);
        const int v = (image[static_cast<std::size_t>(f.offset)] >> f.shift) &
                      (p.readMask != 0 ? p.readMask : f.mask);
        std::string value;
        switch (p.kind) {
        case PrintKind::Lookup: {
            const std::size_t i = std::min(static_cast<std::size_t>(v), p.texts.size() - 1);
            value = std::string(p.texts[i].In(lang));
            break;
        }
        case PrintKind::OnOff: {
            value = std::string(((v != 0) != p.inverted ? kOn : kOff).In(lang));
            break;
        }
        case PrintKind::Number: {
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
