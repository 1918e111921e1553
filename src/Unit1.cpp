#include "Unit1.h"
#include "ui_Unit1.h"

#include "Confirmation.h"
#include "Publisher.h"
#include "RightToLeftText.h"
#include "ScreenCentredBox.h"
#include "TADOQuery.h"
#include "TApplication.h"
#include "TDataSource.h"
#include "TQRPreview.h"
#include "TQuickRep.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

TForm1* Form1 = nullptr;

namespace {

const QString NoPhraseMessage = QStringLiteral("لطفا عبارت مورد جستجو را وارد کنيد");
const QString NothingFoundMessage = QStringLiteral("کاربر گرامي موردي يافت نشد");
const QString SearchPrompt = QStringLiteral("جستجو...");
// "The change that could not be saved will be lost. Close?"
const QString CloseWithoutChangeQuestion =
    QStringLiteral("تغييري که ذخيره نشد از دست مي‌رود. بسته شود؟");
const QString QuestionStatement = QStringLiteral("SELECT * FROM  Table1 where porsesh like ");
const QString AnswerStatement = QStringLiteral("SELECT * FROM  Table1 where pasokh like ");

// Colours of the list rows.
const QColor RowTextColor(238, 146, 53);
const QColor EvenRowColor(253, 254, 226);
const QColor OddRowColor(227, 251, 253);
const QColor CurrentRowColor(166, 249, 185);

// The phrase as a LIKE pattern: '%phrase%'.
QString Pattern(const QString& phrase)
{
    return QLatin1Char('%') + phrase + QLatin1Char('%');
}

// The phrase as a quoted LIKE pattern, with every quote doubled.
QString QuotedPattern(const QString& phrase)
{
    QString pattern = Pattern(phrase);
    pattern.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + pattern + QLatin1Char('\'');
}

void ShowInformation(const QString& text)
{
    ScreenCentredBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok);
    box.setLayoutDirection(Qt::LeftToRight);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void SetVisible(std::initializer_list<QWidget*> controls, bool visible)
{
    for (QWidget* control : controls)
        control->setVisible(visible);
}

// Paints a list's data cell: orange text on pale cyan or pale yellow by the row's record number,
// light green for the current entry.
void DrawListCell(TDBGrid* grid, QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                  TGridDrawState state)
{
    canvas.setPen(RowTextColor);
    const int recNo = grid->DataSource()->DataSet()->RecNo();
    canvas.setBrush(recNo % 2 == 0 ? EvenRowColor : OddRowColor);
    if (state.testFlag(TGridDrawStateFlag::gdSelected))
        canvas.setBrush(CurrentRowColor);
    grid->DefaultDrawColumnCell(canvas, rect, dataCol, column, state);
}

// A label that sizes itself to its caption keeps its right edge, as the window reads right to left.
void AutoSizeKeepingRightEdge(QLabel* label)
{
    const int right = label->x() + label->width();
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    label->setGeometry(right - width, label->y(), width, label->fontMetrics().height());
}

QUrl PublisherUrl(const QString& path)
{
    return QUrl(QStringLiteral("https://") + PublisherHost + path);
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
    RightToLeftText::ReadRightToLeft(*m_ui->Edit1);

    Connect(m_ui->Image3, &TImage::clicked, this, &TForm1::Image3Click);
    Connect(m_ui->Image4, &TImage::clicked, this, &TForm1::Image4Click);
    Connect(m_ui->Image18, &TImage::clicked, this, &TForm1::Image18Click);
    m_ui->Label8->installEventFilter(this);

    Connect(m_ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    Connect(m_ui->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    Connect(m_ui->BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    Connect(m_ui->BitBtn18, &QPushButton::clicked, this, &TForm1::BitBtn18Click);
    Connect(m_ui->BitBtn19, &QPushButton::clicked, this, &TForm1::BitBtn19Click);
    // Choosing an option runs its handler; an option button is a tab stop only while it is chosen.
    const std::pair<QRadioButton*, void (TForm1::*)()> options[] = {
        {m_ui->RadioButton1, &TForm1::RadioButton1Click}, {m_ui->RadioButton2, &TForm1::RadioButton2Click}};
    for (const auto& [option, handler] : options) {
        connect(option, &QRadioButton::toggled, this,
                [this, option = option, handler = handler](bool chosen) {
                    option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus);
                    if (chosen)
                        Guarded(option, [this, handler] { (this->*handler)(); });
                });
    }
    m_ui->DBGrid1->setOnDrawColumnCell(
        [this](QPainter& canvas, const QRect& rect, int dataCol, TColumn& column, TGridDrawState state) {
            DBGrid1DrawColumnCell(canvas, rect, dataCol, column, state);
        });
    m_ui->DBGrid2->setOnDrawColumnCell(
        [this](QPainter& canvas, const QRect& rect, int dataCol, TColumn& column, TGridDrawState state) {
            DBGrid2DrawColumnCell(canvas, rect, dataCol, column, state);
        });

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

void TForm1::RadioButton1Click()
{
    m_ui->BitBtn1->setEnabled(true);
    m_ui->BitBtn2->setEnabled(true);
}

void TForm1::RadioButton2Click()
{
    m_ui->BitBtn1->setEnabled(true);
    m_ui->BitBtn2->setEnabled(true);
}

void TForm1::BitBtn1Click()
{
    if (m_ui->Edit1->text().isEmpty()) {
        ShowInformation(NoPhraseMessage);
        return;
    }
    TADOQuery* query = Data->ADOQuery1;
    const QString prefix = m_ui->RadioButton1->isChecked()   ? QuestionStatement
                           : m_ui->RadioButton2->isChecked() ? AnswerStatement
                                                             : QString();
    const bool searched = !prefix.isEmpty();
    if (searched) {
        query->SQL().Clear();
        query->Close();
        query->SQL().Add(prefix + QuotedPattern(m_ui->Edit1->text()));
        query->Open();
        MarkSearched(prefix == QuestionStatement ? m_ui->DBMaall1 : m_ui->DBMaall2,
                     Pattern(m_ui->Edit1->text()));
        ShowResultsView();
        m_ui->Label11->setText(QString::number(query->RecordCount()));
        AutoSizeKeepingRightEdge(m_ui->Label11);
        m_ui->Panel8->show();
    }
    if (query->RecordCount() != 0)
        return;
    ShowInformation(NothingFoundMessage);
    m_ui->BitBtn3->hide();
    query->SQL().Clear();
    query->Close();
    m_ui->Edit1->setText(SearchPrompt);
    ShowBrowseView();
    m_ui->DBGrid1->hide();
}

void TForm1::BitBtn2Click()
{
    for (QRadioButton* option : {m_ui->RadioButton1, m_ui->RadioButton2}) {
        const QSignalBlocker quiet(option);
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
        option->setFocusPolicy(Qt::ClickFocus);
    }
    m_ui->BitBtn3->hide();
    m_ui->Edit1->setText(SearchPrompt);
    ShowBrowseView();
}

void TForm1::BitBtn3Click()
{
    TQRPreview::Request(*Form3->QuickRep1);
}

void TForm1::BitBtn18Click()
{
    Data->ADOQuery1->Next();
}

void TForm1::BitBtn19Click()
{
    Data->ADOQuery1->Prior();
}

void TForm1::DBGrid1DrawColumnCell(QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                                   TGridDrawState state)
{
    DrawListCell(m_ui->DBGrid1, canvas, rect, dataCol, column, state);
}

void TForm1::DBGrid2DrawColumnCell(QPainter& canvas, const QRect& rect, int dataCol, TColumn& column,
                                   TGridDrawState state)
{
    DrawListCell(m_ui->DBGrid2, canvas, rect, dataCol, column, state);
}

void TForm1::ShowResultsView()
{
    SetVisible({m_ui->DBMaall1, m_ui->DBMaall2, m_ui->DBMaall3, m_ui->DBaall, m_ui->DBGrid1, m_ui->BitBtn3,
                m_ui->Label10, m_ui->Label12, m_ui->Label11},
               true);
    SetVisible({m_ui->DBMemo1, m_ui->DBMemo2, m_ui->DBMemo3, m_ui->DBText1, m_ui->DBGrid2}, false);
}

// Back to browse mode. The results memos, list and step buttons keep their visibility: when shown,
// the browse controls cover them.
void TForm1::ShowBrowseView()
{
    SetVisible({m_ui->DBMemo1, m_ui->DBMemo2, m_ui->DBMemo3, m_ui->DBText1, m_ui->DBGrid2}, true);
    SetVisible({m_ui->Label10, m_ui->Label12, m_ui->Label11, m_ui->DBaall}, false);
    MarkSearched(nullptr, QString());
}

// Marks the pattern in the results memo that was searched, and nothing in the other.
void TForm1::MarkSearched(TDBMemo* searched, const QString& pattern)
{
    for (TDBMemo* memo : {m_ui->DBMaall1, m_ui->DBMaall2})
        memo->SetMarkedPattern(memo == searched ? pattern : QString());
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // What the reader typed is written before the program ends. When it cannot be, the error box says
    // why, and the reader chooses between closing without the change and going back to it.
    bool settled = false;
    Guarded(this, [&] {
        if (Data != nullptr)
            Data->SettleChanges();
        settled = true;
    });
    if (!settled) {
        if (!Confirmed(this, CloseWithoutChangeQuestion, QMessageBox::Cancel)) {
            event->ignore();
            return;
        }
        Data->DropChanges();
    }
    event->accept();
    Application->Terminate();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // The cancel button is the window's default button: Enter from the search box or an option presses it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && m_ui->BitBtn2->isEnabled()) {
        m_ui->BitBtn2->click();
        return;
    }
    QWidget::keyPressEvent(event);
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
