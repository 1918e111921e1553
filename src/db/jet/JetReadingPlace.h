#pragma once

#include <QByteArray>
#include <QString>

// A table, or a column of a table, that the helper program is reading. libmdb crashes on some damaged
// values; the place being read when that happens is written to standard output as the protocol's
// crash line (JetReaderProtocol.h), so that the caller can try again without it.
class JetReadingPlace
{
public:
    // An empty column stands for the table itself: its definition and its rows.
    explicit JetReadingPlace(const QString& table, const QString& column = QString());
    ~JetReadingPlace();
    JetReadingPlace(const JetReadingPlace&) = delete;
    JetReadingPlace& operator=(const JetReadingPlace&) = delete;

    // This is now the place being read, until another is entered or this one is left.
    void Enter() const;
    void Leave() const;

    // Called once by the helper program: a crash then writes the place being read before the program
    // dies of it. testCrashAt is a test's hook ("TABLE" or "TABLE.COLUMN"; Jet names hold no dot):
    // the program crashes on purpose when it enters that place. Empty for none.
    static void ReportCrashes(const QString& testCrashAt);

private:
    QByteArray m_line;
    bool m_crashHere = false;
};
