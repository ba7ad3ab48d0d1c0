#include "core/unicode_text.h"

#include <unicode/ustring.h>

namespace velmo::core {

namespace {
constexpr UChar32 kReplacementCharacter = 0xFFFD;
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string result(text.size(), u'\0'); // UTF-16 never needs more units than UTF-8 bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), kReplacementCharacter, nullptr, &status);
    result.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
    return result;
}

std::string utf16ToUtf8(std::u16string_view text)
{
    std::string result(text.size() * 3, '\0'); // at most three bytes per UTF-16 unit
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length,
                       reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                       kReplacementCharacter, nullptr, &status);
    result.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
    return result;
}

} // namespace velmo::core
