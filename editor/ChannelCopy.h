// Moving a customer to another radio: the channel table of one programmer's
// image copied into another's, with an account of what the new radio cannot
// hold. Channel n goes to channel n; each cell passes the same checks as a
// typed or imported one, against the target's band.
#pragma once

#include "BandLimits.h"
#include "MemoryImage.h"
#include "Variant.h"

#include <string>
#include <vector>

namespace radio {

struct CopyReport {
    std::vector<std::string> lines; // one per finding
    int copied = 0;                 // channels copied
    int used = 0;                   // channels the source holds
    bool Complete() const { return copied == used; }
    // "K of N channels copied".
    std::string Summary() const;
};

// Replaces the channel table of `target` (a `to` image) with the channels of
// `source` (a `from` image). The target's other bytes (options, product)
// stay. `band` is the target product's band, `bandName` its text for the
// report ("400 - 470MHz").
CopyReport CopyChannels(const ModelVariant& from, const Image& source, const ModelVariant& to,
                        Image& target, const BandLimits& band, const std::string& bandName);

} // namespace radio
