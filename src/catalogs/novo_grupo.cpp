#include "novo_grupo.h"

#include "messages.h"

#include <QGridLayout>
#include <QLineEdit>

namespace kestrova {

TfrmNovoGrupo::TfrmNovoGrupo(Cursor &qGrupos, Messages &messages, QWidget *parent)
    : CatalogDialog(qGrupos, messages, QStringLiteral("Grupo"), parent)
{
    setObjectName(QStringLiteral("TfrmNovoGrupo"));
    setWindowTitle(QStringLiteral("Novo Grupo"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    cpGrupo = addKeyBox(grid, 0, QStringLiteral("Grupo"));
    cpNome = addBoundEdit(grid, 1, QStringLiteral("Nome"), QStringLiteral("Nome"));
    cpTemporada = addBoundEdit(grid, 2, QStringLiteral("Temporada"), QStringLiteral("Temporada"));
    cpObservacao = addBoundEdit(grid, 3, QStringLiteral("Observação"), QStringLiteral("Observacao"));
    addButtons(grid, 4);
    setMinimumWidth(420);
}

void TfrmNovoGrupo::showEvent(QShowEvent *event)
{
    CatalogDialog::showEvent(event);
    focusControl(cpNome);
}

bool TfrmNovoGrupo::Confirm()
{
    if (cpNome->text().isEmpty()) {
        m_messages.warning(QStringLiteral("O Nome deve ser informado!"));
        return false;
    }
    accept();
    return true;
}

} // namespace kestrova
