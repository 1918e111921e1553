#pragma once

#include <QPaintDevice>
#include <QRectF>

#include <cmath>

// Report lengths are tenths of a millimetre; a device counts pixels at its own resolution.
namespace Tenths {

// To the nearest whole tenth, a half going to the even neighbour.
inline double Round(double tenths)
{
    return std::nearbyint(tenths);
}

inline double ToPixelsX(double tenths, const QPaintDevice& device)
{
    return tenths * device.logicalDpiX() / 254.0;
}

inline double ToPixelsY(double tenths, const QPaintDevice& device)
{
    return tenths * device.logicalDpiY() / 254.0;
}

inline QRectF ToPixels(const QRectF& tenths, const QPaintDevice& device)
{
    return QRectF(ToPixelsX(tenths.left(), device), ToPixelsY(tenths.top(), device),
                  ToPixelsX(tenths.width(), device), ToPixelsY(tenths.height(), device));
}

} // namespace Tenths
