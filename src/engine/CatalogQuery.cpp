#include "CatalogQuery.h"

#include <sqlite3.h>

Query::~Query()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

Query& Query::bind(int at, qint64 value)
{
    sqlite3_bind_int64(m_statement, at, value);
    return *this;
}

Query& Query::bind(int at, const QString& text)
{
    if (text.isNull()) {
        sqlite3_bind_null(m_statement, at);
    } else {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_statement, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    return *this;
}

Query& Query::bindBlob(int at, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        sqlite3_bind_null(m_statement, at);
    else
        sqlite3_bind_blob(m_statement, at, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

Query& Query::bindNullable(int at, std::optional<qint64> value)
{
    if (value)
        sqlite3_bind_int64(m_statement, at, *value);
    else
        sqlite3_bind_null(m_statement, at);
    return *this;
}

bool Query::next()
{
    if (!m_statement)
        return false;
    const int result = sqlite3_step(m_statement);
    m_failed = result != SQLITE_ROW && result != SQLITE_DONE;
    return result == SQLITE_ROW;
}

bool Query::run()
{
    next();
    return m_statement && !m_failed;
}

qint64 Query::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool Query::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

QString Query::text(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column)) : QString();
}

QByteArray Query::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return bytes ? QByteArray(bytes, sqlite3_column_bytes(m_statement, column)) : QByteArray();
}

CatalogStatements::~CatalogStatements()
{
    for (sqlite3_stmt* statement : std::as_const(m_prepared))
        sqlite3_finalize(statement);
}

sqlite3_stmt* CatalogStatements::get(const char* sql)
{
    sqlite3_stmt*& statement = m_prepared[sql];
    if (!statement)
        sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    return statement;
}

bool exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}
