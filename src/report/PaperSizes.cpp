#include "PaperSizes.h"

#include <array>

namespace {

struct Paper
{
    QPageSize::PageSizeId id;
    double width;
    double length;
};

constexpr std::array<Paper, 15> Table{{
    {QPageSize::Letter, 2159, 2794},
    {QPageSize::Legal, 2159, 3556},
    {QPageSize::Executive, 1841, 2667},
    {QPageSize::Tabloid, 2794, 4318},
    {QPageSize::A3, 2970, 4200},
    {QPageSize::A4, 2100, 2970},
    {QPageSize::A5, 1480, 2100},
    {QPageSize::B4, 2500, 3530},
    {QPageSize::B5, 1820, 2570},
    {QPageSize::Folio, 2159, 3302},
    {QPageSize::Envelope10, 1048, 2413},
    {QPageSize::EnvelopeDL, 1100, 2200},
    {QPageSize::EnvelopeC5, 1620, 2290},
    {QPageSize::EnvelopeB5, 1760, 2500},
    {QPageSize::EnvelopeMonarch, 984, 1905},
}};

} // namespace

namespace PaperSizes {

QSizeF Portrait(const QPageSize& paper)
{
    for (const Paper& entry : Table) {
        if (entry.id == paper.id())
            return QSizeF(entry.width, entry.length);
    }
    const QSizeF measured = paper.size(QPageSize::Millimeter) * 10.0;
    return measured.width() <= measured.height() ? measured : measured.transposed();
}

} // namespace PaperSizes
