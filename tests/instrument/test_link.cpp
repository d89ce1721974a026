#include "sim_device.h"

#include <instrument_link.h>

#include <gtest/gtest.h>

using namespace kestrova;
using kestrova::testing::AttachSimulator;
using kestrova::testing::SteadyProfile;

namespace {

struct LinkBench
{
    ManualClock clock;
    FakePorts ports {&clock};
    QStringList portNames;
    QList<QPair<QString, int>> saved;
    std::unique_ptr<InstrumentLink> link;
    std::vector<std::unique_ptr<sim::SimulatorEngine>> devices;

    LinkBench()
    {
        LinkEnvironment env;
        env.portFactory = ports.Factory();
        env.clock = &clock;
        env.listPorts = [this] { return portNames; };
        env.saveSettings = [this](const QString &serial, uint8_t hl) { saved.append({serial, hl}); };
        link = std::make_unique<InstrumentLink>(env);
    }

    // A port with nothing attached (it opens but never answers).
    void AddSilentPort(const QString &name)
    {
        portNames.append(name);
        ports.Line(PortDevicePath(name));
    }

    sim::SimulatorEngine &AddInstrument(const QString &name, const sim::SimulatorConfig &config)
    {
        portNames.append(name);
        devices.push_back(std::make_unique<sim::SimulatorEngine>(config));
        AttachSimulator(*ports.Line(PortDevicePath(name)), *devices.back());
        return *devices.back();
    }
};

QByteArray ReadingFrame(uint8_t p0, uint8_t p1, uint8_t b7, uint8_t b8, uint8_t b9 = 0, uint8_t b10 = 0)
{
    QByteArray payload(12, '\0');
    payload[0] = char(p0);
    payload[1] = char(p1);
    payload[7] = char(b7);
    payload[8] = char(b8);
    payload[9] = char(b9);
    payload[10] = char(b10);
    return InstrumentFrame(CmdReading, payload);
}

} // namespace

TEST(LinkPolling, NoSerialPortAtAll)
{
    LinkBench b;
    b.link->intervalMs = 4100;
    for (bool manual : {false, true}) {
        const SensorTickResult r = b.link->SensorTick(manual);
        EXPECT_TRUE(r.ran);
        EXPECT_EQ(r.instrumentIcon, StatusIcon::NotFound);
        EXPECT_EQ(r.heartRateIcon, manual ? StatusIcon::Manual : StatusIcon::NotFound);
        EXPECT_EQ(r.instrumentNotFoundHint, QStringLiteral("Portas Seriais não encontradas!"));
        EXPECT_EQ(r.heartRateNotFoundHint, QStringLiteral("Portas Seriais não encontradas!"));
        EXPECT_EQ(r.intervalMs, 100);
    }
    EXPECT_TRUE(b.ports.OpenLog().isEmpty());
    EXPECT_EQ(b.link->LinkState, LinkClosed);
}

TEST(LinkPolling, SearchRunsFromTheLastPortToTheFirst)
{
    LinkBench b;
    b.AddInstrument("ttyUSB0", SteadyProfile());
    b.AddSilentPort("ttyUSB1");
    b.AddSilentPort("pts/3");
    b.link->PortList = b.portNames;
    b.link->IdentHard();
    // The port that answered stays open as the main port; it is not opened a second time.
    EXPECT_EQ(b.ports.OpenLog(), QStringList({"/dev/pts/3", "/dev/ttyUSB1", "/dev/ttyUSB0"}));
    EXPECT_EQ(b.link->LinkState, LinkPortOpen);
    EXPECT_EQ(b.link->Serial, QStringLiteral("ttyUSB0"));
    EXPECT_EQ(b.link->HardwareLimiar, VariantInstrument);
    EXPECT_TRUE(b.link->PortOpen());
    EXPECT_FALSE(b.link->IdentifyingFlag);
    ASSERT_EQ(b.saved.size(), 1);
    EXPECT_EQ(b.saved[0], qMakePair(QStringLiteral("ttyUSB0"), 3));
    // The probes sent CmdStop twice then CmdIdentify twice.
    EXPECT_EQ(b.ports.Line("/dev/ttyUSB1")->written, CmdStop + CmdStop + CmdIdentify + CmdIdentify);
}

TEST(LinkPolling, FirstTickBringsTheLinkUpAndReads)
{
    LinkBench b;
    sim::SimulatorEngine &device = b.AddInstrument("ttyUSB0", SteadyProfile());
    const SensorTickResult r = b.link->SensorTick(false);
    ASSERT_TRUE(r.goodReading);
    EXPECT_EQ(b.link->LinkState, LinkStreaming);
    EXPECT_EQ(b.link->LinkFailures, 0);
    EXPECT_EQ(r.instrumentIcon, StatusIcon::Receiving);
    EXPECT_EQ(r.heartRateIcon, StatusIcon::Receiving);
    EXPECT_EQ(r.reading.pulses, 2);
    EXPECT_EQ(r.reading.BeatInterval(), 500);
    EXPECT_EQ(r.intervalMs, 100);
    EXPECT_EQ(device.Counts().configure, 1);
    EXPECT_EQ(device.Counts().start, 1);
    EXPECT_EQ(device.Counts().next, 1);

    const SensorTickResult second = b.link->SensorTick(true);
    EXPECT_TRUE(second.goodReading);
    EXPECT_EQ(second.heartRateIcon, StatusIcon::Manual);
    EXPECT_EQ(device.Counts().start, 1);
}

TEST(LinkPolling, IntervalGrowsWhileNothingAnswersAndResetsWhenFound)
{
    LinkBench b;
    b.AddSilentPort("ttyS0");
    std::vector<int> intervals;
    for (int i = 0; i < 4; ++i)
        intervals.push_back(b.link->SensorTick(false).intervalMs);
    EXPECT_EQ(intervals, (std::vector<int> {2100, 4100, 6100, 6100}));
    EXPECT_EQ(b.link->instrumentNotFoundHint, DefaultInstrumentNotFoundHint());
    EXPECT_TRUE(b.saved.isEmpty());

    b.AddInstrument("ttyUSB0", SteadyProfile());
    const SensorTickResult found = b.link->SensorTick(false);
    EXPECT_TRUE(found.goodReading);
    EXPECT_EQ(found.intervalMs, 6100);
    EXPECT_EQ(b.link->SensorTick(false).intervalMs, 100);
}

TEST(LinkPolling, UnsupportedDeviceIsNamedAndNeverUsed)
{
    LinkBench b;
    b.AddInstrument("ttyUSB0", SteadyProfile(25));
    for (int tick = 0; tick < 2; ++tick) {
        const SensorTickResult r = b.link->SensorTick(false);
        EXPECT_FALSE(r.goodReading);
        EXPECT_EQ(b.link->HardwareLimiar, VariantUnsupported);
        EXPECT_EQ(r.instrumentNotFoundHint, QStringLiteral("Interface econtrada não compatível: Dispositivo (25)"));
        EXPECT_EQ(r.heartRateNotFoundHint, r.instrumentNotFoundHint);
        EXPECT_EQ(r.instrumentIcon, StatusIcon::NotFound);
        EXPECT_GT(b.link->LinkFailures, 0);
        EXPECT_FALSE(b.link->PortOpen());
        EXPECT_EQ(b.link->LinkState, LinkClosed);
    }
    EXPECT_TRUE(b.saved.isEmpty());
}

TEST(LinkPolling, IconsFollowTheReadingBytes)
{
    const struct {
        const char *name;
        QByteArray frame;
        bool manual;
        StatusIcon instrument;
        StatusIcon heart;
    } rows[] = {
        {"pulses and beat", ReadingFrame(0, 3, 0x01, 0xF4), false, StatusIcon::Receiving, StatusIcon::Receiving},
        {"high pulse byte only", ReadingFrame(1, 0, 0, 0x01), false, StatusIcon::Receiving, StatusIcon::Receiving},
        {"turbine still", ReadingFrame(0, 0, 0x01, 0xF4), false, StatusIcon::Silent, StatusIcon::Receiving},
        {"no beat", ReadingFrame(0, 3, 0, 0), false, StatusIcon::Receiving, StatusIcon::Silent},
        {"second part alone is no beat", ReadingFrame(0, 3, 0, 0, 0x01, 0xF4), false, StatusIcon::Receiving, StatusIcon::Silent},
        {"manual heart rate", ReadingFrame(0, 0, 0, 0), true, StatusIcon::Silent, StatusIcon::Manual},
    };
    for (const auto &row : rows) {
        LinkBench b;
        b.AddSilentPort("ttyUSB0");
        auto line = b.ports.Line("/dev/ttyUSB0");
        ASSERT_TRUE(OpenInstrumentPort(b.link->port, "/dev/ttyUSB0", InstrumentPortSettings, b.ports.Factory()));
        b.link->LinkState = LinkStreaming;
        line->Push(row.frame);
        const SensorTickResult r = b.link->SensorTick(row.manual);
        EXPECT_TRUE(r.goodReading) << row.name;
        EXPECT_EQ(r.instrumentIcon, row.instrument) << row.name;
        EXPECT_EQ(r.heartRateIcon, row.heart) << row.name;
        EXPECT_TRUE(line->written.endsWith(CmdNext)) << row.name;
    }
}

TEST(LinkPolling, MissingReadingDropsTheLink)
{
    LinkBench b;
    b.AddSilentPort("ttyUSB0");
    ASSERT_TRUE(OpenInstrumentPort(b.link->port, "/dev/ttyUSB0", InstrumentPortSettings, b.ports.Factory()));
    b.link->LinkState = LinkStreaming;
    const SensorTickResult r = b.link->SensorTick(false);
    EXPECT_FALSE(r.goodReading);
    EXPECT_EQ(r.instrumentIcon, StatusIcon::NotFound);
    EXPECT_EQ(r.heartRateIcon, StatusIcon::NotFound);
    EXPECT_EQ(b.link->LinkState, LinkClosed);
    EXPECT_FALSE(b.link->port);
}

TEST(LinkPolling, TickDoesNothingWhileASearchRuns)
{
    LinkBench b;
    b.AddSilentPort("ttyUSB0");
    b.link->IdentifyingFlag = true;
    EXPECT_FALSE(b.link->SensorTick(false).ran);
    EXPECT_TRUE(b.ports.OpenLog().isEmpty());
}

TEST(LinkPolling, FailuresStopCountingAt255)
{
    LinkBench b;
    b.link->LinkFailures = 254;
    b.link->CountFailure();
    b.link->CountFailure();
    EXPECT_EQ(b.link->LinkFailures, 255);
}

TEST(LinkPolling, DeviceCodePolicy)
{
    EXPECT_TRUE(PollingAcceptsDeviceCode(145));
    EXPECT_TRUE(PollingAcceptsDeviceCode(45));
    EXPECT_FALSE(PollingAcceptsDeviceCode(25));
    EXPECT_FALSE(PollingAcceptsDeviceCode(0));

    LinkBench b;
    sim::SimulatorEngine &device = b.AddInstrument("ttyUSB0", SteadyProfile(45));
    EXPECT_TRUE(b.link->SensorTick(false).goodReading);
    EXPECT_EQ(device.Counts().start, 1);
}
