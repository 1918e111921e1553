#pragma once

#include <QObject>

// A banded report: page settings, bands and their controls, laid out over a dataset.
class TQuickRep : public QObject
{
    Q_OBJECT

public:
    explicit TQuickRep(QObject* owner = nullptr);
};
