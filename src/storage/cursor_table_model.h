#pragma once

// A table model over a cursor for the grids: one column per visible field, titled with the
// field's display label, each cell showing the field's display text. The model follows the
// cursor's rows and reports its current row; selecting a row in a view moves the cursor.

#include "cursor.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

namespace kestrova {

class CursorTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CursorTableModel(Cursor *cursor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The field shown in a column, -1 when out of range.
    int fieldOfColumn(int column) const;
    int columnOfField(const QString &name) const;
    int currentRow() const;
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

private:
    void rebuildColumns();

    QPointer<Cursor> m_cursor;
    std::vector<int> m_columns;
};

} // namespace kestrova
