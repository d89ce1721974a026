#pragma once

// TfrmNovoAvaliado: the person dialog, editing the current row of qAvaliados.

#include "bound_edits.h"

class QComboBox;
class QLineEdit;

namespace kestrova {

class TfrmNovoAvaliado : public CatalogDialog
{
    Q_OBJECT

public:
    TfrmNovoAvaliado(Cursor &qAvaliados, Messages &messages, QWidget *parent = nullptr);

    bool Confirm() override;
    // Leaving the date box: false (with the message) when it holds no real date.
    bool cpNascimentoExit();

    QLineEdit *cpAvaliado = nullptr;
    QLineEdit *cpNome = nullptr;
    QLineEdit *cpApelido = nullptr;
    QLineEdit *cpNascimento = nullptr;
    QComboBox *cpSexo = nullptr;
    QLineEdit *cpAltura = nullptr;
    QLineEdit *cpModalidade = nullptr;
    QLineEdit *cpPosicao = nullptr;
    QLineEdit *cpObservacao = nullptr;

protected:
    void prepare(bool inserting) override;
    QString insertCaption() const override { return QStringLiteral("Novo Avaliado"); }
    QString alterCaption() const override { return QStringLiteral("Alterar Avaliado"); }
    void showEvent(QShowEvent *event) override;

private:
    bool birthDateEmpty() const;
};

} // namespace kestrova
