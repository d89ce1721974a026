#pragma once

// TfrmPrincipal: the main window. It lives for the whole run, owns the instrument link, the data
// module, the image store and the progress window, polls the link while idle and opens every
// other window from its actions.

#include "config.h"
#include "folders.h"
#include "instrument_link.h"
#include "messages.h"
#include "records.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace kestrova {

class TCFSTimer;
class TfrmDM;
class TfrmImagens;
class TfrmProgBar;

// What the window takes from its surroundings; tests replace each part.
struct PrincipalEnvironment
{
    Messages *messages = nullptr;             // every message box; the application's when null
    std::optional<ProgramFolders> folders;    // derived from the user's folders when absent
    LinkEnvironment link;                     // serial ports, clock and port list of the polling
    bool createDatabaseIfMissing = true;
    // Shows a dialog modally and returns its result; QDialog::exec when empty.
    std::function<int(QDialog &)> runModal;
};

// The result of the port window (TfrmConfCOM).
struct PortChoice
{
    bool accepted = false;
    QString serial;
    std::optional<uint8_t> hardwareLimiar;   // changed by the port test
};

class TfrmPrincipal final : public QMainWindow
{
public:
    using DialogFactory = std::function<std::unique_ptr<QDialog>(TfrmPrincipal &)>;
    using PortDialog = std::function<PortChoice(TfrmPrincipal &)>;

    explicit TfrmPrincipal(PrincipalEnvironment env = {});
    ~TfrmPrincipal() override;

    // Start-up; false when the database could not be opened (the fatal message was shown and the
    // program must end).
    bool FormCreate();
    // Lays the window out for its current size.
    void FormResize();

    // Services every window uses.
    void SetActionsEnabled(bool on);
    void SetSensorPolling(bool on);
    void SetStatusIcon(int icon, StatusIcon state);   // icon 1 instrument, 2 heart rate
    StatusIcon GetStatusIcon(int icon) const;
    void CenterOverMainWindow(QWidget &form) const;
    // The frame of every action's window: actions and polling off, create, centre, show
    // modally, free, polling and actions on again (also when the window fails).
    // afterClose (optional) runs with the result before the window is freed.
    int RunDialog(const DialogFactory &create,
                  const std::function<void(QDialog &, int)> &afterClose = {});

    // The windows that later parts of the program open from the actions, by action name
    // ("CadAvaliados", …, "TesteSensor").
    void SetDialogFactory(const QString &action, DialogFactory factory);
    void SetPortDialog(PortDialog dialog) { m_portDialog = std::move(dialog); }

    // Action handlers.
    void FecharExecute();
    void ComunicacaoExecute();
    void ParametrosExecute();
    void TesteSensorClick();
    void SobreExecute();
    void BackupExecute();
    void tmSensorTimer();

    // The state the window keeps for the whole run.
    Messages &messages() const { return *m_messages; }
    TfrmImagens &Images() const { return *m_images; }
    TfrmProgBar &ProgressWindow() const { return *m_progress; }
    TfrmDM *DataModule() const { return m_dm.get(); }
    InstrumentLink &Link() const { return *m_link; }
    TCFSTimer &Stopwatch() const { return *m_stopwatch; }
    QTimer &SensorTimer() const { return *m_tmSensor; }
    QString Version() const { return m_version; }
    QAction *Action(const QString &name) const;
    const ProgramFolders &folders() const { return m_folders; }

    bool DatabaseOpen = false;
    bool AquisicaoFC = true;
    bool AquisicaoFCMed = false;
    bool LogFCFCMed = false;
    uint8_t BackupCont = 0;
    static constexpr uint8_t BackupReminderThreshold = 10;
    int LeftPanelChoice = 1;
    bool EditingStoredEvaluation = false;
    QStringList HeartRateLog;
    bool FirstShow = true;
    QColor FaceColour;
    TProtocolo Protocolo;
    std::unique_ptr<TDados> Dados;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolbar();
    void createPanels();
    QWidget *createValuePanel(const QString &name, const QString &caption, const QString &value);
    QWidget *createStatusPlace(const QString &name, bool heartRate);
    void applyImages();
    void applySettingsToPanels();
    void actionExecute(const QString &name);
    void missingWindow(const QString &action);
    int runModal(QDialog &dialog);
    void applyTick(const SensorTickResult &result);
    void registerCatalogWindows();

    PrincipalEnvironment m_env;
    Messages *m_messages = nullptr;
    ProgramFolders m_folders;
    QString m_version;
    std::unique_ptr<TfrmDM> m_dm;
    TfrmImagens *m_images = nullptr;
    TfrmProgBar *m_progress = nullptr;
    std::unique_ptr<InstrumentLink> m_link;
    std::unique_ptr<TCFSTimer> m_stopwatch;
    QTimer *m_tmSensor = nullptr;
    std::map<QString, QAction *> m_actions;
    std::map<QString, DialogFactory> m_dialogs;
    PortDialog m_portDialog;
    std::vector<QMenu *> m_menus;
    QAction *m_testeSensor = nullptr;
    QToolBar *m_toolbar = nullptr;
    QLabel *m_spacer = nullptr;
    QWidget *m_pnForm = nullptr;
    QWidget *m_pnLeft = nullptr;
    QWidget *m_pnGrafico = nullptr;
    std::vector<QWidget *> m_leftRows;   // pnVE … pnpFCMax, then the shared place
    std::map<QString, QWidget *> m_valuePanels;
    std::map<QString, QLabel *> m_valueLabels;
    QLabel *m_imIcnFC = nullptr;
    QLabel *m_instFC30s = nullptr;
    QWidget *m_pnAvaliacaoFC30s = nullptr;
    QWidget *m_pnAvaliacaoBtn = nullptr;
    QWidget *m_pnAvaliacaoAvaliado = nullptr;
    QLabel *m_imLogo = nullptr;
    QLabel *m_imGrafico = nullptr;
    std::map<int, std::map<StatusIcon, QLabel *>> m_statusImages;
    QObject *m_wheelFilter = nullptr;
    bool m_created = false;
};

// The window's look: the background colour and the style of its value panels and clock.
QString PrincipalStyleSheet();

} // namespace kestrova
