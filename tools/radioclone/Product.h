// The product (radio type and band) a verb holds channels to, as Product
// Information would give it: from --type and --band, indices into the
// programmer's shipped catalogue, or from the image's own bytes.
#pragma once

#include "Args.h"

#include <ImageReview.h>
#include <MemoryImage.h>

#include <optional>

namespace radioclone {

// Puts --type and --band into the image's product bytes when either is
// given (the one not given: the image's byte when `fresh` is false, else 0;
// a fresh image takes 0 and 0 when neither is), checks them against the
// catalogue and returns the band. nullopt after an error message, with
// `status` the exit status.
std::optional<radio::ProductBand> ProductFromArgs(const radio::ModelVariant& v, const ParsedArgs& p,
                                                  bool fresh, radio::Image& image,
                                                  const char* usage, const CliContext& cli,
                                                  int& status);

} // namespace radioclone
