#pragma once

#include "TQRPrintable.h"

#include <QFont>

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

    // The height of the part of a laid-out document to draw in the given height: down to the foot of the
    // last whole line that fits, no line cut, lines side by side in table cells included; the whole
    // height when every line fits, so that table borders under the last line are drawn too.
    static double FittingHeight(const QTextDocument& document, double height);

private:
    QString m_dataField;
    QFont m_font;
    QColor m_fontColor;
    QColor m_color;
    bool m_fieldFound = false;
};
