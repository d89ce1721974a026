// The main window's action handlers, the close path and the link polling on tmSensor.

#include "principal.h"

#include "cad_avaliados.h"
#include "cad_grupos.h"
#include "cad_laboratorio.h"
#include "cad_protocolos.h"
#include "conf_grafico.h"
#include "progbar.h"
#include "imagens.h"
#include "port_discovery.h"
#include "protocol.h"
#include "sobre.h"
#include "wait_cursor.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace kestrova {

void TfrmPrincipal::actionExecute(const QString &name)
{
    if (name == QLatin1String("Fechar"))
        return FecharExecute();
    if (name == QLatin1String("Comunicacao"))
        return ComunicacaoExecute();
    if (name == QLatin1String("Parametros"))
        return ParametrosExecute();
    if (name == QLatin1String("Sobre"))
        return SobreExecute();
    if (name == QLatin1String("Backup"))
        return BackupExecute();
    if (name == QLatin1String("ConfigGrafico")) {
        RunDialog([](TfrmPrincipal &w) { return std::make_unique<TfrmConfGrafico>(&w); });
        return;
    }
    if (name == QLatin1String("CadLaboratorio") && !m_dialogs.count(name)) {
        // The laboratory row is loaded into the window before it shows and stored after it closes.
        RunDialog(
            [](TfrmPrincipal &w) {
                auto form = std::make_unique<TfrmCadLaboratorio>(*w.DataModule(), w.messages(),
                                                                 w.folders().ConfigFolder(), &w);
                form->LoadFromDatabase();
                return form;
            },
            [](QDialog &form, int result) { static_cast<TfrmCadLaboratorio &>(form).StoreToDatabase(result); });
        return;
    }
    const auto it = m_dialogs.find(name);
    if (it == m_dialogs.end())
        return missingWindow(name);
    RunDialog(it->second);
}

void TfrmPrincipal::registerCatalogWindows()
{
    // Tests may have put their own windows in place already.
    auto add = [this](const QString &action, DialogFactory factory) {
        if (!m_dialogs.count(action))
            m_dialogs[action] = std::move(factory);
    };
    add(QStringLiteral("CadAvaliados"), [](TfrmPrincipal &w) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfrmCadAvaliados>(*w.DataModule(), w.messages(), &w);
    });
    add(QStringLiteral("CadGrupos"), [](TfrmPrincipal &w) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfrmCadGrupos>(*w.DataModule(), w.messages(), &w);
    });
    add(QStringLiteral("CadProtocolos"), [](TfrmPrincipal &w) -> std::unique_ptr<QDialog> {
        TfrmProgBar &bar = w.ProgressWindow();
        kestrova::ProgressWindow progress {bar.AsProgressFn(), [&bar] { bar.hide(); }};
        return std::make_unique<TfrmCadProtocolos>(*w.DataModule(), w.messages(), std::move(progress), &w);
    });
}

void TfrmPrincipal::missingWindow(const QString &action)
{
    QAction *a = Action(action);
    const QString what = a ? a->text().remove(u'&') : QStringLiteral("Teste do Sensor");
    m_messages->information(QStringLiteral("A janela \"") + what + QStringLiteral("\" não está disponível nesta versão."),
                            QString::fromUtf8(CaptionProgram));
}

void TfrmPrincipal::SobreExecute()
{
    RunDialog([](TfrmPrincipal &w) { return std::make_unique<TfrmSobre>(w.Images(), w.Version(), &w); });
}

void TfrmPrincipal::BackupExecute()
{
    const auto it = m_dialogs.find(QStringLiteral("Backup"));
    if (it == m_dialogs.end())
        return missingWindow(QStringLiteral("Backup"));
    RunDialog(it->second);
}

void TfrmPrincipal::TesteSensorClick()
{
    if (GetStatusIcon(1) == StatusIcon::NotFound) {
        m_messages->error(QStringLiteral("Interface do Kestrova não encontrada! Verifique a Comunicação!"));
        return;
    }
    const auto it = m_dialogs.find(QStringLiteral("TesteSensor"));
    if (it == m_dialogs.end())
        return missingWindow(QStringLiteral("TesteSensor"));
    RunDialog(it->second);
}

void TfrmPrincipal::ParametrosExecute()
{
    const auto it = m_dialogs.find(QStringLiteral("Parametros"));
    if (it == m_dialogs.end())
        return missingWindow(QStringLiteral("Parametros"));
    RunDialog(it->second);
    AquisicaoFC = ConfigReadBool(QStringLiteral("AquisicaoFC"), true);
    AquisicaoFCMed = ConfigReadBool(QStringLiteral("AquisicaoFCMed"), false);
    LogFCFCMed = ConfigReadBool(QStringLiteral("LogFCFCMed"), false);
    applySettingsToPanels();
    FormResize();
}

void TfrmPrincipal::ComunicacaoExecute()
{
    WaitCursor wait;
    SetSensorPolling(false);
    SetActionsEnabled(false);
    struct Restore
    {
        TfrmPrincipal *w;
        ~Restore()
        {
            w->SetSensorPolling(true);
            w->SetActionsEnabled(true);
        }
    } restore {this};
    InstrumentLink &link = *m_link;

    if (link.PortOpen())
        SendCommand(link.port, CmdStop);
    link.ClosePort();

    wait.restore();
    if (m_portDialog) {
        const PortChoice choice = m_portDialog(*this);
        if (choice.hardwareLimiar)
            link.HardwareLimiar = *choice.hardwareLimiar;
        if (choice.accepted)
            link.Serial = choice.serial;
    } else {
        missingWindow(QStringLiteral("Comunicacao"));
    }

    ConfigWriteString(QStringLiteral("Serial"), link.Serial);
    ConfigWriteInteger(QStringLiteral("HardwareLimiar"), link.HardwareLimiar);

    link.LinkState = LinkClosed;
    if (link.HardwareLimiar != VariantInstrument)
        return;
    // Failures here are left to the polling, which reports them through the status icons.
    try {
        const LinkEnvironment &env = link.Environment();
        if (!OpenInstrumentPort(link.port, PortDevicePath(link.Serial), InstrumentPortSettings, env.portFactory))
            return;
        SendCommand(link.port, CmdStop);
        link.LinkClock().SleepMs(500);
        PurgePort(link.port);
        SendCommand(link.port, CmdIdentify);
        if (ReceiveFrame(link.port, link.Buffer, CmdCodeIdentify)
            && FramePayloadByte(link.Buffer, 0) == DeviceCodeInstrumentOld)
            link.LinkState = LinkPortOpen;
    } catch (...) {
    }
}

void TfrmPrincipal::FecharExecute()
{
    ConfigWriteInteger(QStringLiteral("BackupCont"), BackupCont);
    if (BackupCont < BackupReminderThreshold) {
        close();
        return;
    }
    const QString question = QStringLiteral("Aconselhamos que sejam feitos backups regulares da Base de Dados (")
                             + QString::number(BackupCont)
                             + QStringLiteral(" avaliações salvas ou editadas desde o último Backup) ")
                             + QStringLiteral("\r\r") + QStringLiteral("Deseja realizar um novo Backup agora?");
    if (m_messages->show(MessageIcon::Warning, QString::fromUtf8(CaptionWarning), question, MessageButtons::YesNo)
        == MessageAnswer::Yes)
        BackupExecute();
    else
        close();
}

void TfrmPrincipal::tmSensorTimer()
{
    if (!m_link)
        return;
    const SensorTickResult result = m_link->SensorTick(!AquisicaoFC);
    if (!result.ran)
        return;
    applyTick(result);
}

void TfrmPrincipal::applyTick(const SensorTickResult &result)
{
    // A dialog may have stopped the polling while the tick was blocked on the port.
    if (!m_tmSensor->isActive())
        return;
    SetStatusIcon(1, result.instrumentIcon);
    SetStatusIcon(2, result.heartRateIcon);
    auto &instrument = m_statusImages[1];
    auto &heartRate = m_statusImages[2];
    instrument[StatusIcon::NotFound]->setToolTip(result.instrumentNotFoundHint.isEmpty()
                                                     ? DefaultInstrumentNotFoundHint()
                                                     : result.instrumentNotFoundHint);
    heartRate[StatusIcon::NotFound]->setToolTip(result.heartRateNotFoundHint.isEmpty()
                                                    ? DefaultHeartRateNotFoundHint()
                                                    : result.heartRateNotFoundHint);
    if (m_tmSensor->interval() != result.intervalMs)
        m_tmSensor->setInterval(result.intervalMs);
}

} // namespace kestrova
