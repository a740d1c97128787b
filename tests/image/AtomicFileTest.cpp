// The one atomic writer: what it replaces, what it refuses, and that no
// failure leaves a changed target or a temporary file behind.
#include "AtomicFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace radio {
namespace {

using AtomicFile = test::TempFolderTest;

TEST_F(AtomicFile, WritesANewFileAndReplacesAnOldOneWhole) {
    const std::string path = PathOf("out.bin");
    const std::string bytes("a\0b\r\n\xFF", 6);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
    EXPECT_EQ(Read(path), bytes);
    ASSERT_TRUE(WriteFileAtomically(path, "short", error)) << error;
    EXPECT_EQ(Read(path), "short");
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.bin"});
}

// Every step that can fail, as the system would fail it: the target keeps
// its old bytes, no temporary file stays, and the message names the file
// and the system's reason.
TEST_F(AtomicFile, EveryFailedStepLeavesTheTargetAndNoTemporaryFile) {
    struct Case {
        const char* name;
        FileWriteOptions::Faults faults;
        const char* saying;
    };
    const Case cases[] = {
        {"disk full", {0, ENOSPC, 0, 0}, "writing failed"},
        {"sync fails", {0, 0, EIO, 0}, "writing failed"},
        {"folder takes no new file", {EACCES, 0, 0, 0}, "cannot write here"},
        {"rename fails", {0, 0, 0, EXDEV}, "cannot replace the file"},
    };
    const std::string path = PathOf("doc.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(path, "old contents");
        FileWriteOptions options;
        options.faults = c.faults;
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, "new contents", error, options));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(c.saying), std::string::npos) << error;
        EXPECT_EQ(Read(path), "old contents");
        EXPECT_EQ(Entries(), std::vector<std::string>{"doc.dat"});
    }
    // A full disk is said in the system's words.
    FileWriteOptions full;
    full.faults.write = ENOSPC;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "x", error, full));
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
}

TEST_F(AtomicFile, FolderReadOnlyFileAndMissingFolderAreRefused) {
    fs::create_directory(m_dir / "folder.dat");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(PathOf("folder.dat"), "x", error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.dat"));

    const std::string locked = PathOf("locked.dat");
    Write(locked, "kept");
    fs::permissions(locked, fs::perms::owner_read);
    EXPECT_FALSE(WriteFileAtomically(locked, "x", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read(locked), "kept");

    EXPECT_FALSE(WriteFileAtomically(PathOf("missing/out.dat"), "x", error));
    EXPECT_FALSE(fs::exists(m_dir / "missing"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.dat", "locked.dat"}));
}

TEST_F(AtomicFile, InPlaceFallbackOnlyWhenAskedAndOnlyOverAnExistingFile) {
    const std::string path = PathOf("Program.ini");
    Write(path, "a much longer old text");
    FileWriteOptions options;
    options.faults.create = EACCES;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "new", error, options));
    EXPECT_EQ(Read(path), "a much longer old text");

    options.inPlaceWhenFolderRefuses = true;
    ASSERT_TRUE(WriteFileAtomically(path, "new", error, options)) << error;
    EXPECT_EQ(Read(path), "new");
    EXPECT_FALSE(WriteFileAtomically(PathOf("absent.ini"), "new", error, options));
    EXPECT_EQ(Entries(), std::vector<std::string>{"Program.ini"});
}

#ifndef _WIN32
TEST_F(AtomicFile, LinksAreFollowedToTheFileTheyNameAndStay) {
    fs::create_directory(m_dir / "real");
    const std::string target = PathOf("real/radio.dat");
    Write(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    // A relative link to a link to the file.
    fs::create_symlink("real/radio.dat", m_dir / "first.dat");
    fs::create_symlink(m_dir / "first.dat", m_dir / "second.dat");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(PathOf("second.dat"), "new", error)) << error;
    EXPECT_EQ(Read(target), "new");
    EXPECT_TRUE(fs::is_symlink(m_dir / "first.dat"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "second.dat"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "real"), fs::directory_iterator()), 1);

    // A link whose file is gone: the file is made again, the link stays.
    fs::remove(target);
    ASSERT_TRUE(WriteFileAtomically(PathOf("first.dat"), "again", error)) << error;
    EXPECT_TRUE(fs::is_symlink(m_dir / "first.dat"));
    EXPECT_EQ(Read(target), "again");
}

TEST_F(AtomicFile, KeepsTheReplacedFilesPermissions) {
    const std::string path = PathOf("shared.dat");
    Write(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST_F(AtomicFile, DevicesAreWrittenDirectly) {
    std::string error;
    // /dev/null cannot be renamed over; it takes the bytes as they are.
    ASSERT_TRUE(WriteFileAtomically("/dev/null", "anything", error)) << error;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A device that fails the write says so.
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(WriteFileAtomically("/dev/full", "anything", error));
        EXPECT_NE(error.find("writing failed"), std::string::npos) << error;
    }
}
#endif

} // namespace
} // namespace radio
