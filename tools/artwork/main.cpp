// Draws every picture of the reader and writes them into the assets folder given as the only argument.

#include "Emblem.h"
#include "Glyphs.h"
#include "ReportEmblem.h"
#include "Skin.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

QImage mainIcon()
{
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    Emblem::paint(painter, QRectF(1, 1, 46, 46), Emblem::blue());
    return icon;
}

bool save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    const bool jpeg = name.endsWith(QLatin1String(".jpg"));
    if (!image.save(path, jpeg ? "JPG" : "PNG", jpeg ? 92 : -1)) {
        std::fprintf(stderr, "velnora-artwork: cannot write %s\n",
                     qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(name), image.width(), image.height());
    return true;
}

bool saveGlyph(const QImage& glyph, const QDir& folder, const QString& name)
{
    // The buttons make the bottom-left pixel's colour transparent: it must be the white ground.
    if (glyph.pixel(0, glyph.height() - 1) != qRgb(255, 255, 255)) {
        std::fprintf(stderr, "velnora-artwork: %s does not start on the white ground\n", qPrintable(name));
        return false;
    }
    return save(glyph, folder, name);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velnora-artwork <assets folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "velnora-artwork: no folder %s\n", argv[1]);
        return 2;
    }

    const QImage skin = Skin::paint();
    bool ok = save(skin, folder, QStringLiteral("skin.jpg"));
    // The chrome pictures are the skin's own pixels where they lie on the window, so the window
    // looks the same with or without them.
    ok = save(Skin::cut(skin, QRect(834, 29, 25, 20)), folder, QStringLiteral("close.jpg")) && ok;
    ok = save(Skin::cut(skin, QRect(833, 52, 23, 20)), folder, QStringLiteral("minimise.jpg")) && ok;
    ok = save(Skin::cut(skin, QRect(833, 72, 23, 16)), folder, QStringLiteral("envelope.jpg")) && ok;
    ok = save(ReportEmblem::paint(), folder, QStringLiteral("emblem.jpg")) && ok;
    ok = save(mainIcon(), folder, QStringLiteral("mainicon.png")) && ok;
    ok = saveGlyph(Glyphs::search(), folder, QStringLiteral("glyph-search.png")) && ok;
    ok = saveGlyph(Glyphs::cancel(), folder, QStringLiteral("glyph-cancel.png")) && ok;
    ok = saveGlyph(Glyphs::print(), folder, QStringLiteral("glyph-print.png")) && ok;
    ok = saveGlyph(Glyphs::next(), folder, QStringLiteral("glyph-next.png")) && ok;
    ok = saveGlyph(Glyphs::previous(), folder, QStringLiteral("glyph-previous.png")) && ok;
    return ok ? 0 : 1;
}
