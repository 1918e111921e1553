#pragma once

#include "BenchSupport.h"
#include "TDataSource.h"

#include <QString>
#include <QWidget>

// A collection's browse dataset behind a data source, and an empty right-to-left window the size of the
// main one, for a bound control to be measured in.
struct BenchWindow
{
    explicit BenchWindow(const QString& path);

    BrowseDataSet browse;
    TDataSource source;
    QWidget window;
};

// Sends a key press straight to the widget, as the keyboard would.
void SendKey(QWidget* target, int key, const QString& text = QString());
