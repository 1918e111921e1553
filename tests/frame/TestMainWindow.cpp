#include "ModalAnswer.h"
#include "Publisher.h"
#include "TApplication.h"
#include "Unit1.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

// Receives the addresses the window asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

QWidget* Control(const char* name)
{
    return Form1->findChild<QWidget*>(QLatin1String(name));
}

// Pixels of the control's picture within a small distance of the colour.
int PixelsNear(QWidget* control, const QColor& colour)
{
    const QImage image = control->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            if (std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                    std::abs(seen.blue() - colour.blue()) <=
                30)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowFrame();
    void controls_data();
    void controls();
    void stackingFollowsCreationOrder();
    void focusStartsInSearchBoxAndTabReachesQuestionMemo();
    void linksOpenPublisherPages();
    void minimisePictureMinimisesTheWindow();
    void panelShowsTheButtonFace();
    void disabledButtonsLookDisabled();
    void optionsBoxShowsItsColourThroughout();
    void closePictureEndsTheProgramWithZero();

private:
    UrlCatcher m_urls;
};

void TestMainWindow::initTestCase()
{
    Application->Initialize();
    Application->CreateForm(Form1);
    QDesktopServices::setUrlHandler("https", &m_urls, "open");
    QDesktopServices::setUrlHandler("http", &m_urls, "open");
}

void TestMainWindow::windowFrame()
{
    QCOMPARE(Application->MainForm(), Form1);
    QCOMPARE(Form1->size(), QSize(867, 671));
    QCOMPARE(Form1->minimumSize(), QSize(867, 671));
    QCOMPARE(Form1->maximumSize(), QSize(867, 671));
    QVERIFY(Form1->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Velnora"));
    QCOMPARE(Form1->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(Form1->palette().color(QPalette::Window), QColor(0x54, 0xD6, 0xFB));
    QCOMPARE(Form1->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(Form1->font().pointSize(), 9);
}

void TestMainWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hand");
    struct Row
    {
        const char* name;
        const char* parent;
        QRect rect;
        bool visible;
        bool enabled;
        bool hand;
    };
    // Labels that size themselves keep their right edge; their width is checked apart.
    const Row rows[] = {
        {"Image1", "TForm1", {10, 0, 857, 665}, true, true, false},
        {"Image3", "TForm1", {834, 29, 33, 24}, true, true, true},
        {"DBaall", "TForm1", {226, 168, 281, 17}, false, true, false},
        {"Image4", "TForm1", {833, 52, 33, 21}, true, true, true},
        {"Image18", "TForm1", {833, 72, 25, 25}, true, true, true},
        {"Label11", "TForm1", {143, 137, 4, 16}, false, true, false},
        {"DBText1", "TForm1", {226, 168, 281, 17}, true, true, false},
        {"DBMaall1", "TForm1", {32, 197, 521, 84}, false, true, false},
        {"DBMaall2", "TForm1", {37, 287, 518, 245}, false, true, false},
        {"DBMaall3", "TForm1", {32, 546, 521, 82}, false, true, false},
        {"Edit1", "TForm1", {689, 457, 105, 16}, true, true, false},
        {"GroupBox1", "TForm1", {650, 476, 167, 85}, true, true, false},
        {"RadioButton1", "GroupBox1", {39, 8, 113, 17}, true, true, false},
        {"RadioButton2", "GroupBox1", {39, 31, 113, 17}, true, true, false},
        {"BitBtn1", "GroupBox1", {80, 55, 73, 20}, true, false, false},
        {"BitBtn2", "GroupBox1", {8, 55, 65, 20}, true, false, true},
        {"BitBtn3", "TForm1", {56, 159, 129, 25}, false, true, false},
        {"Panel8", "TForm1", {36, 248, 169, 33}, false, true, false},
        {"BitBtn18", "Panel8", {88, 3, 75, 25}, true, true, false},
        {"BitBtn19", "Panel8", {6, 2, 75, 25}, true, true, false},
        {"DBGrid1", "TForm1", {648, 168, 169, 285}, false, true, false},
        {"DBMemo1", "TForm1", {32, 197, 521, 84}, true, true, false},
        {"DBMemo2", "TForm1", {37, 287, 518, 245}, true, true, false},
        {"DBMemo3", "TForm1", {32, 546, 521, 82}, true, true, false},
        {"DBGrid2", "TForm1", {648, 164, 168, 289}, true, true, false},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << row.name << row.parent << row.rect << row.visible << row.enabled
                                << row.hand;
}

void TestMainWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(bool, hand);
    QWidget* control = Control(qPrintable(name));
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), rect);
    QCOMPARE(control->isVisibleTo(control->parentWidget()), visible);
    QCOMPARE(control->isEnabled(), enabled);
    QCOMPARE(control->cursor().shape() == Qt::PointingHandCursor, hand);
}

void TestMainWindow::stackingFollowsCreationOrder()
{
    QStringList order;
    for (QObject* child : Form1->children()) {
        if (child->isWidgetType())
            order << child->objectName();
    }
    const QStringList expected{"Image1",   "Image3",   "DBaall",  "Label8",    "Image4",  "Image18",
                               "Label10",  "Label11",  "Label12", "Label13",   "DBText1", "DBMaall1",
                               "DBMaall2", "DBMaall3", "Edit1",   "GroupBox1", "BitBtn3", "Panel8",
                               "DBGrid1",  "DBMemo1",  "DBMemo2", "DBMemo3",   "DBGrid2"};
    QCOMPARE(order, expected);

    // Self-sizing labels keep their right edge.
    const struct
    {
        const char* name;
        int right;
        bool hand;
    } labels[] = {
        {"Label8", 371, true}, {"Label10", 234, false}, {"Label12", 130, false}, {"Label13", 581, false}};
    for (const auto& label : labels) {
        auto* control = qobject_cast<QLabel*>(Control(label.name));
        QCOMPARE(control->x() + control->width(), label.right);
        QCOMPARE(control->width(), control->fontMetrics().horizontalAdvance(control->text()));
    }
    QCOMPARE(qobject_cast<QLabel*>(Control("Label8"))->text(), PublisherHost);
    QCOMPARE(qobject_cast<QLabel*>(Control("Label13"))->text(), QStringLiteral("عنوان پرسش:"));
}

void TestMainWindow::focusStartsInSearchBoxAndTabReachesQuestionMemo()
{
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    QTRY_COMPARE(QApplication::focusWidget(), Control("Edit1"));
    // Neither option is chosen and both buttons are disabled, so Tab lands on the question memo.
    QTest::keyClick(Control("Edit1"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control("DBMemo1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Control("Edit1"));
}

void TestMainWindow::linksOpenPublisherPages()
{
    m_urls.opened.clear();
    QWidget* label = Control("Label8");
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(Control("Image18"), Qt::LeftButton, {}, QPoint(24, 24));
    QCOMPARE(m_urls.opened, (QList<QUrl>{QUrl("https://www.olvandar.org"),
                                         QUrl("https://www.olvandar.org/sendmessage.php")}));
}

void TestMainWindow::minimisePictureMinimisesTheWindow()
{
    QTest::mouseClick(Control("Image4"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(Form1->windowState().testFlag(Qt::WindowMinimized));
    Form1->setWindowState(Qt::WindowNoState);
}

void TestMainWindow::panelShowsTheButtonFace()
{
    QWidget* panel = Control("Panel8");
    panel->show();
    const QImage image = panel->grab().toImage();
    panel->hide();
    const QColor face = QApplication::palette().color(QPalette::Button);
    QVERIFY(face != Form1->palette().color(QPalette::Window));
    // Between the two step buttons, and below the left one.
    for (const QPoint at : {QPoint(84, 16), QPoint(40, 29)})
        QCOMPARE(image.pixelColor(at), face);
}

void TestMainWindow::disabledButtonsLookDisabled()
{
    // Until an option is chosen the search and cancel buttons are disabled: their captions are not
    // drawn in their own colours. Enabled, they are.
    const std::pair<const char*, QColor> buttons[] = {{"BitBtn1", QColor(0, 128, 255)},
                                                      {"BitBtn2", QColor(255, 0, 0)}};
    for (const auto& [name, caption] : buttons) {
        QWidget* button = Control(name);
        QVERIFY(!button->isEnabled());
        QCOMPARE(PixelsNear(button, caption), 0);
        button->setEnabled(true);
        const int enabled = PixelsNear(button, caption);
        button->setEnabled(false);
        QVERIFY2(enabled > 0, name);
    }
}

void TestMainWindow::optionsBoxShowsItsColourThroughout()
{
    // 16773307: red 187, green 240, blue 255. Inside its frame the group shows that colour wherever none
    // of its controls stands, and so do the option buttons around their captions.
    const QColor declared(187, 240, 255);
    QWidget* group = Control("GroupBox1");
    const QImage image = group->grab().toImage();
    QList<QRect> controls;
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls << child->geometry();
    int checked = 0;
    for (int y = 10; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            const QPoint at(x, y);
            if (std::any_of(controls.begin(), controls.end(), [&](const QRect& r) { return r.contains(at); }))
                continue;
            QCOMPARE(image.pixelColor(at), declared);
            ++checked;
        }
    }
    QVERIFY(checked > 1000);
    for (const char* name : {"RadioButton1", "RadioButton2"}) {
        const QRect option = Control(name)->geometry();
        QCOMPARE(image.pixelColor(option.topLeft()), declared);
        QCOMPARE(image.pixelColor(option.bottomLeft()), declared);
    }
}

void TestMainWindow::closePictureEndsTheProgramWithZero()
{
    // The see-through lower right part of the close picture's rectangle takes the click too.
    QTimer::singleShot(0, [] { QTest::mouseClick(Control("Image3"), Qt::LeftButton, {}, QPoint(30, 22)); });
    QCOMPARE(Application->Run(), 0);
    QVERIFY(!Form1->isVisible());
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestMainWindow.moc"
