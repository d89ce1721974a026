#include "cursor.h"

#include "formatting.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace kestrova {

namespace {

const QString RowidColumn = QStringLiteral("__rowid");

FieldKind KindOfDeclaredType(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return FieldKind::Integer;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return FieldKind::DateTime;
    if (t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA"))
        || t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DEC")))
        return FieldKind::Double;
    if (t.contains(QLatin1String("BLOB")))
        return FieldKind::Blob;
    return FieldKind::Text;
}

bool IsNumber(const QVariant &v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double || t == QMetaType::UInt
        || t == QMetaType::ULongLong || t == QMetaType::Float || t == QMetaType::Short || t == QMetaType::UShort
        || t == QMetaType::Long || t == QMetaType::Bool;
}

int CompareValues(const QVariant &a, const QVariant &b)
{
    const bool an = a.isNull() || !a.isValid();
    const bool bn = b.isNull() || !b.isValid();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (IsNumber(a) && IsNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

std::optional<double> ReadNumber(const QVariant &v)
{
    if (IsNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        bool ok = false;
        const double d = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (ok)
            return d;
    }
    return std::nullopt;
}

} // namespace

QDateTime ParseStoredDateTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:[.,](\d+))?)?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return QDateTime();
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    int ms = 0;
    if (m.hasCaptured(7))
        ms = QString(m.captured(7) + QStringLiteral("00")).left(3).toInt();
    const QTime time(m.hasCaptured(4) ? m.captured(4).toInt() : 0, m.hasCaptured(5) ? m.captured(5).toInt() : 0,
                     m.hasCaptured(6) ? m.captured(6).toInt() : 0, ms);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

QString StoredDateTimeText(const QDateTime &value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString PlainText(const QVariant &value, FieldKind kind)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
        return FloatToStr(value.toDouble());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return FormatDate(dt.date());
        return FormatDateTime(dt);
    }
    case QMetaType::QByteArray:
        return kind == FieldKind::Blob ? QStringLiteral("(BLOB)") : QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QString KeyText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 17);
    }
    if (IsNumber(value))
        return QString::number(value.toLongLong());
    const QString t = value.toString().trimmed();
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    return ok ? QString::number(n) : t;
}

QVariant RowContext::value(int field) const
{
    const FieldDef &f = m_cursor.field(field);
    if (f.role == FieldRole::Lookup)
        return f.lookup ? f.lookup(*this) : QVariant();
    return m_row.values.value(field);
}

QVariant RowContext::value(const QString &field) const
{
    const int i = m_cursor.fieldIndex(field);
    return i < 0 ? QVariant() : value(i);
}

QString RowContext::displayText(int field) const
{
    const FieldDef &f = m_cursor.field(field);
    const QVariant v = value(field);
    if (f.displayHandler)
        return f.displayHandler(*this, v);
    if (!v.isValid() || v.isNull())
        return QString();
    if (!f.displayFormat.isEmpty()) {
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = v.toDateTime();
            return f.displayFormat == QLatin1String("dd/mm/yyyy") ? FormatDate(dt.date()) : FormatDateTime(dt);
        }
        if (const auto n = ReadNumber(v))
            return FormatFloat(f.displayFormat, *n);
    }
    return PlainText(v, f.kind);
}

QString RowContext::displayText(const QString &field) const
{
    const int i = m_cursor.fieldIndex(field);
    return i < 0 ? QString() : displayText(i);
}

Cursor::Cursor(Connection &connection, const QString &name, const QString &table, const QString &where,
               const QString &orderBy, QObject *parent)
    : QObject(parent), m_connection(connection), m_name(name), m_table(table), m_where(where), m_orderBy(orderBy)
{
}

Cursor::~Cursor() = default;

QString Cursor::selectText() const
{
    QString sql = QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(RowidColumn, m_table);
    if (!m_where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_where;
    if (!m_orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_orderBy + QStringLiteral(", rowid");
    return sql;
}

FieldDef &Cursor::fieldSettings(const QString &name)
{
    FieldDef &f = m_settings[name.toUpper()];
    if (f.name.isEmpty())
        f.name = name;
    return f;
}

void Cursor::addCalculatedField(const QString &name, FieldKind kind)
{
    FieldDef f = fieldSettings(name);
    f.name = name;
    f.kind = kind;
    f.role = FieldRole::Calculated;
    m_extraFields.push_back(f);
}

void Cursor::addLookupField(const QString &name, FieldKind kind, std::function<QVariant(const RowContext &)> lookup)
{
    FieldDef f = fieldSettings(name);
    f.name = name;
    f.kind = kind;
    f.role = FieldRole::Lookup;
    f.lookup = std::move(lookup);
    m_extraFields.push_back(f);
}

void Cursor::setParam(const QString &name, const QVariant &value)
{
    m_params[name.toUpper()] = value;
}

QVariant Cursor::param(const QString &name) const
{
    const auto it = m_params.find(name.toUpper());
    return it == m_params.end() ? QVariant() : it->second;
}

int Cursor::fieldIndex(const QString &name) const
{
    const auto it = m_fieldIndex.constFind(name);
    if (it != m_fieldIndex.constEnd())
        return *it;
    return m_fieldIndex.value(name.toUpper(), -1);
}

int Cursor::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw StorageError(QStringLiteral("%1: campo '%2' não encontrado").arg(m_name, name));
    return i;
}

void Cursor::buildFields(Statement &statement)
{
    m_fields.clear();
    m_storedColumns = statement.columnCount() - 1;
    QStringList columns, assignments, inserts;
    for (int c = 1; c < statement.columnCount(); ++c) {
        FieldDef f;
        const QString name = statement.columnName(c);
        const auto it = m_settings.find(name.toUpper());
        if (it != m_settings.end())
            f = it->second;
        f.name = name;
        f.kind = KindOfDeclaredType(statement.columnDeclType(c));
        f.role = FieldRole::Data;
        m_fields.push_back(f);
        columns << name;
        inserts << QLatin1Char(':') + name;
        assignments << name + QStringLiteral(" = :") + name;
    }
    m_dataFieldCount = int(m_fields.size());
    // Calculated fields first (stored in the row), lookups after them.
    for (const FieldDef &f : m_extraFields)
        if (f.role == FieldRole::Calculated)
            m_fields.push_back(f);
    for (const FieldDef &f : m_extraFields)
        if (f.role == FieldRole::Lookup)
            m_fields.push_back(f);

    m_fieldIndex.clear();
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fieldIndex.insert(m_fields[i].name.toUpper(), int(i));
        m_fieldIndex.insert(m_fields[i].name, int(i));
    }

    m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(m_table, columns.join(QStringLiteral(", ")), inserts.join(QStringLiteral(", ")));
    m_updateSql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(m_table, assignments.join(QStringLiteral(", ")), keyCondition());
    m_deleteSql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, keyCondition());
    m_rowSql = QStringLiteral("SELECT rowid AS %1, * FROM %2 WHERE rowid = :%1").arg(RowidColumn, m_table);
}

QString Cursor::keyCondition() const
{
    QStringList parts;
    if (!m_keyFields.isEmpty()) {
        for (const QString &k : m_keyFields)
            parts << QStringLiteral("%1.%2 = :OLD_%2").arg(m_table, k);
        return parts.join(QStringLiteral(" AND "));
    }
    // Without a key the row is the one whose every column equals what was read, null matching null.
    for (int i = 0; i < m_dataFieldCount; ++i) {
        const QString &c = m_fields[size_t(i)].name;
        parts << QStringLiteral("((%1.%2 IS NULL AND :OLD_%2 IS NULL) OR (%1.%2 = :OLD_%2))").arg(m_table, c);
    }
    return parts.join(QStringLiteral(" AND "));
}

void Cursor::fetch(Statement &statement, int firstColumn, CursorRow &row) const
{
    row.values.resize(qsizetype(m_fields.size()));
    for (int i = 0; i < m_dataFieldCount; ++i) {
        QVariant v = statement.columnValue(firstColumn + i);
        if (m_fields[size_t(i)].kind == FieldKind::DateTime && v.typeId() == QMetaType::QString) {
            const QDateTime dt = ParseStoredDateTime(v.toString());
            // An unreadable text stays as it is, so writing the row back does not lose it.
            if (dt.isValid())
                v = dt;
        }
        row.values[i] = std::move(v);
    }
    for (qsizetype i = m_dataFieldCount; i < row.values.size(); ++i)
        row.values[i] = QVariant();
}

bool Cursor::accepts(const CursorRow &row) const
{
    return !m_filter || m_filter(RowContext(*this, row));
}

void Cursor::readAll()
{
    if (beforeRead)
        beforeRead(*this);
    Statement &statement = m_connection.cached(selectText());
    for (const auto &[name, value] : m_params)
        statement.bind(name, value);
    buildFields(statement);
    std::vector<CursorRow> rows;
    while (statement.step()) {
        CursorRow row;
        row.rowid = statement.columnInt64(0);
        fetch(statement, 1, row);
        if (m_calc)
            m_calc(*this, row);
        if (accepts(row))
            rows.push_back(std::move(row));
    }
    statement.reset();
    m_rows = std::move(rows);
}

bool Cursor::readRow(qint64 rowid, CursorRow &row)
{
    Statement &s = m_connection.cached(m_rowSql);
    s.bind(RowidColumn, rowid);
    if (!s.step())
        return false;
    row.rowid = s.columnInt64(0);
    fetch(s, 1, row);
    s.reset();
    if (m_calc)
        m_calc(*this, row);
    return true;
}

void Cursor::open()
{
    if (isActive())
        return;
    readAll();
    m_state = State::Browse;
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_bof = true;
    emit rowsReset();
    if (afterOpen)
        afterOpen(*this);
    scrolled();
}

void Cursor::close()
{
    if (!isActive())
        return;
    m_state = State::Inactive;
    m_rows.clear();
    m_current = -1;
    emit rowsReset();
}

void Cursor::refresh()
{
    checkBrowse();
    if (!isActive()) {
        open();
        return;
    }
    const qint64 rowid = m_current >= 0 ? m_rows[size_t(m_current)].rowid : -1;
    const int oldIndex = m_current;
    readAll();
    m_current = -1;
    for (size_t i = 0; i < m_rows.size() && rowid >= 0; ++i)
        if (m_rows[i].rowid == rowid)
            m_current = int(i);
    if (m_current < 0 && !m_rows.empty())
        m_current = std::clamp(oldIndex, 0, int(m_rows.size()) - 1);
    m_eof = m_bof = false;
    emit rowsReset();
    scrolled();
}

void Cursor::scrolled()
{
    emit currentChanged(m_current);
    if (afterScroll)
        afterScroll(*this);
}

void Cursor::setCurrent(int index)
{
    const bool changed = index != m_current;
    m_current = index;
    if (changed)
        scrolled();
}

void Cursor::checkBrowse()
{
    if (m_state == State::Insert || m_state == State::Edit)
        post();
}

void Cursor::first()
{
    checkBrowse();
    m_bof = true;
    m_eof = m_rows.empty();
    setCurrent(m_rows.empty() ? -1 : 0);
}

void Cursor::last()
{
    checkBrowse();
    m_eof = true;
    m_bof = m_rows.empty();
    setCurrent(int(m_rows.size()) - 1);
}

void Cursor::next()
{
    checkBrowse();
    m_bof = false;
    if (m_current + 1 < int(m_rows.size()))
        setCurrent(m_current + 1);
    else
        m_eof = true;
}

void Cursor::prior()
{
    checkBrowse();
    m_eof = false;
    if (m_current > 0)
        setCurrent(m_current - 1);
    else
        m_bof = true;
}

void Cursor::moveTo(int index)
{
    checkBrowse();
    if (m_rows.empty())
        return;
    m_eof = m_bof = false;
    setCurrent(std::clamp(index, 0, int(m_rows.size()) - 1));
}

bool Cursor::locate(const QString &field, const QVariant &value)
{
    checkBrowse();
    const int f = requireField(field);
    const QString key = KeyText(value);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QVariant v = RowContext(*this, m_rows[i]).value(f);
        if (KeyText(v) == key && v.isNull() == (value.isNull() || !value.isValid())) {
            m_eof = m_bof = false;
            setCurrent(int(i));
            return true;
        }
    }
    return false;
}

const CursorRow *Cursor::activeRow() const
{
    if (m_state == State::Insert || m_state == State::Edit)
        return &m_pending;
    if (m_current >= 0 && m_current < int(m_rows.size()))
        return &m_rows[size_t(m_current)];
    return nullptr;
}

qint64 Cursor::nextKey()
{
    Statement &s = m_connection.cached(QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM %2").arg(m_autoKeyField, m_table));
    const qint64 key = s.step() ? s.columnInt64(0) : 1;
    s.reset();
    return key;
}

void Cursor::append()
{
    if (!isActive())
        throw StorageError(QStringLiteral("%1: a tabela não está aberta").arg(m_name));
    checkBrowse();
    m_pending = CursorRow();
    m_pending.values.resize(qsizetype(m_fields.size()));
    m_state = State::Insert;
    if (!m_autoKeyField.isEmpty())
        m_pending.values[requireField(m_autoKeyField)] = nextKey();
}

void Cursor::edit()
{
    if (!isActive())
        throw StorageError(QStringLiteral("%1: a tabela não está aberta").arg(m_name));
    if (m_state == State::Insert || m_state == State::Edit)
        return;
    if (m_current < 0)
        throw StorageError(QStringLiteral("%1: não há registro para editar").arg(m_name));
    m_pending = m_rows[size_t(m_current)];
    m_old = m_pending;
    m_state = State::Edit;
}

void Cursor::cancel()
{
    if (m_state == State::Insert || m_state == State::Edit) {
        m_state = State::Browse;
        m_pending = CursorRow();
    }
}

void Cursor::bindKey(Statement &statement, const CursorRow &old) const
{
    if (!m_keyFields.isEmpty()) {
        for (const QString &k : m_keyFields)
            statement.bind(QStringLiteral("OLD_") + k, old.values.value(fieldIndex(k)));
        return;
    }
    for (int i = 0; i < m_dataFieldCount; ++i)
        statement.bind(QStringLiteral("OLD_") + m_fields[size_t(i)].name, old.values.value(i));
}

int Cursor::orderedPosition(const CursorRow &row, int skip) const
{
    const int n = int(m_rows.size());
    if (m_orderBy.isEmpty())
        return skip >= 0 ? skip : n;
    const int f = fieldIndex(m_orderBy);
    const QVariant &key = row.values.value(f);
    // First position whose row sorts after this one (rowid breaks ties as the SELECT does).
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        int at = mid;
        if (skip >= 0 && mid >= skip)
            at = mid + 1;
        if (at >= n) {
            hi = mid;
            continue;
        }
        const CursorRow &other = m_rows[size_t(at)];
        int c = CompareValues(other.values.value(f), key);
        if (c == 0)
            c = other.rowid < row.rowid ? -1 : (other.rowid > row.rowid ? 1 : 0);
        if (c <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void Cursor::post()
{
    if (m_state != State::Insert && m_state != State::Edit)
        return;
    const bool inserting = m_state == State::Insert;
    qint64 rowid = inserting ? 0 : m_old.rowid;
    try {
        m_connection.begin();
        Statement &s = m_connection.cached(inserting ? m_insertSql : m_updateSql);
        for (int i = 0; i < m_dataFieldCount; ++i)
            s.bind(i + 1, m_pending.values.value(i));
        if (!inserting)
            bindKey(s, m_old);
        const int changed = s.execute();
        if (!inserting && changed == 0)
            throw StorageError(QStringLiteral("O registro não foi encontrado na tabela %1.").arg(m_table));
        if (inserting)
            rowid = m_connection.lastInsertRowid();
        m_connection.commit();
    } catch (const StorageError &e) {
        m_connection.rollback();
        cancel();
        throw StorageError(QStringLiteral("Erro ao gravar na tabela %1:\r%2").arg(m_table, e.message()));
    }

    CursorRow row;
    try {
        if (!readRow(rowid, row))
            throw StorageError(QStringLiteral("O registro gravado não foi encontrado na tabela %1.").arg(m_table));
    } catch (const StorageError &e) {
        cancel();
        throw StorageError(QStringLiteral("Erro ao reler a tabela %1:\r%2").arg(m_table, e.message()));
    }
    m_state = State::Browse;
    m_pending = CursorRow();
    const int old = inserting ? -1 : m_current;
    if (old >= 0) {
        m_rows.erase(m_rows.begin() + old);
        emit rowRemoved(old);
    }
    int index = -1;
    if (accepts(row)) {
        index = orderedPosition(row, -1);
        if (m_orderBy.isEmpty() && old >= 0)
            index = old;
        m_rows.insert(m_rows.begin() + index, std::move(row));
        emit rowInserted(index);
    } else if (!m_rows.empty()) {
        index = std::clamp(old, 0, int(m_rows.size()) - 1);
    }
    m_eof = m_bof = false;
    m_current = index;
    scrolled();
    if (afterChange)
        afterChange(*this);
}

void Cursor::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (m_current < 0)
        throw StorageError(QStringLiteral("%1: não há registro para excluir").arg(m_name));
    try {
        m_connection.begin();
        Statement &s = m_connection.cached(m_deleteSql);
        bindKey(s, m_rows[size_t(m_current)]);
        s.execute();
        m_connection.commit();
    } catch (const StorageError &e) {
        m_connection.rollback();
        throw StorageError(QStringLiteral("Erro ao excluir da tabela %1:\r%2").arg(m_table, e.message()));
    }
    const int old = m_current;
    m_rows.erase(m_rows.begin() + old);
    emit rowRemoved(old);
    m_current = m_rows.empty() ? -1 : std::min(old, int(m_rows.size()) - 1);
    m_eof = m_rows.empty() || old >= int(m_rows.size());
    m_bof = false;
    scrolled();
    if (afterChange)
        afterChange(*this);
}

QVariant Cursor::value(const QString &field) const
{
    const int f = requireField(field);
    const CursorRow *row = activeRow();
    return row ? RowContext(*this, *row).value(f) : QVariant();
}

bool Cursor::isNull(const QString &field) const
{
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

qint64 Cursor::asInteger(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::Double)
        return qint64(std::nearbyint(v.toDouble()));
    if (v.typeId() == QMetaType::QString)
        return KeyText(v).toLongLong();
    return v.toLongLong();
}

double Cursor::asFloat(const QString &field) const
{
    return ReadNumber(value(field)).value_or(0.0);
}

QString Cursor::asString(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return PlainText(v, FieldKind::DateTime);
    if (v.typeId() == QMetaType::Double)
        return FloatToStr(v.toDouble());
    return v.isNull() ? QString() : v.toString();
}

QDateTime Cursor::asDateTime(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    return v.typeId() == QMetaType::QString ? ParseStoredDateTime(v.toString()) : QDateTime();
}

QString Cursor::displayText(const QString &field) const
{
    const int f = requireField(field);
    const CursorRow *row = activeRow();
    if (!row) {
        // An empty cursor still runs the display handler, which shows the empty text.
        CursorRow empty;
        empty.values.resize(qsizetype(m_fields.size()));
        return m_fields[size_t(f)].displayHandler ? QString() : RowContext(*this, empty).displayText(f);
    }
    return RowContext(*this, *row).displayText(f);
}

QVariant Cursor::normalize(const FieldDef &field, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    auto invalid = [&]() {
        return StorageError(QStringLiteral("'%1' não é um valor válido para o campo %2.")
                                .arg(value.toString(), field.name));
    };
    switch (field.kind) {
    case FieldKind::Integer: {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            const double d = value.toDouble();
            if (!std::isfinite(d))
                throw invalid();
            return QVariant(qint64(std::nearbyint(d)));
        }
        if (IsNumber(value))
            return QVariant(value.toLongLong());
        bool ok = false;
        const qint64 n = value.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw invalid();
        return QVariant(n);
    }
    case FieldKind::Double: {
        const auto n = ReadNumber(value);
        if (!n)
            throw invalid();
        return QVariant(*n);
    }
    case FieldKind::DateTime: {
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (value.typeId() == QMetaType::QDate)
            return QVariant(QDateTime(value.toDate(), QTime(0, 0)));
        QDateTime dt = ParseStoredDateTime(value.toString());
        if (!dt.isValid())
            if (const auto d = ParseDate(value.toString()))
                dt = QDateTime(*d, QTime(0, 0));
        if (!dt.isValid())
            throw invalid();
        return QVariant(dt);
    }
    case FieldKind::Blob:
        return QVariant(value.toByteArray());
    case FieldKind::Text:
        return QVariant(value.toString());
    }
    return value;
}

void Cursor::setValue(const QString &field, const QVariant &value)
{
    if (m_state != State::Insert && m_state != State::Edit)
        throw StorageError(QStringLiteral("%1: a tabela não está em modo de edição").arg(m_name));
    const int f = requireField(field);
    if (m_fields[size_t(f)].role == FieldRole::Lookup)
        throw StorageError(QStringLiteral("%1: o campo %2 não pode ser alterado").arg(m_name, field));
    m_pending.values[f] = normalize(m_fields[size_t(f)], value);
}

QVariant Cursor::valueAt(int row, int field) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QVariant();
    return RowContext(*this, m_rows[size_t(row)]).value(field);
}

QString Cursor::displayTextAt(int row, int field) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QString();
    return RowContext(*this, m_rows[size_t(row)]).displayText(field);
}

} // namespace kestrova
