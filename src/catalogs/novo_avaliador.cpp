#include "novo_avaliador.h"

#include "messages.h"

#include <QGridLayout>
#include <QLineEdit>

namespace kestrova {

TfrmNovoAvaliador::TfrmNovoAvaliador(Cursor &qAvaliadores, Messages &messages, QWidget *parent)
    : CatalogDialog(qAvaliadores, messages, QStringLiteral("Avaliador"), parent)
{
    setObjectName(QStringLiteral("TfrmNovoAvaliador"));
    setWindowTitle(QStringLiteral("Novo Avaliador..."));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    cpAvaliador = addKeyBox(grid, 0, QStringLiteral("Avaliador"));
    cpNome = addBoundEdit(grid, 1, QStringLiteral("Nome"), QStringLiteral("Nome"));
    cpObservacao = addBoundEdit(grid, 2, QStringLiteral("Observação"), QStringLiteral("Observacao"));
    addButtons(grid, 3);
    setMinimumWidth(420);
}

void TfrmNovoAvaliador::showEvent(QShowEvent *event)
{
    CatalogDialog::showEvent(event);
    focusControl(cpNome);
}

bool TfrmNovoAvaliador::Confirm()
{
    if (cpNome->text().isEmpty()) {
        m_messages.warning(QStringLiteral("O Nome deve ser informado!"));
        focusControl(cpNome);
        return false;
    }
    accept();
    return true;
}

} // namespace kestrova
