#include "PagePictureCheck.h"

#include "Crc32.h"
#include "PictureRecords.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int HeaderSize = 10;

// Record kinds, as Qt numbers them: those Qt's picture engine writes for what the layout draws, each
// known here to be read exactly as it is written.
enum Command : quint8
{
    DrawPolyline = 12,
    DrawPolygon = 13,
    DrawPixmap = 17,
    DrawImage = 18,
    DrawTextItem = 21,
    DrawPath = 25,
    Begin = 30,
    End = 31,
    SetBrushOrigin = 43,
    SetFont = 45,
    SetPen = 46,
    SetBrush = 47,
    SetWMatrix = 55,
    SetClipRegion = 61,
    SetClipPath = 62,
    SetRenderHint = 63,
    SetCompositionMode = 64,
    SetClipEnabled = 65,
    SetOpacity = 66,
};

// Limits on what a page may ask of the painter.
constexpr double MaxScale = 64;
constexpr double MaxPenWidth = 64;
constexpr double MaxPointSize = 500;
constexpr int MaxPixelSize = 700;
constexpr double MaxFontScale = 16;
constexpr int MaxImageSide = 4096;
constexpr quint32 MaxFamilies = 64;
constexpr quint32 MaxClipRects = 256;
constexpr quint32 MaxDashes = 16;

struct Refusal
{
    QString why;
};

[[noreturn]] void Refuse(const QString& why)
{
    throw Refusal{why};
}

// Big-endian reading within one record; reading past its end refuses the picture.
class Reader
{
public:
    Reader(QByteArrayView data, qsizetype begin, qsizetype end) : m_data(data), m_pos(begin), m_end(end) {}

    qsizetype Left() const { return m_end - m_pos; }
    qsizetype Pos() const { return m_pos; }
    // What was read since the given position.
    QByteArrayView Since(qsizetype begin) const { return m_data.sliced(begin, m_pos - begin); }

    QByteArrayView Bytes(qsizetype count)
    {
        if (count < 0 || count > Left())
            Refuse(QStringLiteral("a record is cut short"));
        const QByteArrayView bytes = m_data.sliced(m_pos, count);
        m_pos += count;
        return bytes;
    }
    template <class T>
    T Number()
    {
        return qFromBigEndian<T>(Bytes(sizeof(T)).data());
    }
    quint8 U8() { return Number<quint8>(); }
    quint16 U16() { return Number<quint16>(); }
    quint32 U32() { return Number<quint32>(); }
    qint32 I32() { return Number<qint32>(); }
    double Real()
    {
        const quint64 bits = Number<quint64>();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            Refuse(QStringLiteral("it holds a number that is not finite"));
        return value;
    }
    // A count of items of the given size, held against the bytes that are left.
    quint32 Count(qsizetype itemSize, quint32 most)
    {
        const quint32 count = U32();
        if (count > most || qsizetype(count) * itemSize > Left())
            Refuse(QStringLiteral("it holds an impossible count"));
        return count;
    }
    void String()
    {
        const quint32 bytes = U32();
        if (bytes == 0xffffffffu)
            return;
        if (bytes % 2 != 0)
            Refuse(QStringLiteral("it holds a broken text"));
        Bytes(bytes);
    }

private:
    QByteArrayView m_data;
    qsizetype m_pos;
    qsizetype m_end;
};

class PictureWalk
{
public:
    PictureWalk(QByteArrayView data, const QSize& page, QSet<QByteArray>& images)
        : m_data(data), m_reach(4.0 * std::max(page.width(), page.height())), m_images(images)
    {}

    void Run()
    {
        if (m_data.size() < HeaderSize + 22 || !m_data.startsWith("QPIC"))
            Refuse(QStringLiteral("a page is not a picture"));
        Reader header(m_data, 4, HeaderSize);
        const quint16 checksum = header.U16();
        if (checksum != qChecksum(m_data.sliced(6)))
            Refuse(QStringLiteral("a page's picture is damaged"));
        // The picture format of the Qt the program is built with, the only one whose records are known here.
        if (header.U16() != PictureRecords::Format || header.U16() != 0)
            Refuse(QStringLiteral("a page's picture is of an unknown format"));
        Reader begin(m_data, HeaderSize, m_data.size());
        if (begin.U8() != Begin)
            Refuse(QStringLiteral("a page's picture does not begin as a picture does"));
        begin.Bytes(1 + 16);
        quint32 records = begin.U32();
        qsizetype at = begin.Pos();
        bool ended = false;
        while (!ended) {
            if (records-- == 0)
                Refuse(QStringLiteral("a page's picture has no end"));
            Reader head(m_data, at, m_data.size());
            const quint8 command = head.U8();
            quint32 length = head.U8();
            if (length == 255)
                length = head.U32();
            if (length > quint32(head.Left()))
                Refuse(QStringLiteral("a record is cut short"));
            Reader record(m_data, head.Pos(), head.Pos() + length);
            ended = command == End;
            Read(command, record);
            if (record.Left() != 0)
                Refuse(QStringLiteral("a record holds more than it should"));
            at = head.Pos() + length;
        }
        // Qt takes an end before the counted records are done for damage.
        if (records != 0)
            Refuse(QStringLiteral("a page's picture ends before its last record"));
        if (at != m_data.size())
            Refuse(QStringLiteral("a page's picture goes on after its end"));
    }

private:
    void Read(quint8 command, Reader& in)
    {
        switch (command) {
        case End:
            return;
        case DrawPolyline:
            Polygon(in);
            return;
        case DrawPolygon:
            Polygon(in);
            Choice(in, 1);
            return;
        case DrawPath:
            Path(in);
            return;
        case DrawPixmap:
        case DrawImage:
            // Where, what, the part of it drawn and, for an image, how its colours are converted.
            Within(m_transform.mapRect(Rect(in)));
            Image(in);
            Rect(in);
            if (command == DrawImage)
                in.U32();
            return;
        case DrawTextItem:
            TextItem(in);
            return;
        case SetBrushOrigin:
            Within(m_transform.map(Point(in)));
            return;
        case SetFont:
            Font(in);
            return;
        case SetPen:
            Pen(in);
            return;
        case SetBrush:
            Brush(in);
            return;
        case SetWMatrix: {
            // The layout always sets a whole transform; Qt would combine one with the player's own.
            m_transform = Transform(in);
            Choice(in, 0);
            Sane(m_transform);
            return;
        }
        case SetClipRegion:
            Region(in);
            Choice(in, 2);
            return;
        case SetClipPath:
            Path(in);
            Choice(in, 2);
            return;
        case SetRenderHint:
            in.U32();
            return;
        case SetCompositionMode:
            if (in.U32() > quint32(QPainter::RasterOp_SourceOrNotDestination))
                Refuse(QStringLiteral("it asks for an unknown way of painting"));
            return;
        case SetClipEnabled:
            Choice(in, 1);
            return;
        case SetOpacity: {
            const double opacity = in.Real();
            if (opacity < 0 || opacity > 1)
                Refuse(QStringLiteral("it asks for an impossible opacity"));
            return;
        }
        default:
            Refuse(QStringLiteral("it draws in a way this reader does not"));
        }
    }

    static void Choice(Reader& in, quint8 most)
    {
        if (in.U8() > most)
            Refuse(QStringLiteral("it holds an unknown choice"));
    }

    static QPointF Point(Reader& in)
    {
        const double x = in.Real();
        return QPointF(x, in.Real());
    }

    static QRectF Rect(Reader& in)
    {
        const QPointF topLeft = Point(in);
        const QPointF size = Point(in);
        return QRectF(topLeft, QSizeF(size.x(), size.y()));
    }

    // Whatever is drawn stays within a few papers' reach of the page once mapped.
    void Within(const QRectF& device) const
    {
        const QRectF box = device.normalized();
        const auto near = [this](double value) { return std::isfinite(value) && std::abs(value) <= m_reach; };
        if (!near(box.left()) || !near(box.right()) || !near(box.top()) || !near(box.bottom()))
            Refuse(QStringLiteral("it draws far outside its paper"));
    }
    void Within(const QPointF& device) const { Within(QRectF(device, QSizeF(0, 0))); }

    // The box around points read one by one; empty while left is greater than right.
    struct Extent
    {
        double left = HUGE_VAL;
        double top = HUGE_VAL;
        double right = -HUGE_VAL;
        double bottom = -HUGE_VAL;

        void Add(const QPointF& point)
        {
            left = std::min(left, point.x());
            top = std::min(top, point.y());
            right = std::max(right, point.x());
            bottom = std::max(bottom, point.y());
        }
    };

    // Points read one by one must, together, stay within reach once mapped.
    void Within(const Extent& extent) const
    {
        if (extent.left <= extent.right)
            Within(m_transform.mapRect(
                QRectF(QPointF(extent.left, extent.top), QPointF(extent.right, extent.bottom))));
    }

    void Polygon(Reader& in) const
    {
        const quint32 count = in.Count(16, 0xffffffffu);
        Extent extent;
        for (quint32 i = 0; i < count; ++i)
            extent.Add(Point(in));
        Within(extent);
    }

    // A path: each curve is a CurveTo and two CurveToData, the first element a MoveTo, the subpath's
    // start one of the elements.
    void Path(Reader& in) const
    {
        const qint32 count = in.I32();
        if (count == 0)
            return;
        if (count < 0 || qsizetype(count) * 20 + 8 > in.Left())
            Refuse(QStringLiteral("it holds an impossible count"));
        Extent extent;
        int curveData = 0;
        for (qint32 i = 0; i < count; ++i) {
            const qint32 type = in.I32();
            const bool fits = i == 0 ? type == QPainterPath::MoveToElement
                                     : (curveData > 0) == (type == QPainterPath::CurveToDataElement) &&
                                           type >= QPainterPath::MoveToElement &&
                                           type <= QPainterPath::CurveToDataElement;
            if (!fits)
                Refuse(QStringLiteral("it holds a broken path"));
            curveData = type == QPainterPath::CurveToElement ? 2 : std::max(0, curveData - 1);
            extent.Add(Point(in));
        }
        const qint32 start = in.I32();
        const qint32 fill = in.I32();
        if (curveData > 0 || start < 0 || start >= count ||
            (fill != Qt::OddEvenFill && fill != Qt::WindingFill))
            Refuse(QStringLiteral("it holds a broken path"));
        Within(extent);
    }

    static void Color(Reader& in)
    {
        if (in.U8() > QColor::ExtendedRgb)
            Refuse(QStringLiteral("it holds an unknown colour"));
        in.Bytes(5 * 2);
    }

    static QTransform Transform(Reader& in)
    {
        double m[9];
        for (double& value : m)
            value = in.Real();
        return QTransform(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]);
    }

    // A plain transform: no perspective, no collapse and no enormous stretch.
    static void Sane(const QTransform& transform)
    {
        const double largest = std::max({std::abs(transform.m11()), std::abs(transform.m12()),
                                         std::abs(transform.m21()), std::abs(transform.m22())});
        if (transform.m13() != 0 || transform.m23() != 0 || transform.m33() != 1 || largest > MaxScale ||
            std::abs(transform.determinant()) < 1 / (MaxScale * MaxScale) || !std::isfinite(transform.dx()) ||
            !std::isfinite(transform.dy()))
            Refuse(QStringLiteral("it stretches its drawing beyond reason"));
    }

    // Only solid brushes: no patterns, gradients or textures.
    static void Brush(Reader& in)
    {
        if (in.U8() > Qt::SolidPattern)
            Refuse(QStringLiteral("it fills in a way this reader does not"));
        Color(in);
        Sane(Transform(in));
    }

    // Only plain solid pens of a sensible width.
    static void Pen(Reader& in)
    {
        const quint16 style = in.U16();
        const quint16 cap = style & Qt::MPenCapStyle;
        const quint16 join = style & Qt::MPenJoinStyle;
        if ((style & Qt::MPenStyle) > Qt::SolidLine ||
            (style & ~(Qt::MPenStyle | Qt::MPenCapStyle | Qt::MPenJoinStyle)) != 0 || cap > Qt::RoundCap ||
            (join != Qt::MiterJoin && join != Qt::BevelJoin && join != Qt::RoundJoin &&
             join != Qt::SvgMiterJoin))
            Refuse(QStringLiteral("it draws with a pen this reader does not"));
        Choice(in, 1);
        const double width = in.Real();
        if (width < 0 || width > MaxPenWidth)
            Refuse(QStringLiteral("it draws with an impossible pen"));
        Brush(in);
        const double miter = in.Real();
        if (miter < 0 || miter > MaxPenWidth)
            Refuse(QStringLiteral("it draws with an impossible pen"));
        const quint32 dashes = in.Count(8, MaxDashes);
        for (quint32 i = 0; i < dashes; ++i)
            in.Real();
        in.Real();
        Choice(in, 1);
    }

    // Returns the font's size, in points or pixels.
    static double Font(Reader& in)
    {
        in.String();
        in.String();
        const double points = in.Real();
        const qint32 pixels = in.I32();
        const bool sized = (points > 0 && points <= MaxPointSize && pixels == -1) ||
                           (points == -1 && pixels > 0 && pixels <= MaxPixelSize);
        if (!sized)
            Refuse(QStringLiteral("it writes in an impossible size"));
        in.Bytes(1 + 2 + 2 + 1 + 2 + 1 + 4 + 4 + 1 + 1);
        const quint32 families = in.Count(4, MaxFamilies);
        for (quint32 i = 0; i < families; ++i)
            in.String();
        return std::max(points, double(pixels));
    }

    void TextItem(Reader& in) const
    {
        const QPointF at = Point(in);
        in.String();
        const double size = Font(in);
        in.U32();
        const double scale = in.Real();
        if (scale <= 0 || scale > MaxFontScale || size * scale > MaxPixelSize)
            Refuse(QStringLiteral("it writes in an impossible size"));
        if (std::abs(in.Real()) > m_reach)
            Refuse(QStringLiteral("it writes far outside its paper"));
        Within(m_transform.map(at));
    }

    // A clip region of whole rectangles.
    void Region(Reader& in) const
    {
        const quint32 bytes = in.U32();
        if (bytes == 0 || bytes == 0xffffffffu)
            return;
        Reader region(in.Bytes(bytes), 0, bytes);
        constexpr qint32 Rectangles = 10;
        if (region.I32() != Rectangles)
            Refuse(QStringLiteral("it clips in a way this reader does not"));
        const quint32 count = region.Count(16, MaxClipRects);
        if (region.Left() != qsizetype(count) * 16)
            Refuse(QStringLiteral("it holds a broken clip"));
        for (quint32 i = 0; i < count; ++i) {
            const qint32 x = region.I32();
            const qint32 y = region.I32();
            const qint32 width = region.I32();
            const qint32 height = region.I32();
            Within(m_transform.mapRect(QRectF(x, y, width, height)));
        }
    }

    // An image: a marker, then a PNG whose end Qt finds by reading it. It must decode here, whole and
    // of a modest size, so that Qt's reading stops where the walk does.
    void Image(Reader& in)
    {
        if (in.I32() == 0)
            return;
        const qsizetype start = in.Pos();
        static const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);
        if (in.Bytes(8) != PngSignature)
            Refuse(QStringLiteral("it holds an image that is not a PNG"));
        bool first = true;
        for (;;) {
            const quint32 length = in.U32();
            const QByteArrayView typeAndData = in.Bytes(4 + qsizetype(std::min<quint32>(length, 0x7fffffff)));
            if (in.U32() != Crc32(typeAndData))
                Refuse(QStringLiteral("it holds a damaged image"));
            const QByteArrayView type = typeAndData.first(4);
            if (first) {
                const quint32 width = length == 13 ? qFromBigEndian<quint32>(typeAndData.data() + 4) : 0;
                const quint32 height = length == 13 ? qFromBigEndian<quint32>(typeAndData.data() + 8) : 0;
                if (type != "IHDR" || width < 1 || height < 1 || width > MaxImageSide ||
                    height > MaxImageSide)
                    Refuse(QStringLiteral("it holds an image of an impossible size"));
                first = false;
            }
            if (type == "IEND")
                break;
        }
        const QByteArray png = in.Since(start).toByteArray();
        if (m_images.contains(png))
            return;
        QImage image;
        if (!image.loadFromData(png, "PNG"))
            Refuse(QStringLiteral("it holds a damaged image"));
        m_images.insert(png);
    }

    QByteArrayView m_data;
    double m_reach;
    QTransform m_transform;
    QSet<QByteArray>& m_images;
};

} // namespace

PagePictureCheck::PagePictureCheck(const QSize& pageSize) : m_pageSize(pageSize) {}

QString PagePictureCheck::Problem(QByteArrayView picture)
{
    try {
        PictureWalk(picture, m_pageSize, m_images).Run();
    } catch (const Refusal& refusal) {
        return refusal.why;
    }
    return QString();
}
