#include "TQRPreview.h"

TQRPreview::TQRPreview(QWidget* parent) : QWidget(parent) {}
