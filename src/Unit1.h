#pragma once

#include "TGridDrawState.h"

#include <QScopedPointer>
#include <QWidget>

class QLabel;
class QPainter;
class TColumn;
class TDBGrid;
class TDBMemo;

namespace Ui {
class TForm1;
}

// The main window: a borderless, right-to-left, skinned window holding the browse view, the search
// controls and the results view. Everything static is declared in Unit1.ui.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    void FormCreate();
    void Image3Click();
    void Image4Click();
    void Label8Click();
    void Image18Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn18Click();
    void BitBtn19Click();
    void DBGrid1DrawColumnCell(QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                               TGridDrawState state);
    void DBGrid2DrawColumnCell(QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                               TGridDrawState state);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowResultsView();
    void ShowBrowseView();
    void MarkSearched(TDBMemo* searched, const QString& pattern);

    const QScopedPointer<Ui::TForm1> m_ui;
};

extern TForm1* Form1;
