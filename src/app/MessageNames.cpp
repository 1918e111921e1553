#include "MessageNames.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr QChar LeftToRightMark(0x200E);

} // namespace

QString NameInMessage(const QString& name)
{
    return LeftToRightMark + name + LeftToRightMark;
}

QString FileNameInMessage(const QString& path)
{
    return NameInMessage(QFileInfo(path).fileName());
}

QString FolderInMessage(const QString& path)
{
    return NameInMessage(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}
