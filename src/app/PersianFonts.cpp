#include "PersianFonts.h"

#include <QFont>
#include <QStringList>

void InstallPersianFontSubstitutes()
{
    const QStringList persianFaces{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Arabic")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), persianFaces);
    QFont::insertSubstitutions(QStringLiteral("Arial"), persianFaces);
}
