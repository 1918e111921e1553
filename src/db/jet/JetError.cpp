#include "JetError.h"

#include <QDir>
#include <QFileInfo>

EOleException JetError(const QString& path, const QString& cause)
{
    return EOleException(QStringLiteral("Cannot read the Access database \"%1\": %2.")
                             .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), cause));
}
