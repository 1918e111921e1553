#pragma once

#include <QScopedPointer>
#include <QWidget>

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

    // The publisher's web address: its host name alone.
    static const QString PublisherHost;

    void FormCreate();
    void Image3Click();
    void Image4Click();
    void Label8Click();
    void Image18Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QScopedPointer<Ui::TForm1> m_ui;
};

extern TForm1* Form1;
