#include "core/case_insensitive.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace velmo::core {

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept
{
    if (a == b)
        return true;
    // Simple (one-to-one) folding on both sides, so that hashIgnoreCase can agree without allocating.
    const auto lengthA = static_cast<int32_t>(a.size());
    const auto lengthB = static_cast<int32_t>(b.size());
    int32_t offsetA = 0;
    int32_t offsetB = 0;
    while (offsetA < lengthA && offsetB < lengthB) {
        UChar32 characterA = 0;
        UChar32 characterB = 0;
        U16_NEXT(a.data(), offsetA, lengthA, characterA);
        U16_NEXT(b.data(), offsetB, lengthB, characterB);
        if (characterA != characterB && u_foldCase(characterA, U_FOLD_CASE_DEFAULT) != u_foldCase(characterB, U_FOLD_CASE_DEFAULT))
            return false;
    }
    return offsetA == lengthA && offsetB == lengthB;
}

size_t hashIgnoreCase(std::u16string_view text) noexcept
{
    // FNV-1a over the case-folded code points; no allocation.
    uint64_t hash = 14695981039346656037ULL;
    for (int32_t offset = 0; offset < static_cast<int32_t>(text.size());) {
        UChar32 character = 0;
        U16_NEXT(text.data(), offset, static_cast<int32_t>(text.size()), character);
        hash ^= static_cast<uint64_t>(u_foldCase(character, U_FOLD_CASE_DEFAULT));
        hash *= 1099511628211ULL;
    }
    return static_cast<size_t>(hash);
}

} // namespace velmo::core
