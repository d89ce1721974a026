#include "cad_avaliados.h"

#include "data_module.h"
#include "messages.h"
#include "novo_avaliado.h"
#include "protocol_store.h"

namespace kestrova {

CatalogSearch TfrmCadAvaliados::Search;

TfrmCadAvaliados::TfrmCadAvaliados(TfrmDM &dm, Messages &messages, QWidget *parent)
    : CatalogListWindow(dm.qAvaliados, Search, QStringLiteral("Cadastro de Avaliados"), parent), m_dm(dm),
      m_messages(messages)
{
    setObjectName(QStringLiteral("TfrmCadAvaliados"));
    dm.qAvaliados.first();
    m_dialog = new TfrmNovoAvaliado(dm.qAvaliados, messages, this);
}

void TfrmCadAvaliados::execute(QWidget *parent, TfrmDM &dm, Messages &messages)
{
    TfrmCadAvaliados window(dm, messages, parent);
    window.exec();
}

void TfrmCadAvaliados::Insert()
{
    m_dialog->RunInsert();
    UpdateButtons();
}

void TfrmCadAvaliados::Alter()
{
    m_dialog->RunAlter();
}

void TfrmCadAvaliados::Delete()
{
    if (m_cursor.isEmpty() || m_cursor.currentIndex() < 0)
        return;
    const qint64 key = m_cursor.asInteger(QStringLiteral("Avaliado"));
    ConfirmAndDeleteRow(m_cursor, m_messages, [&] { return PersonInUse(m_dm, key); },
                        QStringLiteral("Existem Avaliações deste Avaliado\rVocê deve excluí-las primeiro.   "
                                       "\r\r    Exclusão Cancelada        "));
    UpdateButtons();
}

} // namespace kestrova
