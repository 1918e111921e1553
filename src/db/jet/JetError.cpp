#include "JetError.h"

#include "MessageNames.h"

EOleException JetError(const QString& path, const QString& cause)
{
    return EOleException(
        QStringLiteral("مجموعه Access %1 خوانده نشد: %2.").arg(FileNameInMessage(path), cause));
}
