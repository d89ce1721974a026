#pragma once

// TCFSTimer: the stopwatch that gives a running test its elapsed time.

#include "clock.h"

#include <cstdint>

namespace kestrova {

class TCFSTimer
{
public:
    explicit TCFSTimer(bool startNow = false, Clock &clock = SystemClock::Instance());

    void Start();
    void Lap();
    void Stop();
    // (Lap or Stop − Start) in milliseconds, truncated; product first so no precision is lost.
    int64_t ElapsedMs() const;

    bool Running() const { return m_running; }
    bool HasCounter() const { return m_hasCounter; }
    int64_t Frequency() const { return m_frequency; }
    int64_t StartCount() const { return m_startCount; }
    int64_t LapCount() const { return m_lapCount; }
    int64_t StopCount() const { return m_stopCount; }

private:
    Clock &m_clock;
    bool m_running = false;
    bool m_hasCounter = false;
    int64_t m_frequency = 1000;
    int64_t m_startCount = 0;
    int64_t m_lapCount = 0;
    int64_t m_stopCount = 0;
};

} // namespace kestrova
