#include "RtfReader.h"

#include "CodePages.h"
#include "RtfNumbering.h"
#include "RtfTableBuilder.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr int MaxWordLength = 32;
constexpr int MaxFontNameLength = 128;
constexpr int MaxColors = 4096;
constexpr int MaxFonts = 4096;
constexpr int MaxLists = 1024;
constexpr int MaxListLevels = 9;
constexpr int MaxMarkerLength = 64;
constexpr int MaxTabs = 64;
constexpr int MaxTwips = 31680;
constexpr int MaxNumber = 99999;

// Vertical lengths, line heights and tab stops of a text document are measured at 96 pixels per inch
// and scaled by Qt to the paint device: 15 twips each. Its horizontal margins and indents are device
// pixels.
constexpr double TwipsPerPixel = 15.0;

enum class Destination
{
    Text,
    FontTable,
    ColorTable,
    ListTable,
    LevelText,
    ListOverrideTable,
    Numbering,
    NumberingBefore,
    NumberingAfter,
    Skip
};

// Right-to-left scripts take the associated character properties (\af, \afs, \ab, \ai).
enum class Script
{
    Other,
    RightToLeft
};

struct CharState
{
    int font = -1;
    int associatedFont = -1;
    int halfPoints = 24;
    int associatedHalfPoints = -1;
    bool bold = false;
    bool italic = false;
    int associatedBold = -1;
    int associatedItalic = -1;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool caps = false;
    bool smallCaps = false;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    int color = 0;
    int background = 0;
    int highlight = 0;
    bool rightToLeft = false;
};

// The older paragraph numbering (\pn): a bullet or a number with text before and after it.
struct Numbering
{
    bool present = false;
    bool bullet = false;
    bool continuation = false;
    int style = RtfNumbering::Decimal;
    int start = 1;
    int font = -1;
    QString before;
    QString after;
};

struct TabStop
{
    int position = 0;
    QTextOption::TabType type = QTextOption::LeftTab;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeading;
    Qt::LayoutDirection direction = Qt::RightToLeft;
    int leadingIndent = 0;
    int trailingIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    std::vector<TabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    bool inTable = false;
    int nesting = 0;
    int list = 0;
    int listLevel = 0;
    Numbering numbering;
};

struct Group
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
    // The list marker a writer already formatted ({\listtext}, {\pntext}); paragraph words inside it
    // belong to the marker, not to the paragraph.
    bool marker = false;
    // Inside \upr, whose \ud part holds the Unicode text.
    bool unicodeAlternative = false;
};

struct FontEntry
{
    QString name;
    int codePage = 0;
    bool symbol = false;
};

struct ListLevel
{
    int style = RtfNumbering::Decimal;
    int start = 1;
    int follow = 0;
    int font = -1;
    // As written: its first character is its length, characters below 9 stand for the numbers of
    // levels.
    QString text;
};

using ListLevels = std::vector<ListLevel>;

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexValue(QChar c)
{
    if (IsDigit(c))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

int Twips(int value)
{
    return std::clamp(value, -MaxTwips, MaxTwips);
}

// Destinations whose content is never shown, whether or not the writer marked them with \*.
bool IsSkippedDestination(const QString& word)
{
    static const QSet<QString> skipped{
        QStringLiteral("aftncn"),
        QStringLiteral("aftnsep"),
        QStringLiteral("aftnsepc"),
        QStringLiteral("annotation"),
        QStringLiteral("atnauthor"),
        QStringLiteral("atndate"),
        QStringLiteral("atnicn"),
        QStringLiteral("atnid"),
        QStringLiteral("atnparent"),
        QStringLiteral("atnref"),
        QStringLiteral("atntime"),
        QStringLiteral("atrfend"),
        QStringLiteral("atrfstart"),
        QStringLiteral("author"),
        QStringLiteral("background"),
        QStringLiteral("bkmkend"),
        QStringLiteral("bkmkstart"),
        QStringLiteral("blipuid"),
        QStringLiteral("buptim"),
        QStringLiteral("category"),
        QStringLiteral("colorschememapping"),
        QStringLiteral("comment"),
        QStringLiteral("company"),
        QStringLiteral("creatim"),
        QStringLiteral("datafield"),
        QStringLiteral("datastore"),
        QStringLiteral("defchp"),
        QStringLiteral("defpap"),
        QStringLiteral("do"),
        QStringLiteral("doccomm"),
        QStringLiteral("docvar"),
        QStringLiteral("dptxbxtext"),
        QStringLiteral("ebcend"),
        QStringLiteral("ebcstart"),
        QStringLiteral("factoidname"),
        QStringLiteral("falt"),
        QStringLiteral("fchars"),
        QStringLiteral("ffdeftext"),
        QStringLiteral("ffentrymcr"),
        QStringLiteral("ffexitmcr"),
        QStringLiteral("ffformat"),
        QStringLiteral("ffhelptext"),
        QStringLiteral("ffl"),
        QStringLiteral("ffname"),
        QStringLiteral("ffstattext"),
        QStringLiteral("file"),
        QStringLiteral("filetbl"),
        QStringLiteral("fldinst"),
        QStringLiteral("fldtype"),
        QStringLiteral("fname"),
        QStringLiteral("fontemb"),
        QStringLiteral("fontfile"),
        QStringLiteral("footer"),
        QStringLiteral("footerf"),
        QStringLiteral("footerl"),
        QStringLiteral("footerr"),
        QStringLiteral("footnote"),
        QStringLiteral("formfield"),
        QStringLiteral("ftncn"),
        QStringLiteral("ftnsep"),
        QStringLiteral("ftnsepc"),
        QStringLiteral("g"),
        QStringLiteral("generator"),
        QStringLiteral("gridtbl"),
        QStringLiteral("header"),
        QStringLiteral("headerf"),
        QStringLiteral("headerl"),
        QStringLiteral("headerr"),
        QStringLiteral("hl"),
        QStringLiteral("hlfr"),
        QStringLiteral("hlinkbase"),
        QStringLiteral("hlloc"),
        QStringLiteral("hlsrc"),
        QStringLiteral("hsv"),
        QStringLiteral("htmltag"),
        QStringLiteral("info"),
        QStringLiteral("keycode"),
        QStringLiteral("keywords"),
        QStringLiteral("latentstyles"),
        QStringLiteral("lchars"),
        QStringLiteral("levelnumbers"),
        QStringLiteral("lfolevel"),
        QStringLiteral("linkval"),
        QStringLiteral("listname"),
        QStringLiteral("listpicture"),
        QStringLiteral("liststylename"),
        QStringLiteral("mailmerge"),
        QStringLiteral("manager"),
        QStringLiteral("mmath"),
        QStringLiteral("mmathPict"),
        QStringLiteral("mmathPr"),
        QStringLiteral("moMath"),
        QStringLiteral("moMathPara"),
        QStringLiteral("nextfile"),
        QStringLiteral("nonesttables"),
        QStringLiteral("nonshppict"),
        QStringLiteral("objalias"),
        QStringLiteral("objclass"),
        QStringLiteral("objdata"),
        QStringLiteral("object"),
        QStringLiteral("objname"),
        QStringLiteral("objsect"),
        QStringLiteral("objtime"),
        QStringLiteral("oldcprops"),
        QStringLiteral("oldpprops"),
        QStringLiteral("oldsprops"),
        QStringLiteral("oldtprops"),
        QStringLiteral("oleclsid"),
        QStringLiteral("operator"),
        QStringLiteral("panose"),
        QStringLiteral("password"),
        QStringLiteral("passwordhash"),
        QStringLiteral("pgdsctbl"),
        QStringLiteral("pgp"),
        QStringLiteral("pgptbl"),
        QStringLiteral("picprop"),
        QStringLiteral("pict"),
        QStringLiteral("pnseclvl"),
        QStringLiteral("printim"),
        QStringLiteral("private"),
        QStringLiteral("propname"),
        QStringLiteral("protend"),
        QStringLiteral("protstart"),
        QStringLiteral("protusertbl"),
        QStringLiteral("pxe"),
        QStringLiteral("result"),
        QStringLiteral("revtbl"),
        QStringLiteral("revtim"),
        QStringLiteral("rsidtbl"),
        QStringLiteral("rxe"),
        QStringLiteral("shp"),
        QStringLiteral("shpgrp"),
        QStringLiteral("shpinst"),
        QStringLiteral("shppict"),
        QStringLiteral("shprslt"),
        QStringLiteral("shptxt"),
        QStringLiteral("sn"),
        QStringLiteral("sp"),
        QStringLiteral("staticval"),
        QStringLiteral("stylesheet"),
        QStringLiteral("subject"),
        QStringLiteral("sv"),
        QStringLiteral("svb"),
        QStringLiteral("tc"),
        QStringLiteral("template"),
        QStringLiteral("themedata"),
        QStringLiteral("title"),
        QStringLiteral("txe"),
        QStringLiteral("userprops"),
        QStringLiteral("wgrffmtfilter"),
        QStringLiteral("windowcaption"),
        QStringLiteral("writereservation"),
        QStringLiteral("writereservhash"),
        QStringLiteral("xe"),
        QStringLiteral("xform"),
        QStringLiteral("xmlattrname"),
        QStringLiteral("xmlattrvalue"),
        QStringLiteral("xmlclose"),
        QStringLiteral("xmlname"),
        QStringLiteral("xmlnstbl"),
        QStringLiteral("xmlopen"),
    };
    return skipped.contains(word);
}

Script ScriptOf(QChar c)
{
    if (!c.isLetter())
        return Script::Other;
    switch (c.script()) {
    case QChar::Script_Arabic:
    case QChar::Script_Hebrew:
    case QChar::Script_Syriac:
    case QChar::Script_Thaana:
    case QChar::Script_Nko:
        return Script::RightToLeft;
    default:
        return Script::Other;
    }
}

bool IsNeutral(QChar c)
{
    return !c.isLetter();
}

class Parser
{
public:
    Parser(const QString& input, QTextDocument& document, const QFont& baseFont, double dotsPerInch)
        : m_in(input), m_cursor(&document), m_baseFont(baseFont), m_pixelsPerTwip(dotsPerInch / 1440.0),
          m_tables(m_cursor)
    {}

    bool Run();

private:
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ReadSymbol(QChar symbol);
    void Word(const QString& word, bool hasParam, int param);
    bool DestinationWord(const QString& word);
    void TextWord(const QString& word, bool hasParam, int param);
    bool CharWord(const QString& word, bool hasParam, int param);
    bool ParagraphWord(const QString& word, bool hasParam, int param);
    bool RowWord(const QString& word, int param);
    void ListTableWord(const QString& word, int param);
    void NumberingWord(const QString& word, int param);
    void Text(QChar c);
    void Put(QChar c);
    void Append(QChar c);
    void Byte(unsigned char byte);
    void FlushBytes();
    void StartContent(int depth);
    void Paragraph();
    void Cell(int depth);
    void Row(int depth);
    void EndParagraph();
    QString Marker();
    QString NumberingMarker();
    QString ListMarker();
    void FlushRun();
    void CommitFont();
    void CommitColor();
    int Depth() const;
    int CodePageOf(int font) const;
    const FontEntry* Font(int font) const;
    QColor Color(int index) const;
    QTextCharFormat CharFormat() const;
    QTextBlockFormat BlockFormat() const;

    const QString& m_in;
    int m_pos = 0;
    QTextCursor m_cursor;
    QFont m_baseFont;
    double m_pixelsPerTwip;
    std::vector<Group> m_stack;
    Group m_state;
    bool m_done = false;
    bool m_tooDeep = false;
    bool m_ignorable = false;
    // \af after \loch, \hich or \dbch names the font of a character range, not of right-to-left text.
    bool m_associatedIsBidi = true;
    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    int m_pendingSkip = 0;
    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    QString m_run;
    Script m_runScript = Script::Other;
    bool m_contentStarted = false;
    bool m_markerWritten = false;
    bool m_blockPending = false;
    QHash<int, FontEntry> m_fonts;
    int m_fontNumber = -1;
    FontEntry m_fontEntry;
    std::vector<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
    RtfTableBuilder m_tables;
    RtfRowDefinition m_row;
    bool m_borderSide = false;
    QHash<int, ListLevels> m_lists;
    ListLevels m_list;
    QHash<int, int> m_listOverrides;
    int m_overrideList = 0;
    QHash<int, std::array<int, MaxListLevels>> m_listNumbers;
    Numbering m_numbering;
    int m_nextNumber = 1;
    bool m_numberingContinues = false;
};

bool Parser::Run()
{
    m_cursor.document()->clear();
    m_cursor = QTextCursor(m_cursor.document());
    const int length = m_in.size();
    while (m_pos < length && !m_done && !m_tooDeep) {
        const QChar c = m_in.at(m_pos++);
        switch (c.unicode()) {
        case '{':
            OpenGroup();
            break;
        case '}':
            CloseGroup();
            break;
        case '\\':
            ReadControl();
            break;
        case '\r':
        case '\n':
            break;
        default:
            Text(c);
            break;
        }
    }
    if (m_tooDeep) {
        m_cursor.document()->clear();
        return false;
    }
    FlushBytes();
    FlushRun();
    // A closing paragraph mark leaves an empty last line, as in the editors.
    if (m_blockPending)
        m_cursor.insertBlock();
    m_cursor.setBlockFormat(BlockFormat());
    return true;
}

void Parser::OpenGroup()
{
    FlushBytes();
    FlushRun();
    m_pendingSkip = 0;
    m_ignorable = false;
    if (static_cast<int>(m_stack.size()) >= RtfReader::MaxDepth) {
        m_tooDeep = true;
        return;
    }
    m_stack.push_back(m_state);
}

void Parser::CloseGroup()
{
    FlushBytes();
    FlushRun();
    m_pendingSkip = 0;
    m_ignorable = false;
    if (m_state.destination == Destination::FontTable && !m_fontEntry.name.isEmpty())
        CommitFont();
    // The document's own group keeps its state to the end: its last paragraph takes it.
    if (m_stack.size() <= 1) {
        m_done = true;
        return;
    }
    const bool numberingEnds = m_state.destination == Destination::Numbering;
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
    if (numberingEnds && m_state.destination == Destination::Text)
        m_state.para.numbering = m_numbering;
}

void Parser::ReadControl()
{
    const int length = m_in.size();
    if (m_pos >= length)
        return;
    const QChar first = m_in.at(m_pos);
    if (!IsAsciiLetter(first)) {
        ++m_pos;
        ReadSymbol(first);
        return;
    }
    QString word;
    while (m_pos < length && IsAsciiLetter(m_in.at(m_pos))) {
        if (word.size() < MaxWordLength)
            word.append(m_in.at(m_pos));
        ++m_pos;
    }
    bool negative = false;
    if (m_pos < length && m_in.at(m_pos) == QLatin1Char('-')) {
        negative = true;
        ++m_pos;
    }
    bool hasParam = false;
    qint64 value = 0;
    while (m_pos < length && IsDigit(m_in.at(m_pos))) {
        hasParam = true;
        value = std::min<qint64>(value * 10 + (m_in.at(m_pos).unicode() - '0'), 2147483647);
        ++m_pos;
    }
    if (m_pos < length && m_in.at(m_pos) == QLatin1Char(' '))
        ++m_pos;
    Word(word, hasParam, static_cast<int>(negative ? -value : value));
}

void Parser::ReadSymbol(QChar symbol)
{
    if (symbol != QLatin1Char('\''))
        FlushBytes();
    switch (symbol.unicode()) {
    case '\'': {
        // Two hex digits; a damaged escape is dropped with the digits it has.
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_in.size() && HexValue(m_in.at(m_pos)) >= 0) {
            value = value * 16 + HexValue(m_in.at(m_pos));
            ++m_pos;
            ++digits;
        }
        if (digits < 2)
            return;
        if (m_pendingSkip > 0)
            --m_pendingSkip;
        else
            Byte(static_cast<unsigned char>(value));
        return;
    }
    case '\\':
    case '{':
    case '}':
        Text(symbol);
        return;
    case '~':
        Text(QChar(0x00A0));
        return;
    case '_':
        Text(QChar(0x2011));
        return;
    case '-':
        if (m_pendingSkip > 0)
            --m_pendingSkip;
        return;
    case '*':
        FlushRun();
        m_ignorable = true;
        return;
    case '\r':
    case '\n':
        if (m_state.destination == Destination::Text && !m_state.marker)
            Paragraph();
        return;
    default:
        if (m_pendingSkip > 0)
            --m_pendingSkip;
        return;
    }
}

void Parser::Word(const QString& word, bool hasParam, int param)
{
    FlushBytes();
    FlushRun();
    if (word == QLatin1String("bin")) {
        // Raw bytes follow; none of them is text.
        m_pos += std::clamp(param, 0, static_cast<int>(m_in.size()) - m_pos);
        return;
    }
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    const bool ignorable = std::exchange(m_ignorable, false);
    if (m_state.destination == Destination::Skip) {
        if (word == QLatin1String("ud") && m_state.unicodeAlternative) {
            m_state.destination = Destination::Text;
            m_state.unicodeAlternative = false;
        }
        return;
    }
    if (word == QLatin1String("u")) {
        const int code = param < 0 ? param + 65536 : param;
        if (code >= 0 && code <= 0xFFFF) {
            const FontEntry* font = Font(m_state.chars.font);
            if (m_state.destination == Destination::Text && font != nullptr && font->symbol)
                Put(CodePages::SymbolChar(font->name, static_cast<char16_t>(code)));
            else
                Put(QChar(static_cast<char16_t>(code)));
        }
        m_pendingSkip = m_state.unicodeSkip;
        return;
    }
    if (word == QLatin1String("upr")) {
        m_state.destination = Destination::Skip;
        m_state.unicodeAlternative = true;
        return;
    }
    if (IsSkippedDestination(word)) {
        m_state.destination = Destination::Skip;
        return;
    }
    if (DestinationWord(word))
        return;
    if (ignorable) {
        m_state.destination = Destination::Skip;
        return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        TextWord(word, hasParam, param);
        break;
    case Destination::FontTable:
        if (word == QLatin1String("f")) {
            m_fontNumber = param;
            m_fontEntry = FontEntry();
        } else if (word == QLatin1String("fcharset")) {
            m_fontEntry.codePage = CodePages::OfCharset(param);
        } else if (word == QLatin1String("cpg") && param > 0) {
            m_fontEntry.codePage = param;
        }
        break;
    case Destination::ColorTable: {
        const int component = std::clamp(param, 0, 255);
        if (word == QLatin1String("red"))
            m_red = component;
        else if (word == QLatin1String("green"))
            m_green = component;
        else if (word == QLatin1String("blue"))
            m_blue = component;
        break;
    }
    case Destination::ListTable:
    case Destination::LevelText:
        ListTableWord(word, param);
        break;
    case Destination::ListOverrideTable:
        if (word == QLatin1String("listoverride")) {
            m_overrideList = 0;
        } else if (word == QLatin1String("listid")) {
            m_overrideList = param;
        } else if (word == QLatin1String("ls") && m_listOverrides.size() < MaxLists) {
            m_listOverrides.insert(param, m_overrideList);
        }
        break;
    case Destination::Numbering:
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        NumberingWord(word, param);
        break;
    case Destination::Skip:
        break;
    }
}

bool Parser::DestinationWord(const QString& word)
{
    Destination& destination = m_state.destination;
    if (word == QLatin1String("fonttbl")) {
        destination = Destination::FontTable;
    } else if (word == QLatin1String("colortbl")) {
        destination = Destination::ColorTable;
    } else if (word == QLatin1String("listtable")) {
        destination = Destination::ListTable;
    } else if (word == QLatin1String("listoverridetable")) {
        destination = Destination::ListOverrideTable;
    } else if (word == QLatin1String("leveltext")) {
        if (destination == Destination::ListTable && !m_list.empty()) {
            destination = Destination::LevelText;
            m_list.back().text.clear();
        } else {
            destination = Destination::Skip;
        }
    } else if (word == QLatin1String("pn")) {
        if (destination == Destination::Text && !m_state.marker) {
            destination = Destination::Numbering;
            m_numbering = Numbering();
            m_numbering.present = true;
        } else {
            destination = Destination::Skip;
        }
    } else if (word == QLatin1String("pntxtb") || word == QLatin1String("pntxta")) {
        if (destination == Destination::Numbering)
            destination =
                word.endsWith(QLatin1Char('b')) ? Destination::NumberingBefore : Destination::NumberingAfter;
        else
            destination = Destination::Skip;
    } else if (word == QLatin1String("pntext") || word == QLatin1String("listtext")) {
        if (destination == Destination::Text) {
            m_state.marker = true;
            m_markerWritten = true;
        } else {
            destination = Destination::Skip;
        }
    } else if (word == QLatin1String("nesttableprops") || word == QLatin1String("fldrslt") ||
               word == QLatin1String("field")) {
        // Containers whose words and text are read as they come.
    } else {
        return false;
    }
    return true;
}

void Parser::TextWord(const QString& word, bool hasParam, int param)
{
    if (CharWord(word, hasParam, param))
        return;
    if (word == QLatin1String("par") || word == QLatin1String("sect") || word == QLatin1String("page")) {
        // A hidden paragraph mark joins its paragraph to the next.
        if (!m_state.marker && !m_state.chars.hidden)
            Paragraph();
    } else if (word == QLatin1String("line")) {
        Put(QChar::LineSeparator);
    } else if (word == QLatin1String("tab")) {
        Put(QLatin1Char('\t'));
    } else if (word == QLatin1String("emdash")) {
        Put(QChar(0x2014));
    } else if (word == QLatin1String("endash")) {
        Put(QChar(0x2013));
    } else if (word == QLatin1String("emspace")) {
        Put(QChar(0x2003));
    } else if (word == QLatin1String("enspace")) {
        Put(QChar(0x2002));
    } else if (word == QLatin1String("qmspace")) {
        Put(QChar(0x2005));
    } else if (word == QLatin1String("bullet")) {
        Put(QChar(0x2022));
    } else if (word == QLatin1String("lquote")) {
        Put(QChar(0x2018));
    } else if (word == QLatin1String("rquote")) {
        Put(QChar(0x2019));
    } else if (word == QLatin1String("ldblquote")) {
        Put(QChar(0x201C));
    } else if (word == QLatin1String("rdblquote")) {
        Put(QChar(0x201D));
    } else if (word == QLatin1String("zwj")) {
        Put(QChar(0x200D));
    } else if (word == QLatin1String("zwnj")) {
        Put(QChar(0x200C));
    } else if (word == QLatin1String("rtlmark")) {
        Put(QChar(0x200F));
    } else if (word == QLatin1String("ltrmark")) {
        Put(QChar(0x200E));
    } else if (m_state.marker) {
        // Paragraph and table words inside a list marker belong to the marker.
    } else if (word == QLatin1String("cell")) {
        Cell(std::max(Depth(), 1));
    } else if (word == QLatin1String("nestcell")) {
        Cell(std::max(Depth(), 2));
    } else if (word == QLatin1String("row")) {
        Row(1);
    } else if (word == QLatin1String("nestrow")) {
        Row(std::max(Depth(), 2));
    } else if (!ParagraphWord(word, hasParam, param)) {
        RowWord(word, param);
    }
}

bool Parser::CharWord(const QString& word, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    CharState& chars = m_state.chars;
    if (word == QLatin1String("f")) {
        chars.font = param;
    } else if (word == QLatin1String("af")) {
        if (m_associatedIsBidi)
            chars.associatedFont = param;
    } else if (word == QLatin1String("fs")) {
        chars.halfPoints = std::clamp(hasParam ? param : 24, 2, 3276);
    } else if (word == QLatin1String("afs")) {
        chars.associatedHalfPoints = std::clamp(hasParam ? param : 24, 2, 3276);
    } else if (word == QLatin1String("b")) {
        chars.bold = on;
    } else if (word == QLatin1String("ab")) {
        chars.associatedBold = on ? 1 : 0;
    } else if (word == QLatin1String("i")) {
        chars.italic = on;
    } else if (word == QLatin1String("ai")) {
        chars.associatedItalic = on ? 1 : 0;
    } else if (word == QLatin1String("ul") || word == QLatin1String("uld") || word == QLatin1String("uldb") ||
               word == QLatin1String("ulw") || word == QLatin1String("ulth") ||
               word == QLatin1String("uldash")) {
        chars.underline = on;
    } else if (word == QLatin1String("ulnone")) {
        chars.underline = false;
    } else if (word == QLatin1String("strike") || word == QLatin1String("striked")) {
        chars.strike = on;
    } else if (word == QLatin1String("v")) {
        chars.hidden = on;
    } else if (word == QLatin1String("caps")) {
        chars.caps = on;
    } else if (word == QLatin1String("scaps")) {
        chars.smallCaps = on;
    } else if (word == QLatin1String("super")) {
        chars.vertical = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
    } else if (word == QLatin1String("sub")) {
        chars.vertical = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
    } else if (word == QLatin1String("up")) {
        chars.vertical = param > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
    } else if (word == QLatin1String("dn")) {
        chars.vertical = param > 0 ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
    } else if (word == QLatin1String("nosupersub")) {
        chars.vertical = QTextCharFormat::AlignNormal;
    } else if (word == QLatin1String("cf")) {
        chars.color = param;
    } else if (word == QLatin1String("cb") || word == QLatin1String("chcbpat")) {
        chars.background = param;
    } else if (word == QLatin1String("highlight")) {
        chars.highlight = param;
    } else if (word == QLatin1String("rtlch")) {
        chars.rightToLeft = true;
        m_associatedIsBidi = true;
    } else if (word == QLatin1String("ltrch")) {
        chars.rightToLeft = false;
        m_associatedIsBidi = true;
    } else if (word == QLatin1String("fcs")) {
        m_associatedIsBidi = true;
    } else if (word == QLatin1String("loch") || word == QLatin1String("hich") ||
               word == QLatin1String("dbch")) {
        m_associatedIsBidi = false;
    } else if (word == QLatin1String("plain")) {
        chars = CharState();
        chars.font = m_defaultFont;
        m_associatedIsBidi = true;
    } else if (word == QLatin1String("uc")) {
        m_state.unicodeSkip = std::clamp(param, 0, 16);
    } else if (word == QLatin1String("ansi")) {
        m_ansiCodePage = 1252;
    } else if (word == QLatin1String("mac")) {
        m_ansiCodePage = 10000;
    } else if (word == QLatin1String("pc")) {
        m_ansiCodePage = 437;
    } else if (word == QLatin1String("pca")) {
        m_ansiCodePage = 850;
    } else if (word == QLatin1String("ansicpg")) {
        m_ansiCodePage = param;
    } else if (word == QLatin1String("deff")) {
        m_defaultFont = param;
        if (chars.font < 0)
            chars.font = param;
    } else {
        return false;
    }
    return true;
}

bool Parser::ParagraphWord(const QString& word, bool hasParam, int param)
{
    ParaState& para = m_state.para;
    if (word == QLatin1String("pard")) {
        para = ParaState();
    } else if (word == QLatin1String("ql")) {
        para.alignment = Qt::AlignLeft | Qt::AlignAbsolute;
    } else if (word == QLatin1String("qr")) {
        para.alignment = Qt::AlignRight | Qt::AlignAbsolute;
    } else if (word == QLatin1String("qc")) {
        para.alignment = Qt::AlignHCenter;
    } else if (word == QLatin1String("qj") || word == QLatin1String("qd")) {
        para.alignment = Qt::AlignJustify;
    } else if (word == QLatin1String("rtlpar")) {
        para.direction = Qt::RightToLeft;
    } else if (word == QLatin1String("ltrpar")) {
        para.direction = Qt::LeftToRight;
    } else if (word == QLatin1String("li") || word == QLatin1String("lin")) {
        para.leadingIndent = Twips(param);
    } else if (word == QLatin1String("ri") || word == QLatin1String("rin")) {
        para.trailingIndent = Twips(param);
    } else if (word == QLatin1String("fi")) {
        para.firstIndent = Twips(param);
    } else if (word == QLatin1String("sb")) {
        para.spaceBefore = std::clamp(param, 0, MaxTwips);
    } else if (word == QLatin1String("sa")) {
        para.spaceAfter = std::clamp(param, 0, MaxTwips);
    } else if (word == QLatin1String("sl")) {
        para.lineSpacing = hasParam ? Twips(param) : 0;
    } else if (word == QLatin1String("slmult")) {
        para.lineMultiple = param != 0;
    } else if (word == QLatin1String("tqr")) {
        para.nextTabType = QTextOption::RightTab;
    } else if (word == QLatin1String("tqc")) {
        para.nextTabType = QTextOption::CenterTab;
    } else if (word == QLatin1String("tqdec")) {
        para.nextTabType = QTextOption::DelimiterTab;
    } else if (word == QLatin1String("tx") || word == QLatin1String("tb")) {
        if (static_cast<int>(para.tabs.size()) < MaxTabs)
            para.tabs.push_back(TabStop{std::clamp(param, 0, MaxTwips), para.nextTabType});
        para.nextTabType = QTextOption::LeftTab;
    } else if (word == QLatin1String("intbl")) {
        para.inTable = true;
    } else if (word == QLatin1String("itap")) {
        para.nesting = std::clamp(param, 0, RtfTableBuilder::MaxDepth);
    } else if (word == QLatin1String("ls")) {
        para.list = param;
    } else if (word == QLatin1String("ilvl")) {
        para.listLevel = std::clamp(param, 0, MaxListLevels - 1);
    } else {
        return false;
    }
    return true;
}

bool Parser::RowWord(const QString& word, int param)
{
    if (word == QLatin1String("trowd")) {
        m_row = RtfRowDefinition();
        m_borderSide = false;
        if (m_state.para.nesting == 0)
            m_state.para.inTable = true;
    } else if (word == QLatin1String("cellx")) {
        if (static_cast<int>(m_row.cellRight.size()) < RtfTableBuilder::MaxColumns)
            m_row.cellRight.push_back(Twips(param));
    } else if (word == QLatin1String("trleft")) {
        m_row.left = Twips(param);
    } else if (word == QLatin1String("trgaph")) {
        m_row.gap = Twips(param);
    } else if (word == QLatin1String("rtlrow")) {
        m_row.rightToLeft = true;
    } else if (word == QLatin1String("ltrrow")) {
        m_row.rightToLeft = false;
    } else if (word == QLatin1String("trql")) {
        m_row.alignment = Qt::AlignLeft;
    } else if (word == QLatin1String("trqr")) {
        m_row.alignment = Qt::AlignRight;
    } else if (word == QLatin1String("trqc")) {
        m_row.alignment = Qt::AlignHCenter;
    } else if (word.startsWith(QLatin1String("clbrdr")) || word.startsWith(QLatin1String("trbrdr"))) {
        m_borderSide = true;
    } else if (word.startsWith(QLatin1String("brdr"))) {
        // A border side is drawn when a line style follows it.
        if (m_borderSide && word != QLatin1String("brdrw") && word != QLatin1String("brdrcf") &&
            word != QLatin1String("brdrsp")) {
            if (word != QLatin1String("brdrnone") && word != QLatin1String("brdrnil") &&
                word != QLatin1String("brdrtbl"))
                m_row.borders = true;
            m_borderSide = false;
        }
    } else {
        return false;
    }
    return true;
}

void Parser::ListTableWord(const QString& word, int param)
{
    if (word == QLatin1String("list")) {
        m_list.clear();
    } else if (word == QLatin1String("listlevel")) {
        if (static_cast<int>(m_list.size()) < MaxListLevels)
            m_list.emplace_back();
    } else if (word == QLatin1String("listid")) {
        if (m_lists.size() < MaxLists)
            m_lists.insert(param, m_list);
    } else if (m_list.empty()) {
        return;
    } else if (word == QLatin1String("levelnfc") || word == QLatin1String("levelnfcn")) {
        m_list.back().style = param;
    } else if (word == QLatin1String("levelstartat")) {
        m_list.back().start = std::clamp(param, 0, MaxNumber);
    } else if (word == QLatin1String("levelfollow")) {
        m_list.back().follow = param;
    } else if (word == QLatin1String("f")) {
        m_list.back().font = param;
    }
}

void Parser::NumberingWord(const QString& word, int param)
{
    Numbering& numbering = m_numbering;
    if (word == QLatin1String("pnlvlblt")) {
        numbering.bullet = true;
    } else if (word == QLatin1String("pnlvlcont")) {
        numbering.continuation = true;
    } else if (word == QLatin1String("pnlvlbody") || word == QLatin1String("pnlvl")) {
        numbering.bullet = false;
    } else if (word == QLatin1String("pndec")) {
        numbering.style = RtfNumbering::Decimal;
    } else if (word == QLatin1String("pnucrm")) {
        numbering.style = RtfNumbering::UpperRoman;
    } else if (word == QLatin1String("pnlcrm")) {
        numbering.style = RtfNumbering::LowerRoman;
    } else if (word == QLatin1String("pnucltr")) {
        numbering.style = RtfNumbering::UpperLetter;
    } else if (word == QLatin1String("pnlcltr")) {
        numbering.style = RtfNumbering::LowerLetter;
    } else if (word == QLatin1String("pnstart")) {
        numbering.start = std::clamp(param, 0, MaxNumber);
    } else if (word == QLatin1String("pnf")) {
        numbering.font = param;
    }
}

void Parser::Text(QChar c)
{
    FlushBytes();
    m_ignorable = false;
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    const FontEntry* font = Font(m_state.chars.font);
    if (m_state.destination == Destination::Text && font != nullptr && font->symbol)
        Put(CodePages::SymbolChar(font->name, c.unicode()));
    else
        Put(c);
}

void Parser::Put(QChar c)
{
    switch (m_state.destination) {
    case Destination::Text:
        if (m_state.chars.hidden)
            return;
        StartContent(Depth());
        Append(c);
        break;
    case Destination::FontTable:
        if (c == QLatin1Char(';'))
            CommitFont();
        else if (m_fontEntry.name.size() < MaxFontNameLength)
            m_fontEntry.name.append(c);
        break;
    case Destination::ColorTable:
        if (c == QLatin1Char(';'))
            CommitColor();
        break;
    case Destination::LevelText:
        if (!m_list.empty() && m_list.back().text.size() < MaxMarkerLength)
            m_list.back().text.append(c);
        break;
    case Destination::NumberingBefore:
        if (m_numbering.before.size() < MaxMarkerLength)
            m_numbering.before.append(c);
        break;
    case Destination::NumberingAfter:
        if (m_numbering.after.size() < MaxMarkerLength)
            m_numbering.after.append(c);
        break;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
    case Destination::Numbering:
    case Destination::Skip:
        break;
    }
}

void Parser::Append(QChar c)
{
    const Script script = IsNeutral(c) ? Script::Other : ScriptOf(c);
    if (m_run.isEmpty()) {
        m_runScript =
            IsNeutral(c) ? (m_state.chars.rightToLeft ? Script::RightToLeft : Script::Other) : script;
    } else if (!IsNeutral(c) && script != m_runScript) {
        FlushRun();
        m_runScript = script;
    }
    m_run.append(c);
}

void Parser::Byte(unsigned char byte)
{
    switch (m_state.destination) {
    case Destination::LevelText:
        // Lengths and level numbers are written as bytes; the characters are read with the level's font.
        Put(QChar(byte));
        return;
    case Destination::NumberingBefore:
    case Destination::NumberingAfter: {
        const FontEntry* font = Font(m_numbering.font);
        if (font != nullptr && font->symbol)
            Put(CodePages::SymbolChar(font->name, byte));
        else
            for (const QChar c : CodePages::Decode(CodePageOf(m_numbering.font), QByteArrayView(&byte, 1)))
                Put(c);
        return;
    }
    case Destination::Text: {
        const FontEntry* font = Font(m_state.chars.font);
        if (font != nullptr && font->symbol) {
            FlushBytes();
            Put(CodePages::SymbolChar(font->name, byte));
            return;
        }
        break;
    }
    case Destination::FontTable:
        break;
    default:
        return;
    }
    int codePage = CodePageOf(m_state.chars.font);
    if (m_state.destination == Destination::FontTable && m_fontEntry.codePage != 0)
        codePage = m_fontEntry.codePage;
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        FlushBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(static_cast<char>(byte));
}

void Parser::FlushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = CodePages::Decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
    for (const QChar c : text)
        Put(c);
}

void Parser::StartContent(int depth)
{
    if (m_contentStarted)
        return;
    m_contentStarted = true;
    FlushRun();
    const bool moved = m_tables.Place(depth, m_row);
    if (m_blockPending && !moved)
        m_cursor.insertBlock();
    m_blockPending = false;
    if (!m_markerWritten) {
        m_markerWritten = true;
        for (const QChar c : Marker())
            Append(c);
    }
}

void Parser::Paragraph()
{
    StartContent(Depth());
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat());
    m_blockPending = true;
    EndParagraph();
}

void Parser::Cell(int depth)
{
    StartContent(depth);
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat());
    m_blockPending = false;
    m_tables.EndCell(depth);
    EndParagraph();
}

void Parser::Row(int depth)
{
    if (m_contentStarted) {
        FlushRun();
        m_cursor.setBlockFormat(BlockFormat());
    }
    if (m_tables.EndRow(depth, m_row)) {
        m_blockPending = false;
    } else if (m_contentStarted) {
        m_blockPending = true;
    }
    EndParagraph();
}

void Parser::EndParagraph()
{
    m_contentStarted = false;
    m_markerWritten = false;
    m_numberingContinues = m_state.para.numbering.present;
}

QString Parser::Marker()
{
    if (m_state.para.numbering.present)
        return NumberingMarker();
    if (m_state.para.list != 0)
        return ListMarker();
    return QString();
}

QString Parser::NumberingMarker()
{
    const Numbering& numbering = m_state.para.numbering;
    if (numbering.continuation)
        return QString();
    QString text = numbering.before;
    if (numbering.bullet) {
        if (text.isEmpty())
            text = QChar(0x2022);
    } else {
        if (!m_numberingContinues)
            m_nextNumber = numbering.start;
        text += RtfNumbering::Format(m_nextNumber, numbering.style);
        m_nextNumber = std::min(m_nextNumber + 1, MaxNumber);
    }
    return text + numbering.after + QLatin1Char('\t');
}

QString Parser::ListMarker()
{
    const ParaState& para = m_state.para;
    const auto list = m_lists.constFind(m_listOverrides.value(para.list, -1));
    if (list == m_lists.constEnd() || list->empty())
        return QString();
    const ListLevels& levels = *list;
    const int level = std::min(para.listLevel, static_cast<int>(levels.size()) - 1);
    auto numbers = m_listNumbers.find(para.list);
    if (numbers == m_listNumbers.end())
        numbers = m_listNumbers.insert(para.list, std::array<int, MaxListLevels>{});
    std::array<int, MaxListLevels>& counters = *numbers;
    for (int i = 0; i < level; ++i) {
        if (counters[i] == 0)
            counters[i] = levels[i].start;
    }
    counters[level] = counters[level] == 0 ? levels[level].start : std::min(counters[level] + 1, MaxNumber);
    for (int i = level + 1; i < MaxListLevels; ++i)
        counters[i] = 0;

    const ListLevel& current = levels[level];
    const FontEntry* font = Font(current.font);
    QString text;
    if (current.text.isEmpty()) {
        text = RtfNumbering::Format(counters[level], current.style);
    } else {
        const int length = std::min<int>(current.text.at(0).unicode(), current.text.size() - 1);
        for (int i = 1; i <= length; ++i) {
            const QChar c = current.text.at(i);
            if (c.unicode() < MaxListLevels) {
                const int shown = c.unicode();
                if (shown < static_cast<int>(levels.size()))
                    text += RtfNumbering::Format(counters[shown], levels[shown].style);
            } else if (font != nullptr && font->symbol) {
                text += CodePages::SymbolChar(font->name, c.unicode());
            } else {
                text += c;
            }
        }
    }
    if (current.follow == 0)
        text += QLatin1Char('\t');
    else if (current.follow == 1)
        text += QLatin1Char(' ');
    return text;
}

void Parser::FlushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, CharFormat());
    m_run.clear();
}

void Parser::CommitFont()
{
    if (m_fontNumber >= 0 && m_fonts.size() < MaxFonts) {
        FontEntry entry{m_fontEntry.name.trimmed(), m_fontEntry.codePage, false};
        entry.symbol = entry.codePage == CodePages::Symbol || CodePages::IsSymbolFont(entry.name);
        m_fonts.insert(m_fontNumber, entry);
    }
    m_fontEntry = FontEntry();
}

void Parser::CommitColor()
{
    if (static_cast<int>(m_colors.size()) < MaxColors) {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.emplace_back();
        else
            m_colors.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    }
    m_red = m_green = m_blue = -1;
}

int Parser::Depth() const
{
    const ParaState& para = m_state.para;
    if (para.nesting > 0)
        return para.nesting;
    return para.inTable ? 1 : 0;
}

const FontEntry* Parser::Font(int font) const
{
    const auto entry = m_fonts.constFind(font);
    return entry != m_fonts.constEnd() ? &*entry : nullptr;
}

int Parser::CodePageOf(int font) const
{
    const FontEntry* entry = Font(font);
    if (entry != nullptr && entry->codePage != 0 && entry->codePage != CodePages::Symbol)
        return entry->codePage;
    return m_ansiCodePage;
}

QColor Parser::Color(int index) const
{
    if (index > 0 && index < static_cast<int>(m_colors.size()))
        return m_colors[index];
    return QColor();
}

QTextCharFormat Parser::CharFormat() const
{
    const CharState& chars = m_state.chars;
    const bool bidi = m_runScript == Script::RightToLeft;
    QTextCharFormat format;
    QString family = m_baseFont.family();
    const FontEntry* font = Font(bidi && chars.associatedFont >= 0 ? chars.associatedFont : chars.font);
    // Text of a symbol font has been read as Unicode characters, which the symbol font lacks.
    if (font != nullptr && !font->name.isEmpty() && !font->symbol)
        family = font->name;
    format.setFontFamilies(QStringList{family});
    const int halfPoints =
        bidi && chars.associatedHalfPoints >= 0 ? chars.associatedHalfPoints : chars.halfPoints;
    format.setFontPointSize(halfPoints / 2.0);
    const bool bold = bidi && chars.associatedBold >= 0 ? chars.associatedBold == 1 : chars.bold;
    const bool italic = bidi && chars.associatedItalic >= 0 ? chars.associatedItalic == 1 : chars.italic;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    if (chars.caps)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (chars.smallCaps)
        format.setFontCapitalization(QFont::SmallCaps);
    format.setVerticalAlignment(chars.vertical);
    const QColor color = Color(chars.color);
    format.setForeground(color.isValid() ? color : QColor(Qt::black));
    const QColor background = Color(chars.highlight > 0 ? chars.highlight : chars.background);
    if (background.isValid())
        format.setBackground(background);
    return format;
}

QTextBlockFormat Parser::BlockFormat() const
{
    const ParaState& para = m_state.para;
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    format.setLayoutDirection(para.direction);
    // Indents are measured from the side where the paragraph's lines begin.
    const int leading = std::max(para.leadingIndent, 0);
    const int trailing = std::max(para.trailingIndent, 0);
    const int first = std::max(para.firstIndent, -leading);
    if (para.direction == Qt::RightToLeft) {
        format.setRightMargin(leading * m_pixelsPerTwip);
        format.setLeftMargin(trailing * m_pixelsPerTwip);
    } else {
        format.setLeftMargin(leading * m_pixelsPerTwip);
        format.setRightMargin(trailing * m_pixelsPerTwip);
    }
    format.setTextIndent(first * m_pixelsPerTwip);
    format.setTopMargin(para.spaceBefore / TwipsPerPixel);
    format.setBottomMargin(para.spaceAfter / TwipsPerPixel);
    if (para.lineSpacing > 0 && para.lineMultiple)
        format.setLineHeight(para.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (para.lineSpacing > 0)
        format.setLineHeight(para.lineSpacing / TwipsPerPixel, QTextBlockFormat::MinimumHeight);
    else if (para.lineSpacing < 0)
        format.setLineHeight(-para.lineSpacing / TwipsPerPixel, QTextBlockFormat::FixedHeight);

    // Tab stops are measured from where the first line begins. A hanging first line stops at the
    // paragraph's indent unless a tab stop of its own comes first.
    const int lineStart = leading + first;
    std::vector<TabStop> stops;
    for (const TabStop& stop : para.tabs) {
        if (stop.position > lineStart)
            stops.push_back(stop);
    }
    if (first < 0 && std::none_of(stops.begin(), stops.end(),
                                  [&](const TabStop& stop) { return stop.position < leading; }))
        stops.push_back(TabStop{leading, QTextOption::LeftTab});
    std::sort(stops.begin(), stops.end(),
              [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    // In a right-to-left line Qt puts the text after a right tab where the stop is, and the text
    // before a left one: the start of the text takes the stop when the two are swapped.
    const bool rightToLeft = para.direction == Qt::RightToLeft;
    QList<QTextOption::Tab> tabs;
    for (const TabStop& stop : stops) {
        const double position = (stop.position - lineStart) / TwipsPerPixel;
        QTextOption::TabType type = stop.type;
        if (rightToLeft && type == QTextOption::LeftTab)
            type = QTextOption::RightTab;
        else if (rightToLeft && type == QTextOption::RightTab)
            type = QTextOption::LeftTab;
        if (type == QTextOption::DelimiterTab)
            tabs.append(QTextOption::Tab(position, type, QLatin1Char('.')));
        else
            tabs.append(QTextOption::Tab(position, type));
    }
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

} // namespace

bool RtfReader::LooksLikeRtf(const QString& text)
{
    return text.startsWith(QLatin1String("{\\rtf"));
}

bool RtfReader::Read(const QString& rtf, QTextDocument& document, const QFont& baseFont)
{
    if (!LooksLikeRtf(rtf)) {
        document.clear();
        return false;
    }
    const QPaintDevice* device = document.documentLayout()->paintDevice();
    // The text is built in a document of its own, which nothing lays out while it grows (a laid-out
    // document lays a table out again at every insertion), and then copied in one piece.
    QTextDocument built;
    built.setUndoRedoEnabled(false);
    const bool read = Parser(rtf, built, baseFont, device != nullptr ? device->logicalDpiX() : 96).Run();
    document.clear();
    if (read)
        QTextCursor(&document).insertFragment(QTextDocumentFragment(&built));
    return read;
}
