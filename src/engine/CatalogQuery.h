#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement in use; reset for the next use when it goes.
class Query {
public:
    explicit Query(sqlite3_stmt* statement)
        : m_statement(statement)
    {
    }
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool prepared() const { return m_statement != nullptr; }
    Query& bind(int at, qint64 value);
    Query& bind(int at, const QString& text);
    Query& bindBlob(int at, const QByteArray& bytes);
    Query& bindNullable(int at, std::optional<qint64> value);
    // True while rows come; false at the end or on an error (see failed).
    bool next();
    // Runs a statement that returns no rows; false on an error.
    bool run();
    bool failed() const { return !m_statement || m_failed; }
    qint64 integer(int column) const;
    bool isNull(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3_stmt* m_statement;
    bool m_failed = false;
};

// The statements of one open catalog, prepared once each.
class CatalogStatements {
public:
    explicit CatalogStatements(sqlite3* db)
        : m_db(db)
    {
    }
    ~CatalogStatements();
    CatalogStatements(const CatalogStatements&) = delete;
    CatalogStatements& operator=(const CatalogStatements&) = delete;
    sqlite3_stmt* get(const char* sql);

private:
    sqlite3* m_db;
    QHash<const char*, sqlite3_stmt*> m_prepared;
};

// Runs sql, any number of statements, to its end; false on an error.
bool exec(sqlite3* db, const char* sql);
