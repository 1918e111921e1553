#include "TADOConnection.h"

#include "ConnectionString.h"
#include "Exceptions.h"

#include <QDir>

TADOConnection::TADOConnection(QObject* owner) : QObject(owner) {}

TADOConnection::~TADOConnection() = default;

void TADOConnection::setConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

void TADOConnection::Open()
{
    if (m_db.IsOpen())
        return;
    const QString file = ::ConnectionString(m_connectionString).Value(QStringLiteral("Data Source"));
    if (file.isEmpty())
        throw EOleException(QStringLiteral("The connection string names no database file"));
    m_db.Open(QDir::current().absoluteFilePath(file));
}

void TADOConnection::Close()
{
    m_db.Close();
}

SqliteDatabase& TADOConnection::Database()
{
    Open();
    return m_db;
}

void TADOConnection::SetFunctionInstaller(SqliteDatabase::FunctionInstaller installer)
{
    m_db.SetFunctionInstaller(std::move(installer));
}
