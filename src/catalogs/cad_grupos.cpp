#include "cad_grupos.h"

#include "data_module.h"
#include "messages.h"
#include "novo_grupo.h"
#include "protocol_store.h"

#include <QPushButton>

namespace kestrova {

CatalogSearch TfrmCadGrupos::Search;

TfrmCadGrupos::TfrmCadGrupos(TfrmDM &dm, Messages &messages, QWidget *parent)
    : CatalogListWindow(dm.qGrupos, Search, QStringLiteral("Cadastro de Grupos"), parent), m_dm(dm),
      m_messages(messages)
{
    setObjectName(QStringLiteral("TfrmCadGrupos"));
    dm.qGrupos.first();
    m_dialog = new TfrmNovoGrupo(dm.qGrupos, messages, this);
    connect(&dm.qGrupos, &Cursor::currentChanged, this, [this] { UpdateButtons(); });
}

void TfrmCadGrupos::execute(QWidget *parent, TfrmDM &dm, Messages &messages)
{
    TfrmCadGrupos window(dm, messages, parent);
    window.exec();
}

bool TfrmCadGrupos::currentIsUserGroup() const
{
    return !m_cursor.isEmpty() && m_cursor.currentIndex() >= 0 && m_cursor.asInteger(QStringLiteral("Grupo")) > 0;
}

void TfrmCadGrupos::UpdateButtons()
{
    CatalogListWindow::UpdateButtons();
    btAlterar->setEnabled(currentIsUserGroup());
    btExcluir->setEnabled(currentIsUserGroup());
}

void TfrmCadGrupos::Insert()
{
    m_dialog->RunInsert();
    UpdateButtons();
}

void TfrmCadGrupos::Alter()
{
    if (currentIsUserGroup())
        m_dialog->RunAlter();
}

void TfrmCadGrupos::Delete()
{
    if (!currentIsUserGroup())
        return;
    const qint64 key = m_cursor.asInteger(QStringLiteral("Grupo"));
    ConfirmAndDeleteRow(m_cursor, m_messages, [&] { return GroupInUse(m_dm, key); },
                        QStringLiteral("Existem Avaliações deste Grupo\rVocê deve excluí-las primeiro.   "
                                       "\r\r  Exclusão Cancelada        "));
    UpdateButtons();
}

} // namespace kestrova
