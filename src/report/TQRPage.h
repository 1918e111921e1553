#pragma once

#include <QPageLayout>

#include <array>

// The page of a report. Values hold, in tenths of a millimetre and in this order: bottom margin,
// length, top margin, width, left margin, right margin, column space. Length and width are those of a
// portrait page; a landscape page swaps them.
struct TQRPage
{
    std::array<double, 7> Values{};
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;

    double BottomMargin() const { return Values[0]; }
    double TopMargin() const { return Values[2]; }
    double LeftMargin() const { return Values[4]; }
    double RightMargin() const { return Values[5]; }
    double Length() const { return Orientation == QPageLayout::Portrait ? Values[1] : Values[3]; }
    double Width() const { return Orientation == QPageLayout::Portrait ? Values[3] : Values[1]; }

    // Margins that leave no room give way: both side margins, or both top and bottom, become 0.
    void MakeSane();
};
