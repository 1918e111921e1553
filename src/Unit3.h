#pragma once

#include <QWidget>

class ReportDataSet;
class TQuickRep;

// The report holder: never shown, it holds the search-results report QuickRep1, one A4 page per
// record of the search dataset.
class TForm3 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm3(ReportDataSet* searchDataSet = nullptr);
    ~TForm3() override;

    TQuickRep* const QuickRep1;
};

extern TForm3* Form3;
