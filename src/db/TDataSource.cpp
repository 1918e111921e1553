#include "TDataSource.h"

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}
