#include "TestPaths.h"

#include <QDir>

QString SourceDir()
{
    return qEnvironmentVariable("VELNORA_SOURCE_DIR", QDir::currentPath());
}

QString FixturePath(const QString& relative)
{
    return QDir(qEnvironmentVariable("VELNORA_FIXTURES")).filePath(relative);
}
