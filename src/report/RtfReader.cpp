#include "RtfReader.h"

#include "CodePages.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

constexpr int MaxWordLength = 32;
constexpr int MaxFontNameLength = 128;
constexpr int MaxColors = 4096;
constexpr int MaxFonts = 4096;

enum class Destination
{
    Text,
    FontTable,
    ColorTable,
    Skip
};

struct CharState
{
    int font = -1;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeading;
    Qt::LayoutDirection direction = Qt::RightToLeft;
};

struct Group
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
};

struct FontEntry
{
    QString name;
    int codePage = 0;
};

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

bool IsSkippedDestination(const QString& word)
{
    static const QStringList skipped{
        QStringLiteral("pict"),
        QStringLiteral("stylesheet"),
        QStringLiteral("info"),
        QStringLiteral("header"),
        QStringLiteral("headerl"),
        QStringLiteral("headerr"),
        QStringLiteral("headerf"),
        QStringLiteral("footer"),
        QStringLiteral("footerl"),
        QStringLiteral("footerr"),
        QStringLiteral("footerf"),
        QStringLiteral("footnote"),
        QStringLiteral("object"),
        QStringLiteral("themedata"),
        QStringLiteral("colorschememapping"),
        QStringLiteral("latentstyles"),
        QStringLiteral("datastore"),
        QStringLiteral("xmlnstbl"),
        QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"),
        QStringLiteral("rsidtbl"),
        QStringLiteral("generator"),
        QStringLiteral("fldinst"),
        QStringLiteral("filetbl"),
        QStringLiteral("revtbl"),
        QStringLiteral("nonshppict"),
        QStringLiteral("shppict"),
        QStringLiteral("annotation"),
        QStringLiteral("atnid"),
        QStringLiteral("userprops"),
        QStringLiteral("docvar"),
        QStringLiteral("comment"),
        QStringLiteral("bkmkstart"),
        QStringLiteral("bkmkend"),
        QStringLiteral("template"),
        QStringLiteral("pntext"),
    };
    return skipped.contains(word);
}

class Parser
{
public:
    Parser(const QString& input, QTextDocument& document, const QFont& baseFont)
        : m_in(input), m_cursor(&document), m_baseFont(baseFont)
    {}

    bool Run();

private:
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ReadSymbol(QChar symbol);
    void Word(const QString& word, bool hasParam, int param);
    void TextWord(const QString& word, bool hasParam, int param);
    void Text(QChar c);
    void Byte(unsigned char byte);
    void Paragraph();
    void FlushRun();
    void CommitFont();
    void CommitColor();
    QTextCharFormat CharFormat() const;
    QTextBlockFormat BlockFormat() const;

    const QString& m_in;
    int m_pos = 0;
    QTextCursor m_cursor;
    QFont m_baseFont;
    std::vector<Group> m_stack;
    Group m_state;
    bool m_done = false;
    bool m_tooDeep = false;
    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    int m_pendingSkip = 0;
    QString m_run;
    QHash<int, FontEntry> m_fonts;
    int m_fontNumber = -1;
    FontEntry m_fontEntry;
    std::vector<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
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
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat());
    return true;
}

void Parser::OpenGroup()
{
    FlushRun();
    m_pendingSkip = 0;
    if (static_cast<int>(m_stack.size()) >= RtfReader::MaxDepth) {
        m_tooDeep = true;
        return;
    }
    m_stack.push_back(m_state);
}

void Parser::CloseGroup()
{
    FlushRun();
    m_pendingSkip = 0;
    if (m_state.destination == Destination::FontTable && !m_fontEntry.name.isEmpty())
        CommitFont();
    // The document's own group keeps its state to the end: its last paragraph takes it.
    if (m_stack.size() <= 1) {
        m_done = true;
        return;
    }
    m_state = m_stack.back();
    m_stack.pop_back();
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
        if (digits == 2)
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
    case '*':
        FlushRun();
        m_state.destination = Destination::Skip;
        return;
    case '\r':
    case '\n':
        if (m_state.destination == Destination::Text)
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
    if (m_state.destination == Destination::Skip)
        return;
    if (IsSkippedDestination(word)) {
        m_state.destination = Destination::Skip;
        return;
    }
    if (word == QLatin1String("ansi")) {
        m_ansiCodePage = 1252;
    } else if (word == QLatin1String("ansicpg")) {
        m_ansiCodePage = param;
    } else if (word == QLatin1String("deff")) {
        m_defaultFont = param;
    } else if (word == QLatin1String("fonttbl")) {
        m_state.destination = Destination::FontTable;
    } else if (word == QLatin1String("colortbl")) {
        m_state.destination = Destination::ColorTable;
    } else if (m_state.destination == Destination::FontTable) {
        if (word == QLatin1String("f")) {
            m_fontNumber = param;
            m_fontEntry = FontEntry();
        } else if (word == QLatin1String("fcharset")) {
            m_fontEntry.codePage = CodePages::OfCharset(param);
        }
    } else if (m_state.destination == Destination::ColorTable) {
        const int component = std::clamp(param, 0, 255);
        if (word == QLatin1String("red"))
            m_red = component;
        else if (word == QLatin1String("green"))
            m_green = component;
        else if (word == QLatin1String("blue"))
            m_blue = component;
    } else {
        TextWord(word, hasParam, param);
    }
}

void Parser::TextWord(const QString& word, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    CharState& chars = m_state.chars;
    ParaState& para = m_state.para;
    if (word == QLatin1String("f")) {
        chars.font = param;
    } else if (word == QLatin1String("fs")) {
        chars.halfPoints = std::clamp(hasParam ? param : 24, 2, 3276);
    } else if (word == QLatin1String("b")) {
        chars.bold = on;
    } else if (word == QLatin1String("i")) {
        chars.italic = on;
    } else if (word == QLatin1String("ul")) {
        chars.underline = on;
    } else if (word == QLatin1String("ulnone")) {
        chars.underline = false;
    } else if (word == QLatin1String("cf")) {
        chars.color = param;
    } else if (word == QLatin1String("plain")) {
        chars = CharState();
        chars.font = m_defaultFont;
    } else if (word == QLatin1String("par") || word == QLatin1String("row") ||
               word == QLatin1String("sect") || word == QLatin1String("page")) {
        Paragraph();
    } else if (word == QLatin1String("line")) {
        Text(QChar::LineSeparator);
    } else if (word == QLatin1String("tab") || word == QLatin1String("cell")) {
        Text(QLatin1Char('\t'));
    } else if (word == QLatin1String("pard")) {
        para = ParaState();
    } else if (word == QLatin1String("ql")) {
        para.alignment = Qt::AlignLeft | Qt::AlignAbsolute;
    } else if (word == QLatin1String("qr")) {
        para.alignment = Qt::AlignRight | Qt::AlignAbsolute;
    } else if (word == QLatin1String("qc")) {
        para.alignment = Qt::AlignHCenter;
    } else if (word == QLatin1String("qj")) {
        para.alignment = Qt::AlignJustify;
    } else if (word == QLatin1String("rtlpar")) {
        para.direction = Qt::RightToLeft;
    } else if (word == QLatin1String("ltrpar")) {
        para.direction = Qt::LeftToRight;
    } else if (word == QLatin1String("uc")) {
        m_state.unicodeSkip = std::clamp(param, 0, 16);
    } else if (word == QLatin1String("u")) {
        const int code = param < 0 ? param + 65536 : param;
        if (code >= 0 && code <= 0xFFFF)
            m_run.append(QChar(static_cast<char16_t>(code)));
        m_pendingSkip = m_state.unicodeSkip;
    } else if (word == QLatin1String("emdash")) {
        Text(QChar(0x2014));
    } else if (word == QLatin1String("endash")) {
        Text(QChar(0x2013));
    } else if (word == QLatin1String("bullet")) {
        Text(QChar(0x2022));
    } else if (word == QLatin1String("lquote")) {
        Text(QChar(0x2018));
    } else if (word == QLatin1String("rquote")) {
        Text(QChar(0x2019));
    } else if (word == QLatin1String("ldblquote")) {
        Text(QChar(0x201C));
    } else if (word == QLatin1String("rdblquote")) {
        Text(QChar(0x201D));
    }
}

void Parser::Text(QChar c)
{
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        m_run.append(c);
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
    case Destination::Skip:
        break;
    }
}

void Parser::Byte(unsigned char byte)
{
    int codePage = m_ansiCodePage;
    const auto font = m_fonts.constFind(m_state.chars.font);
    if (font != m_fonts.constEnd() && font->codePage != 0)
        codePage = font->codePage;
    if (m_state.destination == Destination::FontTable && m_fontEntry.codePage != 0)
        codePage = m_fontEntry.codePage;
    Text(CodePages::ToUnicode(codePage, byte));
}

void Parser::Paragraph()
{
    FlushRun();
    m_cursor.setBlockFormat(BlockFormat());
    m_cursor.insertBlock();
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
    if (m_fontNumber >= 0 && m_fonts.size() < MaxFonts)
        m_fonts.insert(m_fontNumber, FontEntry{m_fontEntry.name.trimmed(), m_fontEntry.codePage});
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

QTextCharFormat Parser::CharFormat() const
{
    const CharState& chars = m_state.chars;
    QTextCharFormat format;
    QString family = m_baseFont.family();
    const auto font = m_fonts.constFind(chars.font);
    if (font != m_fonts.constEnd() && !font->name.isEmpty())
        family = font->name;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(chars.halfPoints / 2.0);
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    QColor color(Qt::black);
    if (chars.color > 0 && chars.color < static_cast<int>(m_colors.size()) && m_colors[chars.color].isValid())
        color = m_colors[chars.color];
    format.setForeground(color);
    return format;
}

QTextBlockFormat Parser::BlockFormat() const
{
    QTextBlockFormat format;
    format.setAlignment(m_state.para.alignment);
    format.setLayoutDirection(m_state.para.direction);
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
    return Parser(rtf, document, baseFont).Run();
}
