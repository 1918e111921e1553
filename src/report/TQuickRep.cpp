#include "TQuickRep.h"

TQuickRep::TQuickRep(QObject* owner) : QObject(owner) {}
