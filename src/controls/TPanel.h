#pragma once

#include <QFrame>

// A panel: a frame filled with the button-face colour of the system's colour scheme, whatever the
// colour of the window it stands on. Its bevel is declared with it.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent = nullptr);
};
