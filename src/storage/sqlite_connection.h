#pragma once

// A thin layer over the SQLite C API: one connection, prepared statements with named parameters,
// and errors as exceptions carrying a Portuguese text the caller can show as it is.

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace kestrova {

class StorageError : public std::runtime_error
{
public:
    explicit StorageError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

class Connection;

// A prepared statement. Values are bound by parameter name (":NAME"); a name the statement does
// not use is ignored, so one set of values can feed several statements.
class Statement
{
public:
    Statement() = default;
    Statement(Connection &connection, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    bool hasParameter(const QString &name) const;
    void bind(const QString &name, const QVariant &value);
    void bind(int index, const QVariant &value);   // 1-based
    void clearBindings();
    // Runs to the next row: true while a row is available.
    bool step();
    void reset();
    // Runs a statement that returns no rows; returns the number of rows changed.
    int execute();

    int columnCount() const;
    QString columnName(int column) const;
    QString columnDeclType(int column) const;
    QVariant columnValue(int column) const;   // null, qint64, double, QString or QByteArray
    qint64 columnInt64(int column) const;
    double columnDouble(int column) const;
    bool columnIsNull(int column) const;

private:
    Connection *m_connection = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens an existing file (readOnly: never writes). Throws StorageError.
    void open(const QString &path, bool readOnly = false, bool create = false);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    void exec(const QString &sql);   // one or more statements, no parameters
    // A statement prepared once per connection and kept for reuse; reset before it is returned.
    Statement &cached(const QString &sql);

    void begin();
    void commit();
    void rollback() noexcept;
    bool inTransaction() const;

    qint64 lastInsertRowid() const;
    bool tableExists(const QString &table);

    QString lastErrorText() const;
    [[noreturn]] void raise(const QString &context) const;
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    QString m_path;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
};

} // namespace kestrova
