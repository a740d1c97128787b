// What the fuzz targets share: a private temporary folder for the files the
// parsers read and write, and a loud stop that libFuzzer records as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace radio::fuzz {

// One folder per process, so that parallel fuzzing jobs never share files.
inline const std::string& TempDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/radio-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    return dir;
}

inline std::string TempPath(std::string_view name) {
    return TempDir() + "/" + std::string(name);
}

inline void WriteFile(const std::string& path, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size)) {
        std::perror(path.c_str());
        std::abort();
    }
    std::fclose(f);
}

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace radio::fuzz
