#pragma once

// Runs a SimulatorEngine on a pseudo-terminal: the program opens the pty's device like any
// serial port. speed > 1 runs simulated time faster than the wall clock (tests); the
// announcement makes the port visible to ListSerialPorts.

#include "sim_engine.h"

#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

namespace kestrova::sim {

class PtySimulator
{
public:
    explicit PtySimulator(const SimulatorConfig &config = {}, double speed = 1.0);
    ~PtySimulator();
    PtySimulator(const PtySimulator &) = delete;
    PtySimulator &operator=(const PtySimulator &) = delete;

    // Opens the pty and, when announceFolder is not empty, announces it there. False (with
    // ErrorText) when the pty cannot be made.
    bool Open(const QString &announceFolder);
    // Serves in a background thread until Stop.
    bool Start(const QString &announceFolder);
    void Stop();
    // Serves in the calling thread until stop becomes true.
    void Run(const std::atomic<bool> &stop);

    QString DevicePath() const { return m_device; }
    QString PortName() const;
    QString AnnouncementFile() const { return m_announcement; }
    QString ErrorText() const { return m_error; }
    SimulatorCounts Counts() const;

private:
    void Serve(const std::atomic<bool> &stop);
    void Send(const QByteArray &bytes);
    void CloseAll();

    SimulatorEngine m_engine;
    mutable std::mutex m_mutex;
    double m_speed;
    int m_master = -1;
    int m_slave = -1;
    QString m_device;
    QString m_announcement;
    QString m_error;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

} // namespace kestrova::sim
