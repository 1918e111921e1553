#include "PersianFonts.h"
#include "ReportTesting.h"
#include "RtfReader.h"
#include "TestPaths.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <functional>

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void readsText_data();
    void readsText();
    void formatting();
    void bidiRunsTakeTheAssociatedProperties();
    void characterFormatting();
    void paragraphSettings();
    void indentsAndTabsAtPrinterResolution();
    void tables();
    void nestedTables();
    void writerSamples_data();
    void writerSamples();
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

// The texts of a document's blocks in document order, table cells included, joined by '|'.
QString Blocks(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts.join(QLatin1Char('|'));
}

QTextCharFormat FormatAt(QTextDocument& document, const QString& text)
{
    QTextCursor cursor(&document);
    cursor.setPosition(document.toPlainText().indexOf(text) + 1);
    return cursor.charFormat();
}

QList<QTextTable*> Tables(const QTextDocument& document)
{
    QList<QTextTable*> tables;
    const std::function<void(QTextFrame*)> walk = [&](QTextFrame* frame) {
        for (QTextFrame* child : frame->childFrames()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                tables.append(table);
            walk(child);
        }
    };
    walk(document.rootFrame());
    return tables;
}

QString CellText(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
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
    // Lists: the marker the writer formatted, or one made from the list's definition.
    QTest::newRow("pntext with a symbol bullet")
        << QStringLiteral(
               R"({\rtf1\ansi\ansicpg1256{\fonttbl{\f0\fcharset178 Tahoma;}{\f1\fcharset2 Symbol;}})"
               R"(\pard{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-720\li720\f0 )"
               R"(\'c7\'e1\'dd\par{\pntext\f1\'B7\tab}\'c8\par})")
        << QStringLiteral("•\tالف\u2029•\tب\u2029");
    QTest::newRow("pn bullet without pntext")
        << QStringLiteral(
               R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}})"
               R"(\fi-360\li360 a\par b\par\pard c})")
        << QStringLiteral("•\ta\u2029•\tb\u2029c");
    QTest::newRow("pn numbers without pntext")
        << QStringLiteral(R"({\rtf1{\*\pn\pnlvlbody\pndec\pnstart3{\pntxta .}}\fi-360\li360 a\par b\par)"
                          R"(\pard c\par{\*\pn\pnlvlbody\pnlcrm\pnstart1{\pntxtb (}{\pntxta )}}d\par})")
        << QStringLiteral("3.\ta\u20294.\tb\u2029c\u2029(i)\td\u2029");
    QTest::newRow("listtext shown, list numbers not repeated")
        << QStringLiteral(
               R"({\rtf1{\fonttbl{\f0 Arial;}{\f3\fcharset2 Symbol;}}{\*\listtable{\list{\listlevel)"
               R"(\levelnfc23{\leveltext\'01\u-3913 ?;}\f3}\listid5}}{\*\listoverridetable{\listoverride)"
               R"(\listid5\listoverridecount0\ls1}}{\listtext\pard\plain\f3 \'b7\tab}\pard\fi-360\li720\ls1 )"
               R"(one\par{\listtext\pard\plain \u8226\'95\tab}two\par})")
        << QStringLiteral("•\tone\u2029•\ttwo\u2029");
    QTest::newRow("list numbers from the list table")
        << QStringLiteral(
               R"({\rtf1{\fonttbl{\f3\fcharset2 Symbol;}}{\*\listtable{\list{\listlevel\levelnfc0)"
               R"(\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}}{\listlevel\levelnfc4\levelfollow1)"
               R"({\leveltext\'04\'00.\'01);}}{\listlevel\levelnfc23{\leveltext\'01\u-3913 ?;}\f3})"
               R"(\listid9}}{\*\listoverridetable{\listoverride\listid9\ls2}}\pard\ls2 a\par b\par)"
               R"(\ilvl1 c\par d\par\ilvl2 e\par\pard\ls2 f\par\pard\ls7 g\par})")
        << QStringLiteral("1.\ta\u20292.\tb\u20292.a) c\u20292.b) d\u2029•\te\u20293.\tf\u2029g\u2029");
    QTest::newRow("destinations without their star")
        << QStringLiteral(R"({\rtf1{\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang{\pntxta .}}{\pntxta x})"
                          R"({\wgrffmtfilter 2450}{\pntxtb y}{\nonesttables z}shown})")
        << QStringLiteral("shown");
    QTest::newRow("unicode alternative")
        << QStringLiteral(R"({\rtf1{\upr{\'e3}{\*\ud{\u1605 ?}}}.})") << QStringLiteral("م.");
    QTest::newRow("default font before the first font change")
        << QStringLiteral(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fcharset178 Tahoma;}})"
                          R"({\f1 x}\'e3\'c7\'cf\'e5})")
        << QStringLiteral("xماده");
    QTest::newRow("plain returns to the default font")
        << QStringLiteral(
               R"({\rtf1\ansi\deff1{\fonttbl{\f0 Arial;}{\f1\fcharset178 Tahoma;}}\f0\'ec\plain\'ec})")
        << QStringLiteral("ìى");
    QTest::newRow("hidden text") << QStringLiteral(R"({\rtf1 a{\v hidden\par}b\v c\v0 d})")
                                 << QStringLiteral("abd");
    QTest::newRow("symbol font text")
        << QStringLiteral(
               R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}{\f2\fcharset2 Wingdings;}}\f1 a\'b1\u-3998 ?\f2\'a7})")
        << QStringLiteral("α±β▪");
    // Code pages through the ANSI code page and through font character sets.
    QTest::newRow("code page 1250") << QStringLiteral(R"({\rtf1\ansi\ansicpg1250 \'e8\'9a})")
                                    << QStringLiteral("čš");
    QTest::newRow("code page 1251") << QStringLiteral(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})")
                                    << QStringLiteral("При");
    QTest::newRow("code page 1253") << QStringLiteral(R"({\rtf1\ansi\ansicpg1253 \'c1\'e2})")
                                    << QStringLiteral("Αβ");
    QTest::newRow("code page 1254") << QStringLiteral(R"({\rtf1\ansi\ansicpg1254 \'fe\'f0})")
                                    << QStringLiteral("şğ");
    QTest::newRow("code page 874") << QStringLiteral(R"({\rtf1\ansi\ansicpg874 \'a1\'d2})")
                                   << QStringLiteral("กา");
    QTest::newRow("code page 932") << QStringLiteral(R"({\rtf1\ansi\ansicpg932 \'82\'a0\'93\'fa})")
                                   << QStringLiteral("あ日");
    QTest::newRow("code page 936") << QStringLiteral(R"({\rtf1\ansi\ansicpg936 \'c4\'e3\'ba\'c3})")
                                   << QStringLiteral("你好");
    QTest::newRow("code page 949") << QStringLiteral(R"({\rtf1\ansi\ansicpg949 \'c7\'d1})")
                                   << QStringLiteral("한");
    QTest::newRow("code page 950") << QStringLiteral(R"({\rtf1\ansi\ansicpg950 \'a4\'a4})")
                                   << QStringLiteral("中");
    QTest::newRow("macintosh") << QStringLiteral(R"({\rtf1\mac \'8e\'a5})") << QStringLiteral("é•");
    QTest::newRow("charsets choose the code page")
        << QStringLiteral(
               R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}{\f1\fcharset238 Arial;}{\f2\fcharset128 MS )"
               R"(Mincho;}{\f3\fcharset161 Arial;}{\f4\fcharset162 Arial;}{\f5\fcharset222 Tahoma;}})"
               R"(\f0\'c0\f1\'e8\f2\'82\'a0\f3\'c1\f4\'fe\f5\'a1})")
        << QStringLiteral("АčあΑşก");
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

void TestRtfReader::bidiRunsTakeTheAssociatedProperties()
{
    QTextDocument document;
    // As LibreOffice writes it: bold and italic of Persian runs only through \ab and \ai.
    QVERIFY(RtfReader::Read(
        QStringLiteral(R"({\rtf1\ansi\deff0{\fonttbl{\f0 Liberation Serif;}{\f4\fcharset178 Tahoma;})"
                       R"({\f5 Arial;}}{\rtlch\ab\af4\afs28 \ltrch\loch\f5\fs20 ماده )"
                       R"(Latin}{\rtlch\ai\af4 \ltrch\b\loch\f5 یک}{\rtlch\ab0\af4 \ltrch\b\loch\f5 )"
                       R"(دو}{\rtlch\ab\af4 \ltrch\hich\af5\dbch\af0 سه}})"),
        document, QFont(QStringLiteral("Tahoma"))));
    const QTextCharFormat persian = FormatAt(document, QStringLiteral("ماده"));
    QCOMPARE(persian.fontWeight(), int(QFont::Bold));
    QVERIFY(!persian.fontItalic());
    QCOMPARE(persian.fontFamilies().toStringList(), QStringList{QStringLiteral("Tahoma")});
    QCOMPARE(persian.fontPointSize(), 14.0);
    const QTextCharFormat latin = FormatAt(document, QStringLiteral("Latin"));
    QCOMPARE(latin.fontWeight(), int(QFont::Normal));
    QCOMPARE(latin.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    QCOMPARE(latin.fontPointSize(), 10.0);
    const QTextCharFormat italic = FormatAt(document, QStringLiteral("یک"));
    QVERIFY(italic.fontItalic());
    // Without \ab of its own the run takes \b, as RichEdit writes it.
    QCOMPARE(italic.fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatAt(document, QStringLiteral("دو")).fontWeight(), int(QFont::Normal));
    // \af after \hich or \dbch names the font of a character range, not that of Persian text.
    QCOMPARE(FormatAt(document, QStringLiteral("سه")).fontFamilies().toStringList(),
             QStringList{QStringLiteral("Tahoma")});
}

void TestRtfReader::characterFormatting()
{
    QTextDocument document;
    QVERIFY(RtfReader::Read(
        QStringLiteral(R"({\rtf1{\colortbl;\red255\green0\blue0;\red255\green255\blue0;})"
                       R"({\caps caps}{\scaps small}{\strike struck}{\striked1 twice})"
                       R"({\super up}{\sub down}{\up6 raised}x{\cb1 shaded}{\highlight2 marked}y)"
                       R"({\fonttbl{\f3\fcharset2 Symbol;}}{\f3\'b7}})"),
        document, QFont(QStringLiteral("Tahoma"))));
    // A symbol font's glyph, read as its Unicode character, is drawn in a font that has it.
    QCOMPARE(FormatAt(document, QStringLiteral("•")).fontFamilies().toStringList(),
             QStringList{QStringLiteral("Tahoma")});
    QCOMPARE(FormatAt(document, QStringLiteral("caps")).fontCapitalization(), QFont::AllUppercase);
    QCOMPARE(FormatAt(document, QStringLiteral("small")).fontCapitalization(), QFont::SmallCaps);
    QVERIFY(FormatAt(document, QStringLiteral("struck")).fontStrikeOut());
    QVERIFY(FormatAt(document, QStringLiteral("twice")).fontStrikeOut());
    QCOMPARE(FormatAt(document, QStringLiteral("up")).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(FormatAt(document, QStringLiteral("down")).verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(FormatAt(document, QStringLiteral("raised")).verticalAlignment(),
             QTextCharFormat::AlignSuperScript);
    QCOMPARE(FormatAt(document, QStringLiteral("shaded")).background().color(), QColor(255, 0, 0));
    QCOMPARE(FormatAt(document, QStringLiteral("marked")).background().color(), QColor(255, 255, 0));
    const QTextCharFormat after = FormatAt(document, QStringLiteral("y"));
    QCOMPARE(after.fontCapitalization(), QFont::MixedCase);
    QVERIFY(!after.fontStrikeOut());
    QCOMPARE(after.verticalAlignment(), QTextCharFormat::AlignNormal);
    QCOMPARE(after.background().style(), Qt::NoBrush);
}

void TestRtfReader::paragraphSettings()
{
    // Without a paint device a pixel is 15 twips.
    QTextDocument document;
    QVERIFY(RtfReader::Read(
        QStringLiteral(
            R"({\rtf1\pard\ltrpar\li720\ri360\fi-360\sb120\sa240\sl360\slmult1\tx1440\tqr\tx4320\tqc\tx2880 )"
            R"(a\par\pard\rtlpar\li1440\ri150\fi300\sl-300 b\par\pard\sl300\slmult0 c\par\pard\fi-720\li720 d})"),
        document, QFont(QStringLiteral("Tahoma"))));
    QTextBlock block = document.begin();
    QTextBlockFormat format = block.blockFormat();
    QCOMPARE(format.leftMargin(), 48.0);
    QCOMPARE(format.rightMargin(), 24.0);
    QCOMPARE(format.textIndent(), -24.0);
    QCOMPARE(format.topMargin(), 8.0);
    QCOMPARE(format.bottomMargin(), 16.0);
    QCOMPARE(format.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(format.lineHeight(), 150.0);
    // Tab stops count from where the first line begins, 360 twips in; the hanging first line also
    // stops at the indent.
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    QCOMPARE(tabs.size(), 4);
    QCOMPARE(tabs.at(0).position, 24.0);
    QCOMPARE(tabs.at(1).position, 72.0);
    QCOMPARE(tabs.at(1).type, QTextOption::LeftTab);
    QCOMPARE(tabs.at(2).position, 168.0);
    QCOMPARE(tabs.at(2).type, QTextOption::CenterTab);
    QCOMPARE(tabs.at(3).position, 264.0);
    QCOMPARE(tabs.at(3).type, QTextOption::RightTab);
    // A right-to-left paragraph is indented from the right.
    block = block.next();
    format = block.blockFormat();
    QCOMPARE(format.layoutDirection(), Qt::RightToLeft);
    QCOMPARE(format.rightMargin(), 96.0);
    QCOMPARE(format.leftMargin(), 10.0);
    QCOMPARE(format.textIndent(), 20.0);
    QCOMPARE(format.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(format.lineHeight(), 20.0);
    block = block.next();
    QCOMPARE(block.blockFormat().lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    QCOMPARE(block.blockFormat().lineHeight(), 20.0);
    // A hanging first line stops at the indent, where the text of a list item begins.
    block = block.next();
    QCOMPARE(block.blockFormat().tabPositions().size(), 1);
    QCOMPARE(block.blockFormat().tabPositions().at(0).position, 48.0);
}

void TestRtfReader::indentsAndTabsAtPrinterResolution()
{
    // At 600 dots per inch an inch (1440 twips) is 600 dots wherever the printer draws it.
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(600 / 0.0254));
    device.setDotsPerMeterY(qRound(600 / 0.0254));
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    QVERIFY(RtfReader::Read(
        QStringLiteral(
            R"({\rtf1\pard\ltrpar\li1440\fi-720 a\tab b\par)"
            R"(\pard\ltrpar\sb1440 c\par\pard\ltrpar\tx2880 d\tab e\par)"
            R"(\pard\rtlpar\li1440 f\par\pard\rtlpar\fi-720\li1440 \u8226 ?\tab \u1575 ?\u1604 ?\par)"
            R"(\u8226 ?\tab \u1576 ?\u1575 ?})"),
        document, QFont(QStringLiteral("Tahoma"))));
    document.setTextWidth(6000);
    document.documentLayout()->documentSize();
    QTextBlock block = document.begin();
    QTextLine line = block.layout()->lineAt(0);
    QVERIFY(qAbs(line.cursorToX(0) - 300) < 1);
    QVERIFY(qAbs(line.cursorToX(2) - 600) < 1);
    block = block.next();
    const double gap = block.layout()->position().y() - block.previous().layout()->position().y() -
                       block.previous().layout()->boundingRect().height();
    QVERIFY2(qAbs(gap - 600) < 2, qPrintable(QString::number(gap)));
    block = block.next();
    QVERIFY(qAbs(block.layout()->lineAt(0).cursorToX(2) - 1200) < 1);
    block = block.next();
    line = block.layout()->lineAt(0);
    QVERIFY(qAbs(line.x() + line.width() - 5400) < 1);
    // After a right-to-left marker the text of every item begins at the indent, whatever its width.
    for (int item = 0; item < 2; ++item) {
        block = block.next();
        const double textStart = block.layout()->lineAt(0).cursorToX(2);
        QVERIFY2(qAbs(textStart - 5400) < 2, qPrintable(QString::number(textStart)));
    }
}

void TestRtfReader::tables()
{
    // A right-to-left row as WordPad writes it: its first cell is the rightmost column.
    QTextDocument document;
    QVERIFY(RtfReader::Read(
        QStringLiteral(R"({\rtf1 before\par\trowd\rtlrow\trgaph108\trleft-108\clbrdrt\brdrs)"
                       R"(\cellx1440\cellx4320\pard\intbl one\cell two\par more\cell\row)"
                       R"(\trowd\rtlrow\trgaph108\trleft-108\cellx1440\cellx4320\pard\intbl)"
                       R"( three\cell\cell\row\pard after\par)"
                       R"(\trowd\cellx1000\cellx2000\cellx3000\pard\intbl a\cell b\cell c\cell\row})"),
        document, QFont(QStringLiteral("Tahoma"))));
    const QList<QTextTable*> tables = Tables(document);
    QCOMPARE(tables.size(), 2);
    QTextTable* rtl = tables.at(0);
    QCOMPARE(rtl->rows(), 2);
    QCOMPARE(rtl->columns(), 2);
    QCOMPARE(CellText(rtl, 0, 1), QStringLiteral("one"));
    QCOMPARE(CellText(rtl, 0, 0), QStringLiteral("two\u2029more"));
    QCOMPARE(CellText(rtl, 1, 1), QStringLiteral("three"));
    QCOMPARE(CellText(rtl, 1, 0), QString());
    const QList<QTextLength> widths = rtl->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 2);
    QCOMPARE(widths.at(1), QTextLength(QTextLength::FixedLength, 1548 / 15.0));
    QCOMPARE(widths.at(0), QTextLength(QTextLength::FixedLength, 2880 / 15.0));
    QCOMPARE(rtl->format().border(), 1.0);
    QCOMPARE(rtl->format().alignment(), Qt::AlignRight);
    QTextTable* ltr = tables.at(1);
    QCOMPARE(ltr->columns(), 3);
    QCOMPARE(CellText(ltr, 0, 0), QStringLiteral("a"));
    QCOMPARE(CellText(ltr, 0, 2), QStringLiteral("c"));
    QCOMPARE(ltr->format().border(), 0.0);
    // Blocks run through the columns from the left. Text around the tables stays outside them, without empty
    // paragraphs of its own.
    QCOMPARE(Blocks(document), QStringLiteral("before|two|more|one||three|after|a|b|c|"));
}

void TestRtfReader::nestedTables()
{
    // As Word writes a table in a cell: the inner row's definition after its cells, and a copy of the
    // text for readers without nested tables.
    QTextDocument document;
    QVERIFY(RtfReader::Read(
        QStringLiteral(
            R"({\rtf1\trowd\cellx3000\cellx6000\pard\intbl\itap1 Outer\cell)"
            R"(\pard\intbl\itap2 Deep A\nestcell Deep B\nestcell{\*\nesttableprops\trowd\cellx1000)"
            R"(\cellx2500\nestrow}{\nonesttables\par}\pard\intbl\itap1 \cell\pard\intbl\itap1 {\trowd)"
            R"(\cellx3000\cellx6000\row}\pard\itap0 end})"),
        document, QFont(QStringLiteral("Tahoma"))));
    const QList<QTextTable*> tables = Tables(document);
    QCOMPARE(tables.size(), 2);
    QCOMPARE(tables.at(0)->columns(), 2);
    QCOMPARE(CellText(tables.at(0), 0, 0), QStringLiteral("Outer"));
    QTextTable* inner = tables.at(1);
    QCOMPARE(inner->columns(), 2);
    QCOMPARE(CellText(inner, 0, 0), QStringLiteral("Deep A"));
    QCOMPARE(CellText(inner, 0, 1), QStringLiteral("Deep B"));
    QCOMPARE(inner->format().columnWidthConstraints().at(1), QTextLength(QTextLength::FixedLength, 100));
    QVERIFY(document.rootFrame()->childFrames().size() == 1);
    QCOMPARE(document.lastBlock().text(), QStringLiteral("end"));
}

void TestRtfReader::writerSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("bold");
    QTest::newRow("WordPad") << QStringLiteral("wordpad-lists.rtf")
                             << QStringLiteral("ماده اول|•\tالف|•\tبا|1.\tيک|2.\tدو|end|") << QString();
    QTest::newRow("Word") << QStringLiteral("word-persian.rtf")
                          << QStringLiteral("ماده یک|•\tالف|•\tبا|1.\tیک|2.\tدو|معنی|نام|ب|الف|پایان|")
                          << QStringLiteral("نام");
    QTest::newRow("LibreOffice") << QStringLiteral("libreoffice-persian.rtf")
                                 << QStringLiteral("ماده یک دو A|•\tالف|◦\tبا|1.\tیک|معنی|نام|پایان|")
                                 << QStringLiteral("ماده");
}

void TestRtfReader::writerSamples()
{
    QFETCH(QString, file);
    QFETCH(QString, blocks);
    QFETCH(QString, bold);
    QFile sample(SourceDir() + QStringLiteral("/tests/data/rtf/") + file);
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QTextDocument document;
    QVERIFY(
        RtfReader::Read(QString::fromLatin1(sample.readAll()), document, QFont(QStringLiteral("Tahoma"))));
    QCOMPARE(Blocks(document), blocks);
    if (!bold.isEmpty())
        QCOMPARE(FormatAt(document, bold).fontWeight(), int(QFont::Bold));
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
    QTest::newRow("tables nested too deep")
        << QStringLiteral(R"({\rtf1\pard\intbl\itap99999 a\nestcell\nestrow\itap-3 b\cell\row\pard c})")
        << true << QString();
    QTest::newRow("more cells than columns")
        << QStringLiteral("{\\rtf1\\trowd\\rtlrow\\pard\\intbl ") + QStringLiteral("x\\cell ").repeated(500) +
               QStringLiteral("\\row}")
        << true << QString();
    QTest::newRow("rows without cells")
        << QStringLiteral("{\\rtf1 a") + QStringLiteral("\\row\\nestrow").repeated(3000) +
               QStringLiteral(" b}")
        << true << QStringLiteral("a\u2029b");
    QTest::newRow("damaged list definitions")
        << QStringLiteral(
               R"({\rtf1{\*\listtable{\list{\listlevel{\leveltext\'ff\'08\'07;}}\listid1}{\listlevel)"
               R"(\levelnfc1}}{\*\listoverridetable{\listoverride\listid1\ls-2}}\ls-2\ilvl99 a\par)"
               R"(\ilvl-4 b\par{\*\pn\pnstart2147483647\pnucltr}c\par d})")
        << true << QString();
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
