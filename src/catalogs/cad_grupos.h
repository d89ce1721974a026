#pragma once

// TfrmCadGrupos: the group list ("Cadastro de Grupos"). The reserved group 0 "INDIVIDUAL" can
// be neither altered nor deleted.

#include "catalog_list.h"

namespace kestrova {

class Messages;
class TfrmDM;
class TfrmNovoGrupo;

class TfrmCadGrupos : public CatalogListWindow
{
    Q_OBJECT

public:
    TfrmCadGrupos(TfrmDM &dm, Messages &messages, QWidget *parent = nullptr);

    // The main window's "&Grupos" action: the list, shown modally.
    static void execute(QWidget *parent, TfrmDM &dm, Messages &messages);

    void Insert() override;
    void Alter() override;
    void Delete() override;
    void UpdateButtons() override;

    TfrmNovoGrupo *dialog() const { return m_dialog; }
    static CatalogSearch Search;

private:
    bool currentIsUserGroup() const;

    TfrmDM &m_dm;
    Messages &m_messages;
    TfrmNovoGrupo *m_dialog = nullptr;
};

} // namespace kestrova
