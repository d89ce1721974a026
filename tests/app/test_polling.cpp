// The link polling on tmSensor, shown in the two status icons, and the communication settings.

#include "principal_fixture.h"

#include "port_discovery.h"
#include "protocol.h"

#include <sim_engine.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QTimer>

using namespace kestrova;
using kestrova::testing::PrincipalTest;

namespace {

// A simulated instrument at the far end of a fake line.
void attach(FakeLine &line, sim::SimulatorEngine &engine)
{
    line.onWrite = [&engine](FakeLine &l, const QByteArray &bytes) { l.Push(engine.Receive(bytes)); };
    line.onIdle = [&engine](FakeLine &l, int timeoutMs) {
        const int64_t due = engine.MsUntilOutput();
        if (due < 0 || due > timeoutMs) {
            engine.Advance(timeoutMs);
            return timeoutMs;
        }
        l.Push(engine.Advance(due));
        return int(due);
    };
}

sim::SimulatorConfig steady(int deviceCode = 145)
{
    sim::SimulatorConfig c;
    c.deviceCode = deviceCode;
    c.restHeartRate = 120;
    c.heartRateRamp = 0;
    c.restVentilation = 2 * 600 * 0.027;   // 2 pulses every reading
    c.ventilationRamp = 0;
    return c;
}

class PollingTest : public PrincipalTest
{
protected:
    TfrmPrincipal &started()
    {
        TfrmPrincipal &w = create();
        w.SetSensorPolling(true);
        return w;
    }
    void ticks(TfrmPrincipal &w, int n)
    {
        for (int i = 0; i < n; ++i)
            w.tmSensorTimer();
    }
    QString hint(TfrmPrincipal &w, const char *image) { return w.findChild<QLabel *>(image)->toolTip(); }
};

} // namespace

TEST_F(PollingTest, NoSerialPortGivesTwoRedIconsAndTesteDoSensorRefuses)
{
    TfrmPrincipal &w = started();
    ticks(w, 1);
    EXPECT_EQ(w.GetStatusIcon(1), StatusIcon::NotFound);
    EXPECT_EQ(w.GetStatusIcon(2), StatusIcon::NotFound);
    EXPECT_EQ(hint(w, "imSensorVermelhoLimiar"), QStringLiteral("Portas Seriais não encontradas!"));
    EXPECT_EQ(hint(w, "imSensorVermelhoFC"), QStringLiteral("Portas Seriais não encontradas!"));
    EXPECT_EQ(w.SensorTimer().interval(), 100);

    bool opened = false;
    w.SetDialogFactory("TesteSensor", [&](TfrmPrincipal &) {
        opened = true;
        return std::make_unique<QDialog>();
    });
    w.findChild<QAction *>("mnTesteSensor")->trigger();
    EXPECT_FALSE(opened);
    EXPECT_EQ(modalRuns, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Erro"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Interface do Kestrova não encontrada! Verifique a Comunicação!"));
}

TEST_F(PollingTest, IconsFollowTheInstrument)
{
    struct Case
    {
        const char *name;
        double ventilation;
        double heartRate;
        bool manualHeartRate;
        StatusIcon instrument;
        StatusIcon heart;
    };
    const Case cases[] = {
        {"pulses and beats: both green", 32.4, 120, false, StatusIcon::Receiving, StatusIcon::Receiving},
        {"no pulses: instrument yellow", 0, 120, false, StatusIcon::Silent, StatusIcon::Receiving},
        {"no beats: heart rate yellow", 32.4, 0, false, StatusIcon::Receiving, StatusIcon::Silent},
        {"heart rate typed by hand: black", 32.4, 120, true, StatusIcon::Receiving, StatusIcon::Manual},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimulatorConfig config = steady();
        config.restVentilation = c.ventilation;
        config.restHeartRate = c.heartRate;
        config.maxHeartRate = std::max(1.0, c.heartRate);
        sim::SimulatorEngine engine(config);
        ports = FakePorts(&clock);
        attach(*ports.Line("/dev/ttyUSB0"), engine);
        portNames = {"ttyUSB0"};
        QDir().mkpath(folders.ConfigFolder());
        IniFile(folders.ConfigFilePath).WriteBool(ConfigSection, "AquisicaoFC", !c.manualHeartRate);
        TfrmPrincipal &w = started();
        ticks(w, 4);
        EXPECT_EQ(w.GetStatusIcon(1), c.instrument);
        EXPECT_EQ(w.GetStatusIcon(2), c.heart);
        EXPECT_EQ(w.Link().LinkState, LinkStreaming);
        window.reset();
    }
}

TEST_F(PollingTest, AnInstrumentThatFallsSilentTurnsBothIconsRed)
{
    sim::SimulatorConfig config = steady();
    config.dropAfterMs = 300;
    sim::SimulatorEngine engine(config);
    attach(*ports.Line("/dev/ttyUSB0"), engine);
    portNames = {"ttyUSB0"};
    TfrmPrincipal &w = started();
    ticks(w, 2);
    ASSERT_EQ(w.GetStatusIcon(1), StatusIcon::Receiving);
    ticks(w, 6);
    EXPECT_EQ(w.GetStatusIcon(1), StatusIcon::NotFound);
    EXPECT_EQ(w.GetStatusIcon(2), StatusIcon::NotFound);
    EXPECT_EQ(hint(w, "imSensorVermelhoLimiar"),
              QStringLiteral("Interface do Kestrova não encontrada! Verifique a Comunicação."));
    EXPECT_GT(w.SensorTimer().interval(), 100) << "no instrument: the interval grows";
}

TEST_F(PollingTest, AnUnsupportedDeviceIsNamedInTheHints)
{
    sim::SimulatorEngine engine(steady(25));
    attach(*ports.Line("/dev/ttyUSB0"), engine);
    portNames = {"ttyUSB0"};
    TfrmPrincipal &w = started();
    ticks(w, 2);
    EXPECT_EQ(w.Link().HardwareLimiar, 1);
    EXPECT_EQ(w.GetStatusIcon(1), StatusIcon::NotFound);
    const QString expected = QStringLiteral("Interface econtrada não compatível: Dispositivo (25)");
    EXPECT_EQ(hint(w, "imSensorVermelhoLimiar"), expected);
    EXPECT_EQ(hint(w, "imSensorVermelhoFC"), expected);
}

TEST_F(PollingTest, ComunicacaoStopsTheInstrumentStoresTheChoiceAndReconnects)
{
    sim::SimulatorConfig config = steady(45);
    sim::SimulatorEngine engine(config);
    auto line = ports.Line("/dev/ttyUSB1");
    attach(*line, engine);
    portNames = {"ttyUSB1"};
    TfrmPrincipal &w = started();
    ticks(w, 3);
    ASSERT_EQ(w.Link().LinkState, LinkStreaming);
    const int stopsBefore = engine.Counts().stop;
    // The hourglass while the instrument is stopped, the normal cursor while the port window is open.
    std::vector<bool> hourglassAtWrite;
    const auto forward = line->onWrite;
    line->onWrite = [&](FakeLine &l, const QByteArray &bytes) {
        const QCursor *cursor = QApplication::overrideCursor();
        hourglassAtWrite.push_back(cursor && cursor->shape() == Qt::WaitCursor);
        forward(l, bytes);
    };

    bool pollingOffDuringDialog = false;
    bool hourglassDuringDialog = true;
    w.SetPortDialog([&](TfrmPrincipal &win) {
        pollingOffDuringDialog = !win.SensorTimer().isActive() && !win.Action("Comunicacao")->isEnabled();
        hourglassDuringDialog = QApplication::overrideCursor() != nullptr;
        EXPECT_FALSE(win.Link().PortOpen()) << "the port window gets the port free";
        return PortChoice {true, QStringLiteral("ttyUSB1"), std::nullopt};
    });
    w.Action("Comunicacao")->trigger();
    EXPECT_TRUE(pollingOffDuringDialog);
    ASSERT_FALSE(hourglassAtWrite.empty());
    EXPECT_TRUE(hourglassAtWrite.front()) << "CmdStop before the port window goes out under the hourglass";
    EXPECT_FALSE(hourglassDuringDialog);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_GE(engine.Counts().stop, stopsBefore + 2) << "stop before closing and before identifying";
    EXPECT_EQ(configText("Serial"), QStringLiteral("ttyUSB1"));
    EXPECT_EQ(configText("HardwareLimiar"), QStringLiteral("3"));
    EXPECT_EQ(w.Link().LinkState, LinkPortOpen) << "device code 45 answers: identification goes on";
    EXPECT_TRUE(w.SensorTimer().isActive());
    EXPECT_TRUE(w.Action("Comunicacao")->isEnabled());
}

TEST_F(PollingTest, ComunicacaoCancelledStillWritesTheSettings)
{
    TfrmPrincipal &w = started();
    w.SetPortDialog([](TfrmPrincipal &) { return PortChoice {false, QStringLiteral("ttyS9"), std::nullopt}; });
    w.Action("Comunicacao")->trigger();
    EXPECT_EQ(configText("Serial"), QStringLiteral("COM1"));
    EXPECT_EQ(configText("HardwareLimiar"), QStringLiteral("3"));
    EXPECT_EQ(w.Link().LinkState, LinkClosed);
}
