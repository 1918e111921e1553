#pragma once

#include <QPageSize>
#include <QSizeF>

// The fixed table of paper sizes the report knows by name, in tenths of a millimetre (portrait).
// A paper outside the table is measured instead.
namespace PaperSizes {

// Width and length of the paper in portrait, from the table when it is there.
QSizeF Portrait(const QPageSize& paper);

} // namespace PaperSizes
