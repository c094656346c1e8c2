#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <optional>

class CatalogueConnection;

// Q_MYSQL: SQL text held as lines and sent joined by line breaks, then walked row by row.
// Every catalogue read closes it, sets its lines with the values written in, opens it and walks
// the rows: run() does the first part in one call.
class CatalogueQuery
{
public:
    explicit CatalogueQuery(CatalogueConnection& connection);
    ~CatalogueQuery();
    CatalogueQuery(const CatalogueQuery&) = delete;
    CatalogueQuery& operator=(const CatalogueQuery&) = delete;

    void close();
    void clearSql() { m_lines.clear(); }
    void addSql(const QString& line) { m_lines << line; }
    const QStringList& sql() const { return m_lines; }
    // The statement as sent to the server.
    QString statementText() const { return m_lines.join(QLatin1Char('\n')); }

    // Runs the statement; throws DatabaseError with the server's text when it fails.
    void open();
    bool isActive() const;
    void first();
    bool eof() const { return m_eof; }
    void next();
    // Rows of the open result.
    int recordCount() const;

    // Fields of the current row. NULL reads as 0 or as empty text; an unknown field, a position
    // outside the row, reading past the last row or a non-integer value throws DatabaseError.
    int fieldAsInteger(const QString& name) const;
    int fieldAsInteger(int position) const;
    QString fieldAsString(const QString& name) const;
    QString fieldAsString(int position) const;

    // close(), clearSql(), addSql() for each line, open(), first().
    void run(const QStringList& lines);

private:
    QVariant value(int position) const;
    int position(const QString& name) const;

    CatalogueConnection& m_connection;
    QStringList m_lines;
    std::optional<QSqlQuery> m_query;
    bool m_eof = true;
};
