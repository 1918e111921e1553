#include "PagePictureCheck.h"
#include "TestPaths.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

const QSize A4(794, 1123);

QByteArray Recorded(const Drawing& draw)
{
    QPicture picture;
    QPainter painter(&picture);
    draw(painter);
    painter.end();
    return QByteArray(picture.data(), qsizetype(picture.size()));
}

// What a report page holds: clipped text in two directions, an outlined box, a path, an image and a
// shifted origin.
void DrawLikeAPage(QPainter& painter)
{
    painter.setClipRect(QRect(QPoint(0, 0), A4));
    painter.fillRect(QRectF(40, 40, 300, 60), Qt::white);
    QPen outline(Qt::black, 0);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.drawRect(QRectF(40, 40, 299, 59));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
    painter.drawText(QRectF(40, 40, 300, 60), Qt::AlignRight, QStringLiteral("پرسش: What is asked?"));
    QImage emblem(24, 24, QImage::Format_ARGB32);
    emblem.fill(Qt::darkGreen);
    painter.drawImage(QRectF(700, 40, 48, 48), emblem);
    painter.save();
    painter.translate(60, 200);
    painter.setClipRect(QRectF(0, 0, 600, 400));
    QPainterPath curve;
    curve.moveTo(0, 0);
    curve.cubicTo(100, 50, 200, -50, 300, 0);
    painter.drawPath(curve);
    painter.drawText(QPointF(10, 30), QStringLiteral("پاسخ"));
    painter.restore();
}

// Every other record the walk knows, each as Qt writes it.
void DrawEveryKnownRecord(QPainter& painter)
{
    painter.setBrushOrigin(QPointF(3, 4));
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setOpacity(0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::red);
    painter.drawPolyline(QPolygonF({QPointF(1, 1), QPointF(90, 40), QPointF(5, 80)}));
    painter.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(90, 40), QPointF(5, 80)}), Qt::WindingFill);
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::blue);
    painter.drawPixmap(QRectF(10, 10, 16, 16), QPixmap::fromImage(tile), QRectF(0, 0, 8, 8));
    painter.setClipping(false);
}

// A page picture kept with the fuzzing seeds.
QByteArray Seed(const QString& name)
{
    QFile file(SourceDir() + QStringLiteral("/fuzz/corpus/page_picture/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray WithChecksum(QByteArray picture)
{
    qToBigEndian(qChecksum(QByteArrayView(picture).sliced(6)), picture.data() + 4);
    return picture;
}

} // namespace

class TestPagePictureCheck : public QObject
{
    Q_OBJECT

private slots:
    void pagesAsTheLayoutDrawsThemPass();
    void drawingTheLayoutNeverDoesIsRefused_data();
    void drawingTheLayoutNeverDoesIsRefused();
    void forgedBytesAreRefused_data();
    void forgedBytesAreRefused();
    void everyCutOfAPageIsRefused();
};

void TestPagePictureCheck::pagesAsTheLayoutDrawsThemPass()
{
    QCOMPARE(PagePictureCheck(A4).Problem(Recorded(DrawLikeAPage)), QString());
    QCOMPARE(PagePictureCheck(A4).Problem(Recorded([](QPainter&) {})), QString());
    QCOMPARE(PagePictureCheck(A4).Problem(Recorded(DrawEveryKnownRecord)), QString());
    const QByteArray reportPage = Seed(QStringLiteral("report-page"));
    QVERIFY(!reportPage.isEmpty());
    QCOMPARE(PagePictureCheck(A4).Problem(reportPage), QString());
    QCOMPARE(PagePictureCheck(A4).Problem(Seed(QStringLiteral("polygon"))), QString());
}

void TestPagePictureCheck::drawingTheLayoutNeverDoesIsRefused_data()
{
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<QString>("why");
    QTest::newRow("dotted pen") << Drawing([](QPainter& p) {
        p.setPen(QPen(Qt::black, 0, Qt::DotLine));
        p.drawLine(0, 0, 100, 0);
    }) << "a pen this reader does not";
    QTest::newRow("custom dashes") << Drawing([](QPainter& p) {
        QPen pen(Qt::black, 1);
        pen.setDashPattern({0.001, 0.001});
        p.setPen(pen);
        p.drawLine(0, 0, 100, 0);
    }) << "a pen this reader does not";
    QTest::newRow("enormous pen") << Drawing([](QPainter& p) {
        p.setPen(QPen(Qt::black, 100000));
        p.drawLine(0, 0, 100, 0);
    }) << "an impossible pen";
    QTest::newRow("gradient") << Drawing([](QPainter& p) {
        p.setBrush(QLinearGradient(0, 0, 100, 100));
        p.drawRect(0, 0, 100, 100);
    }) << "fills in a way";
    QTest::newRow("hatching") << Drawing([](QPainter& p) {
        p.setBrush(QBrush(Qt::black, Qt::DiagCrossPattern));
        p.drawRect(0, 0, 100, 100);
    }) << "fills in a way";
    QTest::newRow("enormous font") << Drawing([](QPainter& p) {
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 20000));
        p.drawText(QPointF(10, 10), QStringLiteral("x"));
    }) << "impossible size";
    QTest::newRow("far outside the paper") << Drawing([](QPainter& p) {
        p.drawPolyline(QPolygonF({QPointF(0, 0), QPointF(1e9, 1e9)}));
    }) << "far outside its paper";
    QTest::newRow("text far outside the paper")
        << Drawing([](QPainter& p) { p.drawText(QPointF(-5e6, 10), QStringLiteral("x")); })
        << "far outside its paper";
    QTest::newRow("huge stretch") << Drawing([](QPainter& p) {
        p.scale(10000, 10000);
        p.drawRect(QRectF(0, 0, 0.01, 0.01));
    }) << "stretches its drawing";
    QTest::newRow("perspective") << Drawing([](QPainter& p) {
        p.setTransform(QTransform(1, 0, 0.01, 0, 1, 0, 0, 0, 1));
        p.drawRect(0, 0, 10, 10);
    }) << "stretches its drawing";
    QTest::newRow("tiled pixmap") << Drawing([](QPainter& p) {
        QImage tile(1, 1, QImage::Format_RGB32);
        tile.fill(Qt::red);
        p.drawTiledPixmap(QRectF(0, 0, 500, 500), QPixmap::fromImage(tile));
    }) << "draws in a way this reader does not";
    QTest::newRow("huge image") << Drawing([](QPainter& p) {
        QImage wide(5000, 1, QImage::Format_RGB32);
        wide.fill(Qt::red);
        p.drawImage(QRectF(0, 0, 100, 10), wide);
    }) << "an image of an impossible size";
}

void TestPagePictureCheck::drawingTheLayoutNeverDoesIsRefused()
{
    QFETCH(Drawing, draw);
    QFETCH(QString, why);
    const QString problem = PagePictureCheck(A4).Problem(Recorded(draw));
    QVERIFY2(problem.contains(why), qPrintable(problem));
}

void TestPagePictureCheck::forgedBytesAreRefused_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QString>("why");
    const QByteArray page = Recorded(DrawLikeAPage);
    QTest::newRow("not a picture") << QByteArray("QPIX") + page.mid(4) << "not a picture";
    QTest::newRow("wrong checksum") << WithChecksum(page).replace(4, 2, "\0\0") << "damaged";
    QByteArray later = page;
    later[7] = char(21);
    QTest::newRow("later format") << WithChecksum(later) << "unknown format";
    QTest::newRow("bytes after the end") << WithChecksum(page + QByteArray(3, '\0')) << "after its end";
    QByteArray counted = page;
    qToBigEndian(qFromBigEndian<quint32>(counted.constData() + 28) + 1, counted.data() + 28);
    QTest::newRow("more records counted than held") << WithChecksum(counted) << "ends before its last record";
    QByteArray longer = page;
    const int firstRecord = 10 + 2 + 16 + 4;
    longer[firstRecord + 1] = char(quint8(longer[firstRecord + 1]) + 1);
    QTest::newRow("record longer than its content") << WithChecksum(longer) << "holds more than it should";
    QTest::newRow("polygon count beyond the data")
        << Seed(QStringLiteral("polygon-count-beyond-data")) << "impossible count";
    QTest::newRow("stroke that keeps the painter busy")
        << Seed(QStringLiteral("spinning-stroke")) << "broken path";
}

void TestPagePictureCheck::forgedBytesAreRefused()
{
    QFETCH(QByteArray, picture);
    QFETCH(QString, why);
    const QString problem = PagePictureCheck(A4).Problem(picture);
    QVERIFY(!problem.isEmpty());
    QVERIFY2(problem.contains(why), qPrintable(problem));
}

// A page cut anywhere, its checksum made right again, never passes.
void TestPagePictureCheck::everyCutOfAPageIsRefused()
{
    const QByteArray page = Recorded(DrawLikeAPage);
    QVERIFY(PagePictureCheck(A4).Problem(page).isEmpty());
    for (qsizetype length = 0; length < page.size(); ++length) {
        const QByteArray cut = length >= 6 ? WithChecksum(page.first(length)) : page.first(length);
        QVERIFY2(!PagePictureCheck(A4).Problem(cut).isEmpty(), qPrintable(QString::number(length)));
    }
}

QTEST_MAIN(TestPagePictureCheck)
#include "TestPagePictureCheck.moc"
