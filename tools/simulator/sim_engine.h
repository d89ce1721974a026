#pragma once

// The instrument's stand-in, without any I/O: it takes the bytes the program writes, answers
// identification, configuration and start, and while started emits a reading frame every
// 100 ms of simulated time with turbine pulses and heart-beat intervals from an exercise
// profile. Fault modes corrupt or withhold what it sends. Time moves only through Advance, so
// the same engine runs in real time on a pty or as fast as a test likes.

#include <QByteArray>

#include <cstdint>
#include <random>

namespace kestrova::sim {

struct SimulatorConfig
{
    int deviceCode = 145;            // 145; 45 or 25 for the other variants; 2313 text device
    // Exercise profile: rest values at the start, rising linearly per minute up to the maxima.
    double restHeartRate = 70;       // bpm
    double heartRateRamp = 12;       // bpm per minute
    double maxHeartRate = 195;       // bpm
    double restVentilation = 12;     // L/min
    double ventilationRamp = 8;      // L/min per minute
    double maxVentilation = 160;     // L/min
    double litresPerPulse = 0.027;   // turbine calibration
    int readingIntervalMs = 100;
    bool waitForNext = false;        // hold each reading until the program's CmdNext

    // Fault modes.
    bool silence = false;            // answers nothing, sends nothing
    int garbageEvery = 0;            // noise before every n-th frame (0: never)
    int badChecksumEvery = 0;        // every n-th frame with a wrong checksum
    int wrongEndEvery = 0;           // every n-th frame ending in 0x0E
    int64_t dropAfterMs = -1;        // falls silent after this much streaming
    int64_t noBeatFromMs = -1;       // no heart beat in [from, to) of streaming time
    int64_t noBeatToMs = -1;
    unsigned seed = 1;
};

struct SimulatorCounts
{
    int identify = 0;
    int configure = 0;
    int start = 0;
    int stop = 0;
    int next = 0;
    int readings = 0;
    int badFrames = 0;               // frames from the program that failed their checksum
};

class SimulatorEngine
{
public:
    explicit SimulatorEngine(const SimulatorConfig &config = {});

    // Bytes written by the program; returns the bytes to send back at once.
    QByteArray Receive(const QByteArray &bytes);
    // ms of time pass; returns what the instrument sent meanwhile.
    QByteArray Advance(int64_t ms);
    // Milliseconds until Advance would send something; -1 when nothing is due.
    int64_t MsUntilOutput() const;

    bool Streaming() const { return m_streaming; }
    bool Dropped() const;
    int64_t NowMs() const { return m_nowMs; }
    int64_t StreamMs() const { return m_nowMs - m_streamStartMs; }
    const SimulatorCounts &Counts() const { return m_counts; }
    const SimulatorConfig &Config() const { return m_config; }

    // Profile values after streamMs of streaming.
    double HeartRateAt(int64_t streamMs) const;
    double VentilationAt(int64_t streamMs) const;
    // Beat interval in ms (0 while the receiver is silent).
    uint16_t BeatIntervalAt(int64_t streamMs) const;

    static QByteArray TextPacket(int pulses);

private:
    void HandleFrame(uint8_t command);
    QByteArray Frame(uint8_t command, const QByteArray &payload);
    QByteArray NextReading();
    int TakePulses(int64_t streamMs);

    SimulatorConfig m_config;
    SimulatorCounts m_counts;
    QByteArray m_input;
    QByteArray m_pendingReply;
    std::mt19937 m_random;
    int64_t m_nowMs = 0;
    int64_t m_streamStartMs = 0;
    int64_t m_nextReadingMs = 0;
    int64_t m_lastPulseMs = 0;
    double m_pulseFraction = 0;
    bool m_streaming = false;
    bool m_awaitingNext = false;
    int m_framesSent = 0;
};

} // namespace kestrova::sim
