#include "SkinLayout.h"

namespace SkinLayout {

QFont font(const QString& family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace SkinLayout
