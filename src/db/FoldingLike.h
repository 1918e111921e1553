#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// The edition of the folding rules below. Raise it with every change of them: an index of folded text
// made under other rules is made anew.
constexpr int FoldingRulesEdition = 2;

// LIKE as readers of Persian expect it. '%' stands for any run of characters and '_' for one folded
// character. Both sides are folded before they are compared:
// - ASCII letters match without regard to case;
// - the forms of alef (آ أ إ ٱ), of yeh (ي ی ى ے ئ), of kaf (ك ک) and of heh (ۀ ە ہ ۂ ة) are one letter
//   each, waw with hamza (ؤ) is waw, and the Persian, Arabic-Indic and ASCII digits are the same digits;
// - Arabic presentation forms and ligatures are the letters they decompose into (ﷲ is الله);
// - the Arabic marks (harakat, Quranic annotation marks, hamza and madda above and below), tatweel and
//   the format characters (joiners, direction marks, embeddings, overrides, isolates, the byte order
//   mark, the soft hyphen) are ignored;
// - the no-break space and the other Unicode spaces are a blank;
// - the zero-width non-joiner is ignored, except that a blank in the pattern also finds it.
// Invalid UTF-8 bytes stand for themselves, one character each.
bool FoldingLikeMatch(std::string_view pattern, std::string_view text, char32_t escape = 0);

// A stretch of a text, in bytes from its start: [begin, end).
struct FoldedOccurrence
{
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the pattern of a search ('%phrase%', the outer '%' aside) stands in a text, found by the same
// folding as FoldingLikeMatch: the shortest stretch at each place it starts, one after another without
// overlapping. Each stretch runs from the first character matched to the character after the last
// one, so it also holds the marks and other ignored characters that follow the last letter.
std::vector<FoldedOccurrence> FoldingLikeOccurrences(std::string_view pattern, std::string_view text);

// A text folded as LIKE folds it, for an index of its trigrams: in UTF-8, with the non-joiners left
// out (a blank of a pattern may stand for one) and each invalid byte as U+FFFD.
std::string FoldedForIndex(std::string_view text);

// The runs of literal characters of the pattern between its wildcards, folded, in UTF-8. The folded
// text (FoldedForIndex) of every text the pattern matches holds each run, where each blank of the run
// is a blank or nothing (a non-joiner).
std::vector<std::string> FoldedPatternRuns(std::string_view pattern);

// Makes LIKE (with or without ESCAPE) on the connection use FoldingLikeMatch.
void RegisterFoldingLike(sqlite3* database);
