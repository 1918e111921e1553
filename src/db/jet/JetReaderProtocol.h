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
inline const QLatin1String kDone("done");         // the copy is complete

// Command-line options of the helper: SOURCE OUTPUT [--add-keys] [--query NAME].
inline const QLatin1String kAddKeys("--add-keys");
inline const QLatin1String kQueryOption("--query");

} // namespace JetReaderProtocol
