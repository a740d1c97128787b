// The option block: the radio's general settings as choice indices, and the
// option lines of the printout.
#pragma once

#include "MemoryImage.h"
#include "Texts.h"
#include "Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace radio {

// Per option of the variant, in table order: the index to show, 0/1 for a
// check box, or -1 when the stored value has no entry in the list.
std::vector<int> LoadOptions(const ModelVariant& variant, const Image& image);

// Stores an index (or check state) per option. An index of -1 (no
// selection) leaves that option's bits as they are.
void StoreOptions(const ModelVariant& variant, Image& image, const std::vector<int>& indices);

// What a user does who changes one control of the Optional Features dialog:
// the option whose dialog label is `label` (English or Chinese) gets the
// index of `choice` in `indices` (as LoadOptions gave them): a text of its
// list in either language, or "on"/"off" for a check box. False, with a
// message naming the labels or choices there are, when either is unknown.
bool SetOptionByText(const ModelVariant& variant, std::vector<int>& indices, std::string_view label,
                     std::string_view choice, std::string& error);

struct OptionsPageLine {
    std::string label;
    std::string value;
};

// The lines of the printout's options page, read from the image.
std::vector<OptionsPageLine> OptionsPageLines(const ModelVariant& variant, const Image& image,
                                              Language lang);

} // namespace radio
