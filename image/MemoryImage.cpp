#include "MemoryImage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace radio {

namespace fs = std::filesystem;

namespace {

std::string SystemError(int err) {
    return std::strerror(err);
}

// A name for the temporary file that no other writer picks at the same time.
fs::path TemporaryPathFor(const fs::path& target) {
    std::random_device rd;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", rd());
    fs::path tmp = target;
    tmp += suffix;
    return tmp;
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
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

// Devices and pipes (/dev/stdout, a FIFO) cannot be replaced by a rename:
// they are written directly.
static bool WriteDirectly(const fs::path& target, const std::string& path, std::string_view bytes,
                          std::string& error) {
    std::FILE* f = std::fopen(target.string().c_str(), "wb");
    if (!f) {
        error = path + ": " + SystemError(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = path + ": writing failed: " + SystemError(writeErrno);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    // Replace the file a symbolic link points to, not the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    const fs::file_status st = fs::status(target, ec);
    if (fs::is_directory(st)) {
        error = path + ": is a folder, not a file";
        return false;
    }
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        return WriteDirectly(target, path, bytes, error);
    }
    if (fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none) {
        error = path + ": the file is read-only";
        return false;
    }
    const fs::path tmp = TemporaryPathFor(target);
    std::FILE* f = std::fopen(tmp.string().c_str(), "wb");
    if (!f) {
        error = path + ": cannot write here: " + SystemError(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool flushed = written && FlushToDisk(f);
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
        fs::remove(tmp, ec);
        error = path + ": writing failed: " + SystemError(writeErrno);
        return false;
    }
#ifndef _WIN32
    // Keep the permissions of the file we replace.
    if (fs::exists(target, ec)) {
        fs::permissions(tmp, fs::status(target, ec).permissions(), ec);
    }
#endif
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(tmp, ignore);
        error = path + ": cannot replace the file: " + ec.message();
        return false;
    }
    return true;
}

} // namespace radio
