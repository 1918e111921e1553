#pragma once

#include <QWidget>

#include <memory>

class ReportDataSet;
class TQuickRep;

// The report holder: never shown, it holds the search-results report QuickRep1, one A4 page per
// record of the search dataset.
class TForm3 : public QWidget
{
    Q_OBJECT

public:
    // Binds the report to the given dataset, or to the data module's search dataset ADOQuery1.
    explicit TForm3(ReportDataSet* searchDataSet = nullptr);
    ~TForm3() override;

    TQuickRep* const QuickRep1;

private:
    // The search dataset of the data module, as the report reads it, when no other dataset is given.
    std::unique_ptr<ReportDataSet> m_searchDataSet;
};

extern TForm3* Form3;
