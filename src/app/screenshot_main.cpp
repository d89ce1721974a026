// kestrova-screenshot: starts the main window as the program does, waits until the link polling
// has found the instrument (or a time-out), prints how long start-up took and what the status
// icons show, and saves a PNG of the window. Used by scripts/screenshot.sh under Xvfb.

#include "application.h"
#include "principal.h"
#include "qt_messages.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QThread>
#include <QTimer>

using namespace kestrova;

namespace {

const char *stateName(StatusIcon s)
{
    switch (s) {
    case StatusIcon::Receiving: return "verde (recebendo)";
    case StatusIcon::Silent: return "amarelo (sem dados)";
    case StatusIcon::NotFound: return "vermelho (não encontrado)";
    case StatusIcon::Disabled: return "cinza (desabilitado)";
    case StatusIcon::Manual: return "preto (manual)";
    case StatusIcon::None: break;
    }
    return "nenhum";
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    KestrovaApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        err << "uso: kestrova-screenshot <arquivo.png> [espera máxima em ms]\n";
        return 2;
    }
    const QString file = args[1];
    const int waitMs = args.size() > 2 ? args[2].toInt() : 3000;

    QtMessages messages;
    SetAppMessages(&messages);
    PrincipalEnvironment env;
    env.messages = &messages;
    TfrmPrincipal window(std::move(env));
    if (!window.FormCreate())
        return 1;
    // Without a window manager "maximised" means nothing: take the whole screen.
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    QCoreApplication::processEvents();
    out << "Janela principal exibida em " << clock.elapsed() << " ms\n";
    out.flush();

    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < waitMs && window.GetStatusIcon(1) != StatusIcon::Receiving) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    if (window.GetStatusIcon(1) == StatusIcon::Receiving)
        out << "Instrumento encontrado " << clock.elapsed() << " ms após o início\n";
    // A few more ticks so the heart-rate icon follows.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 600) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    out << "Ícone do instrumento: " << stateName(window.GetStatusIcon(1)) << "\n";
    out << "Ícone do frequencímetro: " << stateName(window.GetStatusIcon(2)) << "\n";
    const QPixmap shot = window.grab();
    if (!shot.save(file, "PNG")) {
        err << "não foi possível gravar " << file << "\n";
        return 1;
    }
    out << "Imagem gravada em " << file << " (" << shot.width() << "x" << shot.height() << ")\n";
    return 0;
}
