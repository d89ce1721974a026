#pragma once

// The state of the instrument link that the main window owns for the whole run, the link
// polling of its idle timer (SensorTick) and the port search (IdentHard). No widgets: the
// window applies the returned icon states, hints and interval to its timer and images.

#include "clock.h"
#include "port_discovery.h"
#include "protocol.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace kestrova {

enum class StatusIcon : uint8_t {
    None = 0,
    Receiving = 1,
    Silent = 2,
    NotFound = 3,
    Disabled = 4,
    Manual = 5,   // heart-rate icon only
};

enum LinkStateCode : uint8_t {
    LinkClosed = 0,
    LinkPortOpen = 1,
    LinkIdentified = 2,
    LinkConfigured = 3,
    LinkStreaming = 4,
};

// HardwareLimiar values.
inline constexpr uint8_t VariantUnsupported = 1;   // answered with code 25
inline constexpr uint8_t VariantTextDevice = 2;    // code 2313, found only by the port test
inline constexpr uint8_t VariantInstrument = 3;    // codes 45 and 145

inline constexpr int SensorIntervalMinMs = 100;
inline constexpr int SensorIntervalMaxMs = 6100;
inline constexpr int SensorIntervalStepMs = 2000;
// Per-byte time-out for draining a late identification reply before identifying again.
inline constexpr int LateReplyDrainMs = 50;

// Device code 45 is the older variant of the instrument. Its refusal on newer Windows came
// from that system's driver for the variant's USB chip; Linux drives the chip with the kernel's
// own driver, so the variant is accepted there. Applies to the polling's identification only.
bool PollingAcceptsDeviceCode(int deviceCode);

// Fixed hint of an icon state (the NotFound hints change at run time: see SensorTickResult).
QString StatusIconHint(bool heartRateIcon, StatusIcon state);
QString DefaultInstrumentNotFoundHint();
QString DefaultHeartRateNotFoundHint();

struct LinkEnvironment
{
    SerialPortFactory portFactory = DefaultSerialPortFactory();
    Clock *clock = &SystemClock::Instance();
    std::function<QStringList()> listPorts = &ListSerialPortNames;
    // Stores "Serial" and "HardwareLimiar" once IdentHard has found the instrument.
    std::function<void(const QString &serial, uint8_t hardwareLimiar)> saveSettings;
};

struct SensorTickResult
{
    bool ran = false;        // false when a port search was already running
    StatusIcon instrumentIcon = StatusIcon::NotFound;
    StatusIcon heartRateIcon = StatusIcon::NotFound;
    QString instrumentNotFoundHint;   // hint of the red instrument icon
    QString heartRateNotFoundHint;    // hint of the red heart-rate icon
    int intervalMs = SensorIntervalMinMs;
    bool goodReading = false;
    Reading reading;
};

class InstrumentLink
{
public:
    explicit InstrumentLink(LinkEnvironment env = {});
    ~InstrumentLink();
    InstrumentLink(const InstrumentLink &) = delete;
    InstrumentLink &operator=(const InstrumentLink &) = delete;

    // One tick of tmSensor. manualHeartRate: heart rate is typed by hand (AquisicaoFC off).
    SensorTickResult SensorTick(bool manualHeartRate);
    // Searches PortList from the last port to the first for the instrument.
    void IdentHard();
    // Timer switched on again: back to the short interval.
    void ResetInterval() { intervalMs = SensorIntervalMinMs; }
    // Failures count up to 255 and stay there.
    void CountFailure();
    bool PortOpen() const { return port && port->IsOpen(); }
    void ClosePort();

    const LinkEnvironment &Environment() const { return m_env; }
    Clock &LinkClock() const { return *m_env.clock; }

    PortHandle port;                 // the main port
    QString Serial = QStringLiteral("COM1");
    uint8_t HardwareLimiar = VariantInstrument;
    uint8_t LinkState = LinkClosed;
    uint8_t LinkFailures = 0;
    bool IdentifyingFlag = false;
    QStringList PortList;
    uint8_t PortCount = 0;
    FrameBuffer Buffer {};
    int intervalMs = SensorIntervalMinMs;
    QString instrumentNotFoundHint;
    QString heartRateNotFoundHint;

private:
    bool StepIdentify();
    bool StepCommand(const QByteArray &command, uint8_t reply);

    LinkEnvironment m_env;
};

} // namespace kestrova
