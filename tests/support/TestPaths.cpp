#include "TestPaths.h"

#include <QDir>
#include <QFile>

QString SourceDir()
{
    return qEnvironmentVariable("VELNORA_SOURCE_DIR", QDir::currentPath());
}

QString FixturePath(const QString& relative)
{
    return QDir(SourceDir()).filePath(QStringLiteral("tests/data/") + relative);
}

QByteArray FixtureBytes(const QString& relative)
{
    QFile file(FixturePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the fixture %s cannot be read", qPrintable(relative));
    return file.readAll();
}
