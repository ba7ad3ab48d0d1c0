#include "model/bookmarks/bookmark.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace velmo::model {

namespace {

bool isLetter(UChar32 character) noexcept
{
    if (character < 0x80)
        return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
    return u_isalpha(character) != 0; // upper, lower, title, modifier and other letters
}

bool isWhiteSpace(char16_t character) noexcept
{
    return u_isUWhiteSpace(character) != 0;
}

} // namespace

bool Bookmark::isNameValid(std::u16string_view name)
{
    while (!name.empty() && isWhiteSpace(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && isWhiteSpace(name.back()))
        name.remove_suffix(1);
    const auto length = static_cast<int32_t>(name.size());
    for (int32_t index = 0; index < length;) {
        UChar32 character = 0;
        const bool first = index == 0;
        U16_NEXT(name.data(), index, length, character);
        if (isLetter(character) || character == u'_')
            continue;
        if (first || u_charType(character) != U_DECIMAL_DIGIT_NUMBER)
            return false;
    }
    return true;
}

} // namespace velmo::model
