#include "catalog_list.h"

#include "cursor.h"
#include "cursor_table_model.h"
#include "messages.h"
#include "title_band_widget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kestrova {

void ConfirmAndDeleteRow(Cursor &cursor, Messages &messages, const std::function<bool()> &inUse,
                         const QString &inUseMessage)
{
    if (!messages.askYesNo(QStringLiteral("Confirma a exclusão?")))
        return;
    if (inUse()) {
        messages.error(inUseMessage);
        return;
    }
    try {
        cursor.remove();
    } catch (const StorageError &e) {
        messages.error(e.message());
    }
}

QString RowSearchText(const Cursor &cursor, int row)
{
    QString text;
    for (int f = 0; f < cursor.fieldCount(); ++f)
        text += QStringLiteral("/[") + PlainText(cursor.valueAt(row, f), cursor.field(f).kind) + QStringLiteral("]\\");
    return text;
}

InputBoxFn DefaultInputBox()
{
    return [](QWidget *parent, const QString &caption, const QString &prompt, const QString &proposal) {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, proposal, &ok);
        return ok ? text : proposal;
    };
}

CatalogListWindow::CatalogListWindow(Cursor &cursor, CatalogSearch &search, const QString &caption, QWidget *parent)
    : QDialog(parent), m_cursor(cursor), m_search(search), m_inputBox(DefaultInputBox())
{
    setWindowTitle(caption);
    ApplyMainWindowBackground(this);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    root->addWidget(new TitleBandWidget(caption, this));

    m_model = new CursorTableModel(&cursor, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dbCadastro"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->installEventFilter(this);
    auto *gridBox = new QHBoxLayout;
    gridBox->setContentsMargins(8, 4, 8, 4);
    gridBox->addWidget(m_grid);
    root->addLayout(gridBox, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    auto button = [&](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    btInserir = button("btInserir", QStringLiteral("&Inserir"));
    btAlterar = button("btAlterar", QStringLiteral("&Alterar"));
    btExcluir = button("btExcluir", QStringLiteral("&Excluir"));
    btLocalizar = button("btLocalizar", QStringLiteral("&Localizar"));
    btLocalizarProximo = button("btLocalizarProximo", QStringLiteral("Localizar &Próximo"));
    buttons->addStretch();
    btFechar = button("btFechar", QStringLiteral("&Fechar"));
    root->addLayout(buttons);
    resize(760, 420);

    connect(btInserir, &QPushButton::clicked, this, [this] { Insert(); });
    connect(btAlterar, &QPushButton::clicked, this, [this] { Alter(); });
    connect(btExcluir, &QPushButton::clicked, this, [this] { Delete(); });
    connect(btLocalizar, &QPushButton::clicked, this, [this] { Locate(); });
    connect(btLocalizarProximo, &QPushButton::clicked, this, [this] { LocateNext(); });
    connect(btFechar, &QPushButton::clicked, this, &QDialog::accept);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_model->setCurrentRow(current.row());
            });
    connect(m_grid, &QTableView::clicked, this, [this] { UpdateButtons(); });
    connect(&cursor, &Cursor::currentChanged, this, [this] { syncGridToCursor(); });
    connect(&cursor, &Cursor::rowsReset, this, [this] { syncGridToCursor(); });
}

void CatalogListWindow::syncGridToCursor()
{
    const int row = m_cursor.currentIndex();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex current = m_grid->currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    m_grid->setCurrentIndex(m_model->index(row, std::max(0, current.column())));
    m_grid->selectRow(row);
}

void CatalogListWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    syncGridToCursor();
    UpdateButtons();
    m_grid->setFocus();
}

void CatalogListWindow::UpdateButtons()
{
    const bool any = !m_cursor.isEmpty();
    btAlterar->setEnabled(any);
    btExcluir->setEnabled(any);
    btLocalizar->setEnabled(any);
    btLocalizarProximo->setEnabled(any);
}

bool CatalogListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto *key = static_cast<QKeyEvent *>(event);
        const int k = key->key();
        const bool swallowed = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Insert || k == Qt::Key_Delete;
        if (event->type() == QEvent::KeyRelease)
            return swallowed || QDialog::eventFilter(watched, event);
        if (k == Qt::Key_Return || k == Qt::Key_Enter)
            Alter();
        else if (k == Qt::Key_Insert)
            Insert();
        else if (k == Qt::Key_Delete)
            Delete();
        else if (k == Qt::Key_F3 && (key->modifiers() & Qt::ControlModifier))
            LocateNext();
        else if (k == Qt::Key_F3)
            Locate();
        else
            return QDialog::eventFilter(watched, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CatalogListWindow::Locate()
{
    const QString word = m_inputBox(this, QStringLiteral("Pesquisar"), QStringLiteral("Palavra a localizar:"),
                                    m_search.SearchText);
    m_search.SearchText = word.toUpper();
    m_cursor.first();
    m_search.LastFoundRow.clear();
    searchFromCurrent();
}

void CatalogListWindow::LocateNext()
{
    searchFromCurrent();
}

void CatalogListWindow::searchFromCurrent()
{
    if (m_cursor.isEmpty())
        return;
    m_grid->setUpdatesEnabled(false);
    int row = std::max(0, m_cursor.currentIndex());
    int found = -1;
    for (; row < m_cursor.recordCount(); ++row) {
        const QString text = RowSearchText(m_cursor, row);
        if (text == m_search.LastFoundRow)
            continue;
        if (text.contains(m_search.SearchText)) {
            found = row;
            m_search.LastFoundRow = text;
            break;
        }
    }
    m_cursor.moveTo(found >= 0 ? found : m_cursor.recordCount() - 1);
    m_grid->setUpdatesEnabled(true);
}

void CatalogListWindow::Reread(const QString &keyField, const QVariant &key)
{
    m_cursor.close();
    m_cursor.open();
    if (!key.isValid() || !m_cursor.locate(keyField, key))
        m_cursor.first();
}

} // namespace kestrova
