#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmo::core {

/// A text encoding named by its Windows code page number (1252, 1250, 932, 65001 for UTF-8,
/// 1200 and 1201 for UTF-16 little- and big-endian...). A cheap value: two encodings are equal
/// when they name the same code page. Decoding never fails: bytes the code page does not define
/// become U+FFFD, so a wrongly guessed encoding shows up as visible damage, not as an error.
class Encoding {
public:
    static constexpr int kDefaultAnsiCodePage = 1252;

    /// 0 means the default code page. Throws the invalid-value error naming "CodePage" for a code
    /// page this program does not know.
    [[nodiscard]] static Encoding fromCodePage(int codePage);
    [[nodiscard]] static Encoding defaultAnsi() { return fromCodePage(kDefaultAnsiCodePage); }
    /// Whether fromCodePage() accepts `codePage`.
    [[nodiscard]] static bool isSupported(int codePage) noexcept;

    [[nodiscard]] int codePage() const noexcept;
    /// Whether every character takes exactly one byte (the legacy 8-bit code pages).
    [[nodiscard]] bool isSingleByte() const noexcept;
    /// The byte order mark a file in this encoding starts with: EF BB BF for UTF-8, FF FE or FE FF
    /// for UTF-16, FF FE 00 00 or 00 00 FE FF for UTF-32; empty for the legacy code pages.
    [[nodiscard]] std::string_view preamble() const noexcept;

    /// A byte order mark in `bytes` is decoded like any other character (U+FEFF); callers that
    /// want it gone compare the start with preamble().
    [[nodiscard]] std::u16string decode(std::span<const uint8_t> bytes) const;
    /// Characters the code page lacks, and unpaired surrogates, become the code page's
    /// substitution: '?' in the legacy code pages, U+FFFD in the Unicode ones.
    [[nodiscard]] std::string encode(std::u16string_view text) const;
    /// Whether decode(encode(text)) gives back exactly `text`.
    [[nodiscard]] bool encodesLosslessly(std::u16string_view text) const;

    bool operator==(const Encoding&) const = default;

    struct CodePageInfo; // a row of the table of supported code pages, defined in encoding.cpp

private:
    explicit Encoding(const CodePageInfo* info) noexcept : info_(info) {}

    const CodePageInfo* info_; // into a static table, never null
};

} // namespace velmo::core
