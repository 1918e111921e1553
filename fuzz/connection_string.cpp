// The connection-string parser on any text.
#include "ConnectionString.h"
#include "FuzzTarget.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConnectionString parsed(text);
    parsed.Value(QStringLiteral("Data Source"));
    parsed.Value(QStringLiteral("Provider"));
    parsed.Value(text.section(QLatin1Char('='), 0, 0));
    return 0;
}
