#include "MemoryImage.h"

#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string SystemError(int err) {
    return std::strerror(err);
}

} // namespace

Image MakeDefaultImage(const ModelVariant& variant) {
    Image image(static_cast<std::size_t>(variant.imageSize), 0xFF);
    for (const auto& [offset, value] : variant.defaultBytes) {
        image[static_cast<std::size_t>(offset)] = value;
    }
    return image;
}

namespace {

// Reads at most `limit` + 1 bytes, so that a device or a huge file is never
// taken into memory whole; `bytes` is left as it was on failure.
bool ReadPrefix(const std::string& path, std::size_t limit, std::string& bytes,
                std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = path + ": is a folder, not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + SystemError(errno);
        return false;
    }
    std::string data;
    char buf[65536];
    while (data.size() <= limit && in.read(buf, sizeof buf).gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        error = path + ": could not be read";
        return false;
    }
    bytes = std::move(data);
    return true;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t limit) {
    std::string data;
    if (!ReadPrefix(path, limit, data, error)) {
        return false;
    }
    if (data.size() > limit) {
        error = path + ": the file is larger than " + std::to_string(limit >> 20) +
                " MB, too large for this";
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool LoadDat(const ModelVariant& variant, const std::string& path, Image& image,
             std::string& error) {
    // Bytes beyond the image are not read: a longer file loads as well.
    const auto size = static_cast<std::size_t>(variant.imageSize);
    std::string bytes;
    if (!ReadPrefix(path, size, bytes, error)) {
        return false;
    }
    if (bytes.size() < size) {
        error = path + ": the file holds " + std::to_string(bytes.size()) + " bytes, but a " +
                std::string(variant.programName) + " image needs " + std::to_string(size) +
                "; it is not an image of this radio";
        return false;
    }
    image.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return true;
}

bool StoreDat(const std::string& path, const Image& image, std::string& error) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), error);
}

} // namespace radio
