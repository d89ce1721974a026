#pragma once

// TfrmNovoGrupo: the group dialog, editing the current row of qGrupos.

#include "bound_edits.h"

namespace kestrova {

class TfrmNovoGrupo : public CatalogDialog
{
    Q_OBJECT

public:
    TfrmNovoGrupo(Cursor &qGrupos, Messages &messages, QWidget *parent = nullptr);
    bool Confirm() override;

    QLineEdit *cpGrupo = nullptr;
    QLineEdit *cpNome = nullptr;
    QLineEdit *cpTemporada = nullptr;
    QLineEdit *cpObservacao = nullptr;

protected:
    void prepare(bool) override {}
    QString insertCaption() const override { return QStringLiteral("Novo Grupo"); }
    QString alterCaption() const override { return QStringLiteral("Alterar Grupo"); }
    void showEvent(QShowEvent *event) override;
};

} // namespace kestrova
