#pragma once

// TfrmCadLaboratorio: the laboratory settings ("Cadastro do Laboratório") with the report logo,
// the evaluators and the default evaluator. The main window's action loads the LABORATORIO row
// into the window and stores it back (LoadFromDatabase / StoreToDatabase, both run by execute).

#include <QDialog>
#include <QImage>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kestrova {

class Messages;
class TfrmDM;
class TfrmNovoAvaliador;

// Asks for a picture file; an empty name means the user gave none.
using ImageFileChooser = std::function<QString(QWidget *parent)>;
ImageFileChooser DefaultImageFileChooser();

class TfrmCadLaboratorio : public QDialog
{
    Q_OBJECT

public:
    enum Result { ResultCancel = QDialog::Rejected, ResultOK = QDialog::Accepted, ResultYes = 2 };

    TfrmCadLaboratorio(TfrmDM &dm, Messages &messages, QString configFolder, QWidget *parent = nullptr);

    // The main window's "&Laboratório" action: load, show modally, store. Returns the result.
    static int execute(QWidget *parent, TfrmDM &dm, Messages &messages, const QString &configFolder,
                       ImageFileChooser chooser = DefaultImageFileChooser());

    void LoadFromDatabase();
    void StoreToDatabase(int result);

    void setImageFileChooser(ImageFileChooser chooser) { m_chooser = std::move(chooser); }
    void imLogotipoClick();
    bool LoadLogoFile(const QString &path);
    void btRemoverLogoClick();
    bool btSalvarClick();
    void cpMargemInfExit();

    void EvaluatorInsert();
    void EvaluatorAlter();
    void EvaluatorDelete();
    void UpdateEvaluatorButtons();
    void FillDefaultEvaluatorList();

    bool LogoLoaded() const { return m_logoLoaded; }
    bool Changed() const { return m_changed; }
    const QImage &Logo() const { return m_logo; }
    TfrmNovoAvaliador *evaluatorDialog() const { return m_evaluatorDialog; }

    QLineEdit *cpNome = nullptr;
    QLabel *imLogotipo = nullptr;
    QLabel *btRemoverLogo = nullptr;
    QLineEdit *cpRodape = nullptr;
    QLineEdit *cpMargemInf = nullptr;
    QTableView *dbAvaliadores = nullptr;
    QPushButton *btInserir = nullptr;
    QPushButton *btAlterar = nullptr;
    QPushButton *btExcluir = nullptr;
    QComboBox *cpAvaliadorPadrao = nullptr;
    QPushButton *btSalvar = nullptr;
    QPushButton *btCancelar = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void setChanged(bool changed);
    void showLogo(const QImage &image, bool own);
    QString ownLogoPath() const;
    QString builtInLogoPath() const;
    qint64 defaultEvaluator() const;

    TfrmDM &m_dm;
    Messages &m_messages;
    QString m_configFolder;
    ImageFileChooser m_chooser;
    TfrmNovoAvaliador *m_evaluatorDialog = nullptr;
    QImage m_logo;
    bool m_logoLoaded = false;
    bool m_changed = false;
    bool m_filling = false;
};

} // namespace kestrova
