#include "ReportTesting.h"

#include "PictureSurface.h"

#include <QFont>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

LaidOutPages LayOutToPictures(TQuickRep& report)
{
    LaidOutPages result;
    PictureSurface surface([&result](const QPicture& page, const QSize& size) {
        result.pages.append(page);
        result.size = size;
    });
    result.outcome = report.LayOut(surface);
    return result;
}

QImage RenderPage(const QPicture& page, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, page);
    return image;
}

QString Normalised(const QString& text)
{
    QString normal = text.normalized(QString::NormalizationForm_KC);
    static const QRegularExpression marks(
        QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));
    normal.remove(marks);
    return normal;
}

QString PdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return Normalised(QString::fromUtf8(process.readAllStandardOutput()));
}

int PdfPageCount(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return -1;
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
