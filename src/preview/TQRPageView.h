#pragma once

#include <QPicture>
#include <QScrollArea>

// The preview's page view: the page drawn as a white sheet with a one-pixel black border and a
// two-pixel shadow at its right and bottom, stretched to the zoom, centred while smaller than the view.
class TQRPageView : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr int MinZoom = 2;
    static constexpr int MaxZoom = 2000;

    explicit TQRPageView(QWidget* parent = nullptr);

    // The page's size in pixels at 100 per cent.
    void SetPageSize(const QSize& size);
    QSize PageSize() const { return m_pageSize; }
    // The drawing shown; none leaves the sheet empty.
    void SetPicture(const QPicture* picture);
    bool HasPicture() const { return m_hasPicture; }

    int Zoom() const { return m_zoom; }
    // Ignored outside MinZoom to MaxZoom. Scrolls back to the top-left.
    bool SetZoom(int zoom);
    int FitZoom() const;
    int WidthZoom() const;
    void ScrollHome();

    // The sheet's size at the current zoom, border and shadow included.
    QSize SheetSize() const;

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Sheet;

    Sheet* m_sheet;
    QSize m_pageSize{794, 1123};
    QPicture m_picture;
    bool m_hasPicture = false;
    int m_zoom = 100;
};
