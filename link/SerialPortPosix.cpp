#ifndef _WIN32

#include "SerialPortPosix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace radio {

using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

// Keeps the deadline arithmetic far from overflow for absurd request sizes.
constexpr std::size_t kMaxTimedBytes = 1'000'000'000;

int PollTimeoutMs(microseconds left) {
    if (left <= microseconds(0))
        return 0;
    const auto ms = (left.count() + 999) / 1000; // round up: never return early
    return static_cast<int>(std::min<std::int64_t>(ms, INT_MAX));
}

std::string GroupOwning(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    if (const group* g = ::getgrgid(st.st_gid); g && g->gr_name)
        return g->gr_name;
    return "with id " + std::to_string(st.st_gid);
}

} // namespace

microseconds SystemMonotonicNow() {
    return std::chrono::duration_cast<microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

ReadDeadline::ReadDeadline(std::size_t n, microseconds start)
    : m_total(start + milliseconds(kReadTotalTimeoutConstantMs) +
              milliseconds(kReadTotalTimeoutMultiplierMs) *
                  static_cast<std::int64_t>(std::min(n, kMaxTimedBytes))) {}

void ReadDeadline::BytesArrived(microseconds now) {
    m_anyByte = true;
    m_lastByte = now;
}

microseconds ReadDeadline::Left(microseconds now) const {
    microseconds left = m_total - now;
    if (m_anyByte) {
        // The gap must exceed the interval, so the read is over one tick after it.
        const microseconds gapEnd =
            m_lastByte + milliseconds(kReadIntervalTimeoutMs) + microseconds(1);
        left = std::min(left, gapEnd - now);
    }
    return left;
}

std::string DescribeOpenError(const std::string& path, int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return path + ": no such device";
    case EACCES:
    case EPERM: {
        const std::string group = GroupOwning(path);
        if (group.empty())
            return path + ": permission denied";
        return path + ": permission denied; your user must be in the group \"" + group +
               "\" that owns the device (log in again after adding it)";
    }
    case EBUSY:
    case EWOULDBLOCK:
        return path + ": in use by another program";
    case ENOTTY:
        return path + ": not a serial device";
    default:
        return path + ": " + std::strerror(error);
    }
}

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path, std::string& reason,
                                                       MonotonicClock clock) {
    // Non-blocking so that a port without carrier opens at once; reads and
    // writes wait with poll instead.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = DescribeOpenError(path, errno);
        return nullptr;
    }
    if (!::isatty(fd)) {
        ::close(fd);
        reason = DescribeOpenError(path, ENOTTY);
        return nullptr;
    }
    // TIOCEXCL does not stop root, the advisory lock does. Lock first, so a
    // refused open never touches the holder's exclusive flag.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        reason = DescribeOpenError(path, error);
        return nullptr;
    }
    ::ioctl(fd, TIOCEXCL); // not every driver has it; the lock still holds
    reason.clear();
    return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, true, std::move(clock)));
}

std::unique_ptr<PosixSerialPort> PosixSerialPort::Adopt(int fd, MonotonicClock clock) {
    if (fd < 0)
        return nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, false, std::move(clock)));
}

PosixSerialPort::PosixSerialPort(int fd, bool locked, MonotonicClock clock)
    : m_fd(fd), m_exclusive(locked), m_clock(std::move(clock)) {}

PosixSerialPort::~PosixSerialPort() {
    Close();
}

microseconds PosixSerialPort::Now() const {
    return m_clock ? m_clock() : SystemMonotonicNow();
}

void PosixSerialPort::Configure() {
    if (m_fd < 0)
        return;
    termios t{};
    if (::tcgetattr(m_fd, &t) != 0)
        return;
    // Raw bytes both ways. Software flow control would eat 0x11 and 0x13 in
    // the data, so it goes; hardware flow control stays as the system has it.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY | INPCK);
#ifdef IUCLC
    t.c_iflag &= ~static_cast<tcflag_t>(IUCLC);
#endif
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CMSPAR
    t.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    // Receiver on; a missing carrier must neither block nor hang up the line.
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    // With VMIN 1 an empty non-blocking read says EAGAIN, never 0, so that 0
    // can only mean a hung-up line.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    ::tcsetattr(m_fd, TCSANOW, &t);
}

void PosixSerialPort::PurgeAll() {
    // Nothing is ever pending here: reads and writes complete before return.
    PurgeBuffers();
}

void PosixSerialPort::PurgeBuffers() {
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIFLUSH);
}

bool PosixSerialPort::Write(const std::uint8_t* data, std::size_t n) {
    if (m_fd < 0)
        return false;
    const microseconds deadline = Now() + milliseconds(kWriteTotalTimeoutConstantMs) +
                                  milliseconds(kWriteTotalTimeoutMultiplierMs) *
                                      static_cast<std::int64_t>(std::min(n, kMaxTimedBytes));
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::write(m_fd, data + done, n - done);
        if (r > 0) {
            done += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        const int wait = PollTimeoutMs(deadline - Now());
        if (wait == 0)
            return false; // the line took no more within the write time-out
        pollfd p{m_fd, POLLOUT, 0};
        const int pr = ::poll(&p, 1, wait);
        if (pr < 0 && errno != EINTR)
            return false;
        if (pr > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT))
            return false;
    }
    while (::tcdrain(m_fd) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

bool PosixSerialPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) {
    received = 0;
    if (m_fd < 0)
        return false;
    if (n == 0)
        return true;
    ReadDeadline deadline(n, Now());
    bool hungUp = false; // poll saw a hang-up or error; the next empty read ends it
    while (received < n) {
        const ssize_t r = ::read(m_fd, buffer + received, n - received);
        if (r > 0) {
            received += static_cast<std::size_t>(r);
            deadline.BytesArrived(Now());
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false; // EIO: the pty master closed, the adapter went away
        if (r == 0 || hungUp)
            return false; // end of file on a tty: the line was hung up
        const int wait = PollTimeoutMs(deadline.Left(Now()));
        if (wait == 0)
            return true; // time-out: success with a short count
        pollfd p{m_fd, POLLIN, 0};
        const int pr = ::poll(&p, 1, wait);
        if (pr < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (pr > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            if (!(p.revents & POLLIN))
                return false;
            hungUp = true; // take what is still buffered first
        }
    }
    return true;
}

void PosixSerialPort::Close() {
    if (m_fd < 0)
        return;
    // The exclusive flag outlives this descriptor on a pty whose master stays
    // open; clear it so a later session can open the device again.
    if (m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd); // releases the lock too
    m_fd = -1;
}

} // namespace radio

#endif // _WIN32
