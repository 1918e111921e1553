#include "Skin.h"

#include "ChromeButtons.h"
#include "Emblem.h"
#include "Glyphs.h"
#include "Ornament.h"
#include "Palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Skin {

namespace {

// Every rectangle below is in window coordinates; the painter moves them onto the picture.
const QRectF Frame(19.5, 3.5, 831, 648);
constexpr qreal HeaderBottom = 150;
constexpr qreal StripLeft = 582;
constexpr qreal ColumnLeft = 632;
constexpr qreal BandLeft = 830;

QFont font(const QString& family, int pixels, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void paintGround(QPainter& painter)
{
    QLinearGradient ground(0, HeaderBottom, 0, Frame.bottom());
    ground.setColorAt(0, Palette::GroundTop);
    ground.setColorAt(1, Palette::GroundBottom);
    painter.fillRect(Frame, ground);
}

void paintHeader(QPainter& painter)
{
    const QRectF header(Frame.left(), Frame.top(), BandLeft - Frame.left(), HeaderBottom - Frame.top());
    QLinearGradient sky(header.topLeft(), header.bottomLeft());
    sky.setColorAt(0, Palette::HeaderTop);
    sky.setColorAt(0.65, Palette::HeaderTop.lighter(125));
    sky.setColorAt(1, Palette::HeaderBottom);
    painter.fillRect(header, sky);
    Ornament::starLattice(painter, header, 42, QColor(255, 255, 255, 46), 1.0);

    // A soft light behind each emblem lifts it off the pattern.
    for (const auto& [centre, radius] :
         {std::pair{QPointF(75, 57), 70.0}, std::pair{QPointF(685, 66), 120.0}}) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, QColor(255, 255, 255, 150));
        glow.setColorAt(0.6, QColor(255, 255, 255, 60));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillRect(header, glow);
    }

    // Double rule along the foot of the header. It starts to the right of the place where the
    // count of found entries is written, so no line runs through that text.
    constexpr qreal ruleStart = 246;
    painter.setPen(QPen(Palette::Ink, 1.2));
    painter.drawLine(QPointF(ruleStart, HeaderBottom - 0.5), QPointF(BandLeft, HeaderBottom - 0.5));
    painter.setPen(QPen(Palette::Gold, 1));
    painter.drawLine(QPointF(ruleStart, HeaderBottom + 1.5), QPointF(BandLeft, HeaderBottom + 1.5));
    painter.setPen(QPen(Palette::Ink, 0.8));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(ruleStart, HeaderBottom + 0.5), 5.5, 22.5));
}

void paintTitle(QPainter& painter)
{
    // A plaque with pointed ends frames the title.
    const QRectF plaque(222, 14, 236, 98);
    const qreal mid = plaque.center().y();
    QPainterPath outline(QPointF(plaque.left(), mid));
    outline.quadTo(QPointF(plaque.left() + 22, plaque.top()), QPointF(plaque.left() + 40, plaque.top()));
    outline.lineTo(QPointF(plaque.right() - 40, plaque.top()));
    outline.quadTo(QPointF(plaque.right() - 22, plaque.top()), QPointF(plaque.right(), mid));
    outline.quadTo(QPointF(plaque.right() - 22, plaque.bottom()),
                   QPointF(plaque.right() - 40, plaque.bottom()));
    outline.lineTo(QPointF(plaque.left() + 40, plaque.bottom()));
    outline.quadTo(QPointF(plaque.left() + 22, plaque.bottom()), QPointF(plaque.left(), mid));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    painter.setBrush(QColor(0x10, 0x60, 0xA0, 38));
    painter.drawPath(outline);
    painter.setPen(QPen(QColor(0xF6, 0xD9, 0x7A, 150), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(QTransform()
                         .translate(plaque.center().x(), mid)
                         .scale(0.95, 0.89)
                         .translate(-plaque.center().x(), -mid)
                         .map(outline));
    for (const qreal x : {plaque.left(), plaque.right()}) {
        painter.setPen(QPen(Palette::Ink, 0.8));
        painter.setBrush(Palette::GoldLight);
        painter.drawPath(Ornament::khatam(QPointF(x, mid), 6.5, 22.5));
    }

    const QString title = QStringLiteral("Velnora");
    const QFont latin = font(QStringLiteral("Noto Serif"), 50, true);
    const QFontMetricsF metrics(latin);
    const qreal centre = 340;
    const QPointF origin(centre - metrics.horizontalAdvance(title) / 2, 66);

    QPainterPath letters;
    letters.addText(origin, latin, title);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x08, 0x2E, 0x55, 70));
    painter.drawPath(letters.translated(3.5, 3.5));
    painter.setBrush(QColor(0x08, 0x2E, 0x55, 120));
    painter.drawPath(letters.translated(2, 2));
    painter.setPen(QPen(QColor(0x1A, 0x5C, 0x8E), 1.0));
    QLinearGradient face(0, origin.y() - metrics.ascent(), 0, origin.y());
    face.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    face.setColorAt(1, QColor(0xE4, 0xF6, 0xFF));
    painter.setBrush(face);
    painter.drawPath(letters);

    // A rule with a star between the Latin and the Persian title.
    painter.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
    painter.drawLine(QPointF(centre - 78, 76.5), QPointF(centre - 10, 76.5));
    painter.drawLine(QPointF(centre + 10, 76.5), QPointF(centre + 78, 76.5));
    painter.setPen(QPen(Palette::Ink, 0.8));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(centre, 76.5), 6, 22.5));

    const QString persian = QStringLiteral("ولنورا");
    const QRectF line(centre - 90, 75, 180, 32);
    painter.setFont(font(QStringLiteral("Noto Naskh Arabic"), 25, true));
    painter.setPen(QColor(0x08, 0x2E, 0x55, 130));
    painter.drawText(line.translated(1.5, 1.5), Qt::AlignCenter, persian);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawText(line, Qt::AlignCenter, persian);
}

void paintPublisherMark(QPainter& painter)
{
    const QPointF centre(685, 60);
    Ornament::vineFlourish(painter, centre + QPointF(0, 12), 140, 38, Palette::Ink, QColor(0xE9, 0xF8, 0xFF));

    // Scalloped ring with the emblem inside.
    painter.setPen(QPen(Palette::Gold, 1));
    painter.setBrush(Palette::GoldLight);
    for (int i = 0; i < 16; ++i)
        painter.drawEllipse(Ornament::polar(centre, 50, i * 22.5), 7.5, 7.5);
    QRadialGradient disc(centre, 52);
    disc.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    disc.setColorAt(1, QColor(0xD9, 0xF3, 0xFF));
    painter.setPen(QPen(Palette::Ink, 1.4));
    painter.setBrush(disc);
    painter.drawEllipse(centre, 51, 51);
    painter.setPen(QPen(Palette::Gold, 0.8, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 47, 47);
    Emblem::paint(painter, QRectF(centre.x() - 43, centre.y() - 43, 86, 86), Emblem::colour());

    QFont name = font(QStringLiteral("Noto Serif"), 13, true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(name);
    const QRectF caption(centre.x() - 100, 115, 200, 18);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(caption.translated(1, 1), Qt::AlignCenter, QStringLiteral("OLVANDAR"));
    painter.setPen(Palette::InkDeep);
    painter.drawText(caption, Qt::AlignCenter, QStringLiteral("OLVANDAR"));

    Ornament::vineFlourish(painter, QPointF(centre.x(), 137), 96, 15, Palette::Ink, Palette::GoldLight);
}

void paintTitleBand(QPainter& painter)
{
    const QRectF band(27.5, 166.5, 554, 20);
    QLinearGradient light(band.topLeft(), band.bottomLeft());
    light.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    light.setColorAt(1, QColor(0xDD, 0xF3, 0xFC));
    painter.setPen(QPen(QColor(0x7C, 0xC0, 0xDD), 1));
    painter.setBrush(light);
    painter.drawRoundedRect(band, 6, 6);
    painter.setPen(QPen(Palette::Ink, 0.7));
    painter.setBrush(Palette::GoldLight);
    painter.drawPath(Ornament::khatam(QPointF(39, band.center().y()), 5.5, 22.5));
}

struct Panel
{
    QRectF rect;
    QColor tab;
    QString word;
};

void paintPanel(QPainter& painter, const Panel& panel)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x70, 0x90, 40));
    painter.drawRoundedRect(panel.rect.translated(1.5, 2), 9, 9);
    painter.setPen(QPen(Palette::PanelEdge, 1));
    painter.setBrush(Palette::PanelGrey);
    painter.drawRoundedRect(panel.rect, 9, 9);

    const QRectF tab(556.5, panel.rect.top() + 3, 20, panel.rect.height() - 6);
    QLinearGradient shade(tab.topLeft(), tab.topRight());
    shade.setColorAt(0, panel.tab.lighter(118));
    shade.setColorAt(1, panel.tab.darker(112));
    painter.setPen(QPen(panel.tab.darker(150), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(tab, 6, 6);

    // The word runs down the tab, its first letter at the top.
    const QFont word = font(QStringLiteral("Noto Naskh Arabic"), 14, true);
    const qreal length = QFontMetricsF(word).horizontalAdvance(panel.word) + 8;
    painter.save();
    painter.translate(tab.center().x(), tab.top() + 6 + length / 2);
    painter.rotate(-90);
    painter.setFont(word);
    const QRectF line(-length / 2, -tab.width() / 2, length, tab.width());
    painter.setPen(panel.tab.darker(220));
    painter.drawText(line.translated(0.8, 0.8), Qt::AlignCenter, panel.word);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawText(line, Qt::AlignCenter, panel.word);
    painter.restore();

    const QPointF flower(tab.center().x(), tab.bottom() - 11);
    painter.setPen(QPen(panel.tab.darker(200), 0.7));
    painter.setBrush(QColor(0xFF, 0xFA, 0xE8));
    painter.drawPath(Ornament::rosette(flower, 7, 8, 22.5));
    painter.setBrush(panel.tab.darker(140));
    painter.drawEllipse(flower, 1.8, 1.8);
}

void paintPanels(QPainter& painter)
{
    const Panel panels[] = {
        {QRectF(28.5, 191.5, 551, 92), Palette::TabTan, QStringLiteral("پرسش")},
        {QRectF(28.5, 287.5, 551, 250), Palette::TabYellowGreen, QStringLiteral("پاسخ")},
        {QRectF(28.5, 542.5, 551, 94), Palette::TabGreen, QStringLiteral("منابع")},
    };
    for (const Panel& panel : panels)
        paintPanel(painter, panel);
}

void paintCartouche(QPainter& painter, QPointF c, qreal halfWidth, qreal halfHeight)
{
    // A pointed oval with a small lobe at each tip, the shape of a book-cover medallion.
    const qreal w = halfWidth;
    const qreal h = halfHeight;
    QPainterPath shape(c + QPointF(-w, 0));
    shape.cubicTo(c + QPointF(-w * 0.6, -h * 0.25), c + QPointF(-w * 0.5, -h), c + QPointF(0, -h));
    shape.cubicTo(c + QPointF(w * 0.5, -h), c + QPointF(w * 0.6, -h * 0.25), c + QPointF(w, 0));
    shape.cubicTo(c + QPointF(w * 0.6, h * 0.25), c + QPointF(w * 0.5, h), c + QPointF(0, h));
    shape.cubicTo(c + QPointF(-w * 0.5, h), c + QPointF(-w * 0.6, h * 0.25), c + QPointF(-w, 0));

    QRadialGradient fill(c, w);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xA6, 0xE0, 0xF5));
    painter.setPen(QPen(Palette::InkDeep, 1.2));
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.setPen(QPen(Palette::Gold, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(
        QTransform().translate(c.x(), c.y()).scale(0.88, 0.8).translate(-c.x(), -c.y()).map(shape));

    for (const qreal side : {-1.0, 1.0}) {
        const QPointF tip = c + QPointF(side * (w + 6), 0);
        painter.setPen(QPen(Palette::InkDeep, 0.8));
        painter.setBrush(Palette::GoldLight);
        painter.drawPath(Ornament::khatam(tip, 6, 22.5));
    }

    painter.save();
    painter.setClipPath(shape, Qt::IntersectClip);
    Ornament::vineFlourish(painter, c + QPointF(0, 3), w * 0.92, h * 0.72, Palette::Ink,
                           QColor(0xE0, 0xF5, 0xFF));
    painter.restore();
    Ornament::medallion(painter, c, h * 0.5, Palette::InkDeep, QColor(0xF4, 0xFB, 0xFF), Palette::Teal);
}

void paintColumn(QPainter& painter)
{
    const QRectF column(ColumnLeft, HeaderBottom + 2, BandLeft - ColumnLeft, Frame.bottom() - HeaderBottom);
    QLinearGradient cyan(column.topLeft(), column.bottomLeft());
    cyan.setColorAt(0, Palette::Column.lighter(104));
    cyan.setColorAt(1, Palette::Column);
    painter.fillRect(column, cyan);

    // The place of the list.
    const QRectF list(645.5, 160.5, 174, 293);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x60, 0x80, 45));
    painter.drawRoundedRect(list.translated(1.5, 2), 5, 5);
    painter.setPen(QPen(Palette::Ink, 1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawRoundedRect(list, 4, 4);

    // The place of the search options, with the search field set into its top edge.
    const QRectF options(647.5, 466.5, 172, 97);
    painter.setPen(QPen(Palette::Ink, 1));
    painter.setBrush(Palette::OptionsGround);
    painter.drawRoundedRect(options, 7, 7);

    const QRectF field(650.5, 456.5, 155, 19);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x60, 0x80, 50));
    painter.drawRoundedRect(field.translated(1, 1.5), 9.5, 9.5);
    painter.setPen(QPen(Palette::Ink, 1.1));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawRoundedRect(field, 9.5, 9.5);
    Glyphs::paintMagnifier(painter, QRectF(661, 457.5, 17, 17));
    painter.setPen(QPen(QColor(0xA8, 0xD8, 0xEE), 1));
    painter.drawLine(QPointF(684.5, 459), QPointF(684.5, 473));

    // The foot of the column carries the large ornament on a faint lattice.
    const QRectF foot(ColumnLeft + 1, 566, BandLeft - ColumnLeft - 1, Frame.bottom() - 566);
    Ornament::starLattice(painter, foot, 30, QColor(0x1A, 0x4F, 0x93, 40), 0.8);
    paintCartouche(painter, foot.center() + QPointF(0, -1), 84, 38);
}

void paintEdgeBand(QPainter& painter)
{
    const QRectF band(BandLeft, Frame.top(), Frame.right() - BandLeft, Frame.height());
    QLinearGradient grey(band.topLeft(), band.topRight());
    grey.setColorAt(0, Palette::BandTop);
    grey.setColorAt(1, Palette::BandBottom);
    painter.fillRect(band, grey);
    painter.setPen(QPen(Palette::FrameOutline, 1));
    painter.drawLine(QPointF(BandLeft + 0.5, band.top()), QPointF(BandLeft + 0.5, band.bottom()));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1));
    painter.drawLine(QPointF(BandLeft + 1.5, band.top()), QPointF(BandLeft + 1.5, band.bottom()));

    // Small stars down the band below the buttons.
    painter.setPen(QPen(QColor(0x6A, 0x80, 0x90), 0.7));
    painter.setBrush(QColor(0xEE, 0xF3, 0xF6));
    for (qreal y = 110; y < band.bottom() - 12; y += 26)
        painter.drawPath(Ornament::khatam(QPointF(840.5, y), 5, 22.5));

    ChromeButtons::paintClose(painter, QRectF(834, 32, 13, 14));
    ChromeButtons::paintMinimise(painter, QRectF(834, 53, 13, 14));
    ChromeButtons::paintEnvelope(painter, QRectF(834, 75, 14, 11));
}

QPainterPath framePath()
{
    QPainterPath path;
    path.addRoundedRect(Frame, 16, 16);
    return path;
}

} // namespace

QImage paint()
{
    QImage skin(Width, Height, QImage::Format_RGB32);
    skin.fill(Palette::Sky);
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(-Left, 0);

    const QPainterPath frame = framePath();
    painter.save();
    painter.setClipPath(frame);
    paintGround(painter);
    paintHeader(painter);
    Emblem::paint(painter, QRectF(25, 6, 100, 100), Emblem::blue());
    paintTitle(painter);
    paintPublisherMark(painter);
    paintTitleBand(painter);
    paintPanels(painter);
    Ornament::interlaceStrip(
        painter,
        QRectF(StripLeft, HeaderBottom + 2, ColumnLeft - StripLeft, Frame.bottom() - HeaderBottom - 2), 84);
    paintColumn(painter);
    paintEdgeBand(painter);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
    painter.drawRoundedRect(Frame.adjusted(1.5, 1.5, -1.5, -1.5), 14.5, 14.5);
    painter.setPen(QPen(Palette::FrameOutline, 1.3));
    painter.drawPath(frame);
    return skin;
}

QImage cut(const QImage& skin, const QRect& windowRect)
{
    return skin.copy(windowRect.translated(-Left, 0));
}

} // namespace Skin
