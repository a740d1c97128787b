#include <gtest/gtest.h>

#ifndef _WIN32

#include "SerialPortPosix.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace radio;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Hands out the given readings in turn and keeps the last one.
MonotonicClock ScriptedClock(std::vector<microseconds> readings,
                             std::shared_ptr<std::size_t> used = nullptr) {
    if (!used)
        used = std::make_shared<std::size_t>(0);
    return [readings = std::move(readings), used]() {
        const std::size_t i = std::min(*used, readings.size() - 1);
        ++*used;
        return readings[i];
    };
}

class PtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(::grantpt(master_), 0);
        ASSERT_EQ(::unlockpt(master_), 0);
        slavePath_ = ::ptsname(master_);
    }
    void TearDown() override { CloseMaster(); }

    void CloseMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

    std::unique_ptr<PosixSerialPort> OpenSlave(MonotonicClock clock = {}) {
        std::string reason;
        auto port = PosixSerialPort::Open(slavePath_, reason, std::move(clock));
        EXPECT_TRUE(port) << reason;
        if (port)
            port->Configure();
        return port;
    }

    void MasterWrite(const Bytes& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Waits for input rather than for time; gives up only if nothing ever comes.
    Bytes MasterRead(std::size_t n) {
        Bytes got;
        while (got.size() < n) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0)
                break;
            std::uint8_t buffer[4096];
            const ssize_t r = ::read(master_, buffer, std::min(sizeof buffer, n - got.size()));
            if (r <= 0)
                break;
            got.insert(got.end(), buffer, buffer + r);
        }
        return got;
    }

    int master_ = -1;
    std::string slavePath_;
};

} // namespace

TEST(ReadDeadlineTest, TotalIsFiveHundredMsPerBytePlusNinety) {
    const ReadDeadline twelve(12, milliseconds(1000));
    EXPECT_EQ(twelve.Left(milliseconds(1000)), milliseconds(6090));
    EXPECT_GT(twelve.Left(milliseconds(7090) - microseconds(1)), microseconds(0));
    EXPECT_LE(twelve.Left(milliseconds(7090)), microseconds(0));

    const ReadDeadline one(1, microseconds(0));
    EXPECT_EQ(one.Left(microseconds(0)), milliseconds(590));
    // No overflow for absurd sizes.
    EXPECT_GT(ReadDeadline(SIZE_MAX, microseconds(0)).Left(milliseconds(1000000)), microseconds(0));
}

TEST(ReadDeadlineTest, IntervalNeedsMoreThanThirtyMsAfterTheLastByte) {
    ReadDeadline d(10, microseconds(0));
    d.BytesArrived(milliseconds(100));
    EXPECT_GT(d.Left(milliseconds(130)), microseconds(0)); // exactly 30 ms: not yet
    EXPECT_LE(d.Left(milliseconds(130) + microseconds(1)), microseconds(0));
    d.BytesArrived(milliseconds(125)); // a new byte starts the gap again
    EXPECT_GT(d.Left(milliseconds(150)), microseconds(0));
    EXPECT_LE(d.Left(milliseconds(156)), microseconds(0));
}

TEST(ReadDeadlineTest, TotalEndsTheReadEvenWhileBytesKeepComing) {
    ReadDeadline d(1, microseconds(0));
    d.BytesArrived(milliseconds(580));
    EXPECT_EQ(d.Left(milliseconds(585)), milliseconds(5));
    EXPECT_LE(d.Left(milliseconds(590)), microseconds(0));
}

TEST_F(PtyTest, ReadReturnsExactlyTheBytesAskedForAndKeepsTheRest) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    MasterWrite({1, 2, 3, 4, 5, 6, 7, 8});
    Bytes buffer(5);
    std::size_t got = 99;
    ASSERT_TRUE(port->Read(buffer.data(), 5, got));
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4, 5}));
    ASSERT_TRUE(port->Read(buffer.data(), 3, got));
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{6, 7, 8}));
}

TEST_F(PtyTest, DataBytesPassUnchangedBothWays) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    // XON, XOFF, CR, Ctrl+C, DEL, Ctrl+D: a terminal setting would eat or change each.
    const Bytes special{0x11, 0x13, 0x0D, 0x03, 0x7F, 0x04, 0x00, 0xFF};
    MasterWrite(special);
    Bytes buffer(special.size());
    std::size_t got = 0;
    ASSERT_TRUE(port->Read(buffer.data(), buffer.size(), got));
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + got), special);

    const Bytes out{0x0A, 0x11, 0x13, 0x0D};
    ASSERT_TRUE(port->Write(out.data(), out.size()));
    EXPECT_EQ(MasterRead(out.size()), out);
}

TEST_F(PtyTest, ConfigureSetsNineSixHundredEightNOneRaw) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    termios t{};
    ASSERT_EQ(::tcgetattr(port->Fd(), &t), 0);
    EXPECT_EQ(::cfgetispeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
}

TEST_F(PtyTest, AGapAfterReceivedBytesEndsTheReadWithAShortCount) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    MasterWrite({0x52, 0x00, 0x08});
    Bytes buffer(10);
    std::size_t got = 0;
    EXPECT_TRUE(port->Read(buffer.data(), 10, got));
    EXPECT_EQ(got, 3u);
}

TEST_F(PtyTest, NoBytesAtAllIsSuccessWithZeroOnceTheTotalTimeOutPassed) {
    auto used = std::make_shared<std::size_t>(0);
    const std::vector<microseconds> readings{milliseconds(0), milliseconds(6089),
                                             milliseconds(6090)};
    auto port = OpenSlave(ScriptedClock(readings, used));
    ASSERT_TRUE(port);
    Bytes buffer(12);
    std::size_t got = 99;
    EXPECT_TRUE(port->Read(buffer.data(), 12, got));
    EXPECT_EQ(got, 0u);
    EXPECT_GE(*used, readings.size()); // did not give up before 6090 ms
}

TEST_F(PtyTest, AHangUpOfTheOtherEndIsAnIoError) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    CloseMaster();
    std::uint8_t byte = 0;
    std::size_t got = 0;
    EXPECT_FALSE(port->Read(&byte, 1, got));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(port->Write(&byte, 1));
}

TEST_F(PtyTest, AHangUpInTheMiddleOfAReadIsAnIoError) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    MasterWrite({1, 2});
    CloseMaster();
    Bytes buffer(12);
    std::size_t got = 0;
    EXPECT_FALSE(port->Read(buffer.data(), 12, got));
}

TEST_F(PtyTest, PurgeDropsPendingInputButNoBytesWrittenTowardsThePeer) {
    auto port = OpenSlave();
    ASSERT_TRUE(port);
    MasterWrite({0xEE, 0xEE, 0xEE});
    // The peer is busy: it reads nothing until the end. Every byte is
    // followed by a purge, as the protocol does around its acknowledgements.
    Bytes sent;
    for (int i = 0; i < 300; ++i) {
        const auto byte = static_cast<std::uint8_t>(i);
        port->PurgeBuffers();
        ASSERT_TRUE(port->Write(&byte, 1));
        port->PurgeAll();
        sent.push_back(byte);
    }
    EXPECT_EQ(MasterRead(sent.size()), sent);

    MasterWrite({0x06});
    std::uint8_t byte = 0;
    std::size_t got = 0;
    ASSERT_TRUE(port->Read(&byte, 1, got));
    ASSERT_EQ(got, 1u);
    EXPECT_EQ(byte, 0x06); // the stale 0xEE bytes are gone
}

TEST_F(PtyTest, ASecondOpenOfTheSameDeviceFailsUntilTheFirstIsClosed) {
    auto first = OpenSlave();
    ASSERT_TRUE(first);
    std::string reason;
    EXPECT_FALSE(PosixSerialPort::Open(slavePath_, reason));
    EXPECT_EQ(reason, slavePath_ + ": in use by another program");

    first->Close();
    first->Close(); // harmless
    EXPECT_EQ(first->Fd(), -1);
    std::uint8_t byte = 0;
    std::size_t got = 0;
    EXPECT_FALSE(first->Read(&byte, 1, got));
    EXPECT_FALSE(first->Write(&byte, 1));

    auto again = PosixSerialPort::Open(slavePath_, reason);
    EXPECT_TRUE(again) << reason;
}

TEST_F(PtyTest, OpenFailuresSayWhyInPlainWords) {
    std::string reason;
    EXPECT_FALSE(PosixSerialPort::Open("/dev/ttyNoSuchPort77", reason));
    EXPECT_EQ(reason, "/dev/ttyNoSuchPort77: no such device");

    char file[] = "/tmp/link_port_test_XXXXXX";
    const int fd = ::mkstemp(file);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_FALSE(PosixSerialPort::Open(file, reason));
    EXPECT_EQ(reason, std::string(file) + ": not a serial device");
    ::unlink(file);

    // Root is never refused, so the text for a refused user is checked directly.
    struct stat st {};
    ASSERT_EQ(::stat(slavePath_.c_str(), &st), 0);
    const group* g = ::getgrgid(st.st_gid);
    ASSERT_TRUE(g);
    EXPECT_EQ(DescribeOpenError(slavePath_, EACCES),
              slavePath_ + ": permission denied; your user must be in the group \"" + g->gr_name +
                  "\" that owns the device (log in again after adding it)");
}

TEST_F(PtyTest, AnAdoptedMasterTalksToTheOpenedSlave) {
    auto slave = OpenSlave();
    ASSERT_TRUE(slave);
    auto master = PosixSerialPort::Adopt(::dup(master_));
    ASSERT_TRUE(master);
    const Bytes ack{0x06};
    ASSERT_TRUE(master->Write(ack.data(), 1));
    std::uint8_t byte = 0;
    std::size_t got = 0;
    ASSERT_TRUE(slave->Read(&byte, 1, got));
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(byte, 0x06);
}

#else

TEST(PosixSerialPort, NeedsAPseudoTerminal) {
    GTEST_SKIP() << "the POSIX port layer is tested on a POSIX pseudo-terminal";
}

#endif // _WIN32
