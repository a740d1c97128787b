// radioclone at the dealer's bench: write --verify, --backup and --repeat
// against the radio simulator, and diff and check on .dat files.
#include "CliTestSupport.h"

#include <FrequencyCode.h>
#include <MemoryImage.h>
#ifndef _WIN32 // the simulator runs on a pty
#include <RadioSimulator.h>
#endif

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace clitest;

void WriteImage(const fs::path& p, const radio::Image& image) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

#ifndef _WIN32

// A radio whose every byte differs from the file written into it.
radio::Image Pattern(const radio::ModelVariant& v, int seed) {
    radio::Image m(static_cast<std::size_t>(v.imageSize));
    for (std::size_t i = 0; i < m.size(); ++i) {
        m[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(seed));
    }
    return m;
}

class BenchWrite : public InFolder<> {
protected:
    void SetUp() override {
        InFolder::SetUp();
        WriteImage(P("file.dat"), file);
    }
    void TearDown() override {
        sim.Stop();
        InFolder::TearDown();
    }
    void StartSim(const std::vector<std::string>& faults = {}) {
        radio::sim::SimulatorOptions options;
        std::string error;
        for (const std::string& f : faults) {
            radio::sim::Fault fault;
            ASSERT_TRUE(radio::sim::ParseFault(f, fault, error)) << error;
            options.faults.push_back(fault);
        }
        ASSERT_TRUE(sim.Start(v, radioStart, options, error)) << error;
    }
    std::vector<std::string> Write(std::vector<std::string> more) {
        std::vector<std::string> args{"write",  "--model",        "wren",
                                      "--port", sim.DevicePath(), P("file.dat")};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    // The radio holds the file wherever the write plan reaches.
    bool RadioHoldsFile() const {
        const radio::Image memory = sim.Memory();
        for (int a = 0; a < v.imageSize; ++a) {
            const auto at = static_cast<std::size_t>(a);
            if (v.writePlan.Covers(a) && memory[at] != file[at]) {
                return false;
            }
        }
        return true;
    }
    const radio::ModelVariant& v = radio::VariantFor(radio::Model::Wren);
    const radio::Image radioStart = Pattern(v, 3);
    const radio::Image file = Pattern(v, 100);
    radio::sim::RadioSimulator sim;
};

TEST_F(BenchWrite, VerifyReadsBackWhatWasWritten) {
    StartSim();
    const Result r = Rc(Write({"--verify"}));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "Written and verified.")) << r.out;
    EXPECT_TRUE(RadioHoldsFile());
}

TEST_F(BenchWrite, VerifyFailsWhenTheReadBackFails) {
    StartSim({"short-reply:3@2"});
    const Result r = Rc(Write({"--verify"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Has(r.err, "The radio was written, but reading it back for the verify failed"))
        << r.err;
    EXPECT_TRUE(Has(r.err, "Program Interrupt, Please reset the radio and try again")) << r.err;
    EXPECT_FALSE(Has(r.out, "verified"));
}

TEST_F(BenchWrite, VerifyNamesTheFirstDifferingAddressAndTheCount) {
    StartSim({"flip-byte:0x0123"});
    const Result r = Rc(Write({"--verify"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Has(r.err, "Verify failed: 1 bytes in the radio differ from the image written, "
                           "the first at address 0x0123."))
        << r.err;
}

TEST_F(BenchWrite, BackupKeepsTheRadiosMemoryBeforeTheWrite) {
    StartSim();
    const fs::path folder = dir / "new" / "backups"; // made when missing
    const Result r = Rc(Write({"--backup", folder.string(), "--verify"}));
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<fs::path> backups;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        backups.push_back(e.path());
    }
    ASSERT_EQ(backups.size(), 1u);
    const std::string name = backups[0].filename().string();
    EXPECT_EQ(name.rfind("ProgramWren-", 0), 0u) << name;
    EXPECT_TRUE(Has(r.out, "Backup saved as " + backups[0].string() + ".")) << r.out;
    const radio::Image saved = ReadImage(backups[0]);
    const radio::Image defaults = radio::MakeDefaultImage(v);
    ASSERT_EQ(saved.size(), radioStart.size());
    for (int a = 0; a < v.imageSize; ++a) {
        const auto at = static_cast<std::size_t>(a);
        ASSERT_EQ(saved[at], v.readPlan.Covers(a) ? radioStart[at] : defaults[at]) << a;
    }
    EXPECT_TRUE(RadioHoldsFile());
}

TEST_F(BenchWrite, NothingIsWrittenWithoutTheBackup) {
    StartSim({"short-reply:5@1"});
    std::ofstream(P("taken")) << "a file where the folder would go";
    const Result noFolder = Rc(Write({"--backup", P("taken") + "/backups"}));
    EXPECT_EQ(noFolder.code, 1);
    EXPECT_TRUE(Has(noFolder.err, "Cannot keep a backup in " + P("taken") + "/backups"))
        << noFolder.err;
    EXPECT_TRUE(Has(noFolder.err, "Nothing was written to the radio.")) << noFolder.err;
    EXPECT_EQ(sim.SessionCount(), 0);

    // The first session (the backup read) fails: the radio keeps its memory.
    const Result noRead = Rc(Write({"--backup", P("backups")}));
    EXPECT_EQ(noRead.code, 1);
    EXPECT_TRUE(Has(noRead.err, "The radio could not be read for the backup")) << noRead.err;
    ASSERT_TRUE(sim.WaitForSessions(1, std::chrono::seconds(30)));
    EXPECT_EQ(sim.SessionCount(), 1);
    EXPECT_EQ(sim.Memory(), radioStart);
    EXPECT_TRUE(fs::is_empty(P("backups")));
}

TEST_F(BenchWrite, RepeatAtATerminalGoesOnWithEnterAndStopsWithQ) {
    StartSim({"short-reply:3@2"}); // the second radio fails
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[1]); // the answers below are all there is
    std::istringstream answers("\nq\n");
    const Result r = Rc(Write({"--repeat"}), &answers, fds[0]);
    ::close(fds[0]);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_TRUE(Has(r.out, "Radio 1: Written.")) << r.out;
    EXPECT_TRUE(Has(r.out, "press Enter (q to stop)")) << r.out;
    EXPECT_TRUE(Has(r.err, "Radio 2: Program Interrupt")) << r.err;
    EXPECT_TRUE(Has(r.out, "Summary: 2 radios, 1 written, 0 verified, 1 failed\n"
                           "  radio 2: Program Interrupt, Please reset the radio and try again\n"))
        << r.out;
}

std::atomic<bool> g_raised{false};

TEST_F(BenchWrite, RepeatWithoutATerminalWritesEachRadioThatAnswersUntilCtrlC) {
    // Sessions: 1 write, 2 read-back, 3 the next radio answers, 4 its write
    // fails, then nothing answers until Ctrl+C.
    g_raised = false;
    sim.SetSessionCallback([](const radio::sim::SessionRecord& s) {
        if (s.number >= 5 && !g_raised.exchange(true)) {
            std::raise(SIGINT);
        }
    });
    StartSim({"short-reply:3@4", "never-answer@5-"});
    const Result r = Rc(Write({"--repeat", "--verify"}));
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_TRUE(g_raised);
    EXPECT_TRUE(Has(r.out, "Radio 1: Written and verified.")) << r.out;
    EXPECT_TRUE(Has(r.out, "Waiting for the next radio on " + sim.DevicePath())) << r.out;
    EXPECT_TRUE(Has(r.out, "Summary: 2 radios, 1 written, 1 verified, 1 failed\n"
                           "  radio 2: Program Interrupt, Please reset the radio and try again\n"))
        << r.out;
}

#else

TEST(BenchWrite, NeedsAPseudoTerminal) {
    GTEST_SKIP() << "the simulator serves on a POSIX pseudo-terminal";
}

#endif // _WIN32

TEST(BenchUsage, NewOptionsAreListed) {
    const Result help = Rc({"write", "--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* option : {"--verify", "--backup DIR", "--repeat"}) {
        EXPECT_TRUE(Has(help.out, option)) << option;
    }
    const Result verbs = Rc({"help"});
    EXPECT_TRUE(Has(verbs.out, "  diff ")) << verbs.out;
    EXPECT_TRUE(Has(verbs.out, "  check ")) << verbs.out;
    EXPECT_EQ(Rc({"write", "--model", "wren", "--port", "com1", "x.dat", "--backup="}).code, 2);
}

// ---- diff and check ------------------------------------------------------

class Review : public InFolder<> {
protected:
    static std::string Example(const std::string& model) {
        return std::string(RADIO_EXAMPLES_DIR) + "/" + model + ".dat";
    }
};

TEST_F(Review, ExamplesAreCleanAndEqualToThemselves) {
    for (const char* model : {"lark", "wren", "wren-v2", "wren-v3"}) {
        const Result check = Rc({"check", "--model", model, Example(model)});
        EXPECT_EQ(check.code, 0) << model << "\n" << check.out << check.err;
        EXPECT_TRUE(check.out.empty()) << check.out;
        EXPECT_TRUE(Has(check.err, "No findings")) << check.err;
        const Result diff = Rc({"diff", "--model", model, Example(model), Example(model)});
        EXPECT_EQ(diff.code, 0) << model << diff.out;
        EXPECT_TRUE(diff.out.empty());
    }
}

TEST_F(Review, DiffListsTheChangedCellAndOptionInEitherLanguage) {
    const radio::ModelVariant& v = radio::VariantFor(radio::Model::Wren);
    radio::Image changed = ReadImage(Example("wren"));
    const radio::FrequencyBytes f = radio::EncodeFrequencyCount(44612500);
    std::copy(f.begin(), f.end(), changed.begin() + v.RecordOffset(3));
    changed[0x1000] ^= 0xFF; // beyond every cell and option
    WriteImage(P("b.dat"), changed);
    const Result en = Rc({"diff", "--model", "wren", Example("wren"), P("b.dat")});
    EXPECT_EQ(en.code, 1);
    const std::string a =
        radio::FrequencyText(ReadImage(Example("wren")).data() + v.RecordOffset(3));
    EXPECT_EQ(en.out, "Channel 3, Rx Frequency: A \"" + a +
                          "\", B \"446.12500\"\nOther bytes 0x1000-0x100F: 1 differ\n");
    const Result zh = Rc({"diff", "--model", "wren", Example("wren"), P("b.dat"), "--lang", "zh"});
    EXPECT_EQ(zh.code, 1);
    EXPECT_TRUE(Has(zh.out, "信道 3, 接收频率: A \"")) << zh.out;
}

TEST_F(Review, DiffUsageAndFileErrorsAreStatusTwo) {
    WriteImage(P("short.dat"), radio::Image(100, 0xFF));
    EXPECT_EQ(Rc({"diff", "--model", "wren", Example("wren")}).code, 2);
    EXPECT_EQ(Rc({"diff", "--model", "wren", Example("wren"), P("none.dat")}).code, 2);
    EXPECT_EQ(Rc({"diff", "--model", "wren", Example("wren"), P("short.dat")}).code, 2);
    EXPECT_EQ(
        Rc({"diff", "--model", "wren", Example("wren"), Example("wren"), "--lang", "fr"}).code, 2);
    EXPECT_EQ(Rc({"diff", "--model", "nope", Example("wren"), Example("wren")}).code, 2);
}

TEST_F(Review, CheckFindsChannelsOutsideTheChosenBand) {
    // The example is a UHF radio; as the VHF type every channel is outside.
    const Result r = Rc({"check", "--model", "wren", Example("wren"), "--type", "0"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(
        Has(r.out, "Channel 1, Rx Frequency \"446.00625\": outside the band 136 - 174MHz\n"))
        << r.out;
    EXPECT_TRUE(Has(r.err, "(band 136 - 174MHz)")) << r.err;
    const Result zh =
        Rc({"check", "--model", "wren", Example("wren"), "--type", "0", "--lang", "zh"});
    EXPECT_TRUE(Has(zh.out, "信道 1, 接收频率 \"446.00625\": 超出频段 136 - 174MHz\n")) << zh.out;
    // The file itself is not changed by the check.
    EXPECT_EQ(ReadImage(Example("wren"))[radio::VariantFor(radio::Model::Wren).typeOffset], 1);
    EXPECT_EQ(Rc({"check", "--model", "wren", Example("wren"), "--type", "9"}).code, 2);
    EXPECT_EQ(Rc({"check", "--model", "wren", Example("wren"), "--band", "x"}).code, 2);
}

TEST_F(Review, CheckOfAGarbageImageFindsEverythingItCannotHold) {
    const radio::ModelVariant& v = radio::VariantFor(radio::Model::WrenV3);
    radio::Image garbage(static_cast<std::size_t>(v.imageSize));
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<std::uint8_t>((i * 37 + 11) ^ (i >> 5));
    }
    WriteImage(P("garbage.dat"), garbage);
    const Result r = Rc({"check", "--model", "wren-v3", P("garbage.dat")});
    EXPECT_EQ(r.code, 1);
    for (const char* reason : {"the bytes decode to no valid frequency", "not in the tone list",
                               "outside the alphabet", "maps to no choice"}) {
        EXPECT_TRUE(Has(r.out, reason)) << reason;
    }
    EXPECT_EQ(Rc({"check", "--model", "wren-v3", P("missing.dat")}).code, 2);
}

} // namespace
