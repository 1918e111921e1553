#include "FoldingLike.h"

#include "ArabicPresentationForms.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>

namespace {

constexpr char32_t Ignored = 0;
// Marks a byte that does not begin a valid UTF-8 sequence; the byte itself is kept in the low bits.
constexpr char32_t InvalidByte = 0x110000;
// A zero-width non-joiner in a folded text: a blank of the pattern matches it, anything else skips it.
constexpr char32_t Joiner = 0x120000;

bool IsArabicMark(char32_t c)
{
    return (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
           (c >= 0x06D6 && c <= 0x06DC) || (c >= 0x06DF && c <= 0x06E8) || (c >= 0x06EA && c <= 0x06ED);
}

bool IsFormatCharacter(char32_t c)
{
    return c == 0x00AD || c == 0x061C || (c >= 0x200B && c <= 0x200F && c != 0x200C) ||
           (c >= 0x202A && c <= 0x202E) || c == 0x2060 || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

bool IsSpace(char32_t c)
{
    return c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

// One character that is not a presentation form, folded.
char32_t FoldLetter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    switch (c) {
    case 0x0622: // alef with madda above: alef and the madda, a mark
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0671: // alef wasla
        return 0x0627;
    case 0x0624: // waw with hamza above
        return 0x0648;
    case 0x0626: // yeh with hamza above
    case 0x0649: // alef maksura
    case 0x06CC: // Farsi yeh
    case 0x06D2: // yeh barree
    case 0x06D3: // yeh barree with hamza above
        return 0x064A;
    case 0x06A9: // keheh
        return 0x0643;
    case 0x0629: // teh marbuta
    case 0x06C0: // heh with yeh above
    case 0x06C1: // heh goal
    case 0x06C2: // heh goal with hamza above
    case 0x06D5: // ae
        return 0x0647;
    case 0x0640: // tatweel
        return Ignored;
    case 0x200C: // zero-width non-joiner
        return Joiner;
    default:
        break;
    }
    if (c >= 0x06F0 && c <= 0x06F9)
        return U'0' + (c - 0x06F0);
    if (c >= 0x0660 && c <= 0x0669)
        return U'0' + (c - 0x0660);
    if (IsArabicMark(c) || IsFormatCharacter(c))
        return Ignored;
    if (IsSpace(c))
        return U' ';
    return c;
}

// Hands the folded characters of one character to `take`: none, one, or the letters of a ligature.
template <class Take>
void Fold(char32_t c, Take&& take)
{
    const std::u16string_view letters = ArabicPresentationFormLetters(c);
    if (letters.empty()) {
        take(FoldLetter(c));
        return;
    }
    for (const char16_t letter : letters)
        take(FoldLetter(letter));
}

// Reads one character at text[i] and moves i past it.
char32_t Decode(std::string_view text, size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++i;
        return InvalidByte | lead;
    }
    if (i + length > text.size()) {
        ++i;
        return InvalidByte | lead;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return InvalidByte | lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += length;
    return c;
}

// A text folded for matching. A non-joiner is kept (as Joiner) only where it can stand for a blank:
// not at the start, and not beside a blank or another non-joiner.
struct FoldedText
{
    std::u32string chars;
    // The byte offset in the original text of the character each folded character came from; filled
    // only when asked for.
    std::vector<size_t> sources;
    bool hasJoiner = false;

    void Fold(std::string_view text, bool keepJoiners, bool keepSources)
    {
        chars.clear();
        sources.clear();
        hasJoiner = false;
        for (size_t i = 0; i < text.size();) {
            const size_t at = i;
            ::Fold(Decode(text, i), [&](char32_t c) {
                if (c == Ignored)
                    return;
                if (c == Joiner) {
                    if (!keepJoiners || chars.empty() || chars.back() == U' ' || chars.back() == Joiner)
                        return;
                    hasJoiner = true;
                } else if (c == U' ' && !chars.empty() && chars.back() == Joiner) {
                    chars.pop_back();
                    if (keepSources)
                        sources.pop_back();
                }
                chars.push_back(c);
                if (keepSources)
                    sources.push_back(at);
            });
        }
    }
};

// A pattern folded once and kept for every row of a statement: runs of elements (literal folded
// characters and AnyOne) between the '%' of the pattern.
struct CompiledPattern
{
    static constexpr char32_t AnyOne = 0x200001;
    using Segment = std::u32string;

    std::vector<Segment> segments;
    // Whether the pattern begins or ends with '%': the first or last segment need not touch the end.
    bool openStart = false;
    bool openEnd = false;
    // Whether a blank is among the elements, so that the text keeps its non-joiners.
    bool hasBlank = false;
    // The one segment of '%literal%', for a plain substring search.
    bool plainSearch = false;

    CompiledPattern(std::string_view pattern, char32_t escape)
    {
        Segment current;
        bool anyRuns = false;
        const auto add = [&](char32_t c) {
            if (c == Ignored || c == Joiner)
                return;
            hasBlank = hasBlank || c == U' ';
            current.push_back(c);
        };
        for (size_t i = 0; i < pattern.size();) {
            const size_t before = current.size();
            const char32_t c = Decode(pattern, i);
            if (escape != 0 && c == escape && i < pattern.size()) {
                Fold(Decode(pattern, i), add);
            } else if (c == U'%') {
                anyRuns = true;
                if (segments.empty() && current.empty())
                    openStart = true;
                else if (!current.empty())
                    segments.push_back(std::move(current));
                current.clear();
                openEnd = true;
            } else if (c == U'_') {
                current.push_back(AnyOne);
            } else {
                Fold(c, add);
            }
            if (current.size() > before)
                openEnd = false;
        }
        if (!current.empty() || !anyRuns)
            segments.push_back(std::move(current));
        plainSearch = openStart && openEnd && segments.size() == 1 &&
                      std::find(segments[0].begin(), segments[0].end(), AnyOne) == segments[0].end();
    }

    // Where the segment, laid on the text from position t, ends; npos when it does not match there. A
    // non-joiner of the text is matched by a blank and skipped before anything else.
    static size_t SegmentEnd(const Segment& segment, const std::u32string& text, size_t t)
    {
        for (const char32_t element : segment) {
            if (t < text.size() && text[t] == Joiner && element != U' ')
                ++t;
            if (t >= text.size())
                return std::u32string::npos;
            const char32_t c = text[t];
            if (element != AnyOne && c != element && !(element == U' ' && c == Joiner))
                return std::u32string::npos;
            ++t;
        }
        return t;
    }

    // The first place at or after `from` where the segment matches: its start and end.
    static std::pair<size_t, size_t> Find(const Segment& segment, const std::u32string& text, size_t from)
    {
        for (size_t s = from; s < text.size(); ++s) {
            if (text[s] == Joiner)
                continue;
            const size_t end = SegmentEnd(segment, text, s);
            if (end != std::u32string::npos)
                return {s, end};
        }
        return {std::u32string::npos, std::u32string::npos};
    }

    static bool AtEnd(const std::u32string& text, size_t t)
    {
        return t == text.size() || (t + 1 == text.size() && text[t] == Joiner);
    }

    // The end of the match of segments [first, last) from t, each at the first place it fits (which
    // leaves the most room to the ones after it); npos when one does not fit.
    size_t MatchFrom(const std::u32string& text, size_t t, size_t first, size_t last) const
    {
        for (size_t k = first; k < last && t != std::u32string::npos; ++k)
            t = Find(segments[k], text, t).second;
        return t;
    }

    bool Matches(const FoldedText& folded) const
    {
        const std::u32string& text = folded.chars;
        if (segments.empty())
            return openStart || text.empty();
        if (plainSearch && !folded.hasJoiner) {
            const Segment& literal = segments[0];
            return std::search(text.begin(), text.end(),
                               std::boyer_moore_horspool_searcher(literal.begin(), literal.end())) !=
                   text.end();
        }
        size_t t = 0;
        size_t first = 0;
        if (!openStart) {
            t = SegmentEnd(segments[0], text, 0);
            if (t == std::u32string::npos)
                return false;
            first = 1;
            if (segments.size() == 1)
                return openEnd || AtEnd(text, t);
        }
        if (openEnd)
            return MatchFrom(text, t, first, segments.size()) != std::u32string::npos;
        // The last segment must end with the text: it may start anywhere after the others.
        t = MatchFrom(text, t, first, segments.size() - 1);
        if (t == std::u32string::npos)
            return false;
        for (size_t s = t; s < text.size(); ++s) {
            const size_t end = SegmentEnd(segments.back(), text, s);
            if (end != std::u32string::npos && AtEnd(text, end))
                return true;
        }
        return false;
    }

    std::vector<FoldedOccurrence> Occurrences(const FoldedText& folded, size_t textSize) const
    {
        std::vector<FoldedOccurrence> found;
        const std::u32string& text = folded.chars;
        // A pattern of no characters (or only ignored ones) stands nowhere.
        if (segments.empty() || segments[0].empty())
            return found;
        for (size_t s = 0; s < text.size();) {
            const auto [start, firstEnd] = Find(segments[0], text, s);
            if (start == std::u32string::npos)
                break;
            const size_t end = MatchFrom(text, firstEnd, 1, segments.size());
            if (end == std::u32string::npos)
                break;
            const size_t last = folded.sources[end - 1];
            size_t byteEnd = textSize;
            for (size_t k = end; k < text.size(); ++k) {
                if (folded.sources[k] > last) {
                    byteEnd = folded.sources[k];
                    break;
                }
            }
            found.push_back({folded.sources[start], byteEnd});
            s = end;
        }
        return found;
    }
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c >= InvalidByte)
        c = 0xFFFD;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string_view TextOf(sqlite3_value* value)
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return bytes == nullptr ? std::string_view() : std::string_view(bytes, sqlite3_value_bytes(value));
}

void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    // like(pattern, text [, escape])
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);
    }
    char32_t escape = 0;
    if (argc == 3) {
        const std::string_view escapeText = TextOf(argv[2]);
        size_t i = 0;
        if (escapeText.empty() || (escape = Decode(escapeText, i), i != escapeText.size()))
            return sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
    }
    auto* pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 0));
    if (pattern == nullptr) {
        pattern = new CompiledPattern(TextOf(argv[0]), escape);
        sqlite3_set_auxdata(context, 0, pattern, [](void* p) { delete static_cast<CompiledPattern*>(p); });
        pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 0));
        if (pattern == nullptr)
            return sqlite3_result_error_nomem(context);
    }
    thread_local FoldedText folded;
    folded.Fold(TextOf(argv[1]), pattern->hasBlank, false);
    sqlite3_result_int(context, pattern->Matches(folded) ? 1 : 0);
}

} // namespace

bool FoldingLikeMatch(std::string_view pattern, std::string_view text, char32_t escape)
{
    const CompiledPattern compiled(pattern, escape);
    FoldedText folded;
    folded.Fold(text, compiled.hasBlank, false);
    return compiled.Matches(folded);
}

std::vector<FoldedOccurrence> FoldingLikeOccurrences(std::string_view pattern, std::string_view text)
{
    const CompiledPattern compiled(pattern, 0);
    FoldedText folded;
    folded.Fold(text, compiled.hasBlank, true);
    return compiled.Occurrences(folded, text.size());
}

std::string FoldedForIndex(std::string_view text)
{
    FoldedText folded;
    folded.Fold(text, false, false);
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : folded.chars)
        AppendUtf8(out, c);
    return out;
}

std::vector<std::string> FoldedPatternRuns(std::string_view pattern)
{
    std::vector<std::string> runs;
    for (const CompiledPattern::Segment& segment : CompiledPattern(pattern, 0).segments) {
        std::string run;
        for (const char32_t c : segment) {
            if (c == CompiledPattern::AnyOne || c >= InvalidByte) {
                if (!run.empty())
                    runs.push_back(std::move(run));
                run.clear();
            } else {
                AppendUtf8(run, c);
            }
        }
        if (!run.empty())
            runs.push_back(std::move(run));
    }
    return runs;
}

void RegisterFoldingLike(sqlite3* database)
{
    for (int arguments : {2, 3}) {
        sqlite3_create_function_v2(database, "like", arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   LikeFunction, nullptr, nullptr, nullptr);
    }
}
