#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;
class ReportDataSet;
class ReportSurface;

// What a control draws with: the page's painter, where its band stands (tenths of a millimetre from
// the paper's top-left corner), the record being printed (none for an empty entry) and the surface
// the page goes to.
struct TQRPrintContext
{
    QPainter& painter;
    QPointF bandOrigin;
    const ReportDataSet* record;
    ReportSurface& surface;
};

// A control placed on a band. Size.Values hold height, left, top and width in tenths of a millimetre,
// measured from the band's top-left corner.
class TQRPrintable
{
public:
    TQRPrintable(QString name, const std::array<double, 4>& sizeValues);
    virtual ~TQRPrintable();
    TQRPrintable(const TQRPrintable&) = delete;
    TQRPrintable& operator=(const TQRPrintable&) = delete;

    const QString& Name() const { return m_name; }
    double Height() const { return m_size[0]; }
    double Left() const { return m_size[1]; }
    double Top() const { return m_size[2]; }
    double Width() const { return m_size[3]; }

    // Before a layout: controls bound to a field look it up in the dataset (which may be closed).
    virtual void Prepare(const ReportDataSet* dataSet);
    virtual void Print(const TQRPrintContext& context) = 0;

protected:
    // The declared box on the page, in the painter's device pixels.
    QRectF DeviceBox(const TQRPrintContext& context) const;

private:
    QString m_name;
    std::array<double, 4> m_size;
};
