#pragma once

#include "TQRPrintable.h"

#include <QFont>
#include <QRegion>

class QPaintDevice;
class QTextDocument;

// A box showing a long-text field of the current record: as formatted text when the value is RTF,
// otherwise as plain text in the declared font, where each line break ends a paragraph. The text is
// laid out right to left at the box's width, and only the whole lines that fit in the box are drawn;
// the box never grows.
class TQRDBRichText : public TQRPrintable
{
public:
    TQRDBRichText(QString name, const std::array<double, 4>& sizeValues, QString dataField, const QFont& font,
                  const QColor& fontColor = Qt::black, const QColor& color = Qt::white);

    const QString& DataField() const { return m_dataField; }
    const QFont& Font() const { return m_font; }

    void Prepare(const ReportDataSet* dataSet) override;
    void Print(const TQRPrintContext& context) override;

    // Loads a value into a document laid out for the device: RTF when it reads as such, else plain text.
    void Load(const QString& value, QTextDocument& document, const QPaintDevice& device) const;

    // The part of a laid-out document to draw in a box of the given size, in the document's
    // coordinates: the box less every line that does not fit whole and whatever lies under it in its
    // column (its table cell, or the whole width). Empty when not one line fits.
    static QRegion DrawnRegion(const QTextDocument& document, const QSizeF& box);

    // The most rectangles a drawn region keeps.
    static constexpr int MaxClipRectangles = 64;

private:
    QString m_dataField;
    QFont m_font;
    QColor m_fontColor;
    QColor m_color;
    bool m_fieldFound = false;
};
