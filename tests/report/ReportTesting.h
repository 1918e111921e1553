#pragma once

#include "TQuickRep.h"

#include <QImage>
#include <QPicture>
#include <QVector>

// A report laid out into pictures, as the preview gets them.
struct LaidOutPages
{
    TQuickRep::Outcome outcome = TQuickRep::Outcome::Refused;
    QVector<QPicture> pages;
    QSize size;
};
LaidOutPages LayOutToPictures(TQuickRep& report);

// A page played back onto a white image of its own size.
QImage RenderPage(const QPicture& page, const QSize& size);

// Text of a PDF (pdftotext), normalised with NFKC and without direction marks; empty when the tool fails.
QString PdfText(const QString& pdf);
// Page count of a PDF (pdfinfo); -1 when the tool fails.
int PdfPageCount(const QString& pdf);
// Text normalised for comparison with PdfText.
QString Normalised(const QString& text);
