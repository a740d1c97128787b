// A radio on a pseudo-terminal, for tests, benchmarks and people without one.
//
// Use:
//   radio::sim::RadioSimulator sim;
//   std::string error;
//   if (!sim.Start(radio::VariantFor(radio::Model::Wren), image, {}, error)) ...
//   // open sim.DevicePath() as a serial port and talk to it
//   sim.WaitForSessions(1, std::chrono::seconds(30));
//   sim.Stop();
//
// The simulator plays the radio (RadioEngine) on the master side of a pty
// pair; the host opens the slave like any serial port. It serves one session
// after another on its own thread: a session runs from the first byte the
// host sends until the host closes the port (or the simulator hangs up). For
// every session it keeps the exchange byte by byte in order, and after a
// session in which the host wrote blocks it saves its memory to
// `savePath` (atomically) when one is given.
//
// With `lineRate` both directions are paced as on a 9600 baud 8N1 line
// (10 bits a byte): a byte from the host counts as arrived one byte time
// after the one before it, and a byte to the host is handed over when its
// last bit would be in. Deadlines are absolute, so pacing does not drift.
//
// A hang-up (fault hang-up:K) closes the master, so the host's port fails
// with an I/O error, and serves on from a new pty: DevicePath() names it (the
// system may give it the same number) and the symbolic link, if any, is moved
// to it before the session is reported.
#pragma once

#ifndef _WIN32

#include "RadioEngine.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace radio::sim {

// One byte time at 9600 baud with 8N1 framing.
inline constexpr std::chrono::nanoseconds kLineByteTime{1'041'667};

struct SimulatorOptions {
    bool lineRate = false;
    std::vector<Fault> faults; // each in its own sessions (Fault::firstSession)
    std::string savePath;      // .dat written after each session with written blocks
    std::string linkPath;      // symbolic link to the device, replaced if it is one
    // The host purges its input right after acknowledging the identification.
    // On a real line its drain covers the time the radio needs to answer; a
    // pty drains at once, so the answer waits this long (at least).
    std::chrono::microseconds identAckTurnaround{5000};
};

enum class Direction : std::uint8_t { ToRadio, ToHost };

struct WireByte {
    Direction direction;
    std::uint8_t value;
    bool operator==(const WireByte&) const = default;
};

struct SessionRecord {
    int number = 0; // from 1
    std::vector<WireByte> exchange;
    int blocksRead = 0;
    int blocksWritten = 0;
    bool hungUp = false;
    bool saved = false;
    std::string saveError;

    // The bytes one way, in order.
    std::vector<std::uint8_t> Bytes(Direction direction) const;
};

class RadioSimulator {
public:
    using SessionCallback = std::function<void(const SessionRecord&)>;

    RadioSimulator();
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Makes the pty and starts serving. `memory` is resized to the model's
    // image size (0xFF fill). False with a message when the pty, the link or
    // the thread cannot be made.
    bool Start(const ModelVariant& variant, Image memory, const SimulatorOptions& options,
               std::string& error);
    // Ends the session in progress (it is recorded), stops the thread,
    // closes the pty and removes the symbolic link. Safe to call twice.
    void Stop();

    // Called on the simulator's thread after each session; set before Start.
    void SetSessionCallback(SessionCallback callback);

    // The slave device to open ("/dev/pts/N").
    std::string DevicePath() const;
    Image Memory() const;
    std::vector<SessionRecord> Sessions() const;
    int SessionCount() const;
    // Waits until `count` sessions have ended; false on time-out or when the
    // simulator stopped serving first.
    bool WaitForSessions(int count, std::chrono::milliseconds timeout) const;
    // Set when the simulator stopped serving on its own (a failed pty after a
    // hang-up); empty while all is well.
    std::string ServeError() const;

private:
    using Clock = std::chrono::steady_clock;

    bool OpenPty(std::string& error);
    bool UpdateLink(std::string& error);
    void Serve();
    void Handle(const std::uint8_t* bytes, std::size_t n, Clock::time_point seen);
    void SendReply(const Reaction& reaction, Clock::time_point heard);
    void WriteToHost(const std::uint8_t* bytes, std::size_t n);
    void EndSession(bool hungUp);
    bool HangUp();
    void PaceUntil(Clock::time_point deadline);

    SimulatorOptions m_options;
    std::unique_ptr<RadioEngine> m_engine;
    SessionCallback m_callback;
    std::thread m_thread;
    int m_master = -1;
    int m_stopPipe[2] = {-1, -1};
    bool m_running = false;

    // Owned by the serving thread.
    SessionRecord m_current;
    bool m_sessionActive = false;
    Clock::time_point m_rxFree{};
    Clock::time_point m_txFree{};

    mutable std::mutex m_mutex; // guards what other threads read
    mutable std::condition_variable m_sessionEnded;
    std::string m_devicePath;
    std::vector<SessionRecord> m_sessions;
    bool m_serving = false;
    std::string m_serveError;
};

} // namespace radio::sim

#endif // _WIN32
