#include "principal.h"

#include "builtin_logo.h"

#include "application.h"
#include "cfs_timer.h"
#include "data_module.h"
#include "imagens.h"
#include "progbar.h"
#include "qt_messages.h"
#include "wait_cursor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

#include <cmath>

namespace kestrova {

namespace {

// Delphi's Round: halves to the even neighbour.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

TfrmPrincipal::TfrmPrincipal(PrincipalEnvironment env)
    : QMainWindow(nullptr), Dados(std::make_unique<TDados>()), m_env(std::move(env))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    m_messages = m_env.messages ? m_env.messages : &AppMessages();
    setMinimumSize(652, 439);
    setStyleSheet(PrincipalStyleSheet());
    m_tmSensor = new QTimer(this);
    m_tmSensor->setObjectName(QStringLiteral("tmSensor"));
    m_tmSensor->setInterval(SensorIntervalMinMs);
    connect(m_tmSensor, &QTimer::timeout, this, [this] { tmSensorTimer(); });
    createActions();
    createMenus();
    createToolbar();
    createPanels();
}

TfrmPrincipal::~TfrmPrincipal()
{
    // Each release in its own guarded step, so one failure does not keep the others from running.
    auto guarded = [](const auto &step) {
        try {
            step();
        } catch (...) {
        }
    };
    if (m_tmSensor)
        m_tmSensor->stop();
    guarded([&] {
        if (m_link)
            m_link->ClosePort();
    });
    guarded([&] { m_dm.reset(); });
    guarded([&] {
        delete m_progress;
        m_progress = nullptr;
    });
    guarded([&] {
        delete m_images;
        m_images = nullptr;
    });
    guarded([&] { HeartRateLog.clear(); });
    guarded([&] { m_stopwatch.reset(); });
    guarded([&] { m_link.reset(); });
    if (m_wheelFilter && qApp)
        qApp->removeEventFilter(m_wheelFilter);
}

bool TfrmPrincipal::FormCreate()
{
    WaitCursor wait;

    m_folders = m_env.folders ? *m_env.folders : ComputeProgramFolders();
    if (m_env.folders)
        QDir().mkpath(m_folders.ConfigFolder());
    SetFolders(m_folders);

    DataModuleOptions dmOptions;
    dmOptions.createIfMissing = m_env.createDatabaseIfMissing;
    m_dm = std::make_unique<TfrmDM>(*m_messages, m_folders.DatabasePath, dmOptions);
    DatabaseOpen = m_dm->DatabaseOpen;
    if (!DatabaseOpen) {
        wait.restore();
        m_messages->error(QStringLiteral("Ocorreu um erro ao acessar o Banco de Dados!\rExecute este programa com "
                                         "privilégios de Administrador.\rO programa será encerrado.\r")
                          + m_folders.DatabasePath);
        return false;
    }

    // The built-in report logo is placed beside the configuration on first start.
    InstallBuiltInLogo(m_folders.ConfigFolder());
    registerCatalogWindows();

    m_images = new TfrmImagens(this);
    m_images->hide();
    FaceColour = palette().color(QPalette::Button);
    applyImages();

    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    m_version = GetFileVersionString();
    setWindowTitle(QString::fromUtf8(ApplicationTitle) + QStringLiteral(" [Versão: ") + m_version + QStringLiteral("]"));

    const StartupSettings s = WriteVersionAndReadStartupSettings(m_version);
    m_link = std::make_unique<InstrumentLink>(m_env.link);
    m_link->HardwareLimiar = s.HardwareLimiar;
    m_link->Serial = s.Serial;
    AquisicaoFC = s.AquisicaoFC;
    AquisicaoFCMed = s.AquisicaoFCMed;
    LogFCFCMed = s.LogFCFCMed;
    BackupCont = s.BackupCont;

    applySettingsToPanels();

    SetActionsEnabled(true);
    LeftPanelChoice = 1;
    EditingStoredEvaluation = false;
    HeartRateLog.clear();
    m_progress = new TfrmProgBar(*m_images, this);
    CenterOverMainWindow(*m_progress);
    m_stopwatch = std::make_unique<TCFSTimer>(false, m_link->LinkClock());

    SetStatusIcon(1, StatusIcon::Disabled);
    SetStatusIcon(2, StatusIcon::Disabled);

    if (qApp && !m_wheelFilter) {
        m_wheelFilter = new WheelToArrowKeyFilter(this);
        qApp->installEventFilter(m_wheelFilter);
    }
    m_created = true;
    FormResize();
    return true;
}

void TfrmPrincipal::applySettingsToPanels()
{
    m_imIcnFC->setPixmap(m_images->Picture(QStringLiteral("imIcnFCDisabled")));
    m_imIcnFC->setVisible(AquisicaoFC);
    m_valuePanels[QStringLiteral("FCMed")]->setVisible(AquisicaoFCMed);
}

QAction *TfrmPrincipal::Action(const QString &name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

void TfrmPrincipal::SetActionsEnabled(bool on)
{
    for (auto &[name, action] : m_actions)
        action->setEnabled(on);
    for (QMenu *menu : m_menus)
        menu->menuAction()->setEnabled(on);
    // "Teste do Sensor" is no action: it follows its menu, shortcut included.
    m_testeSensor->setEnabled(on);
}

void TfrmPrincipal::SetSensorPolling(bool on)
{
    m_tmSensor->setInterval(SensorIntervalMinMs);
    if (m_link)
        m_link->ResetInterval();
    if (on) {
        m_tmSensor->start();
    } else {
        m_tmSensor->stop();
        SetStatusIcon(1, StatusIcon::Disabled);
        SetStatusIcon(2, StatusIcon::Disabled);
    }
}

void TfrmPrincipal::SetStatusIcon(int icon, StatusIcon state)
{
    const auto it = m_statusImages.find(icon);
    if (it == m_statusImages.end())
        return;
    for (auto &[s, label] : it->second)
        label->setVisible(s == state);
}

StatusIcon TfrmPrincipal::GetStatusIcon(int icon) const
{
    const auto it = m_statusImages.find(icon);
    if (it == m_statusImages.end())
        return StatusIcon::None;
    for (StatusIcon s : {StatusIcon::Manual, StatusIcon::Disabled, StatusIcon::NotFound, StatusIcon::Silent,
                         StatusIcon::Receiving}) {
        const auto l = it->second.find(s);
        if (l != it->second.end() && !l->second->isHidden())
            return s;
    }
    return StatusIcon::None;
}

void TfrmPrincipal::CenterOverMainWindow(QWidget &form) const
{
    const QRect main = frameGeometry();
    const int toolbarHeight = m_toolbar ? m_toolbar->height() : 0;
    const QSize size = form.frameGeometry().size();
    form.move(main.left() + roundEven(main.width() / 2.0) - roundEven(size.width() / 2.0),
              main.top() + roundEven(main.height() / 2.0) + toolbarHeight - roundEven(size.height() / 2.0) - 1);
}

int TfrmPrincipal::runModal(QDialog &dialog)
{
    if (m_env.runModal)
        return m_env.runModal(dialog);
    return dialog.exec();
}

int TfrmPrincipal::RunDialog(const DialogFactory &create, const std::function<void(QDialog &, int)> &afterClose)
{
    WaitCursor wait;
    SetActionsEnabled(false);
    SetSensorPolling(false);
    // Polling and actions come back however the window ends, an error included.
    struct Restore
    {
        TfrmPrincipal *w;
        ~Restore()
        {
            w->SetSensorPolling(true);
            w->SetActionsEnabled(true);
        }
    } restore {this};
    std::unique_ptr<QDialog> dialog = create(*this);
    if (!dialog)
        return QDialog::Rejected;
    CenterOverMainWindow(*dialog);
    wait.restore();
    const int result = runModal(*dialog);
    if (afterClose)
        afterClose(*dialog, result);
    return result;
}

void TfrmPrincipal::SetDialogFactory(const QString &action, DialogFactory factory)
{
    m_dialogs[action] = std::move(factory);
}

void TfrmPrincipal::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (FirstShow && m_created) {
        FirstShow = false;
        SetSensorPolling(true);
    }
}

void TfrmPrincipal::closeEvent(QCloseEvent *event)
{
    // Only while no dialog is open and no test runs: both disable the close button's action.
    QAction *fechar = Action(QStringLiteral("Fechar"));
    if (fechar && fechar->isEnabled())
        event->accept();
    else
        event->ignore();
}

void TfrmPrincipal::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmPrincipal::changeEvent(QEvent *event)
{
    // A change of the system colours: the pictures drawn on the button face follow it.
    if (event->type() == QEvent::PaletteChange && m_images) {
        const QColor face = palette().color(QPalette::Button);
        if (face != FaceColour) {
            FaceColour = face;
            m_images->BuildImageLists(FaceColour);
        }
    }
    QMainWindow::changeEvent(event);
}

bool TfrmPrincipal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == m_pnForm || watched == m_pnLeft || watched == m_toolbar
                                           || watched == m_pnGrafico))
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kestrova
