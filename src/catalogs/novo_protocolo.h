#pragma once

// TfrmNovoProtocolo: the protocol editor. It works on a TProtocolo of its own, one stage at a
// time in the stage panel ("Aplicar" commits the panel to the record), and writes the protocol
// to the database only on "&Inserir"/"&Alterar".

#include "protocol_store.h"
#include "records.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kestrova {

class Messages;
class TfrmDM;

class TfrmNovoProtocolo : public QDialog
{
    Q_OBJECT

public:
    TfrmNovoProtocolo(TfrmDM &dm, Messages &messages, ProgressWindow progress = {}, QWidget *parent = nullptr);

    // The openers' set-up before showing: a new protocol numbered after the last one, or the
    // stored protocol `number`. False when that protocol cannot be read.
    void PrepareNew();
    bool PrepareAlter(qint64 number);

    // Fills the window from the record (what showing the window does); exec() calls it too.
    void ShowEditor();
    int exec() override;

    const TProtocolo &Protocol() const { return m_proto; }
    bool IsNew() const { return m_tag == 1; }
    int CurrentStage() const { return m_currentStage; }
    bool StageClean() const { return m_stageClean; }

    // The handlers behind the controls, callable without exec().
    void ShowStage(int n);
    void cpTipoErgometroChange();
    void StageBoxChanged();
    void cpNomeChange();
    bool cpDuracaoExit();
    bool NumberBoxExit(QLineEdit *box);
    void cpNumEstagiosChange();
    void btConfirmarNumEstagiosClick();
    void cpRegularesClick();
    void cpIrregularesClick();
    bool btAplicarClick();
    void btCancelClick();
    void btAnteriorClick();
    void btProximoClick();
    bool btInserirClick();

private:
    void buildUi();
    void connectUi();
    void applyErgometerRule();
    void applyCleanState();
    void updateSaveButton();
    void setStagePanelEnabled(bool on);
    bool stageEditable() const;
    bool isLastStage() const { return m_currentStage >= m_proto.NumEstagios; }
    double boxNumber(const QLineEdit *box) const;
    void fillUnitList();
    void focusControl(QWidget *w);
    void reportError(const QString &text);   // error box with the program's title

    TfrmDM &m_dm;
    Messages &m_messages;
    ProgressWindow m_progress;
    TProtocolo m_proto;
    int m_tag = 1;
    int m_currentStage = 1;
    bool m_stageClean = false;
    bool m_filling = false;   // box changes made by the window itself are no edits
    QString m_originalName;

public:
    QLineEdit *cpProtocolo = nullptr;
    QLineEdit *cpNome = nullptr;
    QComboBox *cpTipoErgometro = nullptr;
    QSpinBox *cpNumEstagios = nullptr;
    QPushButton *btConfirmarNumEstagios = nullptr;
    QRadioButton *cpRegulares = nullptr;
    QRadioButton *cpIrregulares = nullptr;
    QLabel *cpEstagioAtual = nullptr;
    QSpinBox *cpDuracao = nullptr;
    QComboBox *cpUnidCarga = nullptr;
    QLineEdit *cpCarga = nullptr;
    QLineEdit *cpCargaIncr = nullptr;
    QSpinBox *cpRPM = nullptr;
    QLineEdit *cpInclinacao = nullptr;
    QLineEdit *cpInclinacaoIncr = nullptr;
    QLabel *lbCarga = nullptr;
    QLabel *lbRPM = nullptr;
    QLabel *lbInclinacao = nullptr;
    QLabel *lbInclinacaoIncr = nullptr;
    QPushButton *btAnterior = nullptr;
    QPushButton *btProximo = nullptr;
    QPushButton *btAplicar = nullptr;
    QPushButton *btCancel = nullptr;
    QPushButton *btInserir = nullptr;
    QPushButton *btCancelar = nullptr;
};

} // namespace kestrova
