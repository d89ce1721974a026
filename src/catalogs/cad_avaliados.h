#pragma once

// TfrmCadAvaliados: the person list ("Cadastro de Avaliados").

#include "catalog_list.h"

namespace kestrova {

class Messages;
class TfrmDM;
class TfrmNovoAvaliado;

class TfrmCadAvaliados : public CatalogListWindow
{
    Q_OBJECT

public:
    TfrmCadAvaliados(TfrmDM &dm, Messages &messages, QWidget *parent = nullptr);

    // The main window's "&Avaliados" action: the list, shown modally.
    static void execute(QWidget *parent, TfrmDM &dm, Messages &messages);

    void Insert() override;
    void Alter() override;
    void Delete() override;

    TfrmNovoAvaliado *dialog() const { return m_dialog; }
    static CatalogSearch Search;

private:
    TfrmDM &m_dm;
    Messages &m_messages;
    TfrmNovoAvaliado *m_dialog = nullptr;
};

} // namespace kestrova
