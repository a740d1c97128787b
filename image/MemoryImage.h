// The memory image and its .dat file.
//
// A .dat file is exactly the image bytes, element 0 first, with no header.
// Loading reads into a fresh buffer and hands it over only when the file was
// long enough, so a failed load leaves the caller's image as it was; saving
// goes through the one atomic writer (AtomicFile.h), so a failed save never
// damages the old file.
#pragma once

#include "Variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radio {

using Image = std::vector<std::uint8_t>;

// The image of a new document: all 0xFF, then the model's default bytes.
Image MakeDefaultImage(const ModelVariant& variant);

// Loads `path` into `image` (resized to the model's image size). A shorter
// file is refused and `image` is left untouched; extra bytes are ignored.
bool LoadDat(const ModelVariant& variant, const std::string& path, Image& image,
             std::string& error);

// Stores the image bytes to `path` atomically.
bool StoreDat(const std::string& path, const Image& image, std::string& error);

// Reads a file of at most `limit` bytes; false with a message for the user
// on failure or when the file is larger.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t limit = 64u << 20);

} // namespace radio
