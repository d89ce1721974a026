#include "cursor_table_model.h"

namespace kestrova {

CursorTableModel::CursorTableModel(Cursor *cursor, QObject *parent) : QAbstractTableModel(parent), m_cursor(cursor)
{
    rebuildColumns();
    connect(cursor, &Cursor::rowsReset, this, [this] {
        beginResetModel();
        rebuildColumns();
        endResetModel();
    });
    connect(cursor, &Cursor::rowInserted, this, [this](int row) {
        beginInsertRows(QModelIndex(), row, row);
        endInsertRows();
    });
    connect(cursor, &Cursor::rowRemoved, this, [this](int row) {
        beginRemoveRows(QModelIndex(), row, row);
        endRemoveRows();
    });
    connect(cursor, &Cursor::rowChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(cursor, &Cursor::currentChanged, this, &CursorTableModel::currentRowChanged);
}

void CursorTableModel::rebuildColumns()
{
    m_columns.clear();
    if (!m_cursor)
        return;
    for (int f = 0; f < m_cursor->fieldCount(); ++f)
        if (m_cursor->field(f).visible)
            m_columns.push_back(f);
}

int CursorTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_cursor ? 0 : m_cursor->recordCount();
}

int CursorTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

int CursorTableModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)] : -1;
}

int CursorTableModel::columnOfField(const QString &name) const
{
    if (!m_cursor)
        return -1;
    const int f = m_cursor->fieldIndex(name);
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c] == f)
            return int(c);
    return -1;
}

QVariant CursorTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_cursor || !index.isValid())
        return QVariant();
    const int field = fieldOfColumn(index.column());
    if (field < 0)
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_cursor->displayTextAt(index.row(), field);
    if (role == Qt::EditRole)
        return m_cursor->valueAt(index.row(), field);
    return QVariant();
}

QVariant CursorTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_cursor)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    const int field = fieldOfColumn(section);
    return field < 0 ? QVariant() : QVariant(m_cursor->field(field).label());
}

int CursorTableModel::currentRow() const
{
    return m_cursor ? m_cursor->currentIndex() : -1;
}

void CursorTableModel::setCurrentRow(int row)
{
    if (m_cursor && m_cursor->isActive() && row != m_cursor->currentIndex())
        m_cursor->moveTo(row);
}

} // namespace kestrova
