#include "pty_simulator.h"

#include <port_discovery.h>

#include <chrono>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace kestrova::sim {

PtySimulator::PtySimulator(const SimulatorConfig &config, double speed)
    : m_engine(config), m_speed(speed > 0 ? speed : 1.0)
{
}

PtySimulator::~PtySimulator()
{
    Stop();
    CloseAll();
}

QString PtySimulator::PortName() const
{
    return PortNameForDevice(m_device);
}

SimulatorCounts PtySimulator::Counts() const
{
    std::lock_guard lock(m_mutex);
    return m_engine.Counts();
}

bool PtySimulator::Open(const QString &announceFolder)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_error = QStringLiteral("Não foi possível criar o terminal virtual: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Raw line discipline: no echo, no newline translation, 8-bit clean.
    termios tio {};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_device = QString::fromLocal8Bit(name);
    if (!announceFolder.isEmpty()) {
        m_announcement = AnnounceVirtualPort(m_device, announceFolder);
        if (m_announcement.isEmpty()) {
            m_error = QStringLiteral("Não foi possível anunciar a porta em %1").arg(announceFolder);
            CloseAll();
            return false;
        }
    }
    return true;
}

bool PtySimulator::Start(const QString &announceFolder)
{
    if (m_master < 0 && !Open(announceFolder))
        return false;
    m_stop = false;
    m_thread = std::thread([this] { Serve(m_stop); });
    return true;
}

void PtySimulator::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (!m_announcement.isEmpty()) {
        WithdrawVirtualPort(m_announcement);
        m_announcement.clear();
    }
}

void PtySimulator::Run(const std::atomic<bool> &stop)
{
    Serve(stop);
}

void PtySimulator::CloseAll()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void PtySimulator::Send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;   // nobody reads and the pty is full: the bytes are lost, as on a wire
        done += n;
    }
}

void PtySimulator::Serve(const std::atomic<bool> &stop)
{
    using Steady = std::chrono::steady_clock;
    auto last = Steady::now();
    double carriedMs = 0;
    char buf[512];
    while (!stop) {
        int64_t due;
        {
            std::lock_guard lock(m_mutex);
            due = m_engine.MsUntilOutput();
        }
        int waitMs = 50;
        if (due >= 0)
            waitMs = int(std::min<double>(50.0, double(due) / m_speed));
        pollfd pfd {m_master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, std::max(waitMs, 0));
        if (ready > 0 && (pfd.revents & POLLIN)) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0) {
                QByteArray reply;
                {
                    std::lock_guard lock(m_mutex);
                    reply = m_engine.Receive(QByteArray(buf, n));
                }
                Send(reply);
            }
        } else if (ready > 0) {
            // Hang-up or error on the master with our own slave open: pause instead of spinning.
            ::poll(nullptr, 0, 10);
        }
        const auto now = Steady::now();
        carriedMs += std::chrono::duration<double, std::milli>(now - last).count() * m_speed;
        last = now;
        const auto whole = static_cast<int64_t>(carriedMs);
        if (whole > 0) {
            carriedMs -= double(whole);
            QByteArray out;
            {
                std::lock_guard lock(m_mutex);
                out = m_engine.Advance(whole);
            }
            Send(out);
        }
    }
    // Take in what the program wrote before the stop, so the counts are complete.
    ssize_t n;
    while ((n = ::read(m_master, buf, sizeof buf)) > 0) {
        std::lock_guard lock(m_mutex);
        m_engine.Receive(QByteArray(buf, n));
    }
}

} // namespace kestrova::sim
