#include "TDBText.h"

TDBText::TDBText(QWidget* parent) : QWidget(parent) {}
