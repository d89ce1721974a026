#include "cad_protocolos.h"

#include "data_module.h"
#include "messages.h"
#include "novo_protocolo.h"

namespace kestrova {

CatalogSearch TfrmCadProtocolos::Search;

TfrmCadProtocolos::TfrmCadProtocolos(TfrmDM &dm, Messages &messages, ProgressWindow progress, QWidget *parent)
    : CatalogListWindow(dm.qProtocolos, Search, QStringLiteral("Cadastro de Protocolos"), parent), m_dm(dm),
      m_messages(messages), m_progress(progress)
{
    setObjectName(QStringLiteral("TfrmCadProtocolos"));
    m_editor = new TfrmNovoProtocolo(dm, messages, progress, this);
    runEditor = [](TfrmNovoProtocolo &editor) { return editor.exec(); };
    dm.qProtocolos.first();
}

void TfrmCadProtocolos::execute(QWidget *parent, TfrmDM &dm, Messages &messages, ProgressWindow progress)
{
    TfrmCadProtocolos window(dm, messages, std::move(progress), parent);
    window.exec();
}

void TfrmCadProtocolos::Insert()
{
    m_editor->PrepareNew();
    const int number = m_editor->Protocol().Protocolo;
    if (runEditor(*m_editor) == QDialog::Accepted)
        Reread(QStringLiteral("Protocolo"), number);
    UpdateButtons();
}

void TfrmCadProtocolos::Alter()
{
    if (m_cursor.isEmpty() || m_cursor.currentIndex() < 0)
        return;
    const qint64 number = m_cursor.asInteger(QStringLiteral("Protocolo"));
    if (!m_editor->PrepareAlter(number))
        return;
    if (runEditor(*m_editor) == QDialog::Accepted)
        Reread(QStringLiteral("Protocolo"), number);
}

void TfrmCadProtocolos::Delete()
{
    if (m_cursor.isEmpty() || m_cursor.currentIndex() < 0)
        return;
    const qint64 number = m_cursor.asInteger(QStringLiteral("Protocolo"));
    if (number > 0 && m_messages.askYesNo(QStringLiteral("Confirma a exclusão?"))) {
        if (ProtocolInUse(m_dm, number))
            m_messages.error(QStringLiteral("Existem Avaliações com este Protocolo\r   Você deve excluí-las primeiro.    "
                                            "\r\r         Exclusão Cancelada!         "));
        else
            DeleteCurrentProtocol(m_dm, m_messages, m_progress);
    }
    UpdateButtons();
}

} // namespace kestrova
