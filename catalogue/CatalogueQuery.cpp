#include "CatalogueQuery.h"

#include "CatalogueConnection.h"
#include "DatabaseError.h"

#include <QSqlError>
#include <QSqlRecord>

#include <limits>

namespace {
// Client errors meaning the server is gone: CR_SERVER_GONE_ERROR, CR_SERVER_LOST, CR_SERVER_LOST_EXTENDED.
bool isConnectionLost(const QString& code)
{
    return code == QLatin1String("2006") || code == QLatin1String("2013") || code == QLatin1String("2055");
}
} // namespace

CatalogueQuery::CatalogueQuery(CatalogueConnection& connection) : m_connection(connection) {}

CatalogueQuery::~CatalogueQuery() = default;

void CatalogueQuery::close()
{
    m_query.reset();
    m_eof = true;
}

bool CatalogueQuery::isActive() const
{
    return m_query && m_query->isActive();
}

void CatalogueQuery::open()
{
    close();
    // No silent connect here: callers re-connect first where they should, and a start-up without a
    // server must not wait out the connect time-out once more for every list.
    if (!m_connection.isOpen())
        throw DatabaseError(QStringLiteral("Not connected to the catalogue server"));

    m_query.emplace(m_connection.database());
    m_query->setForwardOnly(true);
    if (!m_query->exec(statementText())) {
        const QSqlError error = m_query->lastError();
        close();
        const QString code = error.nativeErrorCode();
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        if (isConnectionLost(code))
            m_connection.connectionLost();
        throw DatabaseError(text, code);
    }
    m_eof = true;
}

void CatalogueQuery::first()
{
    m_eof = !(m_query && m_query->isSelect() && m_query->first());
}

void CatalogueQuery::next()
{
    if (!m_eof)
        m_eof = !m_query->next();
}

int CatalogueQuery::recordCount() const
{
    if (!isActive())
        return 0;
    return qMax(0, m_query->size());
}

void CatalogueQuery::run(const QStringList& lines)
{
    close();
    clearSql();
    for (const QString& line : lines)
        addSql(line);
    open();
    first();
}

int CatalogueQuery::position(const QString& name) const
{
    const int index = m_query ? m_query->record().indexOf(name) : -1;
    if (index < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

QVariant CatalogueQuery::value(int position) const
{
    if (!m_query || m_eof)
        throw DatabaseError(QStringLiteral("The query has no current row"));
    if (position < 0 || position >= m_query->record().count())
        throw DatabaseError(QStringLiteral("Field index %1 out of range").arg(position));
    return m_query->value(position);
}

int CatalogueQuery::fieldAsInteger(int position) const
{
    const QVariant v = value(position);
    if (v.isNull())
        return 0;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw DatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
    return static_cast<int>(n);
}

int CatalogueQuery::fieldAsInteger(const QString& name) const
{
    return fieldAsInteger(position(name));
}

QString CatalogueQuery::fieldAsString(int position) const
{
    const QVariant v = value(position);
    return v.isNull() ? QString() : v.toString();
}

QString CatalogueQuery::fieldAsString(const QString& name) const
{
    return fieldAsString(position(name));
}
