// The serial port over termios and poll (Linux, macOS, BSD).
//
// Use:
//   std::string reason;
//   auto port = radio::PosixSerialPort::Open("/dev/ttyUSB0", reason);
//   if (!port) { /* reason: "/dev/ttyUSB0: permission denied; ..." */ }
//   port->Configure(); // 9600 8N1, raw; until then a pty slave still echoes
//
// Read and write follow ISerialPort exactly (see SerialPort.h):
//  - Read(n) returns as soon as n bytes arrived, or when more than 30 ms pass
//    after a received byte, or after 500 ms * n + 90 ms in all. A time-out is
//    success with a short count. Failure means an I/O error, and that includes
//    the other end hanging up (a closed pty master, an unplugged adapter).
//  - Write(n) writes every byte (giving up after 50 ms * n + 50 ms when the
//    line does not take them), then waits with tcdrain until they have left.
//  - PurgeAll and PurgeBuffers drop pending input only: after tcdrain there is
//    no output left on a real port, while on a pty TCOFLUSH would throw away
//    bytes that the other end has not read yet.
//  - Open is exclusive: TIOCEXCL plus flock, so a second open of the same
//    device fails even for root, with "in use by another program".
//
// On a pty pair (tests, the radio simulator) open the slave by its path with
// Open() and drive the master as you like; Adopt() wraps an already open tty
// descriptor such as the master, so both ends can use the same reads and
// writes. Linux pty facts worth knowing there: a read on the slave fails
// once the master is closed; a read on the master fails at once whenever the
// slave has been opened and nobody holds it open any more (between two host
// sessions), while before the first open of the slave it just times out.
// The clock is injectable so tests can run the time-out logic without
// waiting for it.
#pragma once

#ifndef _WIN32

#include "SerialPort.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace radio {

// Time-outs of the port, in milliseconds.
inline constexpr int kReadIntervalTimeoutMs = 30;
inline constexpr int kReadTotalTimeoutMultiplierMs = 500;
inline constexpr int kReadTotalTimeoutConstantMs = 90;
inline constexpr int kWriteTotalTimeoutMultiplierMs = 50;
inline constexpr int kWriteTotalTimeoutConstantMs = 50;

// A monotonic clock: any fixed origin, never goes back.
using MonotonicClock = std::function<std::chrono::microseconds()>;

// The steady clock of the system.
std::chrono::microseconds SystemMonotonicNow();

// When a read of n bytes is over, as plain arithmetic on clock readings.
class ReadDeadline {
public:
    ReadDeadline(std::size_t n, std::chrono::microseconds start);
    // Bytes came in at `now`: the interval time-out starts again from here.
    void BytesArrived(std::chrono::microseconds now);
    // Time left before the read times out; zero or less once it has.
    std::chrono::microseconds Left(std::chrono::microseconds now) const;

private:
    std::chrono::microseconds m_total;
    bool m_anyByte = false;
    std::chrono::microseconds m_lastByte{0};
};

class PosixSerialPort final : public ISerialPort {
public:
    // Opens a device by path, exclusively, without waiting for carrier.
    // nullptr on failure, with `reason` for the user.
    static std::unique_ptr<PosixSerialPort> Open(const std::string& path, std::string& reason,
                                                 MonotonicClock clock = {});
    // Takes over an open tty descriptor (for instance a pty master) without
    // locking it; it is closed with the port. Switches it to non-blocking.
    static std::unique_ptr<PosixSerialPort> Adopt(int fd, MonotonicClock clock = {});

    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // From the current settings: 9600 baud, 8 data bits, no parity, 1 stop
    // bit, raw input and output, receiver on, modem lines ignored. Hardware
    // flow control stays as the system has it; software flow control goes,
    // since it would swallow data bytes 0x11 and 0x13.
    void Configure() override;
    void PurgeAll() override;
    void PurgeBuffers() override;
    bool Write(const std::uint8_t* data, std::size_t n) override;
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) override;
    void Close() override;

    // The descriptor, -1 once closed.
    int Fd() const { return m_fd; }

private:
    PosixSerialPort(int fd, bool locked, MonotonicClock clock);
    std::chrono::microseconds Now() const;

    int m_fd;
    bool m_exclusive;
    MonotonicClock m_clock;
};

// The user's text for a failed open of `path` with errno value `error`.
std::string DescribeOpenError(const std::string& path, int error);

} // namespace radio

#endif // _WIN32
