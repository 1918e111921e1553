#include "Unit1.h"
#include "ui_Unit1.h"

#include "TApplication.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TForm1* Form1 = nullptr;

const QString TForm1::PublisherHost = QStringLiteral("www.olvandar.org");

namespace {

// A label that sizes itself to its caption keeps its right edge, as the window reads right to left.
void AutoSizeKeepingRightEdge(QLabel* label)
{
    const int right = label->x() + label->width();
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    label->setGeometry(right - width, label->y(), width, label->fontMetrics().height());
}

QUrl PublisherUrl(const QString& path)
{
    return QUrl(QStringLiteral("https://") + TForm1::PublisherHost + path);
}

// Connects a control's signal to a handler of the window; what the handler raises goes to the
// application's default handler.
template <class Sender, class Signal>
void Connect(Sender* sender, Signal signal, TForm1* form, void (TForm1::*handler)())
{
    QObject::connect(sender, signal, form, [=] { Guarded(sender, [=] { (form->*handler)(); }); });
}

} // namespace

TForm1::TForm1() : m_ui(new Ui::TForm1)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(size());
    for (QLabel* label : {m_ui->Label8, m_ui->Label10, m_ui->Label12, m_ui->Label13})
        AutoSizeKeepingRightEdge(label);

    Connect(m_ui->Image3, &TImage::clicked, this, &TForm1::Image3Click);
    Connect(m_ui->Image4, &TImage::clicked, this, &TForm1::Image4Click);
    Connect(m_ui->Image18, &TImage::clicked, this, &TForm1::Image18Click);
    m_ui->Label8->installEventFilter(this);

    // An option button is a tab stop only while it is chosen.
    for (QRadioButton* option : {m_ui->RadioButton1, m_ui->RadioButton2}) {
        connect(option, &QRadioButton::toggled, option,
                [option](bool chosen) { option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus); });
    }

    Guarded(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    m_ui->DBaall->hide();
    m_ui->DBMaall1->hide();
    m_ui->DBMaall2->hide();
    m_ui->DBMaall3->hide();
    m_ui->DBGrid1->hide();
    m_ui->Panel8->hide();
}

void TForm1::Image3Click()
{
    close();
}

void TForm1::Image4Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void TForm1::Label8Click()
{
    QDesktopServices::openUrl(PublisherUrl(QString()));
}

void TForm1::Image18Click()
{
    QDesktopServices::openUrl(PublisherUrl(QStringLiteral("/sendmessage.php")));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    Application->Terminate();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->Label8 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        m_ui->Label8->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Guarded(m_ui->Label8, [this] { Label8Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
