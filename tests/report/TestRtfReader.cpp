#include "PersianFonts.h"
#include "ReportTesting.h"
#include "RtfReader.h"

#include <QApplication>
#include <QFont>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void readsText_data();
    void readsText();
    void formatting();
    void hostileInput_data();
    void hostileInput();
    void mutatedInputNeverBreaksTheReader();
};

namespace {

QString Read(const QString& rtf, bool* ok = nullptr)
{
    QTextDocument document;
    const bool read = RtfReader::Read(rtf, document, QFont(QStringLiteral("Tahoma")));
    if (ok != nullptr)
        *ok = read;
    return document.toRawText();
}

} // namespace

void TestRtfReader::readsText_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain run") << QStringLiteral("{\\rtf1 Hello world}") << QStringLiteral("Hello world");
    QTest::newRow("code page 1256") << QStringLiteral(
                                           "{\\rtf1\\ansi\\ansicpg1256 \\'f0\\'c7\\'e3\\'e5\\'98\\'ed}")
                                    << QStringLiteral("\u064Bامهک\u064A");
    QTest::newRow("code page 1252") << QStringLiteral("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'93}")
                                    << QStringLiteral("café €“");
    QTest::newRow("font charset decides")
        << QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset178 "
                          "Tahoma;}}\\f1\\'c8\\f0\\'e9}")
        << QStringLiteral("بé");
    QTest::newRow("unicode with fallback")
        << QStringLiteral("{\\rtf1\\uc1\\u1662?\\u-1769?x}") << QStringLiteral("پ\uF917x");
    QTest::newRow("uc2 skips two") << QStringLiteral("{\\rtf1\\uc2\\u1705\\'98\\'98y}")
                                   << QStringLiteral("کy");
    QTest::newRow("uc0 skips none") << QStringLiteral("{\\rtf1\\uc0\\u1705 z}") << QStringLiteral("کz");
    QTest::newRow("skip ends at group")
        << QStringLiteral("{\\rtf1\\uc3{\\u1705}ab}") << QStringLiteral("کab");
    QTest::newRow("paragraphs and lines")
        << QStringLiteral("{\\rtf1 a\\par b\\line c\\tab d}") << QStringLiteral("a\u2029b\u2028c\td");
    QTest::newRow("escaped symbols") << QStringLiteral("{\\rtf1 \\{x\\}\\\\\\~}")
                                     << QStringLiteral("{x}\\\u00A0");
    QTest::newRow("ignored destinations")
        << QStringLiteral("{\\rtf1{\\*\\generator Writer;}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}"
                          "{\\pict\\pngblip 89504e47}{\\*\\unknown stuff}visible}")
        << QStringLiteral("visible");
    QTest::newRow("font and colour tables hidden")
        << QStringLiteral(
               "{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Tahoma;}{\\colortbl;\\red255\\green0\\blue0;}text}")
        << QStringLiteral("text");
    QTest::newRow("binary data skipped") << QStringLiteral("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
}

void TestRtfReader::readsText()
{
    QFETCH(QString, rtf);
    QFETCH(QString, text);
    bool ok = false;
    QCOMPARE(Read(rtf, &ok), text);
    QVERIFY(ok);
}

void TestRtfReader::formatting()
{
    QTextDocument document;
    QVERIFY(RtfReader::Read(
        QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Tahoma;}}{\\colortbl;\\red0\\green0"
                       "\\blue255;}\\pard\\ltrpar\\qc\\f1\\fs30\\i\\ul\\cf1 A\\i0\\ulnone\\cf0 B\\par"
                       "\\pard\\qj C\\par\\pard\\ql D\\par\\qr E}"),
        document, QFont(QStringLiteral("Tahoma"))));
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    const QTextCharFormat a = cursor.charFormat();
    QCOMPARE(a.fontFamilies().toStringList(), QStringList{QStringLiteral("Tahoma")});
    QCOMPARE(a.fontPointSize(), 15.0);
    QVERIFY(a.fontItalic());
    QVERIFY(a.fontUnderline());
    QCOMPARE(a.foreground().color(), QColor(0, 0, 255));
    cursor.setPosition(2);
    QVERIFY(!cursor.charFormat().fontItalic());
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::black));
    QTextBlock block = document.begin();
    QCOMPARE(block.blockFormat().layoutDirection(), Qt::LeftToRight);
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    block = block.next();
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    QCOMPARE(block.blockFormat().layoutDirection(), Qt::RightToLeft);
    block = block.next();
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignLeft | Qt::AlignAbsolute);
    block = block.next();
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignRight | Qt::AlignAbsolute);
}

void TestRtfReader::hostileInput_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("text");
    QTest::newRow("not rtf") << QStringLiteral("just text {\\rtf1 x}") << false << QString();
    QTest::newRow("deep nesting") << QStringLiteral("{\\rtf1 ") + QString(100000, QLatin1Char('{')) +
                                         QStringLiteral("x")
                                  << false << QString();
    QTest::newRow("nesting at the limit")
        << QStringLiteral("{\\rtf1 ") + QString(RtfReader::MaxDepth - 1, QLatin1Char('{')) +
               QStringLiteral("x") + QString(RtfReader::MaxDepth, QLatin1Char('}'))
        << true << QStringLiteral("x");
    QTest::newRow("truncated in a word")
        << QStringLiteral("{\\rtf1 abc\\par de\\ansicp") << true << QStringLiteral("abc\u2029de");
    QTest::newRow("truncated in an escape")
        << QStringLiteral("{\\rtf1 ab\\'c") << true << QStringLiteral("ab");
    QTest::newRow("truncated after backslash")
        << QStringLiteral("{\\rtf1 ab\\") << true << QStringLiteral("ab");
    QTest::newRow("invalid hex escape")
        << QStringLiteral("{\\rtf1 a\\'zzb}") << true << QStringLiteral("azzb");
    QTest::newRow("huge numbers") << QStringLiteral(
                                         "{\\rtf1\\fs99999999999999999999\\cf-99999999999\\uc99999999 "
                                         "\\f2147483647\\u99999999999 x\\ansicpg-5 y}")
                                  << true << QString();
    QTest::newRow("huge binary length")
        << QStringLiteral("{\\rtf1 a\\bin99999999999 bcd}") << true << QStringLiteral("a");
    QTest::newRow("negative binary length")
        << QStringLiteral("{\\rtf1 a\\bin-5 b}") << true << QStringLiteral("ab");
    QTest::newRow("long control word") << QStringLiteral("{\\rtf1 ") + QStringLiteral("\\") +
                                              QString(100000, QLatin1Char('a')) + QStringLiteral(" x}")
                                       << true << QStringLiteral("x");
    QTest::newRow("many colours") << QStringLiteral("{\\rtf1{\\colortbl") + QString(50000, QLatin1Char(';')) +
                                         QStringLiteral("}\\cf40000 x}")
                                  << true << QStringLiteral("x");
    QTest::newRow("unbalanced closing") << QStringLiteral("{\\rtf1 a}}}b") << true << QStringLiteral("a");
    QTest::newRow("lone surrogate") << QStringLiteral("{\\rtf1\\u-10179?x}") << true << QString();
    QTest::newRow("nul and controls")
        << QStringLiteral("{\\rtf1 a") + QChar(0) + QStringLiteral("\\'00b}") << true << QString();
    QTest::newRow("endless font name") << QStringLiteral("{\\rtf1{\\fonttbl{\\f0 ") +
                                              QString(100000, QLatin1Char('A')) + QStringLiteral("}}\\f0 x}")
                                       << true << QStringLiteral("x");
}

void TestRtfReader::hostileInput()
{
    QFETCH(QString, rtf);
    QFETCH(bool, readable);
    QFETCH(QString, text);
    bool ok = !readable;
    const QString read = Read(rtf, &ok);
    QCOMPARE(ok, readable);
    if (!readable)
        QVERIFY(read.isEmpty());
    else if (!text.isEmpty())
        QCOMPARE(read, text);
}

void TestRtfReader::mutatedInputNeverBreaksTheReader()
{
    const QString sample = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1256\\deff0{\\fonttbl{\\f0\\fcharset178 Tahoma;}{\\f1 Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator x;}\\pard\\rtlpar\\qr\\f0\\fs20 "
        "\\b \\'c8\\'d3\\'e3\\b0 \\uc1\\u1662?\\cf1 text\\line more\\tab\\par{\\pict 0102}\\ql end}");
    static const QString alphabet = QStringLiteral("{}\\'0123456789abcdefuqlrjpn- ;?*\\\\");
    QRandomGenerator random(1256);
    for (int round = 0; round < 3000; ++round) {
        QString mutated = sample;
        const int edits = 1 + int(random.bounded(8));
        for (int i = 0; i < edits; ++i) {
            const int at = int(random.bounded(mutated.size() + 1));
            switch (random.bounded(3)) {
            case 0:
                mutated.insert(at, alphabet.at(int(random.bounded(alphabet.size()))));
                break;
            case 1:
                mutated.remove(at, 1 + int(random.bounded(4)));
                break;
            default:
                mutated.truncate(at);
                break;
            }
        }
        bool ok = false;
        const QString text = Read(mutated, &ok);
        QVERIFY(text.size() <= mutated.size() + 2);
        QCOMPARE(ok, RtfReader::LooksLikeRtf(mutated));
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallPersianFontSubstitutes();
    TestRtfReader test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestRtfReader.moc"
