#ifndef _WIN32

#include "RadioSimulator.h"

#include "AtomicFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace radio::sim {

namespace {

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Spinning the last stretch keeps the pacing on time without a busy thread.
constexpr std::chrono::microseconds kSpinStretch{100};

// How often to look for the host opening the port again. Its bytes wait in
// the pty meanwhile; the host spends longer than this before its first one.
constexpr int kReopenPollMs = 5;

} // namespace

std::vector<std::uint8_t> SessionRecord::Bytes(Direction direction) const {
    std::vector<std::uint8_t> out;
    for (const WireByte& b : exchange) {
        if (b.direction == direction) {
            out.push_back(b.value);
        }
    }
    return out;
}

RadioSimulator::RadioSimulator() = default;

RadioSimulator::~RadioSimulator() {
    Stop();
}

bool RadioSimulator::Start(const ModelVariant& variant, Image memory,
                           const SimulatorOptions& options, std::string& error) {
    if (m_running) {
        error = "the simulator is already running";
        return false;
    }
    m_options = options;
    m_engine = std::make_unique<RadioEngine>(variant, std::move(memory), options.faults);
    m_engine->StartSession();

    if (pipe(m_stopPipe) != 0) {
        error = SystemError("cannot make a pipe");
        return false;
    }
    for (int fd : m_stopPipe) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (!OpenPty(error) || (!m_options.linkPath.empty() && !UpdateLink(error))) {
        if (m_master >= 0) {
            close(m_master);
            m_master = -1;
        }
        close(m_stopPipe[0]);
        close(m_stopPipe[1]);
        m_stopPipe[0] = m_stopPipe[1] = -1;
        return false;
    }

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sessions.clear();
        m_serving = true;
        m_serveError.clear();
    }
    m_current = SessionRecord{};
    m_sessionActive = false;
    m_running = true;
    m_thread = std::thread(&RadioSimulator::Serve, this);
    return true;
}

void RadioSimulator::Stop() {
    if (!m_running) {
        return;
    }
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = write(m_stopPipe[1], &stop, 1);
    m_thread.join();
    m_running = false;

    std::string device;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_master >= 0) {
            close(m_master);
            m_master = -1;
        }
        device = m_devicePath;
        m_serving = false;
    }
    close(m_stopPipe[0]);
    close(m_stopPipe[1]);
    m_stopPipe[0] = m_stopPipe[1] = -1;

    // Remove the link only while it still points at our device.
    if (!m_options.linkPath.empty()) {
        std::array<char, 4096> target{};
        const ssize_t n = readlink(m_options.linkPath.c_str(), target.data(), target.size() - 1);
        if (n > 0 && std::string_view(target.data(), static_cast<std::size_t>(n)) == device) {
            unlink(m_options.linkPath.c_str());
        }
    }
    m_sessionEnded.notify_all();
}

void RadioSimulator::SetSessionCallback(SessionCallback callback) {
    m_callback = std::move(callback);
}

std::string RadioSimulator::DevicePath() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_devicePath;
}

Image RadioSimulator::Memory() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_engine ? m_engine->Memory() : Image{};
}

std::vector<SessionRecord> RadioSimulator::Sessions() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sessions;
}

int RadioSimulator::SessionCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_sessions.size());
}

bool RadioSimulator::WaitForSessions(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_sessionEnded.wait_for(
        lock, timeout, [&] { return static_cast<int>(m_sessions.size()) >= count || !m_serving; });
    return static_cast<int>(m_sessions.size()) >= count;
}

std::string RadioSimulator::ServeError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_serveError;
}

bool RadioSimulator::OpenPty(std::string& error) {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) {
        error = SystemError("cannot make a pseudo-terminal");
        return false;
    }
    if (grantpt(fd) != 0 || unlockpt(fd) != 0) {
        error = SystemError("cannot unlock the pseudo-terminal");
        close(fd);
        return false;
    }
    std::string path;
#ifdef __linux__
    std::array<char, 256> name{};
    if (ptsname_r(fd, name.data(), name.size()) == 0) {
        path = name.data();
    }
#else
    if (const char* name = ptsname(fd)) {
        path = name;
    }
#endif
    if (path.empty()) {
        error = SystemError("cannot name the pseudo-terminal");
        close(fd);
        return false;
    }
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);

    // Raw on the slave side (set through the master), so no byte is
    // translated even before the host configures its end.
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tio.c_cflag |= CLOCAL | CREAD;
        tcsetattr(fd, TCSANOW, &tio);
    }

    std::lock_guard<std::mutex> lock(m_mutex);
    m_master = fd;
    m_devicePath = path;
    return true;
}

bool RadioSimulator::UpdateLink(std::string& error) {
    const std::string& link = m_options.linkPath;
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = link + " exists and is not a symbolic link; not replacing it";
        return false;
    }
    const std::string temporary = link + ".new-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(DevicePath().c_str(), temporary.c_str()) != 0) {
        error = SystemError("cannot make the link " + link);
        return false;
    }
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        error = SystemError("cannot make the link " + link);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

void RadioSimulator::Serve() {
#ifdef __linux__
    // Wake-ups on time to the microsecond rather than the default 50 us slack.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    std::array<std::uint8_t, 512> buffer{};
    bool hostAway = false;
    for (;;) {
        pollfd fds[2] = {{m_stopPipe[0], POLLIN, 0}, {m_master, POLLIN, 0}};
        // While no one has the slave open the master reports a hang-up all
        // the time; look again every few milliseconds instead of spinning.
        const int ready = poll(fds, hostAway ? 1 : 2, hostAway ? kReopenPollMs : -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::lock_guard<std::mutex> lock(m_mutex);
            m_serveError = SystemError("poll");
            break;
        }
        if (fds[0].revents != 0) {
            break;
        }
        if (hostAway) {
            hostAway = false;
            continue;
        }
        if (fds[1].revents == 0) {
            continue;
        }
        const ssize_t got = read(m_master, buffer.data(), buffer.size());
        if (got > 0) {
            const auto seen = Clock::now();
            Handle(buffer.data(), static_cast<std::size_t>(got), seen);
            if (!ServeError().empty()) {
                break;
            }
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        // EIO (or end of file): the host closed its end.
        if (m_sessionActive) {
            EndSession(false);
        }
        hostAway = true;
    }
    if (m_sessionActive) {
        EndSession(false);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_serving = false;
    }
    m_sessionEnded.notify_all();
}

void RadioSimulator::Handle(const std::uint8_t* bytes, std::size_t n, Clock::time_point seen) {
    for (std::size_t i = 0; i < n; ++i) {
        Clock::time_point heard = seen;
        if (m_options.lineRate) {
            m_rxFree = std::max(seen, m_rxFree) + kLineByteTime;
            PaceUntil(m_rxFree);
            heard = m_rxFree;
        }
        m_sessionActive = true;
        m_current.exchange.push_back({Direction::ToRadio, bytes[i]});

        Reaction reaction;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            reaction = m_engine->Receive(bytes[i]);
        }
        if (reaction.hangUp) {
            // The new pty is in place before the session is reported, so
            // whoever waits for the report finds the device to open next.
            // Whatever else the host sent went down with the line.
            HangUp();
            EndSession(true);
            return;
        }
        if (!reaction.bytes.empty()) {
            SendReply(reaction, heard);
        }
    }
}

void RadioSimulator::SendReply(const Reaction& reaction, Clock::time_point heard) {
    if (reaction.kind == ReplyKind::IdentAck) {
        PaceUntil(heard + m_options.identAckTurnaround);
    }
    if (!m_options.lineRate) {
        WriteToHost(reaction.bytes.data(), reaction.bytes.size());
        return;
    }
    // The reply goes out back to back from the moment it is ready; each
    // byte's deadline follows from the one before, so a late wake-up does
    // not push the rest of the reply back.
    m_txFree = std::max(Clock::now(), m_txFree);
    for (std::uint8_t byte : reaction.bytes) {
        m_txFree += kLineByteTime;
        PaceUntil(m_txFree);
        WriteToHost(&byte, 1);
    }
}

void RadioSimulator::WriteToHost(const std::uint8_t* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        m_current.exchange.push_back({Direction::ToHost, bytes[i]});
    }
    std::size_t done = 0;
    int stalls = 0;
    while (done < n) {
        const ssize_t w = write(m_master, bytes + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) {
            continue;
        }
        // The host's input is full and no one reads it: a radio would talk
        // into the void too.
        if (w < 0 && errno == EAGAIN && ++stalls <= 5) {
            pollfd out{m_master, POLLOUT, 0};
            poll(&out, 1, 10);
            continue;
        }
        return;
    }
}

void RadioSimulator::EndSession(bool hungUp) {
    SessionRecord record = std::move(m_current);
    m_current = SessionRecord{};
    m_sessionActive = false;
    record.hungUp = hungUp;

    Image memory;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        record.blocksRead = m_engine->BlocksRead();
        record.blocksWritten = m_engine->BlocksWritten();
        m_engine->StartSession();
        if (record.blocksWritten > 0 && !m_options.savePath.empty()) {
            memory = m_engine->Memory();
        }
    }
    if (!memory.empty()) {
        std::string error;
        const std::string_view bytes(reinterpret_cast<const char*>(memory.data()), memory.size());
        record.saved = WriteFileAtomically(m_options.savePath, bytes, error);
        record.saveError = error;
    }

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        record.number = static_cast<int>(m_sessions.size()) + 1;
        m_sessions.push_back(record);
    }
    m_sessionEnded.notify_all();
    if (m_callback) {
        m_callback(record);
    }
}

bool RadioSimulator::HangUp() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        close(m_master);
        m_master = -1;
    }
    std::string error;
    if (!OpenPty(error) || (!m_options.linkPath.empty() && !UpdateLink(error))) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_serveError = "after the hang-up: " + error;
        return false;
    }
    return true;
}

void RadioSimulator::PaceUntil(Clock::time_point deadline) {
    const auto wakeUp = deadline - kSpinStretch;
    if (Clock::now() < wakeUp) {
        std::this_thread::sleep_until(wakeUp);
    }
    while (Clock::now() < deadline) {
    }
}

} // namespace radio::sim

#endif // _WIN32
