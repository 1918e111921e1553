#pragma once

#include <QPixmap>
#include <QWidget>

// A picture drawn at its own size at the top-left corner of the control; the part it does not cover
// shows what lies beneath. The whole control rectangle takes clicks.
class TImage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)

public:
    explicit TImage(QWidget* parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
};
