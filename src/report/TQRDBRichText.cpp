#include "TQRDBRichText.h"

#include "ReportDataSet.h"
#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QtMath>

#include <algorithm>

TQRDBRichText::TQRDBRichText(QString name, const std::array<double, 4>& sizeValues, QString dataField,
                             const QFont& font, const QColor& fontColor, const QColor& color)
    : TQRPrintable(std::move(name), sizeValues), m_dataField(std::move(dataField)), m_font(font),
      m_fontColor(fontColor), m_color(color)
{}

void TQRDBRichText::Prepare(const ReportDataSet* dataSet)
{
    m_fieldFound = dataSet != nullptr && dataSet->FindMemoField(m_dataField);
}

void TQRDBRichText::Load(const QString& value, QTextDocument& document, const QPaintDevice& device) const
{
    document.documentLayout()->setPaintDevice(const_cast<QPaintDevice*>(&device));
    document.setDocumentMargin(0);
    document.setDefaultFont(m_font);
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    if (RtfReader::Read(value, document, m_font))
        return;
    QString plain = value;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    document.setPlainText(plain);
}

QRegion TQRDBRichText::DrawnRegion(const QTextDocument& document, const QSizeF& box)
{
    QAbstractTextDocumentLayout* documentLayout = document.documentLayout();
    documentLayout->documentSize();
    const double height = box.height();
    const QRect whole(0, 0, qCeil(box.width()), qFloor(height));
    QRegion drawn(whole);
    bool anyFits = false;
    double firstCut = height;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (layout == nullptr)
            continue;
        // Block positions are document coordinates; lines lie within their block.
        const QRectF blockBox = documentLayout->blockBoundingRect(block);
        const bool inCell = QTextCursor(block).currentTable() != nullptr;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double top = blockBox.top() + line.y();
            const double bottom = top + line.height();
            if (bottom <= height) {
                anyFits = true;
                continue;
            }
            if (top >= height)
                break;
            // A line that does not fit whole hides itself and everything under it in its column.
            firstCut = std::min(firstCut, top);
            const int left = inCell ? qFloor(blockBox.left()) : 0;
            const int right = inCell ? qCeil(blockBox.right()) : whole.right() + 1;
            drawn -= QRect(left, qFloor(top), right - left, whole.height());
            break;
        }
    }
    if (!anyFits)
        return QRegion();
    // A clip of a few rectangles keeps recorded pages simple; a crowded one falls back to one cut.
    if (drawn.rectCount() > MaxClipRectangles)
        return QRegion(0, 0, whole.width(), qFloor(firstCut));
    return drawn;
}

void TQRDBRichText::Print(const TQRPrintContext& context)
{
    QPainter& painter = context.painter;
    const QRectF box = DeviceBox(context);
    painter.fillRect(box, m_color);
    if (context.record == nullptr || !m_fieldFound)
        return;
    const QString value = context.record->FieldText(m_dataField);
    if (value.isEmpty())
        return;
    // At the box's width from the start, the text is laid out once, as it is loaded.
    QTextDocument document;
    document.setTextWidth(box.width());
    Load(value, document, *painter.device());
    const QRegion drawn = DrawnRegion(document, box.size());
    if (drawn.isEmpty())
        return;
    painter.save();
    painter.translate(box.topLeft());
    QAbstractTextDocumentLayout::PaintContext paint;
    paint.clip = drawn.boundingRect();
    paint.palette.setColor(QPalette::Text, m_fontColor);
    painter.setClipRegion(drawn);
    document.documentLayout()->draw(&painter, paint);
    painter.restore();
}
