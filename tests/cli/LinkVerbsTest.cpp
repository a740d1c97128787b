// radioclone read/write/ports against the radio simulator on a pty.
#include "CliTestSupport.h"

#include <MemoryImage.h>
#ifndef _WIN32 // the simulator runs on a pty
#include <RadioSimulator.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace clitest;

#ifndef _WIN32

class LinkVerbs : public InFolder<::testing::TestWithParam<const char*>> {
protected:
    void TearDown() override {
        sim.Stop();
        InFolder::TearDown();
    }
    void StartSim(const radio::ModelVariant& v, radio::Image memory, radio::sim::Fault fault = {}) {
        radio::sim::SimulatorOptions options;
        options.faults = {fault};
        std::string error;
        ASSERT_TRUE(sim.Start(v, std::move(memory), options, error)) << error;
    }

    radio::sim::RadioSimulator sim;
};

// A radio whose every byte differs from the defaults.
radio::Image RadioMemory(const radio::ModelVariant& v) {
    radio::Image m(static_cast<std::size_t>(v.imageSize));
    for (std::size_t i = 0; i < m.size(); ++i) {
        m[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return m;
}

TEST_P(LinkVerbs, ReadTakesThePlanFromTheRadioAndDefaultsElsewhere) {
    const radio::ModelVariant& v = *radio::VariantByCliName(GetParam());
    const radio::Image radioMemory = RadioMemory(v);
    StartSim(v, radioMemory);
    const Result r =
        Rc({"read", "--model", GetParam(), "--port", sim.DevicePath(), "-o", P("read.dat")});
    ASSERT_EQ(r.code, 0) << r.err;
    const radio::Image got = ReadImage(P("read.dat"));
    const radio::Image defaults = radio::MakeDefaultImage(v);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(v.imageSize));
    for (int a = 0; a < v.imageSize; ++a) {
        const auto want = v.readPlan.Covers(a) ? radioMemory[a] : defaults[a];
        ASSERT_EQ(got[a], want) << "address " << a;
    }
}

TEST_P(LinkVerbs, WriteSendsTheFileAsItIsAndLeavesItUnchanged) {
    const radio::ModelVariant& v = *radio::VariantByCliName(GetParam());
    const radio::Image blank(static_cast<std::size_t>(v.imageSize), 0x00);
    StartSim(v, blank);
    const radio::Image file = RadioMemory(v);
    {
        std::ofstream(P("w.dat"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }
    const Result r = Rc({"write", "--model", GetParam(), "--port", sim.DevicePath(), P("w.dat")});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_TRUE(sim.WaitForSessions(1, std::chrono::seconds(30)));
    EXPECT_EQ(ReadImage(P("w.dat")), file);
    const radio::Image memory = sim.Memory();
    for (int a = 0; a < v.imageSize; ++a) {
        ASSERT_EQ(memory[a], v.writePlan.Covers(a) ? file[a] : 0x00) << "address " << a;
    }
}

INSTANTIATE_TEST_SUITE_P(AllModels, LinkVerbs,
                         ::testing::Values("lark", "wren", "wren-v2", "wren-v3"));

class LinkFaults : public LinkVerbs {};

TEST_F(LinkFaults, FailedReadWritesNoFileAndSaysWhy) {
    const radio::ModelVariant& v = radio::VariantFor(radio::Model::Wren);
    radio::sim::Fault fault;
    std::string error;
    ASSERT_TRUE(radio::sim::ParseFault("short-reply:5", fault, error));
    StartSim(v, RadioMemory(v), fault);
    const Result r = Rc({"read", "--model", "wren", "--port", sim.DevicePath(), "-o", P("r.dat")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Program Interrupt, Please reset the radio and try again"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(P("r.dat")));
}

#else

TEST(LinkVerbs, NeedsAPseudoTerminal) {
    GTEST_SKIP() << "the simulator serves on a POSIX pseudo-terminal";
}

#endif // _WIN32

class LinkFailures : public InFolder<::testing::Test> {};

TEST_F(LinkFailures, MissingPortGivesTheOpenMessageAndTheReason) {
    const Result r = Rc({"read", "--model", "lark", "--port", P("no-such-tty"), "-o", P("r.dat")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Could not Open the Port,Please check whether the Port are occupied or "
                         "the device are ok"),
              std::string::npos);
    EXPECT_NE(r.err.find("no such device"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(P("r.dat")));
}

TEST_F(LinkFailures, UsageErrors) {
    EXPECT_EQ(Rc({"read", "--model", "lark", "-o", P("r.dat")}).code, 2);  // no port
    EXPECT_EQ(Rc({"read", "--model", "lark", "--port", "com1"}).code, 2);  // no -o
    EXPECT_EQ(Rc({"write", "--model", "lark", "--port", "com1"}).code, 2); // no file
    EXPECT_EQ(
        Rc({"read", "--model", "lark", "--port", "com1", "-o", P("r.dat"), "--retries", "-1"}).code,
        2);
    EXPECT_EQ(Rc({"simulate", "--model", "lark", "--fault", "sometimes"}).code, 2);
    for (const char* verb : {"read", "write", "ports"}) {
        EXPECT_EQ(Rc({verb, "--help"}).code, 0) << verb;
    }
#ifndef _WIN32
    EXPECT_EQ(Rc({"simulate", "--help"}).code, 0);
#endif
    EXPECT_EQ(Rc({"ports"}).code, 0);
}

} // namespace

namespace {

TEST(LinkVerbsEarly, ReadChecksWhereTheFileGoesBeforeTalkingToTheRadio) {
    std::ostringstream out, err;
    const int code = radioclone::RunRadioclone(
        {"read", "--model", "lark", "--port", "/dev/null", "-o", "/nonexistent-folder/r.dat"},
        {out, err, ""});
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.str().find("does not exist"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("Could not Open the Port"), std::string::npos);
}

} // namespace
