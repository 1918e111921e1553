#include "TQRPageView.h"

#include <QPainter>
#include <QScrollBar>

#include <cmath>

class TQRPageView::Sheet : public QWidget
{
public:
    explicit Sheet(TQRPageView* view) : QWidget(view), m_view(view) { setAutoFillBackground(false); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QSize page = m_view->SheetSize() - QSize(4, 4);
        painter.fillRect(QRect(2, page.height() + 2, page.width() + 2, 2), Qt::black);
        painter.fillRect(QRect(page.width() + 2, 2, 2, page.height() + 2), Qt::black);
        painter.fillRect(QRect(0, 0, page.width() + 2, page.height() + 2), Qt::black);
        painter.fillRect(QRect(1, 1, page.width(), page.height()), Qt::white);
        if (!m_view->m_hasPicture)
            return;
        painter.setClipRect(QRect(1, 1, page.width(), page.height()));
        painter.translate(1, 1);
        painter.scale(double(page.width()) / m_view->m_pageSize.width(),
                      double(page.height()) / m_view->m_pageSize.height());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPicture(0, 0, m_view->m_picture);
    }

private:
    TQRPageView* m_view;
};

TQRPageView::TQRPageView(QWidget* parent) : QScrollArea(parent), m_sheet(new Sheet(this))
{
    setObjectName(QStringLiteral("PageView"));
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    setWidget(m_sheet);
    m_sheet->resize(SheetSize());
}

void TQRPageView::SetPageSize(const QSize& size)
{
    if (size.isEmpty() || size == m_pageSize)
        return;
    m_pageSize = size;
    m_sheet->resize(SheetSize());
}

void TQRPageView::SetPicture(const QPicture* picture)
{
    m_hasPicture = picture != nullptr;
    m_picture = picture != nullptr ? *picture : QPicture();
    m_sheet->update();
}

QSize TQRPageView::SheetSize() const
{
    return QSize(int(std::lround(m_pageSize.width() * m_zoom / 100.0)) + 4,
                 int(std::lround(m_pageSize.height() * m_zoom / 100.0)) + 4);
}

bool TQRPageView::SetZoom(int zoom)
{
    if (zoom < MinZoom || zoom > MaxZoom)
        return false;
    m_zoom = zoom;
    m_sheet->resize(SheetSize());
    m_sheet->update();
    ScrollHome();
    return true;
}

int TQRPageView::FitZoom() const
{
    const QSize view = maximumViewportSize();
    const int across = int(std::lround(double(view.width()) / m_pageSize.width() * 95));
    const int down = int(std::lround(double(view.height()) / m_pageSize.height() * 95));
    return std::min(across, down);
}

int TQRPageView::WidthZoom() const
{
    return int(std::lround(double(maximumViewportSize().width()) / m_pageSize.width() * 90));
}

void TQRPageView::ScrollHome()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TQRPageView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    emit Resized();
}
