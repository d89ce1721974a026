// The real serial layer against the simulator on a pseudo-terminal.

#include <instrument_link.h>
#include <port_discovery.h>
#include <protocol.h>
#include <pty_simulator.h>

#include <gtest/gtest.h>

#include <QFile>

using namespace kestrova;

namespace {

sim::SimulatorConfig Steady()
{
    sim::SimulatorConfig c;
    c.restHeartRate = 120;
    c.heartRateRamp = 0;
    c.restVentilation = 2 * 600 * 0.027;
    c.ventilationRamp = 0;
    return c;
}

} // namespace

TEST(SimulatorOnPty, FoundIdentifiedStartedAndRead)
{
    sim::PtySimulator simulator(Steady(), 10.0);
    ASSERT_TRUE(simulator.Start(VirtualPortsFolder())) << simulator.ErrorText().toStdString();
    ASSERT_TRUE(ListSerialPortNames().contains(simulator.PortName()));
    ASSERT_TRUE(ListSerialPorts().split(',').contains(simulator.PortName()));

    // Pauses of the search go through a manual clock; the reads wait for real.
    ManualClock pauses;
    LinkEnvironment env;
    env.clock = &pauses;
    env.listPorts = [&] { return QStringList {simulator.PortName()}; };
    QString savedSerial;
    env.saveSettings = [&](const QString &serial, uint8_t) { savedSerial = serial; };
    InstrumentLink link(env);
    link.PortList = env.listPorts();
    link.IdentHard();
    ASSERT_EQ(link.LinkState, LinkPortOpen);
    EXPECT_EQ(savedSerial, simulator.PortName());

    // Identification as the polling's step does it, without its wait for a late reply.
    ASSERT_TRUE(PurgePort(link.port));
    ASSERT_TRUE(SendCommand(link.port, CmdIdentify));
    ASSERT_TRUE(ReceiveFrame(link.port, link.Buffer, CmdCodeIdentify, 2000)) << int(LinkError);
    EXPECT_EQ(FramePayloadByte(link.Buffer, 0), 145);
    link.LinkState = LinkIdentified;

    const SensorTickResult tick = link.SensorTick(false);
    ASSERT_TRUE(tick.goodReading) << int(LinkError);
    EXPECT_EQ(link.LinkState, LinkStreaming);
    EXPECT_EQ(tick.instrumentIcon, StatusIcon::Receiving);
    EXPECT_EQ(tick.heartRateIcon, StatusIcon::Receiving);

    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(ReceiveFrame(link.port, link.Buffer, CmdReading, 2000)) << i << " " << int(LinkError);
        const Reading r = DecodeReading(link.Buffer);
        EXPECT_EQ(r.pulses, 2) << i;
        EXPECT_EQ(r.BeatInterval(), 500) << i;
        ASSERT_TRUE(SendCommand(link.port, CmdNext));
    }
    CloseInstrumentPort(link.port, pauses);
    simulator.Stop();
    // The loop's 20; the tick's own may fall to the purge that follows it on a pty.
    EXPECT_GE(simulator.Counts().next, 20);
    EXPECT_FALSE(ListSerialPortNames().contains(simulator.PortName()));
}

TEST(SimulatorOnPty, PortHeldByTheLinkIsNotAvailable)
{
    sim::PtySimulator simulator(Steady(), 10.0);
    ASSERT_TRUE(simulator.Start(VirtualPortsFolder()));
    EXPECT_EQ(CheckPortAvailability(simulator.PortName()), PortAvailability::Available);
    PortHandle port;
    ASSERT_TRUE(OpenInstrumentPort(port, simulator.DevicePath()));
    EXPECT_EQ(CheckPortAvailability(simulator.PortName()), PortAvailability::InUse);
    EXPECT_FALSE(TestPortOpens(simulator.DevicePath()));
    ManualClock clock;
    CloseInstrumentPort(port, clock);
    EXPECT_TRUE(TestPortOpens(simulator.DevicePath()));
}

TEST(SimulatorOnPty, TextDeviceReadAt19200)
{
    sim::SimulatorConfig c = Steady();
    c.deviceCode = DeviceCodeTextDevice;
    sim::PtySimulator simulator(c, 10.0);
    ASSERT_TRUE(simulator.Start(QString()));
    PortHandle port;
    ASSERT_TRUE(OpenInstrumentPort(port, simulator.DevicePath(), TextDevicePortSettings));
    QString text;
    ASSERT_TRUE(ReceiveText(port, text, 14, 2000));
    EXPECT_GE(TextPacketPulses(text), 0) << text.toStdString();
    ManualClock clock;
    CloseInstrumentPort(port, clock);
}
