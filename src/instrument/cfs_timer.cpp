#include "cfs_timer.h"

namespace kestrova {

TCFSTimer::TCFSTimer(bool startNow, Clock &clock)
    : m_clock(clock)
{
    m_hasCounter = clock.HasCounter() && clock.Frequency() > 0;
    m_frequency = m_hasCounter ? clock.Frequency() : 1000;
    if (startNow)
        Start();
}

void TCFSTimer::Start()
{
    m_startCount = m_clock.Counter();
    m_lapCount = m_startCount;
    m_running = true;
}

void TCFSTimer::Lap()
{
    m_lapCount = m_clock.Counter();
}

void TCFSTimer::Stop()
{
    m_stopCount = m_clock.Counter();
    m_running = false;
}

int64_t TCFSTimer::ElapsedMs() const
{
    const int64_t end = m_running ? m_lapCount : m_stopCount;
    const int64_t delta = end - m_startCount;
    // A nanosecond counter overflows delta*1000 only after about 106 days.
    return delta * 1000 / m_frequency;
}

} // namespace kestrova
