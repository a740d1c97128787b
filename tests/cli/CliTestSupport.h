// What the command line tests share: radioclone run in process, whole files
// read and written, and a fresh folder per test.
#pragma once

#include <Verbs.h>

#include <MemoryImage.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace clitest {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out;
    std::string err;
};

inline Result Rc(const std::vector<std::string>& args, std::istream* in = nullptr,
                 int terminalFd = -1) {
    std::ostringstream out, err;
    const int code = radioclone::RunRadioclone(args, {out, err, "", in, terminalFd});
    return {code, out.str(), err.str()};
}

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline radio::Image ReadImage(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// A fresh folder per test, removed after it; every process and every
// parameter of a test gets its own.
template <class Base = ::testing::Test> class InFolder : public Base {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        const auto* unit = ::testing::UnitTest::GetInstance();
        std::string name = unit->current_test_info()->name();
        for (char& c : name) {
            if (c == '/')
                c = '-';
        }
        dir = fs::temp_directory_path() / ("radioclone-" + std::to_string(::getpid()) + "-" + name +
                                           "-" + std::to_string(counter++));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string P(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
};

} // namespace clitest
