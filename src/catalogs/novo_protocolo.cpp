#include "novo_protocolo.h"

#include "data_module.h"
#include "entry_helpers.h"
#include "formatting.h"
#include "messages.h"
#include "protocol_loader.h"
#include "protocol_rules.h"
#include "routines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace kestrova {

namespace {

const QString MsgDurationTotal = QStringLiteral("A Duração Total do Protocolo não pode ser maior que 1440 minutos!");

// Box values equal stored values when they show the same number at the box's two decimals.
bool SameNumber(double box, double stored)
{
    return std::fabs(box - std::round(stored * 100.0) / 100.0) < 0.0005;
}

class FillGuard
{
public:
    explicit FillGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FillGuard() { m_flag = m_old; }

private:
    bool &m_flag;
    bool m_old;
};

} // namespace

TfrmNovoProtocolo::TfrmNovoProtocolo(TfrmDM &dm, Messages &messages, ProgressWindow progress, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_messages(messages), m_progress(std::move(progress))
{
    setObjectName(QStringLiteral("TfrmNovoProtocolo"));
    buildUi();
    connectUi();
    PrepareNew();
}

void TfrmNovoProtocolo::PrepareNew()
{
    setWindowTitle(QStringLiteral("Novo Protocolo"));
    m_tag = 1;
    btInserir->setText(QStringLiteral("&Inserir"));
    m_proto = TProtocolo();
    ClearStagesAfter(1, m_proto);
    m_proto.Protocolo = int32_t(m_dm.qProtocolos.nextKey());
    m_proto.Nome.clear();
    m_proto.TipoErgometro = 'C';
    m_proto.TipoEstagio = 'R';
    m_proto.NumEstagios = 1;
    m_proto.UnidCarga = QStringLiteral("kgfm");
}

bool TfrmNovoProtocolo::PrepareAlter(qint64 number)
{
    setWindowTitle(QStringLiteral("Alterar Protocolo"));
    m_tag = 2;
    btInserir->setText(QStringLiteral("&Alterar"));
    TProtocolo loaded;
    loaded.Protocolo = int32_t(number);
    try {
        if (!LoadProtocol(m_dm, loaded))
            return false;
    } catch (const StorageError &e) {
        m_messages.error(e.message());
        return false;
    }
    m_proto = loaded;
    if (m_proto.NumEstagios > MaxEditorStages)
        m_proto.NumEstagios = MaxEditorStages;
    return true;
}

int TfrmNovoProtocolo::exec()
{
    ShowEditor();
    return QDialog::exec();
}

void TfrmNovoProtocolo::ShowEditor()
{
    {
        FillGuard guard(m_filling);
        cpProtocolo->setText(QString::number(m_proto.Protocolo));
        cpNome->setText(m_proto.Nome);
    }
    m_originalName = m_proto.Nome;
    ShowStage(1);
    focusControl(cpNome);
    m_stageClean = m_tag == 2;
    btInserir->setEnabled(false);
    // The progress window appears only while saving; showing it here would leave it over the editor.
}

void TfrmNovoProtocolo::focusControl(QWidget *w)
{
    if (w->isEnabled())
        w->setFocus(Qt::OtherFocusReason);
}

void TfrmNovoProtocolo::reportError(const QString &text)
{
    m_messages.show(MessageIcon::Error, QString::fromUtf8(CaptionProgram), text, MessageButtons::Ok);
}

bool TfrmNovoProtocolo::stageEditable() const
{
    return m_proto.TipoEstagio == 'I' || m_currentStage == 1;
}

void TfrmNovoProtocolo::fillUnitList()
{
    QStringList units;
    if (m_proto.TipoErgometro == 'E')
        units << QStringLiteral("km/h");
    else
        units << QStringLiteral("kgfm") << QStringLiteral("watts");
    cpUnidCarga->clear();
    cpUnidCarga->addItems(units);
    const int at = units.indexOf(m_proto.UnidCarga);
    cpUnidCarga->setCurrentIndex(at >= 0 ? at : 0);
    m_proto.UnidCarga = cpUnidCarga->currentText();
}

void TfrmNovoProtocolo::ShowStage(int n)
{
    FillGuard guard(m_filling);
    if (n < 1)
        n = 1;
    m_currentStage = n;
    cpEstagioAtual->setText(QString::number(n));
    cpNumEstagios->setValue(m_proto.NumEstagios);
    cpNumEstagios->setEnabled(true);
    btConfirmarNumEstagios->setEnabled(false);

    const bool several = m_proto.NumEstagios > 1;
    cpRegulares->setEnabled(several);
    cpIrregulares->setEnabled(several);
    cpRegulares->setChecked(m_proto.TipoEstagio == 'R');
    cpIrregulares->setChecked(m_proto.TipoEstagio != 'R');

    cpTipoErgometro->setCurrentIndex(m_proto.TipoErgometro == 'E' ? 1 : 0);
    applyErgometerRule();

    const bool editable = stageEditable();
    cpDuracao->setEnabled(editable);
    cpCarga->setEnabled(editable);
    cpUnidCarga->setEnabled(n == 1);
    cpCargaIncr->setEnabled(editable && !isLastStage());

    const TStage &s = m_proto.Estagios[n];
    cpDuracao->setValue(s.Duracao);
    const int unit = cpUnidCarga->findText(m_proto.UnidCarga);
    if (unit >= 0)
        cpUnidCarga->setCurrentIndex(unit);
    cpCarga->setText(StageNumberText(LoadInKgfm(m_proto) ? s.CargaKgfm : s.Carga));
    cpCargaIncr->setText(StageNumberText(s.CargaIncr));
    cpRPM->setValue(s.RPM);
    cpInclinacao->setText(StageNumberText(s.Inclinacao));
    cpInclinacaoIncr->setText(StageNumberText(s.InclinacaoIncr));

    lbCarga->setText(n == 1 ? QStringLiteral("Carga Inicial:") : QStringLiteral("Carga:"));
    lbInclinacao->setText(n == 1 ? QStringLiteral("Inclinação Inicial (%):") : QStringLiteral("Inclinação (%):"));

    btAplicar->setEnabled(false);
    btCancel->setEnabled(false);
    btAnterior->setEnabled(n > 1);
    btProximo->setEnabled(m_proto.NumEstagios >= 2 && n < m_proto.NumEstagios);
}

void TfrmNovoProtocolo::applyErgometerRule()
{
    FillGuard guard(m_filling);
    const bool cycle = cpTipoErgometro->currentIndex() != 1;
    if (cycle) {
        m_proto.TipoErgometro = 'C';
        cpInclinacao->setText(QStringLiteral("0,00"));
        cpInclinacaoIncr->setText(QStringLiteral("0,00"));
    } else {
        m_proto.TipoErgometro = 'E';
        cpRPM->setValue(0);
    }
    fillUnitList();
    cpRPM->setVisible(cycle);
    lbRPM->setVisible(cycle);
    cpInclinacao->setVisible(!cycle);
    lbInclinacao->setVisible(!cycle);
    cpInclinacaoIncr->setVisible(!cycle);
    lbInclinacaoIncr->setVisible(!cycle);
    const bool editable = stageEditable();
    cpRPM->setEnabled(cycle && editable);
    cpInclinacao->setEnabled(!cycle && editable);
    cpInclinacaoIncr->setEnabled(cpInclinacao->isEnabled() && !isLastStage());
}

void TfrmNovoProtocolo::cpTipoErgometroChange()
{
    applyErgometerRule();
}

double TfrmNovoProtocolo::boxNumber(const QLineEdit *box) const
{
    return ParseDecimalOrZero(box->text());
}

void TfrmNovoProtocolo::StageBoxChanged()
{
    if (m_filling || btConfirmarNumEstagios->isEnabled())
        return;
    const TStage &s = m_proto.Estagios[m_currentStage];
    const bool kgfm = cpUnidCarga->currentText() == QLatin1String("kgfm");
    m_stageClean = cpDuracao->value() == s.Duracao && cpUnidCarga->currentText() == m_proto.UnidCarga
        && SameNumber(boxNumber(cpCarga), kgfm ? s.CargaKgfm : s.Carga)
        && SameNumber(boxNumber(cpCargaIncr), s.CargaIncr) && cpRPM->value() == s.RPM
        && SameNumber(boxNumber(cpInclinacao), s.Inclinacao)
        && SameNumber(boxNumber(cpInclinacaoIncr), s.InclinacaoIncr);
    applyCleanState();
}

void TfrmNovoProtocolo::applyCleanState()
{
    const bool several = m_proto.NumEstagios > 1;
    cpNumEstagios->setEnabled(m_stageClean);
    cpRegulares->setEnabled(m_stageClean && several);
    cpIrregulares->setEnabled(m_stageClean && several);
    btAplicar->setEnabled(!m_stageClean);
    btCancel->setEnabled(!m_stageClean);
    btAnterior->setEnabled(m_stageClean && m_currentStage > 1);
    btProximo->setEnabled(m_stageClean && m_currentStage < m_proto.NumEstagios);
    updateSaveButton();
}

void TfrmNovoProtocolo::updateSaveButton()
{
    btInserir->setEnabled(m_stageClean && !cpNome->text().isEmpty());
}

void TfrmNovoProtocolo::cpNomeChange()
{
    if (m_filling)
        return;
    m_proto.Nome = cpNome->text();
    updateSaveButton();
}

bool TfrmNovoProtocolo::NumberBoxExit(QLineEdit *box)
{
    if (box->text().trimmed().isEmpty()) {
        box->setText(QStringLiteral("0,00"));
        return true;
    }
    const double v = boxNumber(box);
    bool valid = v >= 0;
    QString message;
    if (box == cpCarga) {
        message = QStringLiteral("A Carga informada não é válida!");
    } else if (box == cpCargaIncr) {
        message = QStringLiteral("O Incremento de Carga informado não é válido!");
    } else if (box == cpInclinacao) {
        valid = valid && v <= 100;
        message = QStringLiteral("A Inclinação informada não é válida!");
    } else {
        valid = valid && v <= 100;
        message = QStringLiteral("O Incremento da Inclinação informado não é válido!");
    }
    if (!valid) {
        m_messages.error(message);
        focusControl(box);
        return false;
    }
    box->setText(StageNumberText(v));
    return true;
}

bool TfrmNovoProtocolo::cpDuracaoExit()
{
    if (cpDuracao->cleanText().trimmed().isEmpty()) {
        cpDuracao->setValue(30);
        return true;
    }
    cpDuracao->interpretText();
    const int value = cpDuracao->value();
    if (value % StageDurationStep != 0) {
        m_messages.error(QStringLiteral("A Duração informada deve ser múltipla de 30 seg.!"));
        focusControl(cpDuracao);
        return false;
    }
    const bool fits = m_proto.TipoEstagio == 'R'
        ? qint64(value) * m_proto.NumEstagios <= MaxProtocolSeconds
        : TotalDurationFits(m_proto, m_currentStage, value);
    if (!fits) {
        m_messages.error(MsgDurationTotal);
        focusControl(cpDuracao);
        return false;
    }
    return true;
}

void TfrmNovoProtocolo::setStagePanelEnabled(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{cpRegulares, cpIrregulares, cpDuracao, cpUnidCarga, cpCarga,
                                                       cpCargaIncr, cpRPM, cpInclinacao, cpInclinacaoIncr, btAnterior,
                                                       btProximo, btAplicar, btCancel})
        w->setEnabled(on);
}

void TfrmNovoProtocolo::cpNumEstagiosChange()
{
    if (m_filling)
        return;
    const bool differs = cpNumEstagios->value() != m_proto.NumEstagios;
    if (differs) {
        btConfirmarNumEstagios->setEnabled(true);
        setStagePanelEnabled(false);
        btInserir->setEnabled(false);
    } else if (btConfirmarNumEstagios->isEnabled()) {
        ShowStage(m_currentStage);
        updateSaveButton();
    }
}

void TfrmNovoProtocolo::btConfirmarNumEstagiosClick()
{
    int value = cpNumEstagios->value();
    if (value < 1)
        value = 1;
    btConfirmarNumEstagios->setEnabled(false);
    if (value > m_proto.NumEstagios) {
        const bool regular = m_proto.TipoEstagio == 'R';
        bool derive = false;
        if (!regular)
            derive = m_messages.askYesNo(QStringLiteral("Acrescentar Estágio(s) com base no último Estágio?"));
        ChangeStageCount(m_proto, value, regular, derive);
    } else if (value < m_proto.NumEstagios) {
        ChangeStageCount(m_proto, value, m_proto.TipoEstagio == 'R', false);
    }
    ShowStage(1);
    if (m_proto.NumEstagios > 1)
        focusControl(cpRegulares);
    cpDuracaoExit();
    updateSaveButton();
}

void TfrmNovoProtocolo::cpRegularesClick()
{
    if (m_proto.TipoEstagio != 'R' && m_proto.NumEstagios > 1
        && m_messages.askYesNo(QStringLiteral("Tornar os Estágios Regulares com base no Estágio 1?"))) {
        RegularizeStages(m_proto);
        m_proto.TipoEstagio = 'R';
    }
    ShowStage(1);
    updateSaveButton();
}

void TfrmNovoProtocolo::cpIrregularesClick()
{
    m_proto.TipoEstagio = 'I';
    ShowStage(1);
    updateSaveButton();
}

bool TfrmNovoProtocolo::btAplicarClick()
{
    m_proto.UnidCarga = cpUnidCarga->currentText();
    const double load = boxNumber(cpCarga);
    const double loadIncr = boxNumber(cpCargaIncr);
    const double incline = boxNumber(cpInclinacao);
    const double inclineIncr = boxNumber(cpInclinacaoIncr);
    bool ok = load >= 0 && (m_proto.NumEstagios != 1 || load > 0);
    if (cpCargaIncr->isEnabled() && !(loadIncr > 0) && cpInclinacaoIncr->isEnabled() && !(inclineIncr > 0))
        ok = false;
    if (cpInclinacao->isEnabled() && incline < 0)
        ok = false;
    if (cpInclinacaoIncr->isEnabled() && inclineIncr < 0)
        ok = false;
    if (cpRPM->isEnabled() && cpRPM->value() == 0)
        ok = false;
    if (!ok) {
        focusControl(cpCarga);
        reportError(QStringLiteral("A Configuração do Estágio está incorreta. Verifique!"));
        return false;
    }
    TStage &s = m_proto.Estagios[m_currentStage];
    s.Duracao = cpDuracao->value();
    if (LoadInKgfm(m_proto))
        s.CargaKgfm = load;
    else
        s.Carga = load;
    s.CargaIncr = loadIncr;
    s.RPM = cpRPM->value();
    s.Inclinacao = incline;
    s.InclinacaoIncr = inclineIncr;
    if (m_currentStage == 1 && m_proto.TipoEstagio == 'R')
        RegularizeStages(m_proto);
    m_stageClean = true;
    applyCleanState();
    return true;
}

void TfrmNovoProtocolo::btCancelClick()
{
    if (!m_messages.askYesNo(QStringLiteral("Cancelar Alterações no Estágio?")))
        return;
    ShowStage(m_currentStage);
    // The boxes hold the stored stage again; an applied stage is clean and can be saved.
    StageBoxChanged();
}

void TfrmNovoProtocolo::btAnteriorClick()
{
    if (m_currentStage > 1)
        ShowStage(m_currentStage - 1);
}

void TfrmNovoProtocolo::btProximoClick()
{
    if (m_currentStage < m_proto.NumEstagios)
        ShowStage(m_currentStage + 1);
}

bool TfrmNovoProtocolo::btInserirClick()
{
    m_proto.Nome = cpNome->text();
    if (m_proto.Nome.isEmpty()) {
        focusControl(cpNome);
        reportError(QStringLiteral("O Nome deve ser informado!"));
        return false;
    }
    if (m_tag == 1 || m_proto.Nome != m_originalName) {
        Cursor &q = m_dm.qProtocolos;
        try {
            q.refresh();
        } catch (const StorageError &e) {
            m_messages.error(e.message());
            return false;
        }
        for (int row = 0; row < q.recordCount(); ++row) {
            const QString name = q.valueAt(row, q.fieldIndex(QStringLiteral("Nome"))).toString();
            if (name.compare(m_proto.Nome, Qt::CaseInsensitive) == 0) {
                m_messages.error(QStringLiteral(
                    "Já existe um Protocolo com este nome!\rO nome do Protocolo deve ser único. Tente outro nome."));
                focusControl(cpNome);
                return false;
            }
        }
    }
    if (!TotalDurationFits(m_proto, m_currentStage, m_proto.Estagios[m_currentStage].Duracao)) {
        ShowStage(1);
        reportError(MsgDurationTotal);
        return false;
    }
    // A watts stage with no pedal rate has no load in kgfm: storing it would store a division by 0.
    if (const int stage = StageWithoutPedalRate(m_proto)) {
        ShowStage(stage);
        reportError(QStringLiteral("O Estágio %1 está com R.P.M. igual a 0.\r"
                                   "Informe o R.P.M. do Estágio e clique em Aplicar antes de salvar.")
                        .arg(stage));
        return false;
    }
    if (SaveProtocol(m_dm, m_proto, m_tag == 1, m_messages, m_progress) != SaveProtocolResult::Saved)
        return false;
    accept();
    return true;
}

} // namespace kestrova
