#pragma once

#include <string>
#include <string_view>

namespace velmo::core {

/// UTF-8 to UTF-16; malformed input becomes U+FFFD, never an error.
[[nodiscard]] std::u16string utf8ToUtf16(std::string_view text);
/// UTF-16 to UTF-8; lone surrogates become U+FFFD, never an error.
[[nodiscard]] std::string utf16ToUtf8(std::u16string_view text);

} // namespace velmo::core
