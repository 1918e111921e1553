#include "TBitBtn.h"

#include <QBitmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int GlyphSpacing = 4;

} // namespace

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(true);
}

void TBitBtn::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    if (!m_glyph.isNull()) {
        const QImage image = m_glyph.toImage();
        const QRgb transparent = image.pixel(0, image.height() - 1);
        m_glyph.setMask(m_glyph.createMaskFromColor(QColor::fromRgb(transparent), Qt::MaskInColor));
    }
    QStyleOption option;
    option.initFrom(this);
    m_disabledGlyph = style()->generatedIconPixmap(QIcon::Disabled, m_glyph, &option);
    update();
}

void TBitBtn::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    const int glyphWidth = m_glyph.isNull() ? 0 : m_glyph.width() + GlyphSpacing;
    const int contentLeft = (width() - glyphWidth - textWidth) / 2;
    const int shift = isDown() ? 1 : 0;
    if (!m_glyph.isNull()) {
        const QPixmap& glyph = isEnabled() ? m_glyph : m_disabledGlyph;
        painter.drawPixmap(contentLeft + shift, (height() - glyph.height()) / 2 + shift, glyph);
    }
    const QRect textRect(contentLeft + glyphWidth + shift, shift, textWidth, height());
    painter.drawItemText(textRect, Qt::AlignCenter, palette(), isEnabled(), text(), QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
