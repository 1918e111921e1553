#include "TADOConnection.h"

#include "ConnectionString.h"
#include "Exceptions.h"
#include "JetDatabase.h"
#include "SqliteProvider.h"

#include <QDir>

namespace {

// An Access file is read whole into a database in memory. The copy refuses every change, so results
// over it are not updatable and nothing is ever written to the file.
void OpenJet(SqliteDatabase& db, const QString& path)
{
    db.OpenInMemory(path);
    try {
        LoadJetDatabase(path, db.Handle());
    } catch (...) {
        db.Close();
        throw;
    }
}

} // namespace

TADOConnection::TADOConnection(QObject* owner) : QObject(owner) {}

TADOConnection::~TADOConnection()
{
    Close();
}

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
        throw EOleException(
            QStringLiteral("رشته اتصال هیچ پرونده پایگاه داده‌ای را نام "
                           "نمی‌برد"));
    const QString path = QDir::current().absoluteFilePath(file);
    if (IsJetFile(path)) {
        OpenJet(m_db, path);
    } else {
        m_db.Open(path);
        m_index.Attach(&m_db);
    }
}

void TADOConnection::Close()
{
    m_index.Detach();
    m_wholeTables.Forget();
    m_db.Close();
}

TResultSet TADOConnection::ReadResult(const QString& sql)
{
    Open();
    if (std::optional<TResultSet> found = m_index.Read(sql))
        return std::move(*found);
    return m_wholeTables.Read(m_db, sql);
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
