#pragma once

#include <QImage>

// The publisher's emblem in colour with its name, as printed in the banner of every report page.
namespace ReportEmblem {

constexpr int Width = 200;
constexpr int Height = 234;

QImage paint();

} // namespace ReportEmblem
