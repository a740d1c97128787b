#include "SystemWaiter.h"

#include <thread>

namespace radio {

namespace {
#ifdef _WIN32
// Sleeps there come in steps of the system timer (up to 15.6 ms), so the
// protocol's 1 and 2 ms pauses are spun whole.
constexpr std::chrono::microseconds kSpinStretch{2500};
#else
// Longer than the usual oversleep, short enough to keep the spin cheap.
constexpr std::chrono::microseconds kSpinStretch{200};
#endif
} // namespace

void SystemWaiter::WaitMs(int ms) {
    if (ms <= 0) {
        return;
    }
    WaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

void SystemWaiter::WaitUntil(std::chrono::steady_clock::time_point deadline) {
    const auto wakeUp = deadline - kSpinStretch;
    if (std::chrono::steady_clock::now() < wakeUp) {
        std::this_thread::sleep_until(wakeUp);
    }
    // No yield here: with other threads ready it can give the processor
    // away for a whole time slice.
    while (std::chrono::steady_clock::now() < deadline) {
    }
}

} // namespace radio
