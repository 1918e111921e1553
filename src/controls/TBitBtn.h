#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button with a 16 x 16 picture standing left of its caption, 4 pixels from it, the two
// centred together. The colour of the picture's bottom-left pixel is transparent, and the picture is
// drawn greyed while the button is disabled. Enter presses the button that has the focus.
class TBitBtn : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QPixmap glyph READ glyph WRITE setGlyph)

public:
    explicit TBitBtn(QWidget* parent = nullptr);

    QPixmap glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_glyph;
    QPixmap m_disabledGlyph;
};
