#include "Variant.h"

#include <cstdio>
#include <cstdlib>

namespace radio {

int TransferPlan::Pairs() const {
    int n = 0;
    for (const PlanSegment& s : segments) {
        n += s.pairs;
    }
    return n;
}

std::uint16_t TransferPlan::PairAddress(int index) const {
    for (const PlanSegment& s : segments) {
        if (index < s.pairs) {
            return static_cast<std::uint16_t>(s.start + 16 * index);
        }
        index -= s.pairs;
    }
    return 0;
}

bool TransferPlan::Covers(int address) const {
    for (const PlanSegment& s : segments) {
        if (address >= s.start && address < s.start + 16 * s.pairs) {
            return true;
        }
    }
    return false;
}

std::string ModelVariant::RowLabel(int row) const {
    if (row == 1 && !firstRowLabel.empty()) {
        return std::string(firstRowLabel);
    }
    const int number = firstRowLabel.empty() ? row : row - 1;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%*d", labelWidth, number);
    return buf;
}

const OptionField& ModelVariant::Field(OptionId id) const {
    for (const OptionField& f : optionFields) {
        if (f.id == id) {
            return f;
        }
    }
    // The tables are checked by the tests; reaching here is a table fault.
    std::abort();
}

const std::vector<const ModelVariant*>& AllVariants() {
    static const std::vector<const ModelVariant*> all{
        &VariantFor(Model::Lark), &VariantFor(Model::Wren), &VariantFor(Model::WrenV2),
        &VariantFor(Model::WrenV3)};
    return all;
}

const ModelVariant* VariantByCliName(std::string_view name) {
    for (const ModelVariant* v : AllVariants()) {
        if (v->cliName == name) {
            return v;
        }
    }
    return nullptr;
}

} // namespace radio
