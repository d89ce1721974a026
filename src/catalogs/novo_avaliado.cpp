#include "novo_avaliado.h"

#include "cursor.h"
#include "entry_helpers.h"
#include "formatting.h"
#include "messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kestrova {

TfrmNovoAvaliado::TfrmNovoAvaliado(Cursor &qAvaliados, Messages &messages, QWidget *parent)
    : CatalogDialog(qAvaliados, messages, QStringLiteral("Avaliado"), parent)
{
    setObjectName(QStringLiteral("TfrmNovoAvaliado"));
    setWindowTitle(QStringLiteral("Novo Avaliado..."));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    cpAvaliado = addKeyBox(grid, 0, QStringLiteral("Avaliado"));
    cpNome = addBoundEdit(grid, 1, QStringLiteral("Nome"), QStringLiteral("Nome"));
    cpApelido = addBoundEdit(grid, 2, QStringLiteral("Apelido"), QStringLiteral("Apelido"));

    cpNascimento = new QLineEdit(this);
    cpNascimento->setObjectName(QStringLiteral("cpNascimento"));
    cpNascimento->setInputMask(QStringLiteral("99/99/9999;_"));
    cpNascimento->setMaximumWidth(110);
    EnterMovesToNext(cpNascimento);
    OnExit(cpNascimento, [this] { cpNascimentoExit(); });
    grid->addWidget(new QLabel(QStringLiteral("Nascimento"), this), 3, 0);
    grid->addWidget(cpNascimento, 3, 1, Qt::AlignLeft);

    cpSexo = new QComboBox(this);
    cpSexo->setObjectName(QStringLiteral("cpSexo"));
    cpSexo->addItems({QStringLiteral("FEMININO"), QStringLiteral("MASCULINO")});
    EnterMovesToNext(cpSexo);
    grid->addWidget(new QLabel(QStringLiteral("Sexo"), this), 4, 0);
    grid->addWidget(cpSexo, 4, 1, Qt::AlignLeft);

    cpAltura = new QLineEdit(this);
    cpAltura->setObjectName(QStringLiteral("cpAltura"));
    cpAltura->setMaximumWidth(80);
    AcceptDecimalKeysOnly(cpAltura);
    EnterMovesToNext(cpAltura);
    grid->addWidget(new QLabel(QStringLiteral("Altura (m)"), this), 5, 0);
    grid->addWidget(cpAltura, 5, 1, Qt::AlignLeft);

    cpModalidade = addBoundEdit(grid, 6, QStringLiteral("Modalidade"), QStringLiteral("Modalidade"));
    cpPosicao = addBoundEdit(grid, 7, QStringLiteral("Posição"), QStringLiteral("Posicao"));
    cpObservacao = addBoundEdit(grid, 8, QStringLiteral("Observação"), QStringLiteral("Observacao"));
    addButtons(grid, 9);
    setMinimumWidth(460);
}

void TfrmNovoAvaliado::prepare(bool inserting)
{
    if (inserting) {
        cpNascimento->clear();
        cpSexo->setCurrentIndex(-1);
        cpAltura->clear();
        return;
    }
    const QDateTime birth = m_cursor.asDateTime(QStringLiteral("Nascimento"));
    cpNascimento->setText(birth.isValid() ? FormatDate(birth.date()) : QString());
    cpSexo->setCurrentIndex(m_cursor.asString(QStringLiteral("Sexo")) == QLatin1String("F") ? 0 : 1);
    cpAltura->setText(m_cursor.isNull(QStringLiteral("Altura"))
                          ? QString()
                          : PlainText(m_cursor.value(QStringLiteral("Altura")), FieldKind::Double));
}

void TfrmNovoAvaliado::showEvent(QShowEvent *event)
{
    CatalogDialog::showEvent(event);
    focusControl(cpNome);
}

bool TfrmNovoAvaliado::birthDateEmpty() const
{
    return cpNascimento->text().remove(QLatin1Char('/')).trimmed().isEmpty();
}

bool TfrmNovoAvaliado::cpNascimentoExit()
{
    if (birthDateEmpty() || ParseDate(cpNascimento->text()))
        return true;
    m_messages.error(QStringLiteral("A data informada não é válida!"));
    focusControl(cpNascimento);
    return false;
}

bool TfrmNovoAvaliado::Confirm()
{
    if (cpNome->text().isEmpty()) {
        m_messages.warning(QStringLiteral("O Nome deve ser informado!"));
        focusControl(cpNome);
        return false;
    }
    if (birthDateEmpty()) {
        m_messages.warning(QStringLiteral("A Data de Nascimento deve ser informada!"));
        focusControl(cpNascimento);
        return false;
    }
    // The exit check may not have run (the confirm key pressed while in the box).
    const std::optional<QDate> birth = ParseDate(cpNascimento->text());
    if (!birth) {
        m_messages.error(QStringLiteral("A data informada não é válida!"));
        focusControl(cpNascimento);
        return false;
    }
    if (cpSexo->currentIndex() < 0) {
        m_messages.warning(QStringLiteral("O Sexo deve ser informado!"));
        focusControl(cpSexo);
        return false;
    }
    const double height = ParseDecimalOrZero(cpAltura->text());
    if (cpAltura->text().trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("A Altura deve ser informada!"));
        focusControl(cpAltura);
        return false;
    }
    if (height < 1 || height > 3) {
        m_messages.error(QStringLiteral("A Altura informada não é válida!"));
        focusControl(cpAltura);
        return false;
    }
    m_cursor.setValue(QStringLiteral("Nascimento"), QDateTime(*birth, QTime(0, 0)));
    m_cursor.setValue(QStringLiteral("Sexo"), cpSexo->currentIndex() == 0 ? QStringLiteral("F") : QStringLiteral("M"));
    m_cursor.setValue(QStringLiteral("Altura"), height);
    accept();
    return true;
}

} // namespace kestrova
