// LIKE's matcher, and the search for where a pattern stands, on any pattern and text. The first byte picks
// the escape character (none when it is 0 or not ASCII); the rest is the pattern, then a NUL byte, then the
// text.
#include "FoldingLike.h"
#include "FuzzTarget.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const char32_t escape = data[0] < 0x80 ? data[0] : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = rest.find('\0');
    const std::string_view pattern = rest.substr(0, split);
    const std::string_view text =
        split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
    FoldingLikeMatch(pattern, text, escape);
    // Occurrences lie inside the text, in order, without overlapping, and are never empty.
    size_t end = 0;
    for (const FoldedOccurrence& o : FoldingLikeOccurrences(pattern, text)) {
        if (o.begin < end || o.end <= o.begin || o.end > text.size())
            std::abort();
        end = o.end;
    }
    return 0;
}
