#pragma once

// CatalogDialog: the small modal dialogs that edit one row of a cursor in place. The opener's
// side is here too: append or edit the row, show the dialog, post or cancel, re-read.

#include <QDialog>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace kestrova {

class Cursor;
class Messages;

class CatalogDialog : public QDialog
{
    Q_OBJECT

public:
    CatalogDialog(Cursor &cursor, Messages &messages, QString keyField, QWidget *parent = nullptr);

    // Append (insert) or edit (alter) the current row, run the dialog, then post on "OK" or
    // cancel otherwise, and re-read the cursor on the row. True when a row was posted.
    bool RunInsert();
    bool RunAlter();
    // Shows the dialog modally; tests replace it to fill the controls and press the buttons.
    std::function<int(CatalogDialog &)> run;

    // The confirm button's action: the checks, then close with "OK".
    virtual bool Confirm() = 0;

    QPushButton *btInserir = nullptr;
    QPushButton *btCancelar = nullptr;

protected:
    // Set-up of the controls before showing, for an insert or an alteration.
    virtual void prepare(bool inserting) = 0;
    virtual QString insertCaption() const = 0;
    virtual QString alterCaption() const = 0;

    // A text box bound to the column of the same name, typed in upper case.
    QLineEdit *addBoundEdit(QGridLayout *grid, int row, const QString &label, const QString &field);
    QLineEdit *addKeyBox(QGridLayout *grid, int row, const QString &label);
    void addButtons(QGridLayout *grid, int row);
    void loadBoundEdits();
    void focusControl(QWidget *w);

    Cursor &m_cursor;
    Messages &m_messages;
    QString m_keyField;
    QLineEdit *m_keyBox = nullptr;

private:
    bool finish(int result);

    std::vector<std::pair<QLineEdit *, QString>> m_bound;
    bool m_loading = false;
};

} // namespace kestrova
