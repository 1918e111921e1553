#pragma once

#include "JetLoadOptions.h"
#include "JetLoadReport.h"

#include <QString>

#include <optional>

// Runs velnora-jet-reader to copy a Jet file into a new SQLite file, and judges the outcome: the
// helper's own error, a hang (no word from it for a while), and any warning libmdb printed all fail
// the copy with EOleException naming the file. A crash while the helper reads one table or one
// column costs only that: the copy is made again without it, and the report lists it as not carried
// over. Any other crash fails the copy.
class JetReaderProcess
{
public:
    JetReaderProcess(const QString& source, const JetLoadOptions& options);

    void CopyInto(const QString& sqlitePath, JetLoadReport& report);

    // Where the helper is: beside the running program, or where it was built or installed.
    static QString HelperPath();

private:
    // One run of the helper. Returns the place it crashed on, when it told one.
    std::optional<JetLoadOptions::Place> Run(const QString& helper, const QString& sqlitePath,
                                             const JetLoadOptions& options, JetLoadReport& report);
    void Take(const QString& line, JetLoadReport& report);
    [[noreturn]] void Fail(const QString& cause) const;

    QString m_source;
    JetLoadOptions m_options;
    // What the run under way has told.
    QString m_error;
    bool m_done = false;
    std::optional<JetLoadOptions::Place> m_crashedOn;
};
