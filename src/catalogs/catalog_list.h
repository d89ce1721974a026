#pragma once

// The catalog list window shared by the protocol, person and group lists: a read-only grid of
// the cursor's visible columns, six buttons, the grid's keys and the word search.

#include <QDialog>
#include <QString>

#include <functional>

class QPushButton;
class QTableView;

namespace kestrova {

class Cursor;
class CursorTableModel;
class Messages;

// What the search remembers for one kind of list for the whole run of the program.
struct CatalogSearch
{
    QString SearchText;
    QString LastFoundRow;
};

// The text the search looks in: "/[" + plain value + "]\" for every column of the row, in order.
QString RowSearchText(const Cursor &cursor, int row);

// Asks for a word (caption, prompt, proposed word); returns the proposal when the user cancels.
using InputBoxFn = std::function<QString(QWidget *parent, const QString &caption, const QString &prompt,
                                         const QString &proposal)>;
InputBoxFn DefaultInputBox();

// Asks "Confirma a exclusão?" and deletes the cursor's current row, unless inUse() says
// evaluations refer to it (inUseMessage is shown then); a failing delete is reported.
void ConfirmAndDeleteRow(Cursor &cursor, Messages &messages, const std::function<bool()> &inUse,
                         const QString &inUseMessage);

class CatalogListWindow : public QDialog
{
    Q_OBJECT

public:
    CatalogListWindow(Cursor &cursor, CatalogSearch &search, const QString &caption, QWidget *parent = nullptr);

    void setInputBox(InputBoxFn inputBox) { m_inputBox = std::move(inputBox); }

    // The button actions (also reached by the grid's keys).
    virtual void Insert() = 0;
    virtual void Alter() = 0;
    virtual void Delete() = 0;
    void Locate();
    void LocateNext();
    virtual void UpdateButtons();

    QTableView *grid() const { return m_grid; }
    CatalogSearch &search() { return m_search; }

    QPushButton *btInserir = nullptr;
    QPushButton *btAlterar = nullptr;
    QPushButton *btExcluir = nullptr;
    QPushButton *btLocalizar = nullptr;
    QPushButton *btLocalizarProximo = nullptr;
    QPushButton *btFechar = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Close and reopen the cursor (it then shows every row again) and go to the row of key.
    void Reread(const QString &keyField, const QVariant &key);
    void syncGridToCursor();

    Cursor &m_cursor;

private:
    void searchFromCurrent();

    CatalogSearch &m_search;
    CursorTableModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    InputBoxFn m_inputBox;
};

} // namespace kestrova
