#include "TQRDBRichText.h"

#include "ReportDataSet.h"
#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <utility>
#include <vector>

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

double TQRDBRichText::FittingHeight(const QTextDocument& document, double height)
{
    QAbstractTextDocumentLayout* documentLayout = document.documentLayout();
    documentLayout->documentSize();
    // Lines in document coordinates: a table cell's blocks are laid out relative to their cell.
    std::vector<std::pair<double, double>> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (layout == nullptr)
            continue;
        const double top = documentLayout->blockBoundingRect(block).top();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.emplace_back(top + line.y(), top + line.y() + line.height());
        }
    }
    // The cut lies above every line that does not fit; lines side by side in table cells may end
    // below the top of a line that does not fit, so the cut moves up until no drawn line is cut.
    double cut = height;
    bool cutMoved = true;
    bool anyCut = false;
    while (cutMoved) {
        cutMoved = false;
        for (const auto& [top, bottom] : lines) {
            if (bottom > cut && top < cut) {
                cut = std::max(top, 0.0);
                cutMoved = true;
                anyCut = true;
            }
        }
    }
    if (!anyCut &&
        std::none_of(lines.begin(), lines.end(), [&](const auto& line) { return line.first >= height; }))
        return height;
    double fitting = 0;
    for (const auto& [top, bottom] : lines) {
        if (bottom <= cut)
            fitting = std::max(fitting, bottom);
    }
    return fitting;
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
    QTextDocument document;
    Load(value, document, *painter.device());
    document.setTextWidth(box.width());
    const double fitting = FittingHeight(document, box.height());
    if (fitting <= 0)
        return;
    painter.save();
    painter.translate(box.topLeft());
    QAbstractTextDocumentLayout::PaintContext paint;
    paint.clip = QRectF(0, 0, box.width(), fitting);
    paint.palette.setColor(QPalette::Text, m_fontColor);
    painter.setClipRect(paint.clip);
    document.documentLayout()->draw(&painter, paint);
    painter.restore();
}
