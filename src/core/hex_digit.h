#pragma once

namespace velmo::core {

/// The value of one hexadecimal digit (either letter case), or -1.
[[nodiscard]] constexpr int hexDigitValue(char character) noexcept
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    return -1;
}

} // namespace velmo::core
