// The controls of the protocol editor and their connections.

#include "novo_protocolo.h"

#include "entry_helpers.h"
#include "title_band_widget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace kestrova {

namespace {

template<typename T>
T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton *StageButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap icon)
{
    auto *b = Named(new QPushButton(parent), name);
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoDefault(false);
    b->setFixedWidth(36);
    return b;
}

} // namespace

void TfrmNovoProtocolo::buildUi()
{
    ApplyMainWindowBackground(this);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    auto *band = new TitleBandWidget(QStringLiteral("Protocolo"), this);
    root->addWidget(band);
    connect(this, &QWidget::windowTitleChanged, band, &TitleBandWidget::setTitle);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    root->addLayout(body);

    auto *head = new QGridLayout;
    body->addLayout(head);
    cpProtocolo = Named(new QLineEdit(this), "cpProtocolo");
    cpProtocolo->setReadOnly(true);
    cpProtocolo->setFocusPolicy(Qt::NoFocus);
    cpProtocolo->setMaximumWidth(70);
    cpNome = Named(new QLineEdit(this), "cpNome");
    cpNome->setMaxLength(255);
    cpTipoErgometro = Named(new QComboBox(this), "cpTipoErgometro");
    cpTipoErgometro->addItems({QStringLiteral("Ciclo"), QStringLiteral("Esteira")});
    cpNumEstagios = Named(new QSpinBox(this), "cpNumEstagios");
    cpNumEstagios->setRange(1, 60);
    btConfirmarNumEstagios = Named(new QPushButton(this), "btConfirmarNumEstagios");
    btConfirmarNumEstagios->setToolTip(QStringLiteral("Confirmar Número de Estágios"));
    btConfirmarNumEstagios->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    btConfirmarNumEstagios->setAutoDefault(false);
    btConfirmarNumEstagios->setFixedWidth(36);
    cpRegulares = Named(new QRadioButton(QStringLiteral("Estágios Regulares"), this), "cpRegulares");
    cpIrregulares = Named(new QRadioButton(QStringLiteral("Estágios Irregulares"), this), "cpIrregulares");

    head->addWidget(new QLabel(QStringLiteral("Protocolo"), this), 0, 0);
    head->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    head->addWidget(cpProtocolo, 1, 0);
    head->addWidget(cpNome, 1, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Ergômetro"), this), 2, 0);
    head->addWidget(new QLabel(QStringLiteral("Número de Estágios"), this), 2, 1);
    head->addWidget(cpTipoErgometro, 3, 0);
    auto *count = new QHBoxLayout;
    count->addWidget(cpNumEstagios);
    count->addWidget(btConfirmarNumEstagios);
    count->addStretch();
    head->addLayout(count, 3, 1);
    head->addWidget(cpRegulares, 3, 2);
    head->addWidget(cpIrregulares, 3, 3);

    auto *stage = new QGroupBox(this);
    body->addWidget(stage);
    auto *grid = new QGridLayout(stage);
    auto *stageTitle = new QHBoxLayout;
    stageTitle->addWidget(new QLabel(QStringLiteral("Estágio:"), stage));
    cpEstagioAtual = Named(new QLabel(QStringLiteral("1"), stage), "cpEstagioAtual");
    QFont bold = cpEstagioAtual->font();
    bold.setBold(true);
    cpEstagioAtual->setFont(bold);
    stageTitle->addWidget(cpEstagioAtual);
    stageTitle->addStretch();
    grid->addLayout(stageTitle, 0, 0, 1, 4);

    cpDuracao = Named(new QSpinBox(stage), "cpDuracao");
    cpDuracao->setRange(30, 7200);
    cpDuracao->setSingleStep(30);
    cpUnidCarga = Named(new QComboBox(stage), "cpUnidCarga");
    cpCarga = Named(new QLineEdit(stage), "cpCarga");
    cpCargaIncr = Named(new QLineEdit(stage), "cpCargaIncr");
    cpRPM = Named(new QSpinBox(stage), "cpRPM");
    cpRPM->setRange(0, 200);
    cpInclinacao = Named(new QLineEdit(stage), "cpInclinacao");
    cpInclinacaoIncr = Named(new QLineEdit(stage), "cpInclinacaoIncr");
    lbCarga = Named(new QLabel(QStringLiteral("Carga Inicial:"), stage), "lbCarga");
    lbRPM = Named(new QLabel(QStringLiteral("R.P.M.:"), stage), "lbRPM");
    lbInclinacao = Named(new QLabel(QStringLiteral("Inclinação Inicial (%):"), stage), "lbInclinacao");
    lbInclinacaoIncr = Named(new QLabel(QStringLiteral("Increm. de  Inclinação (%):"), stage), "lbInclinacaoIncr");

    grid->addWidget(new QLabel(QStringLiteral("Duração do Estágio (seg):"), stage), 1, 0);
    grid->addWidget(cpDuracao, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Unidade da Carga:"), stage), 1, 2);
    grid->addWidget(cpUnidCarga, 1, 3);
    grid->addWidget(lbCarga, 2, 0);
    grid->addWidget(cpCarga, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Incremento de Carga:"), stage), 2, 2);
    grid->addWidget(cpCargaIncr, 2, 3);
    grid->addWidget(lbRPM, 3, 0);
    grid->addWidget(cpRPM, 3, 1);
    grid->addWidget(lbInclinacao, 4, 0);
    grid->addWidget(cpInclinacao, 4, 1);
    grid->addWidget(lbInclinacaoIncr, 4, 2);
    grid->addWidget(cpInclinacaoIncr, 4, 3);

    auto *stageButtons = new QHBoxLayout;
    btAnterior = StageButton(stage, "btAnterior", QStringLiteral("Anterior"), QStyle::SP_ArrowLeft);
    btProximo = StageButton(stage, "btProximo", QStringLiteral("Próximo"), QStyle::SP_ArrowRight);
    btAplicar = StageButton(stage, "btAplicar", QStringLiteral("Aplicar"), QStyle::SP_DialogApplyButton);
    btCancel = StageButton(stage, "btCancel", QStringLiteral("Cancelar"), QStyle::SP_DialogCancelButton);
    stageButtons->addWidget(btAnterior);
    stageButtons->addWidget(btProximo);
    stageButtons->addStretch();
    stageButtons->addWidget(btAplicar);
    stageButtons->addWidget(btCancel);
    grid->addLayout(stageButtons, 5, 0, 1, 4);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 4, 10, 0);
    btInserir = Named(new QPushButton(QStringLiteral("&Inserir"), this), "btInserir");
    btCancelar = Named(new QPushButton(QStringLiteral("C&ancelar"), this), "btCancelar");
    btInserir->setAutoDefault(false);
    btCancelar->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(btInserir);
    buttons->addWidget(btCancelar);
    root->addLayout(buttons);

    setTabOrder(cpNome, cpTipoErgometro);
    setTabOrder(cpTipoErgometro, cpNumEstagios);
    setTabOrder(cpNumEstagios, btConfirmarNumEstagios);
    setTabOrder(btConfirmarNumEstagios, cpRegulares);
    setTabOrder(cpRegulares, cpIrregulares);
    setTabOrder(cpIrregulares, cpDuracao);
    setTabOrder(cpDuracao, cpUnidCarga);
    setTabOrder(cpUnidCarga, cpCarga);
    setTabOrder(cpCarga, cpCargaIncr);
    setTabOrder(cpCargaIncr, cpRPM);
    setTabOrder(cpRPM, cpInclinacao);
    setTabOrder(cpInclinacao, cpInclinacaoIncr);
    setTabOrder(cpInclinacaoIncr, btAplicar);
}

void TfrmNovoProtocolo::connectUi()
{
    MakeUpperCase(cpNome);
    for (QWidget *w : std::initializer_list<QWidget *>{cpNome, cpTipoErgometro, cpDuracao, cpUnidCarga, cpCarga,
                                                       cpCargaIncr, cpRPM, cpInclinacao, cpInclinacaoIncr})
        EnterMovesToNext(w);
    for (QLineEdit *box : {cpCarga, cpCargaIncr, cpInclinacao, cpInclinacaoIncr}) {
        AcceptDecimalKeysOnly(box);
        OnExit(box, [this, box] { NumberBoxExit(box); });
        connect(box, &QLineEdit::textChanged, this, [this] { StageBoxChanged(); });
    }
    OnExit(cpDuracao, [this] { cpDuracaoExit(); });
    OnExit(cpNumEstagios, [this] {
        if (btConfirmarNumEstagios->isEnabled())
            btConfirmarNumEstagiosClick();
    });
    connect(cpNome, &QLineEdit::textChanged, this, [this] { cpNomeChange(); });
    connect(cpTipoErgometro, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            cpTipoErgometroChange();
    });
    connect(cpDuracao, &QSpinBox::valueChanged, this, [this] { StageBoxChanged(); });
    connect(cpRPM, &QSpinBox::valueChanged, this, [this] { StageBoxChanged(); });
    connect(cpUnidCarga, &QComboBox::currentIndexChanged, this, [this] { StageBoxChanged(); });
    connect(cpNumEstagios, &QSpinBox::valueChanged, this, [this] { cpNumEstagiosChange(); });
    // Enter in the count confirms a changed count and moves on, like Enter in every other box;
    // leaving the box is handled by its exit check.
    connect(cpNumEstagios, &QSpinBox::editingFinished, this, [this] {
        if (!cpNumEstagios->hasFocus())
            return;
        if (btConfirmarNumEstagios->isEnabled())
            btConfirmarNumEstagiosClick();
        if (cpNumEstagios->hasFocus())   // the confirmation may have moved it to the radios already
            focusNextChild();
    });
    connect(btConfirmarNumEstagios, &QPushButton::clicked, this, [this] { btConfirmarNumEstagiosClick(); });
    connect(cpRegulares, &QRadioButton::clicked, this, [this] { cpRegularesClick(); });
    connect(cpIrregulares, &QRadioButton::clicked, this, [this] { cpIrregularesClick(); });
    connect(btAplicar, &QPushButton::clicked, this, [this] { btAplicarClick(); });
    connect(btCancel, &QPushButton::clicked, this, [this] { btCancelClick(); });
    connect(btAnterior, &QPushButton::clicked, this, [this] { btAnteriorClick(); });
    connect(btProximo, &QPushButton::clicked, this, [this] { btProximoClick(); });
    connect(btInserir, &QPushButton::clicked, this, [this] { btInserirClick(); });
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace kestrova
