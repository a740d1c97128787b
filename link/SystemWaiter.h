// The protocol's pauses on the real clock.
//
// A plain sleep of 1 ms usually takes 1.05 to 1.1 ms (timer slack and wake-up
// latency), and the protocol makes thousands of such pauses per transfer. So
// the waiter sleeps until shortly before the deadline and spins the rest.
#pragma once

#include "SerialPort.h"

#include <chrono>

namespace radio {

class SystemWaiter final : public IWaiter {
public:
    void WaitMs(int ms) override;

    // Sleeps until `deadline` on the steady clock, spinning the last stretch.
    static void WaitUntil(std::chrono::steady_clock::time_point deadline);
};

} // namespace radio
