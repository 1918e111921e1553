#include "Unit3.h"

#include "DataSetReportSource.h"
#include "Publisher.h"
#include "TADOQuery.h"
#include "Unit2.h"

#include "TQRDBRichText.h"
#include "TQRImage.h"
#include "TQRLabel.h"
#include "TQRShape.h"
#include "TQuickRep.h"

#include <cmath>

TForm3* Form3 = nullptr;

namespace {

// A font declared by its point size.
QFont PointFont(const QString& face, int points, bool bold = false)
{
    QFont font(face);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// A font declared by its character height in pixels at 96 pixels per inch.
QFont PixelHeightFont(const QString& face, int pixels)
{
    return PointFont(face, static_cast<int>(std::round(pixels * 72.0 / 96.0)));
}

void DeclareQuickRep1(TQuickRep& QuickRep1)
{
    QuickRep1.setObjectName(QStringLiteral("QuickRep1"));
    QuickRep1.Page.Values = {50.0, 2970.0, 50.0, 2100.0, 100.0, 100.0, 0.0};
    QuickRep1.Page.Orientation = QPageLayout::Portrait;
    QuickRep1.Options = TQuickRep::FirstPageHeader | TQuickRep::LastPageFooter;
    QuickRep1.PrintIfEmpty = true;
    QuickRep1.ReportTitle = QString();
    QuickRep1.Font = PointFont(QStringLiteral("Arial"), 10);

    const QString arial = QStringLiteral("Arial");
    const QString tahoma = QStringLiteral("Tahoma");

    TQRBand& PageHeaderBand1 = QuickRep1.AddBand(QStringLiteral("PageHeaderBand1"), TQRBandType::rbPageHeader,
                                                 {261.9375, 1899.708333333333}, Qt::white);
    PageHeaderBand1.Add<TQRShape>(QStringLiteral("QRShape1"),
                                  std::array<double, 4>{256.6458333333333, 0.0, 0.0, 1907.645833333333});
    PageHeaderBand1.Add<TQRImage>(
        QStringLiteral("QRImage1"),
        std::array<double, 4>{214.3125, 1693.333333333333, 21.16666666666667, 179.9166666666667},
        QStringLiteral(":/assets/emblem.jpg"));
    PageHeaderBand1.Add<TQRLabel>(
        QStringLiteral("QRLabel2"),
        std::array<double, 4>{87.3125, 656.1666666666667, 84.66666666666667, 492.125},
        QStringLiteral("Olvandar"), PointFont(arial, 20, true));

    TQRBand& DetailBand1 = QuickRep1.AddBand(QStringLiteral("DetailBand1"), TQRBandType::rbDetail,
                                             {2611.4375, 1899.708333333333}, Qt::white);
    DetailBand1.Add<TQRDBRichText>(
        QStringLiteral("QRDBRichText2"),
        std::array<double, 4>{1907.645833333333, 0.0, 211.6666666666667, 1894.416666666667},
        QStringLiteral("pasokh"), PixelHeightFont(tahoma, 11));
    DetailBand1.Add<TQRDBRichText>(QStringLiteral("QRDBRichText3"),
                                   std::array<double, 4>{404.8125, 0.0, 2161.645833333333, 1894.416666666667},
                                   QStringLiteral("pavaraghi"), PixelHeightFont(tahoma, 5));
    DetailBand1.Add<TQRDBRichText>(QStringLiteral("QRDBRichText1"),
                                   std::array<double, 4>{116.4166666666667, 0.0, 55.5625, 1907.645833333333},
                                   QStringLiteral("porsesh"), PixelHeightFont(tahoma, 11));
    DetailBand1.Add<TQRLabel>(
        QStringLiteral("QRLabel3"),
        std::array<double, 4>{44.97916666666667, 1820.333333333333, 2111.375, 68.79166666666667},
        QStringLiteral("منابع :"), PointFont(arial, 8, true));
    DetailBand1.Add<TQRLabel>(
        QStringLiteral("QRLabel4"),
        std::array<double, 4>{44.97916666666667, 1828.270833333333, 171.9791666666667, 60.85416666666667},
        QStringLiteral("پاسخ:"), PointFont(arial, 8, true));
    DetailBand1.Add<TQRLabel>(
        QStringLiteral("QRLabel5"),
        std::array<double, 4>{44.97916666666667, 1812.395833333333, 10.58333333333333, 76.72916666666667},
        QStringLiteral("پرسش:"), PointFont(arial, 8, true));
    DetailBand1.Add<TQRLabel>(QStringLiteral("QRLabel1"),
                              std::array<double, 4>{44.97916666666667, 809.625, 2553.229166666667, 254.0},
                              PublisherHost, QuickRep1.Font);
}

} // namespace

TForm3::TForm3(ReportDataSet* searchDataSet) : QuickRep1(new TQuickRep(this))
{
    setObjectName(QStringLiteral("Form3"));
    setLayoutDirection(Qt::RightToLeft);
    DeclareQuickRep1(*QuickRep1);
    if (searchDataSet == nullptr && Data != nullptr)
        m_searchDataSet = std::make_unique<DataSetReportSource>(*Data->ADOQuery1);
    QuickRep1->DataSet = searchDataSet != nullptr ? searchDataSet : m_searchDataSet.get();
}

TForm3::~TForm3() = default;
