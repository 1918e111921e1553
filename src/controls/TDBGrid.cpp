#include "TDBGrid.h"

TDBGrid::TDBGrid(QWidget* parent) : QAbstractScrollArea(parent) {}
