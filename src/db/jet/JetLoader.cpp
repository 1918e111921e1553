#include "JetLoader.h"

#include "Exceptions.h"
#include "JetFile.h"
#include "JetQueryTranslator.h"
#include "JetSqlStatement.h"
#include "JetStoredQuery.h"
#include "JetTableCopier.h"

#include <QElapsedTimer>

#include <memory>
#include <vector>

namespace {

const QString kBrowseView = QStringLiteral("Query1");
// Progress is told every so many rows, and at least this often while rows are being copied.
constexpr qint64 kProgressEvery = 256;
constexpr qint64 kProgressIntervalMs = 1000;

} // namespace

JetLoader::JetLoader(const QString& path, const JetLoadOptions& options) : m_path(path), m_options(options) {}

void JetLoader::Run(sqlite3* db, JetLoadReport& report)
{
    const JetFile file(m_path);
    std::vector<std::unique_ptr<JetTableCopier>> copiers;
    qint64 total = 0;
    for (MdbCatalogEntry* entry : file.UserTables()) {
        // SQLite keeps names that begin with sqlite_ for itself.
        if (QString::fromUtf8(entry->object_name).startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) {
            report.notCarried.append(QStringLiteral("Table \"%1\" is left out: SQLite reserves its name.")
                                         .arg(QString::fromUtf8(entry->object_name)));
            continue;
        }
        const QString name = QString::fromUtf8(entry->object_name);
        QStringList columnsLeftOut;
        bool tableLeftOut = false;
        for (const JetLoadOptions::Place& place : m_options.leaveOut) {
            if (place.table == name && place.column.isEmpty())
                tableLeftOut = true;
            else if (place.table == name)
                columnsLeftOut.append(place.column);
        }
        if (tableLeftOut) {
            report.notCarried.append(
                QStringLiteral("Table \"%1\" is left out: reading it made the reader crash (the file is "
                               "damaged there).")
                    .arg(name));
            continue;
        }
        copiers.push_back(std::make_unique<JetTableCopier>(file, entry, columnsLeftOut));
        total += copiers.back()->DeclaredRows();
    }

    JetSqlStatement::Execute(db, QStringLiteral("BEGIN"));
    qint64 done = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    QStringList tables;
    for (const auto& copier : copiers) {
        report.notCarried.append(copier->Skipped());
        if (!copier->HasColumns()) {
            report.notCarried.append(
                QStringLiteral("Table \"%1\" has no column that can be carried over; it is left out.")
                    .arg(copier->Name()));
            continue;
        }
        copier->CreateTable(db, m_options.addKeys);
        const qint64 rows = copier->CopyRows(db, [&] {
            if ((++done % kProgressEvery == 0 || sinceProgress.elapsed() >= kProgressIntervalMs) &&
                m_options.progress) {
                m_options.progress(done, total);
                sinceProgress.restart();
            }
        });
        report.tables.append({copier->Name(), rows});
        tables.append(copier->Name());
    }
    MakeBrowseQuery(file, db, tables, report);
    JetSqlStatement::Execute(db, QStringLiteral("COMMIT"));
    NoteLeftOut(file, report);
    if (m_options.progress)
        m_options.progress(done, total);
}

void JetLoader::NoteLeftOut(const JetFile& file, JetLoadReport& report) const
{
    for (const MdbCatalogEntry* entry : file.Entries(MDB_LINKED_TABLE)) {
        report.notCarried.append(QStringLiteral("Table \"%1\" is linked from another file; it is left out.")
                                     .arg(QString::fromUtf8(entry->object_name)));
    }
    for (const MdbCatalogEntry* entry : file.Entries(MDB_QUERY)) {
        const QString name = QString::fromUtf8(entry->object_name);
        if (name.compare(m_options.browseQuery, Qt::CaseInsensitive) != 0)
            report.notCarried.append(
                QStringLiteral("The stored query \"%1\" is left out; only \"%2\" becomes the view %3.")
                    .arg(name, m_options.browseQuery, kBrowseView));
    }
}

void JetLoader::MakeBrowseQuery(const JetFile& file, sqlite3* db, const QStringList& tables,
                                JetLoadReport& report)
{
    const MdbCatalogEntry* query = file.Entry(m_options.browseQuery, MDB_QUERY);
    if (query == nullptr) {
        report.notCarried.append(
            QStringLiteral("The file has no stored query \"%1\".").arg(m_options.browseQuery));
        return;
    }
    if (tables.contains(kBrowseView, Qt::CaseInsensitive)) {
        report.notCarried.append(
            QStringLiteral("The stored query \"%1\" is not carried over: a table is already "
                           "named %2.")
                .arg(m_options.browseQuery, kBrowseView));
        return;
    }
    QString reason;
    const QString select = TranslateStoredQuery(ReadStoredQuery(file, query), tables, &reason);
    if (!select.isEmpty()) {
        // A view that names a column the table lacks fails only when it is read: try it first.
        try {
            JetSqlStatement::Execute(db, QStringLiteral("SAVEPOINT browse_query"));
            JetSqlStatement::Execute(
                db,
                QStringLiteral("CREATE VIEW %1 AS %2").arg(JetSqlStatement::QuoteName(kBrowseView), select));
            JetSqlStatement check(
                db, QStringLiteral("SELECT * FROM %1 LIMIT 1").arg(JetSqlStatement::QuoteName(kBrowseView)));
            JetSqlStatement::Execute(db, QStringLiteral("RELEASE browse_query"));
            report.browseQuery = true;
            return;
        } catch (const EOleException& e) {
            JetSqlStatement::Execute(db, QStringLiteral("ROLLBACK TO browse_query"));
            JetSqlStatement::Execute(db, QStringLiteral("RELEASE browse_query"));
            reason = QStringLiteral("its translation fails in SQLite (%1)").arg(e.Message());
        }
    }
    report.notCarried.append(QStringLiteral("The stored query \"%1\" cannot be translated: %2.")
                                 .arg(m_options.browseQuery, reason));
}
