#include "JetImport.h"

#include "Exceptions.h"
#include "JetDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file's name, for the signal handler: an interrupted import leaves nothing behind.
char g_temporary[4096] = {};

void RemoveTemporaryAndDie(int signal)
{
    if (g_temporary[0] != '\0')
        unlink(g_temporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Say(std::FILE* out, const QString& text)
{
    std::fputs(text.toUtf8().constData(), out);
    std::fflush(out);
}

} // namespace

JetImport::JetImport(QString source, QString target, QString browseQuery)
    : m_source(std::move(source)), m_target(std::move(target)), m_browseQuery(std::move(browseQuery))
{}

JetImport::~JetImport()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    g_temporary[0] = '\0';
}

void JetImport::Run(std::FILE* out)
{
    const QFileInfo target(m_target);
    if (target.exists() || target.isSymLink())
        Fail(QStringLiteral("it already exists, and an import never overwrites a file"));
    QByteArray pattern = QFile::encodeName(
        target.absoluteDir().filePath(QStringLiteral(".%1.import-XXXXXX").arg(target.fileName())));
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        Fail(QStringLiteral("no file can be written in its folder (%1)")
                 .arg(QString::fromLocal8Bit(std::strerror(errno))));
    // mkstemp makes the file private; the collection gets the permissions any new file would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    m_temporary = QFile::decodeName(pattern);
    std::strncpy(g_temporary, pattern.constData(), sizeof g_temporary - 1);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemoveTemporaryAndDie);

    JetLoadOptions options;
    options.browseQuery = m_browseQuery;
    options.addKeys = true;
    int shown = -1;
    options.progress = [&](qint64 done, qint64 total) {
        const int percent = total > 0 ? int(done * 100 / total) : 100;
        if (percent / 10 != shown / 10) {
            shown = percent;
            Say(out, QStringLiteral("Reading: %1% (%2 of %3 rows)\n").arg(percent).arg(done).arg(total));
        }
    };
    Say(out, QStringLiteral("Importing %1 into %2\n")
                 .arg(QDir::toNativeSeparators(m_source), QDir::toNativeSeparators(m_target)));
    JetLoadReport report;
    ConvertJetDatabase(m_source, m_temporary, options, &report);
    CheckRowCounts(report);
    Publish();

    for (const JetLoadReport::Table& table : report.tables)
        Say(out, QStringLiteral("Table %1: %2 rows\n").arg(table.name).arg(table.rows));
    Say(out, report.browseQuery
                 ? QStringLiteral("Query1: made from the stored query \"%1\"\n").arg(m_browseQuery)
                 : QStringLiteral("Query1: not made\n"));
    for (const QString& note : report.notCarried)
        Say(out, QStringLiteral("Not carried over: %1\n").arg(note));
    Say(out, QStringLiteral("Done.\n"));
}

void JetImport::CheckRowCounts(const JetLoadReport& report) const
{
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(QFile::encodeName(m_temporary).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QString mismatch = opened == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errmsg(db));
    for (const JetLoadReport::Table& table : report.tables) {
        if (!mismatch.isEmpty())
            break;
        QString name = table.name;
        name.replace(QLatin1Char('"'), QLatin1String("\"\""));
        const QByteArray sql = QStringLiteral("SELECT count(*) FROM \"%1\"").arg(name).toUtf8();
        sqlite3_stmt* statement = nullptr;
        qint64 rows = -1;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            rows = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        if (rows != table.rows)
            mismatch = QStringLiteral("table \"%1\" holds %2 rows instead of %3")
                           .arg(table.name)
                           .arg(rows)
                           .arg(table.rows);
    }
    sqlite3_close(db);
    if (!mismatch.isEmpty())
        Fail(QStringLiteral("the row counts do not match after the import (%1)").arg(mismatch));
}

void JetImport::Publish() const
{
    const QByteArray temporary = QFile::encodeName(m_temporary);
    const QByteArray target = QFile::encodeName(m_target);
    const int descriptor = open(temporary.constData(), O_RDONLY);
    const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
    if (descriptor >= 0)
        close(descriptor);
    if (!synced)
        Fail(QStringLiteral("the imported file cannot be saved (%1)")
                 .arg(QString::fromLocal8Bit(std::strerror(errno))));
    // A hard link never replaces an existing name, so a file that appeared meanwhile is kept.
    if (link(temporary.constData(), target.constData()) != 0)
        Fail(errno == EEXIST ? QStringLiteral("it already exists, and an import never overwrites a file")
                             : QStringLiteral("the imported file cannot be given its name (%1)")
                                   .arg(QString::fromLocal8Bit(std::strerror(errno))));
}

void JetImport::Fail(const QString& cause) const
{
    throw EOleException(
        QStringLiteral("Cannot import into \"%1\": %2.").arg(QDir::toNativeSeparators(m_target), cause));
}
