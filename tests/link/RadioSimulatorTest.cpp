// The radio simulator: its protocol machine on its own, and the pty side
// (saving, the link, sessions) with a hand-driven host.
#include "ProtocolTestSupport.h"

#include <gtest/gtest.h>

#ifndef _WIN32 // the simulator runs on a pty
#include "RadioSimulator.h"
#include "SerialPortPosix.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#endif

namespace radio::test {
namespace {

using sim::Fault;
using sim::FaultKind;
using sim::RadioEngine;
using sim::ReplyKind;

std::vector<std::uint8_t> Feed(RadioEngine& radio, std::initializer_list<std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t b : bytes) {
        const sim::Reaction r = radio.Receive(b);
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    }
    return out;
}

void Handshake(RadioEngine& radio) {
    ASSERT_EQ(Feed(radio, {0x02, 'P', 'R', 'O', 'G', 'R', 'A'}), std::vector<std::uint8_t>{0x06});
    ASSERT_EQ(Feed(radio, {'M', 0x02}).size(), 8u);
    ASSERT_EQ(Feed(radio, {0x06}), std::vector<std::uint8_t>{0x06});
}

TEST(RadioEngine, PicksUpAHostThatStartsOverAnywhereOutsideAFrame) {
    const ModelVariant& v = VariantFor(Model::Wren);
    RadioEngine radio(v, PatternImage(v.imageSize));
    radio.StartSession();

    // Noise and a broken-off wake-up say nothing.
    EXPECT_TRUE(Feed(radio, {0x00, 'R', 0x02, 'P', 'R', 'X', 0x06}).empty());
    // A handshake given up after the identification, then a fresh one.
    Feed(radio, {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02});
    Handshake(radio);
    // Once identified, a wake-up's 'R' is a letter, not a read command.
    EXPECT_EQ(Feed(radio, {0x02, 'P', 'R', 'O', 'G', 'R', 'A'}), std::vector<std::uint8_t>{0x06});
    ASSERT_EQ(Feed(radio, {'M', 0x02}).size(), 8u);
    Feed(radio, {0x06});
    const std::vector<std::uint8_t> reply = Feed(radio, {'R', 0x01, 0x28, 0x08});
    ASSERT_EQ(reply.size(), 12u);
    EXPECT_TRUE(std::equal(reply.begin() + 4, reply.end(), radio.Memory().begin() + 0x128));
    EXPECT_EQ(radio.BlocksRead(), 1);
}

TEST(RadioEngine, LarkWakesOnTheWholeStringAndKeepsWritesInsideItsMemory) {
    const ModelVariant& v = VariantFor(Model::Lark);
    RadioEngine radio(v, Image(1024, 0x11));
    radio.StartSession();
    EXPECT_TRUE(Feed(radio, {0x02, 'P', 'R', 'O', 'G', 'R', 'A'}).empty());
    EXPECT_EQ(Feed(radio, {'M'}), std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(Feed(radio, {0x02}).size(), 8u);
    EXPECT_EQ(Feed(radio, {0x06}), std::vector<std::uint8_t>{0x06});

    // Beyond the memory: reads give 0xFF, writes are acknowledged and dropped.
    const std::vector<std::uint8_t> reply = Feed(radio, {'R', 0x03, 0xFC, 0x08});
    EXPECT_EQ(reply, (std::vector<std::uint8_t>{'R', 0x03, 0xFC, 0x08, 0x11, 0x11, 0x11, 0x11, 0xFF,
                                                0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Feed(radio, {'W', 0x03, 0xFC, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}),
              std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(radio.Memory().size(), 1024u);
    EXPECT_EQ(radio.Memory()[0x3FF], 4);
}

TEST(RadioEngine, SilenceLastsUntilTheNextSession) {
    const ModelVariant& v = VariantFor(Model::Wren);
    RadioEngine radio(v, PatternImage(v.imageSize), Fault{FaultKind::SilenceFrom, 1});
    radio.StartSession();
    Handshake(radio);
    EXPECT_EQ(Feed(radio, {'R', 0x00, 0x00, 0x08}).size(), 12u);
    EXPECT_EQ(Feed(radio, {0x06}).size(), 1u);
    EXPECT_TRUE(Feed(radio, {'R', 0x00, 0x08, 0x08}).empty());
    EXPECT_TRUE(Feed(radio, {0x02, 'P', 'R', 'O', 'G', 'R', 'A'}).empty());

    radio.StartSession();
    Handshake(radio);
    EXPECT_EQ(Feed(radio, {'W', 0x00, 0x00, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}).size(), 1u);
    EXPECT_TRUE(Feed(radio, {'W', 0x00, 0x08, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}).empty());
    EXPECT_EQ(radio.Memory()[0x08], PatternImage(v.imageSize)[0x08]);
}

TEST(RadioEngine, FaultsByName) {
    Fault f;
    std::string error;
    EXPECT_TRUE(sim::ParseFault("short-reply:12", f, error));
    EXPECT_EQ(f.kind, FaultKind::ShortReplyAt);
    EXPECT_EQ(f.block, 12);
    EXPECT_EQ(sim::FaultName(f), "short-reply:12");
    EXPECT_TRUE(sim::ParseFault("no-ident-ack", f, error));
    EXPECT_EQ(f.kind, FaultKind::NoIdentAck);
    for (const char* bad :
         {"hang-up", "hang-up:", "hang-up:-1", "hang-up:3x", "never-answer:2", "silence", ""}) {
        error.clear();
        EXPECT_FALSE(sim::ParseFault(bad, f, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_EQ(f.kind, FaultKind::NoIdentAck); // untouched by the failures
}

TEST(RadioEngine, FaultsStrikeInTheSessionsNamed) {
    Fault f;
    std::string error;
    ASSERT_TRUE(sim::ParseFault("flip-byte:0x1FC5@2-", f, error)) << error;
    EXPECT_EQ(f.kind, FaultKind::FlipByteAt);
    EXPECT_EQ(f.block, 0x1FC5);
    EXPECT_EQ(f.firstSession, 2);
    EXPECT_EQ(f.lastSession, 0);
    EXPECT_EQ(sim::FaultName(f), "flip-byte:8133@2-");
    ASSERT_TRUE(sim::ParseFault("never-answer@3", f, error));
    EXPECT_EQ(f.firstSession, 3);
    EXPECT_EQ(f.lastSession, 3);
    for (const char* bad : {"never-answer@", "never-answer@0", "never-answer@x", "flip-byte:0x"}) {
        EXPECT_FALSE(sim::ParseFault(bad, f, error)) << bad;
    }

    // The radio keeps the flipped byte only in the sessions named.
    const ModelVariant& v = VariantFor(Model::Wren);
    RadioEngine radio(v, Image(static_cast<std::size_t>(v.imageSize), 0x00),
                      Fault{FaultKind::FlipByteAt, 0x0A, 2, 2});
    const auto writeBlock = [&radio](std::uint8_t value) {
        radio.StartSession();
        Handshake(radio);
        Feed(radio,
             {'W', 0x00, 0x08, 0x08, value, value, value, value, value, value, value, value});
        return radio.Memory()[0x0A];
    };
    EXPECT_EQ(writeBlock(0x40), 0x40);
    EXPECT_EQ(writeBlock(0x40), 0x41);
    EXPECT_EQ(writeBlock(0x40), 0x40);
}
#ifndef _WIN32

// A host driven by hand over the pty.
class RawHost {
public:
    explicit RawHost(const std::string& device) {
        std::string reason;
        port_ = PosixSerialPort::Open(device, reason);
        EXPECT_TRUE(port_) << reason;
        port_->Configure();
    }
    std::vector<std::uint8_t> Say(std::initializer_list<std::uint8_t> bytes, std::size_t expect) {
        const std::vector<std::uint8_t> out(bytes);
        port_->Write(out.data(), out.size());
        std::vector<std::uint8_t> in(expect);
        std::size_t got = 0;
        if (expect > 0) {
            EXPECT_TRUE(port_->Read(in.data(), expect, got));
        }
        in.resize(got);
        return in;
    }
    void Close() { port_->Close(); }

private:
    std::unique_ptr<PosixSerialPort> port_;
};

TEST(RadioSimulator, SavesAfterWriteSessionsAndKeepsItsLink) {
    const ModelVariant& v = VariantFor(Model::WrenV3);
    const auto dir =
        std::filesystem::temp_directory_path() / ("radio-sim-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    sim::SimulatorOptions options;
    options.savePath = (dir / "radio.dat").string();
    options.linkPath = (dir / "ttyRADIO").string();

    sim::RadioSimulator simulator;
    std::vector<int> called;
    simulator.SetSessionCallback([&](const sim::SessionRecord& s) { called.push_back(s.number); });
    std::string error;
    ASSERT_TRUE(simulator.Start(v, Image(100, 0x33), options, error)) << error;
    EXPECT_EQ(std::filesystem::read_symlink(options.linkPath).string(), simulator.DevicePath());

    { // A read session saves nothing.
        RawHost host(options.linkPath);
        EXPECT_EQ(host.Say({0x02, 'P', 'R', 'O', 'G', 'R', 'A'}, 1),
                  std::vector<std::uint8_t>{0x06});
        EXPECT_EQ(host.Say({'M', 0x02}, 8).size(), 8u);
        EXPECT_EQ(host.Say({0x06}, 1), std::vector<std::uint8_t>{0x06});
        EXPECT_EQ(host.Say({'R', 0x1F, 0xF8, 0x08}, 12).size(), 12u);
        host.Close();
    }
    ASSERT_TRUE(simulator.WaitForSessions(1, std::chrono::seconds(10)));
    EXPECT_FALSE(std::filesystem::exists(options.savePath));

    { // A write session saves the whole memory.
        RawHost host(options.linkPath);
        host.Say({0x02, 'P', 'R', 'O', 'G', 'R', 'A'}, 1);
        host.Say({'M', 0x02}, 8);
        host.Say({0x06}, 1);
        EXPECT_EQ(host.Say({'W', 0x1F, 0xF8, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}, 1),
                  std::vector<std::uint8_t>{0x06});
        host.Close();
    }
    ASSERT_TRUE(simulator.WaitForSessions(2, std::chrono::seconds(10)));
    const sim::SessionRecord session = simulator.Sessions()[1];
    EXPECT_TRUE(session.saved) << session.saveError;
    EXPECT_EQ(session.blocksWritten, 1);

    std::ifstream file(options.savePath, std::ios::binary);
    const Image saved((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Image expected(8192, 0xFF);
    std::fill(expected.begin(), expected.begin() + 100, 0x33);
    for (int i = 0; i < 8; ++i) {
        expected[0x1FF8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    }
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(simulator.Memory(), expected);

    simulator.Stop();
    EXPECT_EQ(called, (std::vector<int>{1, 2}));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(options.linkPath)));
    std::filesystem::remove_all(dir);
}

TEST(RadioSimulator, RefusesToReplaceAFileWithItsLink) {
    const auto path =
        std::filesystem::temp_directory_path() / ("radio-sim-file-" + std::to_string(getpid()));
    std::ofstream(path) << "keep me";
    sim::SimulatorOptions options;
    options.linkPath = path.string();
    sim::RadioSimulator simulator;
    std::string error;
    EXPECT_FALSE(simulator.Start(VariantFor(Model::Lark), {}, options, error));
    EXPECT_NE(error.find("not a symbolic link"), std::string::npos) << error;
    std::ifstream in(path);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "keep me");
    std::filesystem::remove(path);
}

#else

TEST(RadioSimulator, NeedsAPseudoTerminal) {
    GTEST_SKIP() << "the simulator serves on a POSIX pseudo-terminal";
}

#endif // _WIN32

} // namespace
} // namespace radio::test
