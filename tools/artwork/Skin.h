#pragma once

#include <QImage>
#include <QRect>

// The window's face: one 850 × 662 picture laid under every control of the main window.
namespace Skin {

// The skin is drawn at window x 10, y 0.
constexpr int Left = 10;
constexpr int Width = 850;
constexpr int Height = 662;

QImage paint();

// The skin's pixels under a rectangle given in window coordinates.
QImage cut(const QImage& skin, const QRect& windowRect);

} // namespace Skin
