#include "conf_grafico.h"

#include "chart_setup.h"
#include "config.h"
#include "folders.h"
#include "title_band_widget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrova {

namespace {

struct CurveBox
{
    const char *name;
    const char *caption;
    const char *key;
    bool byDefault;
};

constexpr CurveBox Boxes[5] = {
    {"cpVE", "VE (l/min)", KeyGraficoVE, true},
    {"cpVEMed", "VE Média Min.", KeyGraficoVEMed, true},
    {"cpVE4", "VE4 ", KeyGraficoVE4, false},
    {"cpFC", "FC (bpm)", KeyGraficoFC, true},
    {"cpVO2", "VO2", KeyGraficoVO2, false},
};

} // namespace

TfrmConfGrafico::TfrmConfGrafico(QWidget *parent, const QString &configPath)
    : QDialog(parent, Qt::Tool), m_configPath(configPath.isEmpty() ? Folders().ConfigFilePath : configPath)
{
    setObjectName(QStringLiteral("frmConfGrafico"));
    setWindowTitle(QStringLiteral("Configuração do Gráfico..."));
    ApplyMainWindowBackground(this);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addWidget(new TitleBandWidget(QStringLiteral("Gráfico"), this));

    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("imConfGraficoMold"));
    QPalette white = area->palette();
    white.setColor(QPalette::Window, Qt::white);
    area->setPalette(white);
    area->setAutoFillBackground(true);
    auto *boxes = new QVBoxLayout(area);
    boxes->addWidget(new QLabel(QStringLiteral("Selecione as variáveis que deseja ver no Gráfico:"), area));
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        auto *box = new QCheckBox(QString::fromUtf8(Boxes[i].caption), area);
        box->setObjectName(QString::fromLatin1(Boxes[i].name));
        connect(box, &QCheckBox::clicked, this, &TfrmConfGrafico::cpClick);
        boxes->addWidget(box);
        m_boxes[i] = box;
    }
    outer->addWidget(area);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btConfirmar = new QPushButton(QStringLiteral("&Confirmar"), this);
    m_btConfirmar->setObjectName(QStringLiteral("btConfirmar"));
    m_btCancelar = new QPushButton(QStringLiteral("C&ancelar"), this);
    m_btCancelar->setObjectName(QStringLiteral("btCancelar"));
    buttons->addWidget(m_btConfirmar);
    buttons->addWidget(m_btCancelar);
    outer->addLayout(buttons);

    connect(m_btConfirmar, &QPushButton::clicked, this, &TfrmConfGrafico::btConfirmarClick);
    connect(m_btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

int TfrmConfGrafico::execute(QWidget *parent)
{
    TfrmConfGrafico dialog(parent);
    return dialog.exec();
}

bool TfrmConfGrafico::CanConfirm(const std::array<bool, 5> &ticked)
{
    return std::any_of(ticked.begin(), ticked.end(), [](bool b) { return b; });
}

void TfrmConfGrafico::FormCreate()
{
    const IniFile ini(m_configPath);
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(ini.ReadBool(QStringLiteral("parametros"), QString::fromLatin1(Boxes[i].key), Boxes[i].byDefault));
    m_btConfirmar->setEnabled(true);
}

void TfrmConfGrafico::cpClick()
{
    std::array<bool, 5> ticked {};
    for (size_t i = 0; i < m_boxes.size(); ++i)
        ticked[i] = m_boxes[i]->isChecked();
    m_btConfirmar->setEnabled(CanConfirm(ticked));
}

void TfrmConfGrafico::btConfirmarClick()
{
    IniFile ini(m_configPath);
    for (size_t i = 0; i < m_boxes.size(); ++i)
        ini.WriteBool(QString::fromLatin1(ConfigSection), QString::fromLatin1(Boxes[i].key), m_boxes[i]->isChecked());
    accept();
}

} // namespace kestrova
