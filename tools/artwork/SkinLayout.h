#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// Where the parts of the skin lie, in window coordinates, and the fonts its lettering uses.
namespace SkinLayout {

inline const QRectF Frame(19.5, 3.5, 831, 648);
constexpr qreal HeaderBottom = 150;
constexpr qreal StripLeft = 582;
constexpr qreal ColumnLeft = 632;
constexpr qreal BandLeft = 830;

QFont font(const QString& family, int pixels, bool bold = false);

} // namespace SkinLayout
