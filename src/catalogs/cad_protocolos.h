#pragma once

// TfrmCadProtocolos: the protocol list ("Cadastro de Protocolos").

#include "catalog_list.h"
#include "protocol_store.h"

namespace kestrova {

class Messages;
class TfrmDM;
class TfrmNovoProtocolo;

class TfrmCadProtocolos : public CatalogListWindow
{
    Q_OBJECT

public:
    TfrmCadProtocolos(TfrmDM &dm, Messages &messages, ProgressWindow progress = {}, QWidget *parent = nullptr);

    // The main window's "&Protocolos" action: the list, shown modally.
    static void execute(QWidget *parent, TfrmDM &dm, Messages &messages, ProgressWindow progress = {});

    void Insert() override;
    void Alter() override;
    void Delete() override;

    TfrmNovoProtocolo *editor() const { return m_editor; }
    // Runs the editor modally; tests replace it to drive the editor without a modal loop.
    std::function<int(TfrmNovoProtocolo &)> runEditor;

    static CatalogSearch Search;

private:
    TfrmDM &m_dm;
    Messages &m_messages;
    ProgressWindow m_progress;
    TfrmNovoProtocolo *m_editor = nullptr;
};

} // namespace kestrova
