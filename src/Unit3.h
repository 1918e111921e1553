#pragma once

#include <QWidget>

// The report holder: never shown, it holds the search-results report QuickRep1.
class TForm3 : public QWidget
{
    Q_OBJECT

public:
    TForm3();
    ~TForm3() override;
};

extern TForm3* Form3;
