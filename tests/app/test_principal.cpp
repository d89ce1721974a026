// Start-up, the action frame and the close path of the main window.

#include "principal_fixture.h"

#include "cfs_timer.h"
#include "imagens.h"
#include "principal_layout.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <stdexcept>

using namespace kestrova;
using kestrova::testing::PrincipalTest;

TEST_F(PrincipalTest, StartOnACleanHomeWritesOnlyTheVersionAndTakesTheDefaults)
{
    TfrmPrincipal &w = create();
    EXPECT_TRUE(w.DatabaseOpen);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();

    QFile conf(folders.ConfigFilePath);
    ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
    const QStringList lines = DecodeTextFile(conf.readAll()).split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("[Parametros]"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Versão=") + GetFileVersionString()));

    EXPECT_EQ(w.Link().HardwareLimiar, 3);
    EXPECT_EQ(w.Link().Serial, QStringLiteral("COM1"));
    EXPECT_TRUE(w.AquisicaoFC);
    EXPECT_FALSE(w.AquisicaoFCMed);
    EXPECT_FALSE(w.LogFCFCMed);
    EXPECT_EQ(w.BackupCont, 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kestrova 7.0 [Versão: ") + GetFileVersionString() + "]");
    EXPECT_EQ(w.GetStatusIcon(1), StatusIcon::Disabled);
    EXPECT_EQ(w.GetStatusIcon(2), StatusIcon::Disabled);
    EXPECT_FALSE(w.SensorTimer().isActive());
    EXPECT_FALSE(w.Stopwatch().Running());
    EXPECT_FALSE(w.findChild<QWidget *>("pnFCMed")->isVisibleTo(&w));
    EXPECT_FALSE(w.findChild<QLabel *>("imIcnFC")->isHidden());
    EXPECT_EQ(w.findChild<QLabel *>("cpRelogio")->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));

    // The first show starts the polling, a later one does nothing more.
    w.show();
    EXPECT_TRUE(w.SensorTimer().isActive());
    EXPECT_EQ(w.SensorTimer().interval(), 100);
}

TEST_F(PrincipalTest, StoredSettingsAreReadWithTheirEightBitCopies)
{
    QDir().mkpath(folders.ConfigFolder());
    IniFile ini(folders.ConfigFilePath);
    ini.WriteInteger(ConfigSection, "BackupCont", 300);
    ini.WriteInteger(ConfigSection, "HardwareLimiar", 1);
    ini.WriteString(ConfigSection, "Serial", "ttyUSB0");
    ini.WriteBool(ConfigSection, "AquisicaoFC", false);
    ini.WriteBool(ConfigSection, "AquisicaoFCMed", true);
    TfrmPrincipal &w = create();
    EXPECT_EQ(w.BackupCont, 44);
    EXPECT_EQ(w.Link().HardwareLimiar, 1);
    EXPECT_EQ(w.Link().Serial, QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(w.findChild<QLabel *>("imIcnFC")->isHidden());
    EXPECT_TRUE(w.findChild<QWidget *>("pnFCMed")->isVisibleTo(&w));
}

TEST_F(PrincipalTest, ABrokenDatabaseShowsTheFatalMessageAndStartUpFails)
{
    QDir().mkpath(folders.ConfigFolder());
    QFile db(folders.DatabasePath);
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write(QByteArray(4096, 'x'));
    db.close();

    TfrmPrincipal w(environment());
    EXPECT_FALSE(w.FormCreate());
    ASSERT_FALSE(messages.shown.empty());
    const auto &last = messages.shown.back();
    EXPECT_EQ(last.caption, QStringLiteral("Erro"));
    EXPECT_EQ(last.icon, MessageIcon::Error);
    EXPECT_EQ(last.text, QStringLiteral("Ocorreu um erro ao acessar o Banco de Dados!\rExecute este programa com "
                                        "privilégios de Administrador.\rO programa será encerrado.\r")
                             + folders.DatabasePath);
}

TEST_F(PrincipalTest, ActionsCarryTheirCaptionHintShortcutAndToolbarButton)
{
    TfrmPrincipal &w = create();
    struct Case
    {
        const char *action, *caption, *hint, *shortcut, *button;   // hint, shortcut, button: "" none
        int image;
    };
    const Case cases[] = {
        {"CadAvaliados", "&Avaliados", "Cadastro de Avaliados", "Ctrl+Shift+A", "btCadAvaliados", 0},
        {"CadGrupos", "&Grupos", "Cadastro de Grupos", "Ctrl+Shift+G", "btCadGrupos", 1},
        {"CadProtocolos", "&Protocolos", "Cadastro de Protocolos", "Ctrl+Shift+P", "btCadProtocolos", 2},
        {"CadLaboratorio", "&Laboratório", "", "Ctrl+Shift+L", "", -1},
        {"NovaAvaliacao", "&Nova", "Nova Avaliação", "Ctrl+Alt+N", "btNovaAvaliacao", 3},
        {"VisualizarAvaliacao", "&Visualizar", "Visualizar Avaliações", "Ctrl+Alt+V", "btVisualizarAvaliacao", 4},
        {"Comunicacao", "&Comunicação", "Configurar Comunicação", "Ctrl+Alt+C", "btComunicacao", 5},
        {"Parametros", "&Parâmetros", "Parâmetros do Sistema", "Ctrl+Alt+P", "btParametros", 6},
        {"ConfigGrafico", "&Gráfico", "Configuração do Gráfico", "Ctrl+Alt+G", "btConfigGrafico", 7},
        {"Backup", "&Backup", "Backup do Sistema", "Ctrl+Alt+B", "btBackup", 8},
        {"Fechar", "&Fechar", "Finalizar o Sistema", "Ctrl+F", "btClose", 9},
        {"Sobre", "&Sobre o Kestrova", "", "", "", 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.action);
        QAction *a = w.Action(c.action);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.hint));
        if (*c.hint)
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(c.hint));
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut)));
        EXPECT_EQ(a->property("imageIndex").toInt(), c.image);
        EXPECT_FALSE(a->icon().isNull());
        if (*c.button) {
            auto *button = w.findChild<QToolButton *>(c.button);
            ASSERT_NE(button, nullptr) << c.button;
            EXPECT_EQ(button->defaultAction(), a);
        }
    }
}

TEST_F(PrincipalTest, MenusHoldTheirEntriesInOrder)
{
    TfrmPrincipal &w = create();
    auto entries = [](const QMenu *menu) {
        QStringList list;
        for (const QAction *a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    QStringList titles;
    for (const QAction *a : w.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList {"&Cadastros", "&Avaliações", "C&onfigurações", "A&juda"}));
    EXPECT_EQ(entries(w.findChild<QMenu *>("mnCadastro")),
              (QStringList {"&Avaliados", "&Grupos", "&Protocolos", "-", "&Laboratório", "-", "&Fechar"}));
    EXPECT_EQ(entries(w.findChild<QMenu *>("mnAvaliacoes")), (QStringList {"&Nova", "&Visualizar"}));
    EXPECT_EQ(entries(w.findChild<QMenu *>("mnConfiguracoes")),
              (QStringList {"&Comunicação", "&Gráfico", "&Parâmetros", "-", "Teste do &Sensor", "-", "&Backup"}));
    EXPECT_EQ(entries(w.findChild<QMenu *>("mnAjuda")), (QStringList {"&Sobre o Kestrova"}));
    EXPECT_EQ(w.findChild<QAction *>("mnTesteSensor")->shortcut(), QKeySequence("Ctrl+Alt+S"));
}

TEST_F(PrincipalTest, TestButtonsCarryTheirCaptionsAndHints)
{
    TfrmPrincipal &w = create();
    const std::pair<const char *, std::pair<const char *, const char *>> cases[] = {
        {"btEncerrarAvaliacao", {"Encerrar", "Encerrar a Avaliação (SHIFT+ESC)"}},
        {"btRecuperacao",
         {"Recuperação", "Finalizar Avaliação e Iniciar Recuperação com Cargas Zeradas... (SHIFT+F2)"}},
    };
    for (const auto &[name, texts] : cases) {
        SCOPED_TRACE(name);
        auto *button = w.findChild<QToolButton *>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(texts.first));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(texts.second));
    }
}

TEST_F(PrincipalTest, ActionsAndPollingAreOffAroundAModalWindowAndBackAfterwards)
{
    TfrmPrincipal &w = create();
    w.resize(1366, 768);
    w.show();
    QAction *teste = w.findChild<QAction *>("mnTesteSensor");
    QMenu *conf = w.findChild<QMenu *>("mnConfiguracoes");
    bool sawActionsOff = false, sawPollingOff = false, sawGrey = false, sawPlaced = false;
    onModal = [&](QDialog &d) {
        sawActionsOff = !w.Action("Sobre")->isEnabled() && !w.Action("Fechar")->isEnabled() && !teste->isEnabled()
                        && !conf->menuAction()->isEnabled();
        sawPollingOff = !w.SensorTimer().isActive();
        sawGrey = w.GetStatusIcon(1) == StatusIcon::Disabled && w.GetStatusIcon(2) == StatusIcon::Disabled;
        const QRect m = w.frameGeometry();
        const int toolbar = w.findChild<QToolBar *>("ToolBar")->height();
        // Halves round to the even neighbour.
        auto round = [](double v) { return int(std::nearbyint(v)); };
        const QPoint expected(m.left() + round(m.width() / 2.0) - round(d.frameGeometry().width() / 2.0),
                              m.top() + round(m.height() / 2.0) + toolbar - round(d.frameGeometry().height() / 2.0) - 1);
        sawPlaced = d.pos() == expected;
        EXPECT_EQ(d.pos(), expected) << m.width() << "x" << m.height() << " toolbar " << toolbar << " dialog "
                                     << d.frameGeometry().width() << "x" << d.frameGeometry().height();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Sobre o Kestrova"));
        EXPECT_FALSE(w.close()) << "the window may not close while a dialog is open";
        return int(QDialog::Accepted);
    };
    w.Action("Sobre")->trigger();
    EXPECT_EQ(modalRuns, 1);
    EXPECT_TRUE(sawActionsOff);
    EXPECT_TRUE(sawPollingOff);
    EXPECT_TRUE(sawGrey);
    EXPECT_TRUE(sawPlaced);
    EXPECT_TRUE(w.Action("Sobre")->isEnabled());
    EXPECT_TRUE(teste->isEnabled());
    EXPECT_TRUE(w.SensorTimer().isActive());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(PrincipalTest, AWindowThatFailsStillGivesTheActionsAndPollingBack)
{
    TfrmPrincipal &w = create();
    w.show();
    EXPECT_THROW(w.RunDialog([](TfrmPrincipal &) -> std::unique_ptr<QDialog> {
        throw std::runtime_error("Erro ao abrir tabela Grupos!");
    }),
                 std::runtime_error);
    EXPECT_TRUE(w.Action("CadGrupos")->isEnabled());
    EXPECT_TRUE(w.SensorTimer().isActive());
}

TEST_F(PrincipalTest, ClosePathWithTheBackupReminder)
{
    struct Case
    {
        const char *name;
        int backupCont;
        std::optional<MessageAnswer> answer;   // none: no question expected
        bool closes;
    };
    const Case cases[] = {
        {"9 closes at once", 9, std::nullopt, true},
        {"10 asks, Yes opens the backup and stays", 10, MessageAnswer::Yes, false},
        {"10 asks, No closes", 10, MessageAnswer::No, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        modalRuns = 0;
        QDir().mkpath(folders.ConfigFolder());
        IniFile(folders.ConfigFilePath).WriteInteger(ConfigSection, "BackupCont", c.backupCont);
        TfrmPrincipal &w = create();
        bool backupOpened = false;
        w.SetDialogFactory("Backup", [&](TfrmPrincipal &) {
            backupOpened = true;
            return std::make_unique<QDialog>();
        });
        w.show();
        if (c.answer)
            messages.answers.push_back(*c.answer);
        w.Action("Fechar")->trigger();
        EXPECT_EQ(configText("BackupCont"), QString::number(c.backupCont));
        EXPECT_EQ(!w.isVisible(), c.closes);
        EXPECT_EQ(backupOpened, c.answer == MessageAnswer::Yes);
        if (c.answer) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Atenção"));
            EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
            EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
            EXPECT_EQ(messages.shown[0].text,
                      QStringLiteral("Aconselhamos que sejam feitos backups regulares da Base de Dados (10 avaliações "
                                     "salvas ou editadas desde o último Backup) \r\rDeseja realizar um novo Backup agora?"));
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
        window.reset();
    }
}

TEST_F(PrincipalTest, TheWindowsOwnCloseBoxWritesNoCounterAndAsksNothing)
{
    QDir().mkpath(folders.ConfigFolder());
    IniFile(folders.ConfigFilePath).WriteInteger(ConfigSection, "BackupCont", 12);
    TfrmPrincipal &w = create();
    w.BackupCont = 13;
    w.show();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(configText("BackupCont"), QStringLiteral("12"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrincipalTest, LayoutFollowsTheRulesForTheColumnHeight)
{
    for (bool fcMed : {false, true}) {
        SCOPED_TRACE(fcMed ? "five rows" : "four rows");
        QDir().mkpath(folders.ConfigFolder());
        IniFile(folders.ConfigFilePath).WriteBool(ConfigSection, "AquisicaoFCMed", fcMed);
        TfrmPrincipal &w = create();
        for (const QSize size : {QSize(1366, 768), QSize(1920, 1080), QSize(1100, 700)}) {
            w.resize(size);
            w.show();
            QCoreApplication::processEvents();
            const int H = w.findChild<QWidget *>("pnLeft")->height();
            const LeftColumnLayout l = ComputeLeftColumn(H, fcMed);
            QStringList rows = {"pnVE", "pnVEMed", "pnFC"};
            if (fcMed)
                rows << "pnFCMed";
            rows << "pnpFCMax" << "pnCarga";
            int y = 0;
            for (const QString &r : rows) {
                const QWidget *p = w.findChild<QWidget *>(r);
                EXPECT_EQ(p->geometry().top(), y) << r.toStdString() << " at H " << H;
                EXPECT_EQ(p->height(), l.panelHeight) << r.toStdString();
                y += l.panelHeight + l.gap;
            }
            EXPECT_LE(y - l.gap, H) << "the last row fits in the column";
            const auto *instVE = w.findChild<QLabel *>("instVE");
            EXPECT_EQ(instVE->height(), l.panelHeight - 25);
            EXPECT_EQ(instVE->font().pointSize(), ValueFontSize(instVE->height()));
            EXPECT_EQ(w.findChild<QLabel *>("instFC")->font().pointSize(), instVE->font().pointSize());
            EXPECT_EQ(w.findChild<QLabel *>("instFC30s")->font().pointSize(), FC30sFontSize(w.width()));
        }
        window.reset();
    }
}
