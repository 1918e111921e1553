#pragma once

#include "TResultSet.h"

#include <memory>
#include <optional>

class SqliteDatabase;

// An index of the folded question and answer texts of Table1, kept in the collection file, through
// which the window's searches ("SELECT * FROM  Table1 where pasokh like '%phrase%'") read only the
// entries that can match instead of every entry.
//
// It holds, in the file: two FTS5 tables of the trigrams of the folded texts (the folding of our LIKE),
// a table of the entries changed since the index last took them in, three triggers on Table1 that add
// to it every entry inserted, updated or deleted by any program, and a table of its own state. The
// triggers are plain SQL and call no function of ours, so every SQLite tool keeps reading and writing
// the file, and its writes are taken in before the next search.
//
// A search through the index is exact: in one read transaction it checks that the index is complete,
// of the current folding rules, that its triggers are in place and that no change is waiting, and
// then runs the statement itself (our LIKE over every entry it keeps) restricted to the entries whose
// folded text holds every trigram of the phrase. Otherwise the search reads every entry, as it always
// has: read-only files, files without an integer key in Table1, phrases without three letters in a
// row, and while the index is being built.
//
// The index is built while the window is in use, in steps of a few hundredths of a second on a
// connection and a thread of its own, starting a moment after the file is opened.
class SearchIndex
{
public:
    SearchIndex();
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // Keeps the index of the open file from now on; steps start a moment later. A read-only file is
    // left alone. Detach waits for a step under way to end.
    void Attach(SqliteDatabase* db);
    void Detach();

    // Does one step of building or merging the index now, on the connection attached; true while work
    // remains.
    bool Step();
    // Whether the index of the file is complete (read from the file).
    bool Ready() const;
    // Whether the steps in the background have nothing left to do: the index is complete, building it
    // has stopped after failing too often, or the file carries none.
    bool Idle() const;

    // The result of a search statement read through the index, or nothing when the index cannot give
    // it (the statement is then run as it stands).
    std::optional<TResultSet> Read(const QString& sql);
    // How many searches the index has answered since it was made.
    int Answers() const { return m_answers; }

private:
    class Builder;
    void WakeBuilder();

    SqliteDatabase* m_db = nullptr;
    std::unique_ptr<Builder> m_builder;
    int m_failures = 0;
    int m_answers = 0;
};
