#include "ConnectionString.h"

#include <QStringList>

ConnectionString::ConnectionString(const QString& text)
{
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        QString value = part.mid(equals + 1).trimmed();
        if (value.size() >= 2 &&
            (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))) &&
            value.endsWith(value.front()))
            value = value.mid(1, value.size() - 2);
        m_values.insert(part.left(equals).trimmed().toLower(), value);
    }
}
