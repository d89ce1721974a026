// The main window's controls: actions, menus, toolbar, value panels, centre and status bar, and
// the layout rules that place them.

#include "principal.h"

#include "frame_band.h"
#include "imagens.h"
#include "picture_painter.h"
#include "principal_layout.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrova {

namespace {

struct ActionSpec
{
    const char *name;
    const char *caption;   // UTF-8
    const char *hint;      // UTF-8; empty: none
    const char *shortcut;
    int image;             // -1: none
};

const ActionSpec Actions[] = {
    {"CadAvaliados", "&Avaliados", "Cadastro de Avaliados", "Ctrl+Shift+A", 0},
    {"CadGrupos", "&Grupos", "Cadastro de Grupos", "Ctrl+Shift+G", 1},
    {"CadProtocolos", "&Protocolos", "Cadastro de Protocolos", "Ctrl+Shift+P", 2},
    {"CadLaboratorio", "&Laboratório", "", "Ctrl+Shift+L", -1},
    {"NovaAvaliacao", "&Nova", "Nova Avaliação", "Ctrl+Alt+N", 3},
    {"VisualizarAvaliacao", "&Visualizar", "Visualizar Avaliações", "Ctrl+Alt+V", 4},
    {"Comunicacao", "&Comunicação", "Configurar Comunicação", "Ctrl+Alt+C", 5},
    {"Parametros", "&Parâmetros", "Parâmetros do Sistema", "Ctrl+Alt+P", 6},
    {"ConfigGrafico", "&Gráfico", "Configuração do Gráfico", "Ctrl+Alt+G", 7},
    {"Backup", "&Backup", "Backup do Sistema", "Ctrl+Alt+B", 8},
    {"Fechar", "&Fechar", "Finalizar o Sistema", "Ctrl+F", 9},
    {"Sobre", "&Sobre o Kestrova", "", "", 10},
};

constexpr int HintPauseMs = 10000;
constexpr int LeftColumnWidth = 250;
constexpr int StatusPlaceSize = 36;

} // namespace

QString PrincipalStyleSheet()
{
    return QStringLiteral(
        "QMainWindow, #pnForm { background: rgb(255,188,96); }"
        "QToolBar#ToolBar { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #fff1dc, stop:1 #ffd9a0);"
        "  border-bottom: 1px solid #b5651d; spacing: 2px; padding: 2px; }"
        "QToolBar#ToolBar QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 3px; }"
        "QToolBar#ToolBar QToolButton:hover { background: #ffe7c2; border-color: #c97a2b; }"
        "QToolBar#ToolBar QToolButton:pressed { background: #f5c07a; }"
        "QMenuBar { background: #fff1dc; }"
        "#cpRelogio { color: rgb(0,0,128); background: #fffaf0; border: 1px solid #b5651d; border-radius: 4px; }"
        ".ValuePanel { background: rgb(255,248,232); border: 1px solid rgb(96,40,0); border-top: none;"
        "  border-bottom-left-radius: 5px; border-bottom-right-radius: 5px; }"
        ".ValueLabel { color: rgb(0,0,128); background: transparent; }"
        "#instFCMed { color: rgb(72,72,255); }"
        "#pnGrafico { background: rgb(255,243,222); border: 1px solid rgb(181,101,29); border-radius: 6px; }"
        "#pnAvaliacaoAvaliado { background: rgb(255,248,232); border: 1px solid rgb(96,40,0); border-radius: 4px; }"
        "#instAvaliado, #lbAvaliado { color: rgb(0,0,128); }"
        "#instFC30s { color: rgb(200,0,0); }"
        "QStatusBar { background: #fff1dc; color: rgb(0,0,128); }");
}

void TfrmPrincipal::createActions()
{
    for (const ActionSpec &a : Actions) {
        auto *action = new QAction(QString::fromUtf8(a.caption), this);
        const QString name = QString::fromLatin1(a.name);
        action->setObjectName(name);
        if (*a.hint) {
            action->setToolTip(QString::fromUtf8(a.hint));
            action->setStatusTip(QString::fromUtf8(a.hint));
        } else {
            action->setToolTip(QString::fromUtf8(a.caption).remove(u'&'));
        }
        if (*a.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(a.shortcut)));
        action->setProperty("imageIndex", a.image);
        connect(action, &QAction::triggered, this, [this, name] { actionExecute(name); });
        m_actions[name] = action;
    }
    m_testeSensor = new QAction(QStringLiteral("Teste do &Sensor"), this);
    m_testeSensor->setObjectName(QStringLiteral("mnTesteSensor"));
    m_testeSensor->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    connect(m_testeSensor, &QAction::triggered, this, [this] { TesteSensorClick(); });
}

void TfrmPrincipal::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto addMenu = [&](const char *name, const char *caption) {
        QMenu *m = bar->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
        m_menus.push_back(m);
        return m;
    };
    QMenu *cad = addMenu("mnCadastro", "&Cadastros");
    cad->addAction(Action(QStringLiteral("CadAvaliados")));
    cad->addAction(Action(QStringLiteral("CadGrupos")));
    cad->addAction(Action(QStringLiteral("CadProtocolos")));
    cad->addSeparator();
    cad->addAction(Action(QStringLiteral("CadLaboratorio")));
    cad->addSeparator();
    cad->addAction(Action(QStringLiteral("Fechar")));
    QMenu *aval = addMenu("mnAvaliacoes", "&Avaliações");
    aval->addAction(Action(QStringLiteral("NovaAvaliacao")));
    aval->addAction(Action(QStringLiteral("VisualizarAvaliacao")));
    QMenu *conf = addMenu("mnConfiguracoes", "C&onfigurações");
    conf->addAction(Action(QStringLiteral("Comunicacao")));
    conf->addAction(Action(QStringLiteral("ConfigGrafico")));
    conf->addAction(Action(QStringLiteral("Parametros")));
    conf->addSeparator();
    conf->addAction(m_testeSensor);
    conf->addSeparator();
    conf->addAction(Action(QStringLiteral("Backup")));
    QMenu *ajuda = addMenu("mnAjuda", "A&juda");
    ajuda->addAction(Action(QStringLiteral("Sobre")));
}

QWidget *TfrmPrincipal::createStatusPlace(const QString &name, bool heartRate)
{
    auto *place = new QWidget;
    place->setObjectName(name);
    place->setFixedSize(StatusPlaceSize, StatusPlaceSize);
    const QString suffix = heartRate ? QStringLiteral("FC") : QStringLiteral("Limiar");
    const std::pair<StatusIcon, const char *> states[] = {
        {StatusIcon::Receiving, "Verde"}, {StatusIcon::Silent, "Amarelo"}, {StatusIcon::NotFound, "Vermelho"},
        {StatusIcon::Disabled, "Cinza"}, {StatusIcon::Manual, "Preto"},
    };
    for (const auto &[state, colour] : states) {
        if (state == StatusIcon::Manual && !heartRate)
            continue;
        auto *image = new QLabel(place);
        image->setObjectName(QStringLiteral("imSensor") + QString::fromLatin1(colour) + suffix);
        image->setGeometry(0, 0, StatusPlaceSize, StatusPlaceSize);
        image->setAlignment(Qt::AlignCenter);
        image->setToolTip(StatusIconHint(heartRate, state));
        image->setToolTipDuration(HintPauseMs);
        image->hide();
        m_statusImages[heartRate ? 2 : 1][state] = image;
    }
    return place;
}

void TfrmPrincipal::createToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Barra de ferramentas"));
    m_toolbar->setObjectName(QStringLiteral("ToolBar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto button = [&](const char *action, const char *name) {
        QAction *a = Action(QString::fromLatin1(action));
        m_toolbar->addAction(a);
        QWidget *w = m_toolbar->widgetForAction(a);
        w->setObjectName(QString::fromLatin1(name));
        w->setToolTipDuration(HintPauseMs);
    };
    button("CadAvaliados", "btCadAvaliados");
    button("CadGrupos", "btCadGrupos");
    button("CadProtocolos", "btCadProtocolos");
    m_toolbar->addSeparator();
    button("NovaAvaliacao", "btNovaAvaliacao");
    button("VisualizarAvaliacao", "btVisualizarAvaliacao");
    m_toolbar->addSeparator();
    button("Comunicacao", "btComunicacao");
    button("Parametros", "btParametros");
    button("ConfigGrafico", "btConfigGrafico");
    m_toolbar->addSeparator();
    button("Backup", "btBackup");
    m_toolbar->addSeparator();
    button("Fechar", "btClose");

    m_spacer = new QLabel;
    m_spacer->setObjectName(QStringLiteral("lbBarraEspaco"));
    m_toolbar->addWidget(m_spacer);
    m_toolbar->addWidget(createStatusPlace(QStringLiteral("pnSensorLimiar"), false));
    m_toolbar->addWidget(createStatusPlace(QStringLiteral("pnSensorFC"), true));
    auto *clock = new QLabel(QStringLiteral("00:00:00"));
    clock->setObjectName(QStringLiteral("cpRelogio"));
    clock->setFont(ArialPixelFont(30, true));
    clock->setAlignment(Qt::AlignCenter);
    clock->setFixedSize(150, 40);
    m_toolbar->addWidget(clock);
    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("imLogoBar"));
    logo->setFixedSize(210, 40);
    logo->setAlignment(Qt::AlignCenter);
    m_toolbar->addWidget(logo);
    m_toolbar->installEventFilter(this);
}

QWidget *TfrmPrincipal::createValuePanel(const QString &name, const QString &caption, const QString &value)
{
    auto *panel = new QWidget(m_pnLeft);
    panel->setObjectName(QStringLiteral("pn") + name);
    auto *band = new FrameBand(caption, panel);
    band->setObjectName(QStringLiteral("lb") + name);
    auto *body = new QWidget(panel);
    body->setObjectName(QStringLiteral("pn") + name + QStringLiteral("Corpo"));
    body->setProperty("class", QStringLiteral("ValuePanel"));
    body->setAttribute(Qt::WA_StyledBackground);
    auto *label = new QLabel(value, body);
    label->setObjectName(QStringLiteral("inst") + name);
    label->setProperty("class", QStringLiteral("ValueLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(band);
    column->addWidget(body, 1);
    m_valuePanels[name] = panel;
    m_valueLabels[name] = label;
    return panel;
}

void TfrmPrincipal::createPanels()
{
    m_pnForm = new QWidget(this);
    m_pnForm->setObjectName(QStringLiteral("pnForm"));
    m_pnForm->setAttribute(Qt::WA_StyledBackground);
    setCentralWidget(m_pnForm);
    m_pnForm->installEventFilter(this);

    m_pnLeft = new QWidget(m_pnForm);
    m_pnLeft->setObjectName(QStringLiteral("pnLeft"));
    m_pnLeft->setFixedWidth(LeftColumnWidth);
    m_pnLeft->installEventFilter(this);
    m_leftRows = {
        createValuePanel(QStringLiteral("VE"), QStringLiteral("VE (l/min)"), QStringLiteral("0,0")),
        createValuePanel(QStringLiteral("VEMed"), QStringLiteral("VE Média Min."), QStringLiteral("0,0")),
        createValuePanel(QStringLiteral("FC"), QStringLiteral("FC (bpm)"), QStringLiteral("0")),
        createValuePanel(QStringLiteral("FCMed"), QStringLiteral("FC Med"), QStringLiteral("0")),
        createValuePanel(QStringLiteral("pFCMax"), QStringLiteral("% FC Máx. Idade"), QStringLiteral("0")),
        createValuePanel(QStringLiteral("Carga"), QStringLiteral("Carga (km/h)"), QStringLiteral("0,0")),
    };
    // The inclination and VO2 panels share the load panel's place; one of the three is shown.
    createValuePanel(QStringLiteral("Inclinacao"), QStringLiteral("% Inclinação"), QStringLiteral("0,0"))->hide();
    createValuePanel(QStringLiteral("VO2"), QStringLiteral("VO2"), QStringLiteral("0,0"))->hide();

    // The heart-rate receiver icon and the manual entry of Part of the live values sit in pnFC.
    QWidget *fcBody = m_valuePanels[QStringLiteral("FC")]->findChild<QWidget *>(QStringLiteral("pnFCCorpo"));
    m_imIcnFC = new QLabel(fcBody);
    m_imIcnFC->setObjectName(QStringLiteral("imIcnFC"));
    m_imIcnFC->setGeometry(8, 8, 32, 32);
    auto *cpFC = new QLineEdit(fcBody);
    cpFC->setObjectName(QStringLiteral("cpFC"));
    cpFC->setGeometry(44, 8, 60, 28);
    cpFC->hide();
    auto *btFCOK = new QToolButton(fcBody);
    btFCOK->setObjectName(QStringLiteral("btFCOK"));
    btFCOK->setGeometry(106, 8, 28, 28);
    btFCOK->hide();

    m_pnGrafico = new QWidget(m_pnForm);
    m_pnGrafico->setObjectName(QStringLiteral("pnGrafico"));
    m_pnGrafico->setAttribute(Qt::WA_StyledBackground);
    m_pnGrafico->installEventFilter(this);
    m_imLogo = new QLabel(m_pnGrafico);
    m_imLogo->setObjectName(QStringLiteral("imLogo"));
    m_imLogo->setAlignment(Qt::AlignCenter);
    m_imGrafico = new QLabel(m_pnGrafico);
    m_imGrafico->setObjectName(QStringLiteral("imGrafico"));
    m_imGrafico->hide();

    m_pnAvaliacaoAvaliado = new QWidget(m_pnGrafico);
    m_pnAvaliacaoAvaliado->setObjectName(QStringLiteral("pnAvaliacaoAvaliado"));
    m_pnAvaliacaoAvaliado->setAttribute(Qt::WA_StyledBackground);
    auto *lbAvaliado = new QLabel(QStringLiteral(" Avaliado: "), m_pnAvaliacaoAvaliado);
    lbAvaliado->setObjectName(QStringLiteral("lbAvaliado"));
    lbAvaliado->setFont(ArialFont(14, true));
    auto *instAvaliado = new QLabel(m_pnAvaliacaoAvaliado);
    instAvaliado->setObjectName(QStringLiteral("instAvaliado"));
    instAvaliado->setFont(ArialFont(14, true));
    auto *row = new QHBoxLayout(m_pnAvaliacaoAvaliado);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(lbAvaliado);
    row->addWidget(instAvaliado, 1);
    m_pnAvaliacaoAvaliado->hide();

    m_pnAvaliacaoFC30s = new QWidget(m_pnGrafico);
    m_pnAvaliacaoFC30s->setObjectName(QStringLiteral("pnAvaliacaoFC30s"));
    m_instFC30s = new QLabel(m_pnAvaliacaoFC30s);
    m_instFC30s->setObjectName(QStringLiteral("instFC30s"));
    m_instFC30s->setAlignment(Qt::AlignCenter);
    m_pnAvaliacaoFC30s->hide();

    m_pnAvaliacaoBtn = new QWidget(m_pnGrafico);
    m_pnAvaliacaoBtn->setObjectName(QStringLiteral("pnAvaliacaoBtn"));
    auto *btEncerrar = new QToolButton(m_pnAvaliacaoBtn);
    btEncerrar->setObjectName(QStringLiteral("btEncerrarAvaliacao"));
    btEncerrar->setGeometry(4, 4, 44, 44);
    btEncerrar->setText(QStringLiteral("Encerrar"));
    btEncerrar->setToolTip(QStringLiteral("Encerrar a Avaliação (SHIFT+ESC)"));
    auto *btRecuperacao = new QToolButton(m_pnAvaliacaoBtn);
    btRecuperacao->setObjectName(QStringLiteral("btRecuperacao"));
    btRecuperacao->setGeometry(52, 4, 44, 44);
    btRecuperacao->setText(QStringLiteral("Recuperação"));
    btRecuperacao->setToolTip(
        QStringLiteral("Finalizar Avaliação e Iniciar Recuperação com Cargas Zeradas... (SHIFT+F2)"));
    for (QToolButton *b : {btEncerrar, btRecuperacao})
        b->setToolTipDuration(HintPauseMs);
    m_pnAvaliacaoBtn->resize(100, 52);
    m_pnAvaliacaoBtn->hide();

    auto *columns = new QHBoxLayout(m_pnForm);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(8);
    columns->addWidget(m_pnLeft);
    columns->addWidget(m_pnGrafico, 1);

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(bar);
}

void TfrmPrincipal::applyImages()
{
    const TfrmImagens &im = *m_images;
    for (auto &[name, action] : m_actions) {
        const int index = action->property("imageIndex").toInt();
        if (index < 0)
            continue;
        QIcon icon = im.MenuIcon(index);
        const QIcon toolbar = im.ToolbarIcon(index);
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
            for (const QSize &size : toolbar.availableSizes(mode))
                icon.addPixmap(toolbar.pixmap(size, mode), mode);
        action->setIcon(icon);
    }
    Action(QStringLiteral("CadLaboratorio"))->setIcon(im.Picture(QStringLiteral("imCadLaboratorioMenu")));
    m_testeSensor->setIcon(im.Picture(QStringLiteral("imTesteSensorMenu")));
    for (auto &[icon, states] : m_statusImages)
        for (auto &[state, label] : states)
            label->setPixmap(im.Picture(label->objectName()));
    for (auto &[name, panel] : m_valuePanels)
        panel->findChild<FrameBand *>()->SetPictures(im.Picture(QStringLiteral("imMoldura_canto_esq")),
                                                     im.Picture(QStringLiteral("imMoldura_centro")),
                                                     im.Picture(QStringLiteral("imMoldura_canto_dir")));
    findChild<QLabel *>(QStringLiteral("imLogoBar"))->setPixmap(im.Picture(QStringLiteral("imLogoBar")));
    m_imLogo->setPixmap(im.Picture(QStringLiteral("imLogo")));
    findChild<QToolButton *>(QStringLiteral("btFCOK"))->setIcon(im.Glyph(16, 8).copy(0, 0, 16, 16));
    auto *btEncerrar = findChild<QToolButton *>(QStringLiteral("btEncerrarAvaliacao"));
    btEncerrar->setIcon(im.Glyph(32, 12).copy(0, 0, 32, 32));
    btEncerrar->setIconSize(QSize(32, 32));
    auto *btRecuperacao = findChild<QToolButton *>(QStringLiteral("btRecuperacao"));
    btRecuperacao->setIcon(im.Glyph(32, 13).copy(0, 0, 32, 32));
    btRecuperacao->setIconSize(QSize(32, 32));
}

void TfrmPrincipal::FormResize()
{
    if (!m_toolbar || !m_pnLeft)
        return;
    QWidget *firstButton = m_toolbar->widgetForAction(Action(QStringLiteral("CadAvaliados")));
    const int buttonWidth = firstButton ? firstButton->sizeHint().width() : 40;
    m_spacer->setFixedWidth(std::max(0, SpacerWidth(m_toolbar->width(), buttonWidth)));

    const int gw = m_pnGrafico->width();
    m_pnAvaliacaoBtn->move(gw - m_pnAvaliacaoBtn->width() - 6, 6);
    m_instFC30s->setFont(ArialFont(FC30sFontSize(width()), true));
    m_pnAvaliacaoFC30s->setGeometry(m_pnAvaliacaoBtn->x() - 190, 6, 186, m_pnAvaliacaoBtn->height());
    m_instFC30s->setGeometry(m_pnAvaliacaoFC30s->rect());
    m_pnAvaliacaoAvaliado->setGeometry(6, 6, std::max(0, m_pnAvaliacaoFC30s->x() - 12), 40);
    const int chartTop = m_pnAvaliacaoAvaliado->isVisibleTo(m_pnGrafico) ? 64 : 6;
    m_imGrafico->setGeometry(6, chartTop, std::max(0, gw - 12), std::max(0, m_pnGrafico->height() - chartTop - 6));
    m_imLogo->setGeometry(m_pnGrafico->rect());

    const bool fcMed = m_valuePanels[QStringLiteral("FCMed")]->isVisibleTo(m_pnLeft);
    const LeftColumnLayout col = ComputeLeftColumn(m_pnLeft->height(), fcMed);
    const int valueHeight = ValueLabelHeight(col.panelHeight);
    const QFont valueFont = ArialFont(ValueFontSize(valueHeight), true);
    // The first row sits at the top; each next one a gap below the previous.
    int y = -col.gap;
    for (QWidget *row : m_leftRows) {
        if (row == m_valuePanels[QStringLiteral("FCMed")] && !fcMed)
            continue;
        y += col.gap;
        if (row == m_valuePanels[QStringLiteral("Carga")]) {
            for (const char *shared : {"Carga", "Inclinacao", "VO2"})
                m_valuePanels[QString::fromLatin1(shared)]->setGeometry(0, y, m_pnLeft->width(), col.panelHeight);
        } else {
            row->setGeometry(0, y, m_pnLeft->width(), col.panelHeight);
        }
        y += col.panelHeight;
    }
    for (auto &[name, label] : m_valueLabels) {
        label->setFont(valueFont);
        label->setGeometry(0, 0, m_pnLeft->width() - 10, valueHeight);
    }
    m_imIcnFC->move(8, std::max(0, (valueHeight - m_imIcnFC->height()) / 2));
}

} // namespace kestrova
