#include "ApplicationTitle.h"

QString ApplicationTitleFromFileName(const QString& programFile)
{
    QString name = programFile.mid(programFile.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

QString WithFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}
