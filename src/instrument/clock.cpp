#include "clock.h"

#include <chrono>
#include <thread>

namespace kestrova {

int64_t Clock::NowMs() const
{
    return Counter() * 1000 / Frequency();
}

int64_t SystemClock::Counter() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SystemClock &SystemClock::Instance()
{
    static SystemClock clock;
    return clock;
}

} // namespace kestrova
