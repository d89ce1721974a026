#include "sqlite_connection.h"

#include <sqlite3.h>

#include <QDateTime>

namespace kestrova {

Statement::Statement(Connection &connection, const QString &sql) : m_connection(&connection)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK)
        connection.raise(QStringLiteral("Erro ao preparar comando SQL"));
}

Statement::~Statement()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_connection(other.m_connection), m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        if (m_stmt)
            sqlite3_finalize(m_stmt);
        m_connection = other.m_connection;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

bool Statement::hasParameter(const QString &name) const
{
    return sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData()) > 0;
}

void Statement::bind(const QString &name, const QVariant &value)
{
    const int index = sqlite3_bind_parameter_index(m_stmt, (QLatin1Char(':') + name).toUtf8().constData());
    if (index > 0)
        bind(index, value);
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray t = value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        case QMetaType::QDate: {
            const QByteArray t = value.toDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        default: {
            const QByteArray t = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        m_connection->raise(QStringLiteral("Erro ao atribuir parâmetro"));
}

void Statement::clearBindings()
{
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Keep the error text before reset() clears it.
    const QString text = m_connection->lastErrorText();
    sqlite3_reset(m_stmt);
    throw StorageError(text);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::execute()
{
    while (step()) {
    }
    const int changed = sqlite3_changes(m_connection->handle());
    sqlite3_reset(m_stmt);
    return changed;
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::columnDeclType(int column) const
{
    const char *t = sqlite3_column_decltype(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

QVariant Statement::columnValue(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT: {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return QVariant();
    }
}

qint64 Statement::columnInt64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::columnDouble(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

bool Statement::columnIsNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

Connection::~Connection()
{
    close();
}

void Connection::open(const QString &path, bool readOnly, bool create)
{
    close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("sem memória");
        sqlite3_close(db);
        throw StorageError(QStringLiteral("Erro ao abrir o banco de dados %1: %2").arg(path, text));
    }
    m_db = db;
    m_path = path;
    sqlite3_extended_result_codes(m_db, 1);
    // The program is the file's only user; a short wait covers a backup tool reading it.
    sqlite3_busy_timeout(m_db, 2000);
}

void Connection::close()
{
    m_cache.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::exec(const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = error ? QString::fromUtf8(error) : lastErrorText();
        sqlite3_free(error);
        throw StorageError(text);
    }
}

Statement &Connection::cached(const QString &sql)
{
    const std::string key = sql.toStdString();
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, std::make_unique<Statement>(*this, sql)).first;
    it->second->reset();
    it->second->clearBindings();
    return *it->second;
}

void Connection::begin()
{
    cached(QStringLiteral("BEGIN")).execute();
}

void Connection::commit()
{
    cached(QStringLiteral("COMMIT")).execute();
}

void Connection::rollback() noexcept
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Connection::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

qint64 Connection::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Connection::tableExists(const QString &table)
{
    Statement &s = cached(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = :NAME COLLATE NOCASE"));
    s.bind(QStringLiteral("NAME"), table);
    const bool found = s.step();
    s.reset();
    return found;
}

QString Connection::lastErrorText() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("banco de dados fechado");
}

void Connection::raise(const QString &context) const
{
    throw StorageError(context + QStringLiteral(": ") + lastErrorText());
}

} // namespace kestrova
