#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmo::core {

/// A text encoding named by its Windows code page number (1252, 1250, 65001 for UTF-8, 1200 and
/// 1201 for UTF-16 little- and big-endian...). Decoding never fails: what the bytes do not say
/// becomes U+FFFD.
class Encoding {
public:
    static constexpr int kDefaultAnsiCodePage = 1252;

    /// Throws the invalid-value error naming "CodePage" for a code page this program does not
    /// know; 0 means the default code page.
    [[nodiscard]] static Encoding fromCodePage(int codePage);
    [[nodiscard]] static Encoding defaultAnsi() { return fromCodePage(kDefaultAnsiCodePage); }
    [[nodiscard]] static bool isSupported(int codePage) noexcept;

    [[nodiscard]] int codePage() const noexcept { return codePage_; }
    [[nodiscard]] bool isSingleByte() const;
    /// The byte order mark a file in this encoding starts with; empty for legacy code pages.
    [[nodiscard]] std::string_view preamble() const noexcept;

    [[nodiscard]] std::u16string decode(std::span<const uint8_t> bytes) const;
    /// Characters the code page lacks become '?'.
    [[nodiscard]] std::string encode(std::u16string_view text) const;
    /// Whether encoding and decoding again gives back exactly `text`.
    [[nodiscard]] bool encodesLosslessly(std::u16string_view text) const;

    bool operator==(const Encoding&) const = default;

private:
    Encoding(int codePage, const char* converterName) noexcept : codePage_(codePage), converterName_(converterName) {}

    int codePage_;
    const char* converterName_; // the ICU converter that behaves like the code page
};

} // namespace velmo::core
