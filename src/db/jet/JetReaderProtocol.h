#pragma once

#include <QLatin1String>

// The lines velnora-jet-reader writes to its standard output, one fact a line, fields separated by
// tabs. Its standard error carries libmdb's own warnings only.
namespace JetReaderProtocol {

inline const QLatin1String kProgress("progress"); // progress <rows done> <rows total>
inline const QLatin1String kTable("table");       // table <name> <rows read>
inline const QLatin1String kQuery("query");       // query: Query1 was made
inline const QLatin1String kNote("note");         // note <what could not be carried>
inline const QLatin1String kError("error");       // error <cause>; the helper then exits with 1
inline const QLatin1String kCrash("crash");       // crash <table> <column or empty>: it died reading there
inline const QLatin1String kDone("done");         // the copy is complete

// Command-line options of the helper: SOURCE OUTPUT [--add-keys] [--query NAME]
// [--leave-out TABLE COLUMN]... (an empty COLUMN leaves out the whole table).
inline const QLatin1String kAddKeys("--add-keys");
inline const QLatin1String kQueryOption("--query");
inline const QLatin1String kLeaveOut("--leave-out");

// A test's hook, read by the helper alone: "TABLE" or "TABLE.COLUMN", where the helper then crashes.
inline const char kTestCrashVariable[] = "VELNORA_TEST_JET_CRASH";

} // namespace JetReaderProtocol
