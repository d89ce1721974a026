#include "instrument_link.h"

#include <config.h>

#ifdef Q_OS_WIN
#include <QOperatingSystemVersion>
#endif

namespace kestrova {

bool PollingAcceptsDeviceCode(int deviceCode)
{
    if (deviceCode == DeviceCodeInstrument)
        return true;
    if (deviceCode != DeviceCodeInstrumentOld)
        return false;
#ifdef Q_OS_WIN
    return QOperatingSystemVersion::current() < QOperatingSystemVersion::Windows8;
#else
    return true;
#endif
}

QString DefaultInstrumentNotFoundHint()
{
    return QStringLiteral("Interface do Kestrova não encontrada! Verifique a Comunicação.");
}

QString DefaultHeartRateNotFoundHint()
{
    return QStringLiteral("Frequencímetro não encontrado! Verifique a comunicação.");
}

QString StatusIconHint(bool heartRateIcon, StatusIcon state)
{
    if (!heartRateIcon) {
        switch (state) {
        case StatusIcon::Receiving: return QStringLiteral("Interface do Kestrova encontrada! Recebendo dados...");
        case StatusIcon::Silent: return QStringLiteral("Interface do Kestrova encontrada! Não recebendo dados...");
        case StatusIcon::NotFound: return DefaultInstrumentNotFoundHint();
        case StatusIcon::Disabled: return QStringLiteral("Interface do Kestrova desabilitada!");
        default: return {};
        }
    }
    switch (state) {
    case StatusIcon::Receiving: return QStringLiteral("Frequencímetro encontrado! Recebendo dados...");
    case StatusIcon::Silent: return QStringLiteral("Frequencímetro encontrado! Não recebendo dados...");
    case StatusIcon::NotFound: return DefaultHeartRateNotFoundHint();
    case StatusIcon::Disabled: return QStringLiteral("Frequencímetro desabilitado! ");
    case StatusIcon::Manual: return QStringLiteral("Aquisição Manual selecionada! Frequencímetro desabilitado.");
    default: return {};
    }
}

static void SaveLinkSettings(const QString &serial, uint8_t hardwareLimiar)
{
    ConfigWriteString(QStringLiteral("Serial"), serial);
    ConfigWriteInteger(QStringLiteral("HardwareLimiar"), hardwareLimiar);
}

InstrumentLink::InstrumentLink(LinkEnvironment env)
    : instrumentNotFoundHint(DefaultInstrumentNotFoundHint()),
      heartRateNotFoundHint(DefaultHeartRateNotFoundHint()),
      m_env(std::move(env))
{
    if (!m_env.portFactory)
        m_env.portFactory = DefaultSerialPortFactory();
    if (!m_env.clock)
        m_env.clock = &SystemClock::Instance();
    if (!m_env.listPorts)
        m_env.listPorts = &ListSerialPortNames;
    if (!m_env.saveSettings)
        m_env.saveSettings = &SaveLinkSettings;
}

InstrumentLink::~InstrumentLink()
{
    if (port)
        port->Close();
}

void InstrumentLink::CountFailure()
{
    if (LinkFailures < 255)
        ++LinkFailures;
}

void InstrumentLink::ClosePort()
{
    CloseInstrumentPort(port, *m_env.clock);
}

void InstrumentLink::IdentHard()
{
    IdentifyingFlag = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset {IdentifyingFlag};

    Clock &clock = *m_env.clock;
    for (qsizetype i = PortList.size() - 1; i >= 0 && LinkState == LinkClosed; --i) {
        const QString name = PortList[i];
        const QString device = PortDevicePath(name);
        PortHandle probe;
        if (!OpenInstrumentPort(probe, device, InstrumentPortSettings, m_env.portFactory)) {
            CloseInstrumentPort(probe, clock);
            continue;
        }
        SendCommand(probe, CmdStop);
        clock.SleepMs(100);
        SendCommand(probe, CmdStop);
        clock.SleepMs(100);
        PurgePort(probe);
        clock.SleepMs(50);
        SendCommand(probe, CmdIdentify);
        clock.SleepMs(50);
        SendCommand(probe, CmdIdentify);
        clock.SleepMs(100);
        FrameBuffer reply {};
        const bool answered = ReceiveFrame(probe, reply, CmdCodeIdentify, FrameTimeoutMs);
        const int code = answered ? FramePayloadByte(reply, 0) : -1;
        if (code == DeviceCodeInstrument || code == DeviceCodeInstrumentOld) {
            // The probe, opened with the instrument's settings, becomes the main port: closing
            // and reopening the same device would only cost the close pause.
            port = std::move(probe);
            Serial = name;
            HardwareLimiar = VariantInstrument;
            LinkState = LinkPortOpen;
            continue;
        }
        CloseInstrumentPort(probe, clock);
        if (code == DeviceCodeUnsupported)
            HardwareLimiar = VariantUnsupported;
    }
    if (LinkState != LinkClosed)
        m_env.saveSettings(Serial, HardwareLimiar);
}

bool InstrumentLink::StepIdentify()
{
    PurgePort(port);
    // Drains a reply that arrived late for an earlier identification. At 115200 baud such a
    // reply is already under way after a few milliseconds, so waiting the full frame time-out
    // on a silent line would only hold up the window (by two seconds at every connection).
    ReceiveFrame(port, Buffer, CmdCodeIdentify, LateReplyDrainMs);
    m_env.clock->SleepMs(100);
    if (!SendCommand(port, CmdIdentify))
        return false;
    return ReceiveFrame(port, Buffer, CmdCodeIdentify, FrameTimeoutMs)
           && PollingAcceptsDeviceCode(FramePayloadByte(Buffer, 0));
}

bool InstrumentLink::StepCommand(const QByteArray &command, uint8_t reply)
{
    PurgePort(port);
    return SendCommand(port, command) && ReceiveFrame(port, Buffer, reply, FrameTimeoutMs);
}

SensorTickResult InstrumentLink::SensorTick(bool manualHeartRate)
{
    SensorTickResult r;
    if (IdentifyingFlag) {
        r.intervalMs = intervalMs;
        return r;
    }
    r.ran = true;

    PortList = m_env.listPorts();
    PortCount = static_cast<uint8_t>(std::min<qsizetype>(PortList.size(), 255));

    if (PortCount == 0) {
        LinkState = LinkClosed;
        instrumentNotFoundHint = heartRateNotFoundHint = QStringLiteral("Portas Seriais não encontradas!");
        intervalMs = SensorIntervalMinMs;
    } else {
        if (LinkState != LinkClosed) {
            intervalMs = SensorIntervalMinMs;
        } else {
            ClosePort();
            IdentHard();
            if (LinkState == LinkClosed && intervalMs < SensorIntervalMaxMs)
                intervalMs += SensorIntervalStepMs;
        }
        if (!PortOpen()) {
            LinkState = LinkClosed;
            CountFailure();
        }

        auto step = [&](bool ok, uint8_t next) {
            if (ok) {
                LinkState = next;
                LinkFailures = 0;
            } else {
                CountFailure();
            }
            return ok;
        };
        if (LinkState == LinkPortOpen)
            step(StepIdentify(), LinkIdentified);
        if (LinkState == LinkIdentified)
            step(StepCommand(CmdConfigure, CmdCodeConfigure), LinkConfigured);
        if (LinkState == LinkConfigured)
            step(StepCommand(CmdStart, CmdCodeStart), LinkStreaming);
        if (LinkState == LinkStreaming) {
            if (step(ReceiveFrame(port, Buffer, CmdReading, FrameTimeoutMs), LinkStreaming)) {
                r.reading = DecodeReading(Buffer);
                r.instrumentIcon = (FramePayloadByte(Buffer, 0) || FramePayloadByte(Buffer, 1))
                                       ? StatusIcon::Receiving : StatusIcon::Silent;
                r.heartRateIcon = manualHeartRate ? StatusIcon::Manual
                                  : (FramePayloadByte(Buffer, 7) || FramePayloadByte(Buffer, 8))
                                      ? StatusIcon::Receiving : StatusIcon::Silent;
                SendCommand(port, CmdNext);
                PurgePort(port);
                r.goodReading = true;
            }
        }

        if (HardwareLimiar == VariantUnsupported || HardwareLimiar == VariantTextDevice) {
            CountFailure();
            instrumentNotFoundHint = heartRateNotFoundHint =
                QStringLiteral("Interface econtrada não compatível: Dispositivo")
                + (HardwareLimiar == VariantUnsupported ? QStringLiteral(" (25)") : QStringLiteral(" (2313)"));
        } else {
            instrumentNotFoundHint = DefaultInstrumentNotFoundHint();
            heartRateNotFoundHint = DefaultHeartRateNotFoundHint();
        }
    }

    if (LinkFailures > 0) {
        ClosePort();
        LinkState = LinkClosed;
    }
    if (!r.goodReading) {
        r.instrumentIcon = StatusIcon::NotFound;
        r.heartRateIcon = manualHeartRate ? StatusIcon::Manual : StatusIcon::NotFound;
    }
    r.instrumentNotFoundHint = instrumentNotFoundHint;
    r.heartRateNotFoundHint = heartRateNotFoundHint;
    r.intervalMs = intervalMs;
    return r;
}

} // namespace kestrova
