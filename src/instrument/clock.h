#pragma once

// Monotonic time source of the link and the stopwatch. The link's pauses go through it too, so
// tests drive time with ManualClock instead of sleeping.

#include <atomic>
#include <cstdint>

namespace kestrova {

class Clock
{
public:
    virtual ~Clock() = default;
    // Counter value now; Frequency() counts per second.
    virtual int64_t Counter() const = 0;
    virtual int64_t Frequency() const = 0;
    // False when the system offers no high-resolution counter.
    virtual bool HasCounter() const { return true; }
    virtual void SleepMs(int ms) = 0;

    int64_t NowMs() const;
};

// steady_clock in nanoseconds; sleeps for real.
class SystemClock final : public Clock
{
public:
    int64_t Counter() const override;
    int64_t Frequency() const override { return 1000000000; }
    void SleepMs(int ms) override;

    static SystemClock &Instance();
};

// A clock that moves only when told; SleepMs advances it. Safe to read from another thread.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(int64_t frequency = 1000000, bool hasCounter = true)
        : m_frequency(frequency), m_hasCounter(hasCounter) {}
    int64_t Counter() const override { return m_counter.load(); }
    int64_t Frequency() const override { return m_frequency; }
    bool HasCounter() const override { return m_hasCounter; }
    void SleepMs(int ms) override { AdvanceMs(ms); }

    void AdvanceMs(int64_t ms) { m_counter += ms * m_frequency / 1000; }
    void AdvanceCounts(int64_t counts) { m_counter += counts; }
    int64_t SleptMs() const { return m_counter.load() * 1000 / m_frequency; }

private:
    std::atomic<int64_t> m_counter {0};
    int64_t m_frequency;
    bool m_hasCounter;
};

} // namespace kestrova
