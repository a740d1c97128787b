// The frequency band a document's product allows.
#pragma once

#include <cstdint>

namespace radio {

// Frequency limits of the chosen band in counts of 10 Hz, both inclusive.
struct BandLimits {
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    bool operator==(const BandLimits&) const = default;
};

} // namespace radio
