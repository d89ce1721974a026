#pragma once

// A cursor over one table: the rows of a SELECT held in memory, a current row, and the
// append/edit/post/cancel/delete cycle written back through INSERT/UPDATE/DELETE statements that
// select the row by its OLD key. Every post and delete is committed at once; a failure rolls the
// transaction back, cancels the pending change and propagates as StorageError.

#include "sqlite_connection.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <map>
#include <vector>

namespace kestrova {

enum class FieldKind { Integer, Double, Text, DateTime, Blob };
enum class FieldRole { Data, Calculated, Lookup };

class Cursor;
class RowContext;

struct FieldDef
{
    QString name;
    FieldKind kind = FieldKind::Text;
    FieldRole role = FieldRole::Data;
    QString displayLabel;    // empty: the column name is the title
    QString displayFormat;   // "##0.00", "#00", "dd/mm/yyyy"...
    bool visible = true;
    // Replaces the format: the text shown for a (non-null) value of this row.
    std::function<QString(const RowContext &, const QVariant &)> displayHandler;
    // Lookup fields: the value looked up for this row (never stored).
    std::function<QVariant(const RowContext &)> lookup;

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
};

struct CursorRow
{
    qint64 rowid = 0;
    QVector<QVariant> values;   // one per field; lookup fields are computed, not kept
};

// One row of a cursor as the display, lookups and the record filter see it.
class RowContext
{
public:
    RowContext(const Cursor &cursor, const CursorRow &row) : m_cursor(cursor), m_row(row) {}
    const Cursor &cursor() const { return m_cursor; }
    const CursorRow &row() const { return m_row; }
    QVariant value(int field) const;
    QVariant value(const QString &field) const;
    QString displayText(int field) const;
    QString displayText(const QString &field) const;

private:
    const Cursor &m_cursor;
    const CursorRow &m_row;
};

// Text of a value as the program shows it when no format applies (decimal comma, dd/mm/yyyy).
QString PlainText(const QVariant &value, FieldKind kind);
// Text used to match keys of different kinds: 3, 3.0 and "3" all give "3".
QString KeyText(const QVariant &value);
// Reads "yyyy-mm-dd hh:nn:ss" with or without a fraction of a second (or "yyyy-mm-dd").
QDateTime ParseStoredDateTime(const QString &text);
QString StoredDateTimeText(const QDateTime &value);

class Cursor : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Insert, Edit };

    // where may use named parameters (":PROTOCOLO"); orderBy is a column of the table or empty
    // for the storage order.
    Cursor(Connection &connection, const QString &name, const QString &table, const QString &where = QString(),
           const QString &orderBy = QString(), QObject *parent = nullptr);
    ~Cursor() override;

    QString name() const { return m_name; }
    QString table() const { return m_table; }
    QString selectText() const;

    // Configuration, before opening.
    FieldDef &fieldSettings(const QString &name);   // applied to the column of that name when it exists
    void addCalculatedField(const QString &name, FieldKind kind);
    void addLookupField(const QString &name, FieldKind kind, std::function<QVariant(const RowContext &)> lookup);
    void setKeyFields(const QStringList &fields) { m_keyFields = fields; }   // empty: all old values
    void setAutoKeyField(const QString &field) { m_autoKeyField = field; }
    void setCalcFields(std::function<void(Cursor &, CursorRow &)> calc) { m_calc = std::move(calc); }
    void setRecordFilter(std::function<bool(const RowContext &)> filter) { m_filter = std::move(filter); }
    std::function<void(Cursor &)> beforeRead;    // before the rows are read (open, refresh)
    std::function<void(Cursor &)> afterOpen;
    std::function<void(Cursor &)> afterScroll;
    std::function<void(Cursor &)> afterChange;   // after a committed post or delete

    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;

    void open();
    void close();
    void refresh();   // re-reads the rows and stays on the same row (by key) when it is still there
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int currentIndex() const { return m_current; }   // 0-based, -1 when empty
    int recNo() const { return m_current + 1; }
    bool eof() const { return m_eof || m_rows.empty(); }
    bool bof() const { return m_bof || m_rows.empty(); }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int index);
    bool locate(const QString &field, const QVariant &value);

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    // The key a new row gets: the highest key of the table + 1 (1 for an empty table).
    qint64 nextKey();

    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef &field(int index) const { return m_fields[size_t(index)]; }
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    int dataFieldCount() const { return m_dataFieldCount; }

    // The current row (or the pending row while appending or editing).
    QVariant value(const QString &field) const;
    bool isNull(const QString &field) const;
    qint64 asInteger(const QString &field) const;
    double asFloat(const QString &field) const;
    QString asString(const QString &field) const;
    QDateTime asDateTime(const QString &field) const;
    QString displayText(const QString &field) const;
    void setValue(const QString &field, const QVariant &value);

    QVariant valueAt(int row, int field) const;
    QString displayTextAt(int row, int field) const;

signals:
    void rowsReset();
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void currentChanged(int row);

private:
    int requireField(const QString &name) const;
    const CursorRow *activeRow() const;
    void fetch(Statement &statement, int firstColumn, CursorRow &row) const;
    void buildFields(Statement &statement);
    void readAll();
    bool readRow(qint64 rowid, CursorRow &row);
    bool accepts(const CursorRow &row) const;
    int orderedPosition(const CursorRow &row, int skip) const;
    void checkBrowse();
    void bindKey(Statement &statement, const CursorRow &old) const;
    QString keyCondition() const;
    void scrolled();
    void setCurrent(int index);
    QVariant normalize(const FieldDef &field, const QVariant &value) const;

    Connection &m_connection;
    QString m_name;
    QString m_table;
    QString m_where;
    QString m_orderBy;
    QStringList m_keyFields;
    QString m_autoKeyField;
    std::map<QString, FieldDef> m_settings;
    std::vector<FieldDef> m_extraFields;
    std::map<QString, QVariant> m_params;
    std::function<void(Cursor &, CursorRow &)> m_calc;
    std::function<bool(const RowContext &)> m_filter;

    std::vector<FieldDef> m_fields;
    QHash<QString, int> m_fieldIndex;   // upper-case name -> field
    int m_dataFieldCount = 0;
    int m_storedColumns = 0;
    std::vector<CursorRow> m_rows;
    int m_current = -1;
    bool m_eof = false;
    bool m_bof = false;
    State m_state = State::Inactive;
    CursorRow m_pending;   // the row being appended or edited
    CursorRow m_old;       // the row as read, for the OLD_ parameters
    QString m_insertSql;
    QString m_updateSql;
    QString m_deleteSql;
    QString m_rowSql;
};

} // namespace kestrova
