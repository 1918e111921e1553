#pragma once

#include <QWidget>

// The print preview window of a report.
class TQRPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TQRPreview(QWidget* parent = nullptr);
};
