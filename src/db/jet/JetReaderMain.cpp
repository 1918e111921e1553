// velnora-jet-reader SOURCE OUTPUT [--add-keys] [--query NAME] [--leave-out TABLE COLUMN]...
//
// Copies the Jet file SOURCE into the new SQLite file OUTPUT with libmdb, telling its caller what it
// does on standard output (JetReaderProtocol.h). Runs as a process of its own so that a damaged file
// can take down nothing but this program.
#include "Exceptions.h"
#include "JetError.h"
#include "JetLoader.h"
#include "JetReaderProtocol.h"
#include "JetReadingPlace.h"
#include "JetSqlStatement.h"
#include "MessageNames.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>
#include <sys/prctl.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

void Say(const QString& line)
{
    QString single = line;
    single.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs(single.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString Line(QLatin1String kind, const QStringList& fields)
{
    return QString(kind) +
           (fields.isEmpty() ? QString() : QLatin1Char('\t') + fields.join(QLatin1Char('\t')));
}

int Copy(const QString& source, const QString& output, const JetLoadOptions& options)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(output).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        Say(Line(
            JetReaderProtocol::kError,
            {QStringLiteral("cannot create \"%1\": %2").arg(output, QString::fromUtf8(sqlite3_errmsg(db)))}));
        sqlite3_close(db);
        return 1;
    }
    // The caller makes the file durable and visible only once it is complete.
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    int status = 0;
    try {
        JetLoadReport report;
        JetLoader(source, options).Run(db, report);
        for (const JetLoadReport::Table& table : report.tables)
            Say(Line(JetReaderProtocol::kTable, {table.name, QString::number(table.rows)}));
        if (report.browseQuery)
            Say(Line(JetReaderProtocol::kQuery, {}));
        for (const QString& note : report.notCarried)
            Say(Line(JetReaderProtocol::kNote, {note}));
        Say(Line(JetReaderProtocol::kDone, {}));
    } catch (const JetSqlError& e) {
        Say(Line(JetReaderProtocol::kError,
                 {JetError(source, QStringLiteral("رونوشت آن نوشته نشد (%1)").arg(NameInMessage(e.Message())))
                      .Message()}));
        status = 1;
    } catch (const Exception& e) {
        Say(Line(JetReaderProtocol::kError, {e.Message()}));
        status = 1;
    }
    sqlite3_close(db);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    // Ends with the program that started it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
        return 1;
    // A crash names the table or column being read, so that the caller can do without it.
    JetReadingPlace::ReportCrashes(qEnvironmentVariable(JetReaderProtocol::kTestCrashVariable));
    // Text is decoded to UTF-8 from the file's own code page, whatever the environment says.
    unsetenv("MDB_ICONV");
    unsetenv("MDB_JET3_CHARSET");

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    JetLoadOptions options;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == JetReaderProtocol::kAddKeys)
            options.addKeys = true;
        else if (arguments.at(i) == JetReaderProtocol::kQueryOption && i + 1 < arguments.size())
            options.browseQuery = arguments.at(++i);
        else if (arguments.at(i) == JetReaderProtocol::kLeaveOut && i + 2 < arguments.size()) {
            options.leaveOut.append({arguments.at(i + 1), arguments.at(i + 2)});
            i += 2;
        } else
            files.append(arguments.at(i));
    }
    if (files.size() != 2) {
        std::fputs("usage: velnora-jet-reader SOURCE OUTPUT [--add-keys] [--query NAME] "
                   "[--leave-out TABLE COLUMN]...\n",
                   stderr);
        return 2;
    }
    options.progress = [](qint64 done, qint64 total) {
        Say(Line(JetReaderProtocol::kProgress, {QString::number(done), QString::number(total)}));
    };
    return Copy(files.at(0), files.at(1), options);
}
