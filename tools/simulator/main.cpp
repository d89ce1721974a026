// kestrova-simulator: the instrument's stand-in on a pseudo-terminal, for demonstrations and
// for trying the program without the device.

#include "pty_simulator.h"

#include <port_discovery.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <atomic>
#include <csignal>

using namespace kestrova;
using namespace kestrova::sim;

namespace {

std::atomic<bool> g_stop {false};

void OnSignal(int)
{
    g_stop = true;
}

bool ParseDouble(const QString &text, double &value)
{
    bool ok = false;
    QString t = text;
    const double v = t.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok)
        value = v;
    return ok;
}

// silence | garbage[:N] | checksum[:N] | endbyte[:N] | drop:SECONDS | nobeat:FROM-TO (seconds)
bool ApplyFault(const QString &faultText, SimulatorConfig &c)
{
    const QString kind = faultText.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString arg = faultText.section(QLatin1Char(':'), 1).trimmed();
    bool ok = true;
    const auto every = [&] {
        const int n = arg.isEmpty() ? 10 : arg.toInt(&ok);
        ok = ok && n > 0;
        return n;
    };
    if (kind == QLatin1String("silence")) {
        c.silence = true;
    } else if (kind == QLatin1String("garbage")) {
        c.garbageEvery = every();
    } else if (kind == QLatin1String("checksum")) {
        c.badChecksumEvery = every();
    } else if (kind == QLatin1String("endbyte")) {
        c.wrongEndEvery = every();
    } else if (kind == QLatin1String("drop")) {
        double s = 0;
        ok = ParseDouble(arg, s) && s >= 0;
        c.dropAfterMs = int64_t(s * 1000);
    } else if (kind == QLatin1String("nobeat")) {
        double from = 0, to = 0;
        ok = ParseDouble(arg.section(QLatin1Char('-'), 0, 0), from)
             && ParseDouble(arg.section(QLatin1Char('-'), 1, 1), to) && from >= 0 && to > from;
        c.noBeatFromMs = int64_t(from * 1000);
        c.noBeatToMs = int64_t(to * 1000);
    } else {
        return false;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrova-simulator"));
    QTextStream out(stdout), err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulador da interface do Kestrova em um terminal virtual."));
    parser.addHelpOption();
    const QCommandLineOption code({QStringLiteral("code")}, QStringLiteral("Código do dispositivo: 145, 45, 25 ou 2313 (texto)."), QStringLiteral("código"), QStringLiteral("145"));
    const QCommandLineOption restHr({QStringLiteral("rest-hr")}, QStringLiteral("FC de repouso (bpm)."), QStringLiteral("bpm"), QStringLiteral("70"));
    const QCommandLineOption maxHr({QStringLiteral("max-hr")}, QStringLiteral("FC máxima (bpm)."), QStringLiteral("bpm"), QStringLiteral("195"));
    const QCommandLineOption ramp({QStringLiteral("ramp")}, QStringLiteral("Aumento da FC por minuto (bpm)."), QStringLiteral("bpm"), QStringLiteral("12"));
    const QCommandLineOption restVe({QStringLiteral("rest-ve")}, QStringLiteral("VE de repouso (L/min)."), QStringLiteral("litros"), QStringLiteral("12"));
    const QCommandLineOption veRamp({QStringLiteral("ve-ramp")}, QStringLiteral("Aumento da VE por minuto (L/min)."), QStringLiteral("litros"), QStringLiteral("8"));
    const QCommandLineOption ic({QStringLiteral("ic")}, QStringLiteral("Litros por pulso da turbina."), QStringLiteral("índice"), QStringLiteral("0,027"));
    const QCommandLineOption speed({QStringLiteral("speed")}, QStringLiteral("Velocidade do tempo simulado (1 = real)."), QStringLiteral("fator"), QStringLiteral("1"));
    const QCommandLineOption waitNext({QStringLiteral("wait-next")}, QStringLiteral("Só envia a próxima leitura após o comando Próximo."));
    const QCommandLineOption fault({QStringLiteral("fault")}, QStringLiteral("Falha: silence, garbage[:N], checksum[:N], endbyte[:N], drop:SEG, nobeat:DE-ATE."), QStringLiteral("falha"));
    const QCommandLineOption announceDir({QStringLiteral("announce-dir")}, QStringLiteral("Pasta de anúncio das portas virtuais."), QStringLiteral("pasta"), VirtualPortsFolder());
    parser.addOptions({code, restHr, maxHr, ramp, restVe, veRamp, ic, speed, waitNext, fault, announceDir});
    parser.process(app);

    SimulatorConfig config;
    double s = 1;
    bool ok = true;
    config.deviceCode = parser.value(code).toInt(&ok);
    ok = ok && config.deviceCode > 0 && (config.deviceCode < 256 || config.deviceCode == 2313);
    ok = ok && ParseDouble(parser.value(restHr), config.restHeartRate) && ParseDouble(parser.value(maxHr), config.maxHeartRate)
         && ParseDouble(parser.value(ramp), config.heartRateRamp) && ParseDouble(parser.value(restVe), config.restVentilation)
         && ParseDouble(parser.value(veRamp), config.ventilationRamp) && ParseDouble(parser.value(ic), config.litresPerPulse)
         && ParseDouble(parser.value(speed), s) && s > 0 && config.litresPerPulse > 0;
    if (!ok) {
        err << "Valor inválido nas opções. Use --help.\n";
        return 2;
    }
    config.waitForNext = parser.isSet(waitNext);
    for (const QString &f : parser.values(fault)) {
        if (!ApplyFault(f, config)) {
            err << "Falha desconhecida ou mal escrita: " << f << "\n";
            return 2;
        }
    }

    PtySimulator simulator(config, s);
    if (!simulator.Open(parser.value(announceDir))) {
        err << simulator.ErrorText() << "\n";
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    out << "Porta " << simulator.PortName() << " (" << simulator.DevicePath() << "), anúncio "
        << simulator.AnnouncementFile() << "\n";
    out.flush();
    simulator.Run(g_stop);
    simulator.Stop();
    out << "Simulador encerrado.\n";
    return 0;
}
