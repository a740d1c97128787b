#include "MemoryImage.h"

#include "AtomicFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace radio {
namespace {

namespace fs = std::filesystem;

using Patch = std::vector<std::pair<int, std::uint8_t>>;

Image Expected(int size, const Patch& patch) {
    Image image(size, 0xFF);
    for (const auto& [offset, value] : patch) {
        image[offset] = value;
    }
    return image;
}

// Each new document's image is also kept as a file (written by
// `radioclone new`), so a change of a default shows as a changed file.
TEST(DefaultImage, EqualsTheStoredFile) {
    for (const ModelVariant* v : AllVariants()) {
        const fs::path file =
            fs::path(RADIO_TEST_DATA_DIR) / ("default-" + std::string(v->cliName) + ".dat");
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        const Image stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(MakeDefaultImage(*v), stored) << file;
    }
}

TEST(DefaultImage, LarkBytes) {
    const Image want =
        Expected(1024, {{0x000, 0x00}, {0x001, 0x00}, {0x002, 0x00}, {0x008, 0x00}, {0x009, 0x03},
                        {0x00A, 0x01}, {0x00B, 0x00}, {0x00C, 0x02}, {0x00D, 0x00}, {0x00E, 0x24},
                        {0x00F, 0x11}, {0x12F, 0x01}, {0x130, 0x04}, {0x131, 0x09}, {0x134, 0x04},
                        {0x135, 0x01}, {0x136, 0x01}, {0x13A, 0x05}, {0x13B, 0x02}, {0x160, 0x00},
                        {0x161, 0x11}, {0x162, 0x09}, {0x163, 0x15}, {0x165, 0x30}, {0x166, 0x00},
                        {0x167, 0x30}, {0x168, 0x00}, {0x17E, 0x00}, {0x17F, 0x00}, {0x1B8, 0x50},
                        {0x1B9, 0x33}, {0x1BA, 0x32}, {0x1BB, 0x30}, {0x1BC, 0x37}, {0x1BD, 0x33},
                        {0x1BE, 0xF0}, {0x1BF, 0x01}, {0x3F0, 0x00}});
    EXPECT_EQ(MakeDefaultImage(VariantFor(Model::Lark)), want);
}

TEST(DefaultImage, WrenBytes) {
    EXPECT_EQ(MakeDefaultImage(VariantFor(Model::Wren)), Expected(8192, {{0x00E, 0x00},
                                                                         {0x00F, 0x00},
                                                                         {0xFC0, 0x01},
                                                                         {0xFC1, 0x04},
                                                                         {0xFC3, 0x01},
                                                                         {0xFE0, 0x04},
                                                                         {0xFE1, 0x24},
                                                                         {0xFE2, 0x02},
                                                                         {0xFE4, 0x00},
                                                                         {0xFE5, 0x01},
                                                                         {0xFE6, 0x02}}));
}

TEST(DefaultImage, WrenV2Bytes) {
    EXPECT_EQ(MakeDefaultImage(VariantFor(Model::WrenV2)), Expected(8192, {{0x1FC1, 0x01},
                                                                           {0x1FC3, 0x01},
                                                                           {0x1FDE, 0x00},
                                                                           {0x1FDF, 0x00},
                                                                           {0x1FE0, 0x04},
                                                                           {0x1FE1, 0xD4},
                                                                           {0x1FE2, 0x21},
                                                                           {0x1FE4, 0x00},
                                                                           {0x1FE5, 0x01},
                                                                           {0x1FE6, 0x02},
                                                                           {0x1FE7, 0x00}}));
}

TEST(DefaultImage, WrenV3Bytes) {
    EXPECT_EQ(MakeDefaultImage(VariantFor(Model::WrenV3)), Expected(8192, {{0x1FC1, 0x01},
                                                                           {0x1FC3, 0x01},
                                                                           {0x1FD6, 0x00},
                                                                           {0x1FD7, 0x00},
                                                                           {0x1FE0, 0x04},
                                                                           {0x1FE1, 0xD4},
                                                                           {0x1FE2, 0x21},
                                                                           {0x1FE4, 0x00},
                                                                           {0x1FE5, 0x01},
                                                                           {0x1FE6, 0x02},
                                                                           {0x1FE7, 0x00}}));
}

class DatFile : public test::TempFolderTest {
protected:
    static Image RandomImage(int size, std::uint32_t seed) {
        std::mt19937 rng(seed);
        Image image(size);
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(rng());
        }
        return image;
    }

    static std::string AsBytes(const Image& image) { return {image.begin(), image.end()}; }
};

TEST_F(DatFile, StoreThenLoadGivesTheSameBytes) {
    for (const ModelVariant* v : AllVariants()) {
        const Image image = RandomImage(v->imageSize, 5);
        const std::string path = PathOf(std::string(v->cliName) + ".dat");
        std::string error;
        ASSERT_TRUE(StoreDat(path, image, error)) << error;
        EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(v->imageSize));
        EXPECT_EQ(Read(path), AsBytes(image));
        Image loaded = MakeDefaultImage(*v);
        ASSERT_TRUE(LoadDat(*v, path, loaded, error)) << error;
        EXPECT_EQ(loaded, image);
    }
}

TEST_F(DatFile, ShorterFileIsRefusedAndTheImageStaysAsItWas) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    const std::string path = PathOf("short.dat");
    for (std::size_t size : {std::size_t{0}, std::size_t{1024}, std::size_t{8191}}) {
        Write(path, std::string(size, '\x5A'));
        Image image = MakeDefaultImage(v);
        const Image before = image;
        std::string error;
        EXPECT_FALSE(LoadDat(v, path, image, error)) << size;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(image, before);
    }
    // A ProgramLark file is too short for the Wren family, and the reverse
    // is a longer file.
    Write(path, AsBytes(RandomImage(1024, 3)));
    Image image = MakeDefaultImage(v);
    std::string error;
    EXPECT_FALSE(LoadDat(v, path, image, error));
}

TEST_F(DatFile, LongerFileLoadsAndItsExtraBytesAreIgnored) {
    const ModelVariant& lark = VariantFor(Model::Lark);
    const Image wrenImage = RandomImage(8192, 9);
    const std::string path = PathOf("long.dat");
    Write(path, AsBytes(wrenImage));
    Image image = MakeDefaultImage(lark);
    std::string error;
    ASSERT_TRUE(LoadDat(lark, path, image, error)) << error;
    EXPECT_EQ(image, Image(wrenImage.begin(), wrenImage.begin() + 1024));
}

TEST_F(DatFile, LoadResizesTheImageToTheModel) {
    const ModelVariant& v = VariantFor(Model::Wren);
    const Image stored = RandomImage(8192, 4);
    const std::string path = PathOf("w.dat");
    Write(path, AsBytes(stored));
    Image image; // empty
    std::string error;
    ASSERT_TRUE(LoadDat(v, path, image, error)) << error;
    EXPECT_EQ(image, stored);
}

TEST_F(DatFile, MissingFileOrFolderIsRefused) {
    const ModelVariant& v = VariantFor(Model::Lark);
    Image image = MakeDefaultImage(v);
    const Image before = image;
    std::string error;
    EXPECT_FALSE(LoadDat(v, PathOf("none.dat"), image, error));
    EXPECT_NE(error.find("none.dat"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(LoadDat(v, m_dir.string(), image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(image, before);
}

TEST_F(DatFile, StoreIntoAMissingFolderFailsAndLeavesNothing) {
    const std::string path = PathOf("missing/sub/out.dat");
    std::string error;
    EXPECT_FALSE(StoreDat(path, RandomImage(1024, 1), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(m_dir / "missing"));
    EXPECT_TRUE(Entries().empty());
}

TEST_F(DatFile, StoreOverAFileReplacesItWithoutLeftovers) {
    const std::string path = PathOf("doc.dat");
    Write(path, std::string(9000, 'x'));
    const Image image = RandomImage(8192, 2);
    std::string error;
    ASSERT_TRUE(StoreDat(path, image, error)) << error;
    EXPECT_EQ(Read(path), AsBytes(image));
    EXPECT_EQ(Entries(), std::vector<std::string>{"doc.dat"});
}

TEST_F(DatFile, StoreOverAFolderFailsAndLeavesNoTemporaryFile) {
    fs::create_directory(m_dir / "folder.dat");
    std::string error;
    EXPECT_FALSE(StoreDat(PathOf("folder.dat"), RandomImage(1024, 1), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.dat"));
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder.dat"});
}

TEST_F(DatFile, StoreThroughASymlinkReplacesTheTarget) {
    fs::create_directory(m_dir / "real");
    const std::string target = PathOf("real/radio.dat");
    Write(target, std::string(1024, '\0'));
    const fs::path link = m_dir / "link.dat";
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    if (ec) {
        // Windows makes them only with a privilege, Wine not at all.
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    }

    const Image image = RandomImage(1024, 8);
    std::string error;
    ASSERT_TRUE(StoreDat(link.string(), image, error)) << error;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), fs::path(target));
    EXPECT_EQ(Read(target), AsBytes(image));
    // No temporary file beside the link or the target.
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.dat", "real"}));
    std::vector<std::string> inReal;
    for (const auto& e : fs::directory_iterator(m_dir / "real")) {
        inReal.push_back(e.path().filename().string());
    }
    EXPECT_EQ(inReal, std::vector<std::string>{"radio.dat"});
}

TEST_F(DatFile, WriteFileAtomicallyAndReadWholeFile) {
    const std::string path = PathOf("any.bin");
    const std::string bytes("a\0b\r\n\xFF", 6);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
    std::string back;
    ASSERT_TRUE(ReadWholeFile(path, back, error)) << error;
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(ReadWholeFile(PathOf("nothing"), back, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace radio
