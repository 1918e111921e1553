#include "TestDatabase.h"

#include "TestPaths.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

namespace {

// A connection for one call, opened the way another program would.
class Connection
{
public:
    explicit Connection(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the test database");
        sqlite3_busy_timeout(m_db, 2000);
    }
    ~Connection() { sqlite3_close(m_db); }
    sqlite3* db() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

TestDatabase::TestDatabase() : TestDatabase(SampleSql()) {}

TestDatabase::TestDatabase(const QString& sql) : m_previousFolder(QDir::currentPath())
{
    if (!sql.isEmpty())
        Execute(sql);
    QDir::setCurrent(m_dir.path());
}

TestDatabase::~TestDatabase()
{
    QDir::setCurrent(m_previousFolder);
}

QString TestDatabase::Path() const
{
    return m_dir.filePath(QStringLiteral("dorvanel.mdb"));
}

void TestDatabase::Execute(const QString& sql) const
{
    Connection connection(Path());
    char* error = nullptr;
    if (sqlite3_exec(connection.db(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error != nullptr ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

std::optional<QString> TestDatabase::Value(const QString& sql) const
{
    Connection connection(Path());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection.db(), sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(connection.db()));
    std::optional<QString> value;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return value;
}

QString TestDatabase::SampleSql()
{
    QFile file(QDir(SourceDir()).filePath(QStringLiteral("data/dorvanel.sql")));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("data/dorvanel.sql cannot be read");
    return QString::fromUtf8(file.readAll());
}

QString TestDatabase::Schema(int titleLength)
{
    return QStringLiteral("CREATE TABLE Table1 (id INTEGER PRIMARY KEY, kholase VARCHAR(%1), porsesh MEMO,"
                          " pasokh MEMO, pavaraghi MEMO);"
                          "CREATE VIEW Query1 AS SELECT * FROM Table1 ORDER BY id;")
        .arg(titleLength);
}

QString TestDatabase::Collection(int n, int titleLength)
{
    QString sql = Schema(titleLength);
    for (int i = 1; i <= n; ++i)
        sql += QStringLiteral("INSERT INTO Table1 VALUES (%1, 't%1', 'q%1', 'a%1', 's%1');").arg(i);
    return sql;
}
