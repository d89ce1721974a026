#pragma once

// TfrmNovoAvaliador: the evaluator dialog, editing the current row of qAvaliadores.

#include "bound_edits.h"

namespace kestrova {

class TfrmNovoAvaliador : public CatalogDialog
{
    Q_OBJECT

public:
    TfrmNovoAvaliador(Cursor &qAvaliadores, Messages &messages, QWidget *parent = nullptr);
    bool Confirm() override;

    QLineEdit *cpAvaliador = nullptr;
    QLineEdit *cpNome = nullptr;
    QLineEdit *cpObservacao = nullptr;

protected:
    void prepare(bool) override {}
    QString insertCaption() const override { return QStringLiteral("Novo Avaliador"); }
    QString alterCaption() const override { return QStringLiteral("Alterar Avaliador"); }
    void showEvent(QShowEvent *event) override;
};

} // namespace kestrova
