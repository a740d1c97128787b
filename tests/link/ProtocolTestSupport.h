// In-memory stand-ins for the port, the waits and the window around a
// transfer, so protocol tests run fast and in a fixed order.
//
// The fake line has its own clock: waits move it on, and a radio's answer
// arrives a little after the byte that caused it. A purge drops only what has
// arrived, so a purge right after a write keeps the answer in flight (as on a
// real line, where the host's drain ends before the radio can answer), while
// a purge after a wait drops it.
#pragma once

#include "CloneProtocol.h"
#include "RadioEngine.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace radio::test {

inline std::string Hex(const std::uint8_t* data, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        char buf[4];
        std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", data[i]);
        s += buf;
    }
    return s;
}

// Everything that happens, in order, on one clock.
struct Timeline {
    long long nowUs = 0;
    std::vector<std::string> ops;
    void Log(std::string op) { ops.push_back(std::move(op)); }
};

class RecordingWaiter final : public IWaiter {
public:
    explicit RecordingWaiter(Timeline& t) : t_(t) {}
    void WaitMs(int ms) override {
        waits.push_back(ms);
        t_.nowUs += 1000LL * ms;
        t_.Log("wait " + std::to_string(ms));
    }
    std::vector<int> waits;

private:
    Timeline& t_;
};

class FakePort {
public:
    using Responder = std::function<sim::Reaction(std::uint8_t)>;

    FakePort(Timeline& t, Responder responder) : t_(t), responder_(std::move(responder)) {}

    // Answers arrive this long after the byte that caused them.
    long long latencyUs = 300;
    // Attempts (counted by full purges) whose answers are lost on the line.
    int muteAttempts = 0;
    // Whether a read in the given attempt fails with an I/O error.
    std::function<bool(int attempt)> readError;

    std::vector<std::uint8_t> written;
    int attempts = 0; // full purges
    int closes = 0;
    bool hungUp = false;

    void Configure() { t_.Log("configure"); }
    void PurgeAll() {
        ++attempts;
        Drop();
        t_.Log("purgeAll");
    }
    void PurgeBuffers() {
        Drop();
        t_.Log("purge");
    }
    bool Write(const std::uint8_t* data, std::size_t n) {
        t_.Log("write " + Hex(data, n));
        if (hungUp) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            written.push_back(data[i]);
            sim::Reaction r = responder_(data[i]);
            if (r.hangUp) {
                hungUp = true;
                return false;
            }
            if (attempts <= muteAttempts) {
                continue;
            }
            for (std::uint8_t b : r.bytes) {
                inFlight_.emplace_back(t_.nowUs + latencyUs, b);
            }
        }
        return true;
    }
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) {
        t_.Log("read " + std::to_string(n));
        received = 0;
        if (hungUp || (readError && readError(attempts))) {
            return false;
        }
        while (received < n && !arrived_.empty()) {
            buffer[received++] = arrived_.front();
            arrived_.pop_front();
        }
        while (received < n && !inFlight_.empty()) {
            t_.nowUs = std::max(t_.nowUs, inFlight_.front().first);
            buffer[received++] = inFlight_.front().second;
            inFlight_.pop_front();
        }
        if (received < n) {
            t_.nowUs += 30'000; // the time-out
        }
        return true;
    }
    void Close() {
        ++closes;
        t_.Log("close");
    }

private:
    void Drop() {
        while (!inFlight_.empty() && inFlight_.front().first <= t_.nowUs) {
            inFlight_.pop_front();
        }
        arrived_.clear();
    }

    Timeline& t_;
    Responder responder_;
    std::deque<std::pair<long long, std::uint8_t>> inFlight_;
    std::deque<std::uint8_t> arrived_;
};

// What the transfer gets from the opener: a handle on the test's FakePort.
class FakePortHandle final : public ISerialPort {
public:
    explicit FakePortHandle(FakePort& port) : port_(port) {}
    void Configure() override { port_.Configure(); }
    void PurgeAll() override { port_.PurgeAll(); }
    void PurgeBuffers() override { port_.PurgeBuffers(); }
    bool Write(const std::uint8_t* data, std::size_t n) override { return port_.Write(data, n); }
    bool Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) override {
        return port_.Read(buffer, n, received);
    }
    void Close() override { port_.Close(); }

private:
    FakePort& port_;
};

class FakeOpener final : public IPortOpener {
public:
    explicit FakeOpener(FakePort& port) : port_(port) {}
    std::unique_ptr<ISerialPort> Open(const std::string& name, std::string& reason) override {
        ++opens;
        openedName = name;
        if (!failReason.empty()) {
            reason = failReason;
            return nullptr;
        }
        return std::make_unique<FakePortHandle>(port_);
    }
    std::string failReason;
    int opens = 0;
    std::string openedName;

private:
    FakePort& port_;
};

class RecordingHost final : public ITransferHost {
public:
    explicit RecordingHost(Timeline& t) : t_(t) {}

    void StepProgress(int pairsDone) override {
        t_.Log("step " + std::to_string(pairsDone));
        steps.push_back(pairsDone);
        if (pairsDone == cancelAtPair) {
            cancel = true;
        }
    }
    void PumpOneEvent() override {
        t_.Log("pump");
        if (++pumps == cancelAfterPumps) {
            cancel = true;
        }
    }
    bool CancelRequested() override { return cancel; }
    void ShowMessage(LinkMessage id, const char* detail) override {
        t_.Log("message " + std::to_string(static_cast<int>(id)));
        messages.push_back(static_cast<int>(id));
        details.emplace_back(detail ? detail : "");
    }
    bool AskRetry() override {
        t_.Log("ask");
        ++asks;
        if (retryAnswers.empty()) {
            return false;
        }
        const bool retry = retryAnswers.front();
        retryAnswers.pop_front();
        return retry;
    }

    // Script
    std::deque<bool> retryAnswers; // then Cancel
    int cancelAfterPumps = -1;
    int cancelAtPair = -1;

    // Record
    std::vector<int> steps;
    std::vector<int> messages;
    std::vector<std::string> details;
    int pumps = 0;
    int asks = 0;
    bool cancel = false;

private:
    Timeline& t_;
};

// Radio memory with a different value at every address of a pair.
inline Image PatternImage(int size, int seed = 0) {
    Image image(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        image[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>((i * 7 + (i >> 8) + seed) & 0xFF);
    }
    return image;
}

} // namespace radio::test
