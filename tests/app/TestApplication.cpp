#include "ApplicationTitle.h"
#include "FailureBox.h"
#include "ModalAnswer.h"
#include "TApplication.h"

#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include <stdexcept>

namespace {

// A widget whose event handler raises whatever the test asks for.
class Thrower : public QWidget
{
public:
    std::function<void()> raise;

protected:
    void customEvent(QEvent*) override { raise(); }
};

struct Probe : QWidget
{
    static Probe* seen;
    Probe() { seen = this; }
};
Probe* Probe::seen = nullptr;

struct FailingProbe : QWidget
{
    static FailingProbe** reference;
    static bool referenceSetDuringConstruction;
    FailingProbe()
    {
        referenceSetDuringConstruction = *reference == this;
        throw EDatabaseError(QStringLiteral("no"));
    }
};
FailingProbe** FailingProbe::reference = nullptr;
bool FailingProbe::referenceSetDuringConstruction = false;

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void titleFromFileName_data();
    void titleFromFileName();
    void fullStop_data();
    void fullStop();
    void failureBoxText();
    void createFormSetsAndResetsReference();
    void defaultHandler_data();
    void defaultHandler();
    void boxFollowsTheTextsDirection_data();
    void boxFollowsTheTextsDirection();
    void startupFailureEndsWithCodeOne();
    void windowTitlesGetNoSuffix();
};

void TestApplication::titleFromFileName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("upper case with extension") << "C:/Programs/READER.EXE"
                                               << "Reader";
    QTest::newRow("several full stops") << "/opt/my.reader.exe"
                                        << "my";
    QTest::newRow("the reader") << "/usr/local/bin/Velnora"
                                << "Velnora";
    QTest::newRow("lower case first letter kept") << "velnora"
                                                  << "velnora";
    QTest::newRow("mixed case") << "/x/VeLNoRa.bin"
                                << "Velnora";
    QTest::newRow("dot first") << "/x/.hidden"
                               << "";
    QTest::newRow("persian") << "/x/خواننده.exe"
                             << "خواننده";
}

void TestApplication::titleFromFileName()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QCOMPARE(ApplicationTitleFromFileName(file), title);
}

void TestApplication::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("digit") << "Error 5"
                           << "Error 5.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("exclamation") << "Stop!"
                                 << "Stop!";
    QTest::newRow("parenthesis") << "(closed)"
                                 << "(closed)";
    QTest::newRow("comma") << "a,"
                           << "a,";
    QTest::newRow("blank") << "a "
                           << "a ";
    QTest::newRow("colon sorts after") << "Reason:"
                                       << "Reason:.";
    QTest::newRow("persian letter") << "کاربر گرامي"
                                    << "کاربر گرامي.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestApplication::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(WithFullStop(message), shown);
}

void TestApplication::failureBoxText()
{
    QCOMPARE(FailureBoxText("EOleException", "Velnora", 0x1a2b, "Disk full"),
             QStringLiteral("Exception EOleException in module Velnora at 00001A2B.\r\nDisk full.\r\n"));
    QCOMPARE(FailureBoxText("E", "m", 0, "ends."),
             QStringLiteral("Exception E in module m at 00000000.\r\nends.\r\n"));
    QCOMPARE(FailureBoxText("E", "m", 0, ""), QStringLiteral("Exception E in module m at 00000000.\r\n\r\n"));
    const QString longText = FailureBoxText("E", "m", 0, QString(5000, QLatin1Char('x')));
    QCOMPARE(longText.size(), 1023);
    QVERIFY(longText.startsWith("Exception E in module m at 00000000.\r\nxxx"));
}

void TestApplication::createFormSetsAndResetsReference()
{
    Probe* probe = nullptr;
    Application->CreateForm(probe);
    QCOMPARE(probe, Probe::seen);
    QCOMPARE(Application->MainForm(), probe);

    FailingProbe* failing = reinterpret_cast<FailingProbe*>(0x1);
    FailingProbe::reference = &failing;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Application->CreateForm(failing));
    QVERIFY(FailingProbe::referenceSetDuringConstruction);
    QCOMPARE(failing, nullptr);
    QCOMPARE(Application->MainForm(), probe);
}

void TestApplication::defaultHandler_data()
{
    QTest::addColumn<std::function<void()>>("raise");
    QTest::addColumn<QStringList>("boxes");
    const QString title = Application->Title();
    QTest::newRow("our exception gets a full stop")
        << std::function<void()>([] { throw EOleException("Table not found"); })
        << QStringList{title + "|Table not found."};
    QTest::newRow("message ending in a full stop unchanged")
        << std::function<void()>([] { throw EDatabaseError("Closed."); }) << QStringList{title + "|Closed."};
    QTest::newRow("empty message gives an empty box")
        << std::function<void()>([] { throw Exception(""); }) << QStringList{title + "|"};
    QTest::newRow("silent abort") << std::function<void()>([] { throw EAbort(); }) << QStringList{};
    QTest::newRow("foreign exception gets the failure box")
        << std::function<void()>([] { throw std::runtime_error("boom"); })
        << QStringList{"Application Error|Exception std::runtime_error in module " +
                       QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
                       " at 00000000.\r\nboom.\r\n"};
}

void TestApplication::defaultHandler()
{
    QFETCH(std::function<void()>, raise);
    QFETCH(QStringList, boxes);
    ModalAnswer answer([](QWidget* modal) { ModalAnswer::Press(modal, "OK"); });
    Thrower thrower;
    thrower.raise = raise;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&thrower);
    QTRY_COMPARE(answer.Seen(), boxes);
    // The program goes on: the next event is handled normally.
    bool handled = false;
    thrower.raise = [&] { handled = true; };
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&thrower);
    QVERIFY(handled);
}

void TestApplication::boxFollowsTheTextsDirection_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("English") << "ADOQuery1: Cannot perform this operation on a closed dataset"
                             << Qt::LeftToRight;
    QTest::newRow("Persian naming a file")
        << QStringLiteral("پرونده \u200Edorvanel.mdb\u200E پایگاه داده نیست") << Qt::RightToLeft;
    QTest::newRow("Latin name first") << QStringLiteral("DBMaall3: فیلد پیدا نشد") << Qt::LeftToRight;
}

void TestApplication::boxFollowsTheTextsDirection()
{
    QFETCH(QString, message);
    QFETCH(Qt::LayoutDirection, direction);
    QList<Qt::LayoutDirection> seen;
    ModalAnswer answer([&](QWidget* modal) {
        seen.append(modal->layoutDirection());
        ModalAnswer::Press(modal, "OK");
    });
    Thrower thrower;
    thrower.raise = [&] { throw EOleException(message); };
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&thrower);
    QTRY_COMPARE(seen.size(), 1);
    QCOMPARE(seen.first(), direction);
}

void TestApplication::startupFailureEndsWithCodeOne()
{
    QProcess program;
    program.start(STARTUP_FAILURE_PROGRAM, QStringList{});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString output = QString::fromUtf8(program.readAllStandardOutput());
    const QStringList lines = output.split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Application Error"));
    const QRegularExpression text("^Exception EOleException in module StartupFailure at [0-9A-F]{8}\\.\r\n"
                                  "Cannot build the form\\.\r\n$");
    QVERIFY2(text.match(output.section('\n', 1)).hasMatch(), qPrintable(output));
    QVERIFY2(!output.contains("at 00000000"), "the raise address is filled in");
}

void TestApplication::windowTitlesGetNoSuffix()
{
    // Once an application display name is set, Qt gives the window system every window's title with
    // " — " and that name appended ("Confirm — Velnora"). Without one, the display name follows the
    // application's name, which is its title.
    QCOMPARE(QGuiApplication::applicationDisplayName(), Application->Title());
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const QString followed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    QCOMPARE(followed, QStringLiteral("probe"));
}

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestApplication.moc"
