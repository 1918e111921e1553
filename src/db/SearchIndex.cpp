#include "SearchIndex.h"

#include "Exceptions.h"
#include "FoldingLike.h"
#include "SqliteDatabase.h"
#include "SqliteProvider.h"
#include "SqliteStatement.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStringList>

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// How long after the file is opened the first step runs, so that the window opens undisturbed, and
// the pause between steps, in which the window handles the reader's input.
constexpr int FirstStepDelayMs = 1500;
constexpr int StepPauseMs = 15;
// The pause after a step that failed, as when another program holds the file.
constexpr int FailurePauseMs = 250;
// The work of one step: merging, then adding entries, each for about this long.
constexpr qint64 MergeBudgetMs = 10;
constexpr qint64 BuildBudgetMs = 15;
// Pages of merging at a time, and how many segments of one level wait before they are merged.
constexpr int MergePages = 16;
constexpr int SegmentsPerMerge = 4;
// Beyond this many changed entries waiting, the index is made anew in steps rather than at once.
constexpr int MostChangesAtOnce = 2000;
// Steps that fail one after another before building stops until the file is opened again.
constexpr int MostFailures = 100;

// The edition of the tables below; an index of another is made anew.
constexpr int IndexLayout = 2;

const char* const IndexTables[] = {"velnora_search_porsesh", "velnora_search_pasokh"};
const char* const TextColumns[] = {"porsesh", "pasokh"};

// Our objects and their definitions, as the schema keeps them.
struct SchemaObject
{
    const char* name;
    const char* sql;
};
const SchemaObject Triggers[] = {
    {"velnora_search_inserted", "CREATE TRIGGER velnora_search_inserted AFTER INSERT ON Table1 BEGIN "
                                "INSERT INTO velnora_search_changes VALUES (new.rowid); END"},
    {"velnora_search_updated", "CREATE TRIGGER velnora_search_updated AFTER UPDATE ON Table1 BEGIN "
                               "INSERT INTO velnora_search_changes VALUES (old.rowid), (new.rowid); END"},
    {"velnora_search_deleted", "CREATE TRIGGER velnora_search_deleted AFTER DELETE ON Table1 BEGIN "
                               "INSERT INTO velnora_search_changes VALUES (old.rowid); END"},
};

// A search statement of the window: the column and the pattern.
struct SearchStatement
{
    // The statement without the line break that ends the text of a query.
    QString statement;
    int column = -1;
    QString pattern;
};

std::optional<SearchStatement> ParseSearch(const QString& sql)
{
    static const QRegularExpression shape(QStringLiteral(
        "\\A(SELECT \\* FROM  Table1 where (porsesh|pasokh) like '((?:[^']|'')*)')(?:\\r\\n)?\\z"));
    const QRegularExpressionMatch match = shape.match(sql);
    if (!match.hasMatch())
        return std::nullopt;
    SearchStatement search;
    search.statement = match.captured(1);
    search.column = match.captured(2) == QLatin1String("porsesh") ? 0 : 1;
    search.pattern = match.captured(3).replace(QStringLiteral("''"), QStringLiteral("'"));
    return search;
}

// A text as an FTS5 phrase: with the trigram tokenizer, the texts that hold it.
QString Phrase(const QList<uint>& characters)
{
    QString text =
        QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), characters.size());
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The FTS5 query that every folded text the pattern matches satisfies: each run of literal characters
// as a phrase, where each single blank between two words stands either for a blank or for nothing (a
// non-joiner, which the index leaves out). A run with more such blanks is cut into pieces. Empty when
// no run has three characters.
QString TrigramQuery(const QString& pattern)
{
    // Each piece holds at most this many blanks that may be left out: 2^n phrases for it.
    constexpr int mostBlanks = 3;
    const QByteArray utf8 = pattern.toUtf8();
    QStringList parts;
    for (const std::string& run : FoldedPatternRuns({utf8.constData(), std::size_t(utf8.size())})) {
        const QList<uint> characters = QString::fromUtf8(run.data(), qsizetype(run.size())).toUcs4();
        qsizetype start = 0;
        while (start < characters.size()) {
            // The places of the single blanks between two letters, up to the piece's end.
            std::vector<qsizetype> blanks;
            qsizetype end = start;
            for (; end < characters.size(); ++end) {
                const bool single = characters[end] == U' ' && end > start && end + 1 < characters.size() &&
                                    characters[end - 1] != U' ' && characters[end + 1] != U' ';
                if (single) {
                    if (int(blanks.size()) == mostBlanks)
                        break;
                    blanks.push_back(end);
                }
            }
            if (end - start >= 3) {
                QStringList alternatives;
                for (unsigned mask = 0; mask < (1u << blanks.size()); ++mask) {
                    QList<uint> phrase;
                    for (qsizetype k = start; k < end; ++k) {
                        const auto blank = std::find(blanks.begin(), blanks.end(), k);
                        if (blank == blanks.end() || (mask & (1u << (blank - blanks.begin()))) == 0)
                            phrase.push_back(characters[k]);
                    }
                    if (phrase.size() < 3) {
                        alternatives.clear();
                        break;
                    }
                    alternatives << Phrase(phrase);
                }
                if (!alternatives.isEmpty())
                    parts << QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')');
            }
            start = end + 1;
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

QString SqlString(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

qint64 StateValue(const SqliteDatabase& db, const char* name)
{
    SqliteStatement read(
        db,
        QStringLiteral("SELECT value FROM velnora_search_state WHERE name = '%1'").arg(QLatin1String(name)));
    return read.Step() ? read.Int64(0) : -1;
}

void SetState(SqliteDatabase& db, const char* name, qint64 value)
{
    SqliteStatement write(db, QStringLiteral("INSERT OR REPLACE INTO velnora_search_state VALUES ('%1', ?)")
                                  .arg(QLatin1String(name)));
    write.BindInt64(1, value);
    write.Step();
}

// Adds the folded texts of one entry to the index.
class EntryWriter
{
public:
    explicit EntryWriter(const SqliteDatabase& db)
        : m_inserts{SqliteStatement(db, QStringLiteral("INSERT INTO velnora_search_porsesh(rowid, folded) "
                                                       "VALUES (?, ?)")),
                    SqliteStatement(db, QStringLiteral("INSERT INTO velnora_search_pasokh(rowid, folded) "
                                                       "VALUES (?, ?)"))}
    {}

    // The row holds the texts of porsesh and pasokh in the given columns.
    void Write(qint64 rowId, const SqliteStatement& row, int firstColumn)
    {
        for (int k = 0; k < 2; ++k) {
            const char* text = row.Text(firstColumn + k);
            const std::string folded = FoldedForIndex(
                text == nullptr ? std::string_view()
                                : std::string_view(text, std::size_t(row.Bytes(firstColumn + k))));
            m_inserts[k].Reset();
            m_inserts[k].BindInt64(1, rowId);
            m_inserts[k].BindText(2, folded.data(), int(folded.size()));
            m_inserts[k].Step();
        }
    }

private:
    SqliteStatement m_inserts[2];
};

// Whether Table1 can carry the index: it has both text columns and an integer key that is its rowid,
// which stays with each entry.
bool Suitable(const SqliteDatabase& db)
{
    const QString key = db.PrimaryKeyColumn(QStringLiteral("Table1"));
    if (key.isEmpty())
        return false;
    SqliteStatement info(db, QStringLiteral("PRAGMA table_info(Table1)"));
    int texts = 0;
    bool integerKey = false;
    while (info.Step()) {
        const QString name = QString::fromUtf8(info.Text(1));
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            integerKey =
                QString::fromUtf8(info.Text(2)).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        for (const char* column : TextColumns)
            texts += name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0 ? 1 : 0;
    }
    return integerKey && texts == 2;
}

// Whether the file holds our objects as we make them, under the current folding rules.
bool Current(const SqliteDatabase& db)
{
    SqliteStatement objects(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE name LIKE "
                                               "'velnora!_search!_%' ESCAPE '!' AND type IN ('table', "
                                               "'trigger')"));
    int found = 0;
    while (objects.Step()) {
        const QString name = QString::fromUtf8(objects.Text(0));
        const QString sql = QString::fromUtf8(objects.Text(1));
        for (const SchemaObject& trigger : Triggers)
            found += name == QLatin1String(trigger.name) && sql == QLatin1String(trigger.sql) ? 1 : 0;
        for (const char* table :
             {"velnora_search_state", "velnora_search_changes", IndexTables[0], IndexTables[1]})
            found += name == QLatin1String(table) ? 1 : 0;
    }
    return found == 7 && StateValue(db, "folding") == FoldingRulesEdition &&
           StateValue(db, "layout") == IndexLayout;
}

// Makes our objects anew, with an empty index.
void Create(SqliteDatabase& db)
{
    for (const SchemaObject& trigger : Triggers)
        db.Execute(QStringLiteral("DROP TRIGGER IF EXISTS %1")
                       .arg(QLatin1String(trigger.name))
                       .toUtf8()
                       .constData());
    for (const char* table :
         {"velnora_search_state", "velnora_search_changes", IndexTables[0], IndexTables[1]})
        db.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)).toUtf8().constData());
    db.Execute("CREATE TABLE velnora_search_state (name TEXT PRIMARY KEY, value INTEGER);"
               "CREATE TABLE velnora_search_changes (entry INTEGER);");
    for (const char* table : IndexTables) {
        const QString name = QLatin1String(table);
        db.Execute(QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(folded, tokenize = 'trigram "
                                  "case_sensitive 1');"
                                  "INSERT INTO %1(%1, rank) VALUES ('automerge', 0);"
                                  "INSERT INTO %1(%1, rank) VALUES ('usermerge', %2);"
                                  "INSERT INTO %1(%1, rank) VALUES ('crisismerge', 64);")
                       .arg(name)
                       .arg(SegmentsPerMerge)
                       .toUtf8()
                       .constData());
    }
    for (const SchemaObject& trigger : Triggers)
        db.Execute(trigger.sql);
    SetState(db, "folding", FoldingRulesEdition);
    SetState(db, "layout", IndexLayout);
    SetState(db, "built", 0);
    SetState(db, "ready", 0);
}

// Takes in the entries changed since the last time: each is taken out of the index and, where it is
// still in Table1 and the index has reached it, put in again with its texts as they are now.
void TakeInChanges(SqliteDatabase& db)
{
    std::vector<qint64> changed;
    {
        SqliteStatement read(db, QStringLiteral("SELECT DISTINCT entry FROM velnora_search_changes "
                                                "WHERE entry IS NOT NULL ORDER BY entry"));
        while (read.Step())
            changed.push_back(read.Int64(0));
    }
    if (changed.empty())
        return;
    if (changed.size() > std::size_t(MostChangesAtOnce)) {
        Create(db);
        return;
    }
    const bool ready = StateValue(db, "ready") == 1;
    const qint64 built = StateValue(db, "built");
    SqliteStatement removes[] = {
        SqliteStatement(db, QStringLiteral("DELETE FROM velnora_search_porsesh WHERE rowid = ?")),
        SqliteStatement(db, QStringLiteral("DELETE FROM velnora_search_pasokh WHERE rowid = ?"))};
    SqliteStatement read(db, QStringLiteral("SELECT porsesh, pasokh FROM Table1 WHERE rowid = ?"));
    EntryWriter writer(db);
    for (const qint64 entry : changed) {
        for (SqliteStatement& remove : removes) {
            remove.Reset();
            remove.BindInt64(1, entry);
            remove.Step();
        }
        if (!ready && entry > built)
            continue;
        read.Reset();
        read.BindInt64(1, entry);
        if (read.Step())
            writer.Write(entry, read, 0);
    }
    db.Execute("DELETE FROM velnora_search_changes");
}

// Adds entries beyond the last one built, for about the budget; true when entries remain.
bool BuildRows(SqliteDatabase& db, qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    SqliteStatement rows(db, QStringLiteral("SELECT rowid, porsesh, pasokh FROM Table1 WHERE rowid > ? "
                                            "ORDER BY rowid"));
    rows.BindInt64(1, StateValue(db, "built"));
    EntryWriter writer(db);
    qint64 last = -1;
    bool more = true;
    while (clock.elapsed() < budgetMs) {
        if (!rows.Step()) {
            more = false;
            break;
        }
        last = rows.Int64(0);
        writer.Write(last, rows, 1);
    }
    if (last >= 0)
        SetState(db, "built", last);
    if (!more)
        SetState(db, "ready", 1);
    return more;
}

// Merges segments of the index for about the budget; true when merging remains.
bool Merge(SqliteDatabase& db, qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    while (more && clock.elapsed() < budgetMs) {
        more = false;
        for (const char* table : IndexTables) {
            const int before = db.TotalChanges();
            db.Execute(QStringLiteral("INSERT INTO %1(%1, rank) VALUES ('merge', %2)")
                           .arg(QLatin1String(table))
                           .arg(MergePages)
                           .toUtf8()
                           .constData());
            // A merge that did some work counts two changes or more.
            more = more || db.TotalChanges() - before >= 2;
        }
    }
    return more;
}

// One step of building or merging the index of the file open on `db`; true while work remains. A
// step that fails (the file is busy or cannot be written) counts in `failures`, and after too many in
// a row the index is left as it is: searches read every entry until it is ready.
bool BuildStep(SqliteDatabase& db, int& failures)
{
    if (!db.IsOpen())
        return false;
    bool more = false;
    try {
        // Even asking runs a statement, which stopping the builder may interrupt.
        if (db.IsReadOnly())
            return false;
        db.CheckFileInPlace();
        // A step never waits for another program: it tries again later.
        db.SetWaitForLocks(false);
        db.InTransaction("BEGIN IMMEDIATE", [&] {
            if (!Suitable(db))
                return;
            if (!Current(db))
                Create(db);
            TakeInChanges(db);
            more = Merge(db, MergeBudgetMs);
            if (StateValue(db, "ready") != 1) {
                BuildRows(db, BuildBudgetMs);
                more = true;
            }
        });
        db.SetWaitForLocks(true);
        failures = 0;
    } catch (const EOleException&) {
        db.SetWaitForLocks(true);
        return ++failures < MostFailures;
    }
    return more;
}

} // namespace

// The steps of building, on a connection of their own in a thread of their own: committing a step
// waits for the disk, which can take far longer than the step itself, and the window must not wait
// with it. The thread sleeps between steps and until it is woken once the index is complete.
class SearchIndex::Builder
{
public:
    explicit Builder(const QString& path)
    {
        m_db.Open(path);
        m_thread = std::thread([this] { Run(); });
    }
    ~Builder()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        sqlite3_interrupt(m_db.Handle());
        m_thread.join();
    }

    // Asks for another step soon, also once the index is complete.
    void Wake()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_woken = true;
            m_idle = false;
        }
        m_wake.notify_all();
    }

    bool Idle() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_idle;
    }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, std::chrono::milliseconds(FirstStepDelayMs), [this] { return m_stop; }))
            return;
        int failures = 0;
        while (!m_stop) {
            m_woken = false;
            lock.unlock();
            const int failuresBefore = failures;
            bool more = false;
            try {
                more = BuildStep(m_db, failures);
            } catch (const std::exception&) {
                // Out of memory, for one: the index is left as it is, and searches read every entry.
            }
            lock.lock();
            const auto pause =
                std::chrono::milliseconds(failures > failuresBefore ? FailurePauseMs : StepPauseMs);
            if (more) {
                m_wake.wait_for(lock, pause, [this] { return m_stop; });
            } else {
                m_idle = !m_woken;
                m_wake.wait(lock, [this] { return m_stop || m_woken; });
            }
        }
    }

    SqliteDatabase m_db;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_woken = false;
    bool m_idle = false;
    std::thread m_thread;
};

SearchIndex::SearchIndex() = default;

SearchIndex::~SearchIndex() = default;

void SearchIndex::Attach(SqliteDatabase* db)
{
    m_builder.reset();
    m_db = db;
    m_failures = 0;
    if (m_db == nullptr || m_db->IsReadOnly())
        return;
    try {
        m_builder = std::make_unique<Builder>(m_db->Path());
    } catch (const EOleException&) {
        // The file cannot be opened a second time now: searches read every entry.
    }
}

void SearchIndex::Detach()
{
    m_builder.reset();
    m_db = nullptr;
}

bool SearchIndex::Step()
{
    return m_db != nullptr && BuildStep(*m_db, m_failures);
}

bool SearchIndex::Ready() const
{
    if (m_db == nullptr || !m_db->IsOpen())
        return false;
    try {
        return Current(*m_db) && StateValue(*m_db, "ready") == 1;
    } catch (const EOleException&) {
        return false;
    }
}

std::optional<TResultSet> SearchIndex::Read(const QString& sql)
{
    if (m_db == nullptr || !m_db->IsOpen() || m_db->IsReadOnly())
        return std::nullopt;
    const std::optional<SearchStatement> search = ParseSearch(sql);
    if (!search)
        return std::nullopt;
    const QString query = TrigramQuery(search->pattern);
    if (query.isEmpty())
        return std::nullopt;
    const QString indexed =
        search->statement + QStringLiteral(" AND rowid IN (SELECT rowid FROM %1 WHERE %1 MATCH %2) "
                                           "ORDER BY rowid")
                                .arg(QLatin1String(IndexTables[search->column]), SqlString(query));
    try {
        // Changes waiting are taken in first; another program may add more meanwhile, so the read
        // checks again, in its own transaction.
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::optional<TResultSet> result;
            bool waiting = false;
            m_db->InTransaction("BEGIN", [&] {
                if (!Current(*m_db) || StateValue(*m_db, "ready") != 1)
                    return;
                SqliteStatement changes(
                    *m_db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM velnora_search_changes)"));
                waiting = changes.Step() && changes.Int64(0) != 0;
                if (!waiting) {
                    result = SqliteProvider::ReadResult(*m_db, indexed);
                    ++m_answers;
                }
            });
            if (!waiting) {
                if (!result)
                    WakeBuilder();
                return result;
            }
            m_db->InTransaction("BEGIN IMMEDIATE", [&] {
                if (Current(*m_db))
                    TakeInChanges(*m_db);
            });
            WakeBuilder();
        }
    } catch (const EOleException&) {
        // The search reads every entry instead, and reports its own errors.
    }
    return std::nullopt;
}

bool SearchIndex::Idle() const
{
    return !m_builder || m_builder->Idle();
}

void SearchIndex::WakeBuilder()
{
    if (m_builder)
        m_builder->Wake();
}
