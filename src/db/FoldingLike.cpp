#include "FoldingLike.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

constexpr char32_t Ignored = 0;
// Marks a byte that does not begin a valid UTF-8 sequence; the byte itself is kept in the low bits.
constexpr char32_t InvalidByte = 0x110000;

char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    switch (c) {
    case 0x0649: // alef maksura
    case 0x06CC: // Farsi yeh
        return 0x064A;
    case 0x06A9: // keheh
        return 0x0643;
    case 0x0640: // tatweel
    case 0x0670: // superscript alef
    case 0x200C: // zero-width non-joiner
        return Ignored;
    default:
        break;
    }
    if (c >= 0x064B && c <= 0x0652) // harakat
        return Ignored;
    if (c >= 0x06F0 && c <= 0x06F9)
        return U'0' + (c - 0x06F0);
    if (c >= 0x0660 && c <= 0x0669)
        return U'0' + (c - 0x0660);
    return c;
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

void FoldInto(std::string_view text, std::u32string& folded)
{
    folded.clear();
    for (size_t i = 0; i < text.size();) {
        const char32_t c = Fold(Decode(text, i));
        if (c != Ignored)
            folded.push_back(c);
    }
}

// A pattern folded once and kept for every row of a statement.
struct CompiledPattern
{
    enum Kind : char32_t
    {
        AnyRun = 0x200000,
        AnyOne = 0x200001,
    };

    std::u32string elements;
    // Set when the pattern is '%' literal '%' (or a lone literal between any runs): a plain search.
    bool plainSearch = false;
    std::u32string literal;

    CompiledPattern(std::string_view pattern, char32_t escape)
    {
        for (size_t i = 0; i < pattern.size();) {
            char32_t c = Decode(pattern, i);
            if (escape != 0 && c == escape && i < pattern.size()) {
                c = Fold(Decode(pattern, i));
                if (c != Ignored)
                    elements.push_back(c);
                continue;
            }
            if (c == U'%') {
                if (elements.empty() || elements.back() != AnyRun)
                    elements.push_back(AnyRun);
            } else if (c == U'_') {
                elements.push_back(AnyOne);
            } else if ((c = Fold(c)) != Ignored) {
                elements.push_back(c);
            }
        }
        if (elements.size() >= 2 && elements.front() == AnyRun && elements.back() == AnyRun) {
            literal = elements.substr(1, elements.size() - 2);
            plainSearch = std::none_of(literal.begin(), literal.end(),
                                       [](char32_t e) { return e == AnyRun || e == AnyOne; });
        }
    }

    bool Matches(const std::u32string& text) const
    {
        if (plainSearch) {
            if (literal.empty())
                return true;
            return std::search(text.begin(), text.end(),
                               std::boyer_moore_horspool_searcher(literal.begin(), literal.end())) !=
                   text.end();
        }
        // Greedy matching that returns to the last '%' on a mismatch: linear for most patterns.
        size_t p = 0;
        size_t t = 0;
        size_t starP = std::u32string::npos;
        size_t starT = 0;
        while (t < text.size()) {
            if (p < elements.size() && elements[p] == AnyRun) {
                starP = p++;
                starT = t;
            } else if (p < elements.size() && (elements[p] == AnyOne || elements[p] == text[t])) {
                ++p;
                ++t;
            } else if (starP != std::u32string::npos) {
                p = starP + 1;
                t = ++starT;
            } else {
                return false;
            }
        }
        while (p < elements.size() && elements[p] == AnyRun)
            ++p;
        return p == elements.size();
    }
};

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
    thread_local std::u32string folded;
    FoldInto(TextOf(argv[1]), folded);
    sqlite3_result_int(context, pattern->Matches(folded) ? 1 : 0);
}

} // namespace

bool FoldingLikeMatch(std::string_view pattern, std::string_view text, char32_t escape)
{
    std::u32string folded;
    FoldInto(text, folded);
    return CompiledPattern(pattern, escape).Matches(folded);
}

void RegisterFoldingLike(sqlite3* database)
{
    for (int arguments : {2, 3}) {
        sqlite3_create_function_v2(database, "like", arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   LikeFunction, nullptr, nullptr, nullptr);
    }
}
