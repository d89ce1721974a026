#include "sim_engine.h"

#include <protocol.h>

#include <algorithm>
#include <cmath>

namespace kestrova::sim {

namespace {
constexpr int ReadingPayloadSize = 12;
}

SimulatorEngine::SimulatorEngine(const SimulatorConfig &config)
    : m_config(config), m_random(config.seed)
{
    if (m_config.readingIntervalMs <= 0)
        m_config.readingIntervalMs = 100;
    if (m_config.deviceCode == DeviceCodeTextDevice) {
        m_streaming = true;
        m_nextReadingMs = m_config.readingIntervalMs;
    }
}

bool SimulatorEngine::Dropped() const
{
    return m_config.dropAfterMs >= 0 && m_streaming && StreamMs() >= m_config.dropAfterMs;
}

double SimulatorEngine::HeartRateAt(int64_t streamMs) const
{
    const double minutes = double(streamMs) / 60000.0;
    return std::min(m_config.maxHeartRate, m_config.restHeartRate + m_config.heartRateRamp * minutes);
}

double SimulatorEngine::VentilationAt(int64_t streamMs) const
{
    const double minutes = double(streamMs) / 60000.0;
    return std::min(m_config.maxVentilation, m_config.restVentilation + m_config.ventilationRamp * minutes);
}

uint16_t SimulatorEngine::BeatIntervalAt(int64_t streamMs) const
{
    if (m_config.noBeatFromMs >= 0 && streamMs >= m_config.noBeatFromMs
        && (m_config.noBeatToMs < 0 || streamMs < m_config.noBeatToMs))
        return 0;
    const double hr = HeartRateAt(streamMs);
    if (hr <= 0)
        return 0;
    return static_cast<uint16_t>(std::lround(std::min(60000.0 / hr, 65535.0)));
}

QByteArray SimulatorEngine::TextPacket(int pulses)
{
    // 14 characters; the count sits in characters 9 to 13.
    return QByteArray("KSTV0001") + QByteArray::number(std::clamp(pulses, 0, 99999)).rightJustified(5, '0') + '\r';
}

QByteArray SimulatorEngine::Frame(uint8_t command, const QByteArray &payload)
{
    ++m_framesSent;
    QByteArray frame = InstrumentFrame(command, payload);
    const auto every = [&](int n) { return n > 0 && m_framesSent % n == 0; };
    if (every(m_config.badChecksumEvery))
        frame[frame.size() - 2] = char(uint8_t(frame[frame.size() - 2]) + 1);
    if (every(m_config.wrongEndEvery))
        frame[frame.size() - 1] = char(0x0E);
    if (every(m_config.garbageEvery)) {
        std::uniform_int_distribution<int> len(1, 24), byte(0, 255);
        QByteArray noise;
        for (int i = len(m_random); i > 0; --i) {
            int b = byte(m_random);
            noise.append(char(b == FrameSync ? 0xFF : b));
        }
        frame.prepend(noise);
    }
    return frame;
}

QByteArray SimulatorEngine::Receive(const QByteArray &bytes)
{
    if (m_config.silence || m_config.deviceCode == DeviceCodeTextDevice)
        return {};
    m_input.append(bytes);
    m_pendingReply.clear();
    for (;;) {
        const qsizetype sync = m_input.indexOf(char(FrameSync));
        if (sync < 0) {
            m_input.clear();
            break;
        }
        m_input.remove(0, sync);
        if (m_input.size() < 7)
            break;
        const int n = uint8_t(m_input[4]);
        if (m_input.size() < 7 + n)
            break;
        const auto *f = reinterpret_cast<const uint8_t *>(m_input.constData());
        if (n > FrameMaxPayload || f[5 + n] != FrameChecksum(f, n) || f[6 + n] != FrameEnd) {
            ++m_counts.badFrames;
            m_input.remove(0, 1);
            continue;
        }
        const uint8_t command = f[3];
        m_input.remove(0, 7 + n);
        HandleFrame(command);
    }
    return Dropped() ? QByteArray() : m_pendingReply;
}

void SimulatorEngine::HandleFrame(uint8_t command)
{
    if (Dropped())
        return;
    switch (command) {
    case CmdCodeIdentify:
        ++m_counts.identify;
        m_pendingReply += Frame(CmdCodeIdentify, QByteArray(1, char(uint8_t(m_config.deviceCode))) + char(1));
        break;
    case CmdCodeConfigure:
        ++m_counts.configure;
        m_pendingReply += Frame(CmdCodeConfigure, {});
        break;
    case CmdCodeStart:
        ++m_counts.start;
        m_pendingReply += Frame(CmdCodeStart, {});
        if (!m_streaming) {
            m_streaming = true;
            m_streamStartMs = m_lastPulseMs = m_nowMs;
            m_pulseFraction = 0;
        }
        m_nextReadingMs = m_nowMs + m_config.readingIntervalMs;
        m_awaitingNext = false;
        break;
    case CmdCodeStop:
        ++m_counts.stop;
        m_streaming = false;
        break;
    case CmdCodeNext:
        ++m_counts.next;
        m_awaitingNext = false;
        break;
    default:
        break;
    }
}

int SimulatorEngine::TakePulses(int64_t streamMs)
{
    // Litres breathed since the last reading, in whole pulses; the remainder carries over.
    const int64_t from = m_lastPulseMs - m_streamStartMs;
    const double litres = (VentilationAt(from) + VentilationAt(streamMs)) / 2.0
                          * double(streamMs - from) / 60000.0;
    m_lastPulseMs = m_streamStartMs + streamMs;
    m_pulseFraction += litres / m_config.litresPerPulse;
    const double whole = std::floor(m_pulseFraction + 1e-9);
    m_pulseFraction = std::max(0.0, m_pulseFraction - whole);
    return static_cast<int>(std::min(whole, 65535.0));
}

QByteArray SimulatorEngine::NextReading()
{
    const int64_t t = StreamMs();
    const int pulses = TakePulses(t);
    ++m_counts.readings;
    if (m_config.deviceCode == DeviceCodeTextDevice)
        return TextPacket(pulses);
    const uint16_t beat = BeatIntervalAt(t);
    QByteArray payload(ReadingPayloadSize, '\0');
    payload[0] = char(pulses >> 8);
    payload[1] = char(pulses & 0xFF);
    payload[2] = char(m_counts.readings & 0xFF);
    payload[7] = char(beat >> 8);
    payload[8] = char(beat & 0xFF);
    return Frame(CmdReading, payload);
}

int64_t SimulatorEngine::MsUntilOutput() const
{
    if (m_config.silence || !m_streaming || m_awaitingNext || Dropped())
        return -1;
    return std::max<int64_t>(0, m_nextReadingMs - m_nowMs);
}

QByteArray SimulatorEngine::Advance(int64_t ms)
{
    QByteArray out;
    const int64_t end = m_nowMs + std::max<int64_t>(ms, 0);
    for (;;) {
        const int64_t wait = MsUntilOutput();
        if (wait < 0 || m_nowMs + wait > end)
            break;
        m_nowMs += wait;
        if (Dropped())
            break;
        out += NextReading();
        m_nextReadingMs = m_nowMs + m_config.readingIntervalMs;
        if (m_config.waitForNext && m_config.deviceCode != DeviceCodeTextDevice)
            m_awaitingNext = true;
    }
    m_nowMs = end;
    return out;
}

} // namespace kestrova::sim
