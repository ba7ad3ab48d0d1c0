#include "core/encoding_detector.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

namespace velmo::core {

namespace {

/// Charset names the statistical detector reports, and the code pages that read them.
struct CharsetEntry {
    std::string_view name;
    int codePage;
};

constexpr std::array kCharsets = {
    CharsetEntry{"UTF-8", 65001},        CharsetEntry{"UTF-16LE", 1200},      CharsetEntry{"UTF-16BE", 1201},
    CharsetEntry{"UTF-32LE", 12000},     CharsetEntry{"UTF-32BE", 12001},     CharsetEntry{"WINDOWS-1250", 1250},
    CharsetEntry{"WINDOWS-1251", 1251},  CharsetEntry{"WINDOWS-1252", 1252},  CharsetEntry{"WINDOWS-1253", 1253},
    CharsetEntry{"WINDOWS-1254", 1254},  CharsetEntry{"WINDOWS-1255", 1255},  CharsetEntry{"WINDOWS-1256", 1256},
    CharsetEntry{"WINDOWS-1257", 1257},  CharsetEntry{"WINDOWS-1258", 1258},  CharsetEntry{"ISO-8859-1", 1252},
    CharsetEntry{"ISO-8859-2", 28592},   CharsetEntry{"ISO-8859-3", 28593},   CharsetEntry{"ISO-8859-4", 28594},
    CharsetEntry{"ISO-8859-5", 28595},   CharsetEntry{"ISO-8859-6", 28596},   CharsetEntry{"ISO-8859-7", 28597},
    CharsetEntry{"ISO-8859-8", 28598},   CharsetEntry{"ISO-8859-9", 28599},   CharsetEntry{"ISO-8859-13", 28603},
    CharsetEntry{"ISO-8859-15", 28605},  CharsetEntry{"KOI8-R", 20866},       CharsetEntry{"IBM866", 866},
    CharsetEntry{"IBM852", 852},         CharsetEntry{"MAC-CYRILLIC", 10007}, CharsetEntry{"MAC-CENTRALEUROPE", 10029},
    CharsetEntry{"TIS-620", 874},        CharsetEntry{"SHIFT_JIS", 932},      CharsetEntry{"EUC-JP", 51932},
    CharsetEntry{"GB18030", 54936},      CharsetEntry{"EUC-KR", 949},      CharsetEntry{"UHC", 949},         CharsetEntry{"BIG5", 950},
};

std::optional<Encoding> encodingForCharset(std::string_view name)
{
    for (const CharsetEntry& entry : kCharsets) {
        if (entry.name == name)
            return Encoding::fromCodePage(entry.codePage);
    }
    return std::nullopt;
}

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(), [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

std::optional<Encoding> detectSignature(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return Encoding::fromCodePage(65001);
    if (startsWith(bytes, std::string_view("\0\0\xFE\xFF", 4)))
        return Encoding::fromCodePage(12001);
    if (startsWith(bytes, std::string_view("\xFF\xFE\0\0", 4)))
        return Encoding::fromCodePage(12000);
    if (startsWith(bytes, "\xFE\xFF"))
        return Encoding::fromCodePage(1201);
    if (startsWith(bytes, "\xFF\xFE"))
        return Encoding::fromCodePage(1200);
    return std::nullopt;
}

/// UTF-16 without a mark: text in Latin scripts has a zero in nearly every high byte.
std::optional<Encoding> detectUnmarkedUtf16(std::span<const uint8_t> bytes)
{
    const size_t pairs = bytes.size() / 2;
    if (pairs < 2)
        return std::nullopt;
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t pair = 0; pair < pairs; ++pair) {
        evenZeros += bytes[2 * pair] == 0;
        oddZeros += bytes[2 * pair + 1] == 0;
    }
    // Sure only when one side is almost all zeros and the other almost none.
    const auto mostly = [pairs](size_t count) { return count * 10 >= pairs * 9; };
    const auto hardly = [pairs](size_t count) { return count * 10 <= pairs; };
    if (mostly(oddZeros) && hardly(evenZeros))
        return Encoding::fromCodePage(1200);
    if (mostly(evenZeros) && hardly(oddZeros))
        return Encoding::fromCodePage(1201);
    return std::nullopt;
}

bool isPureAscii(std::span<const uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t byte) { return byte < 0x80 || byte == 0xA0; });
}

struct DetectorDeleter {
    void operator()(uchardet_t detector) const noexcept { uchardet_delete(detector); }
};

std::optional<Encoding> detectStatistically(std::span<const uint8_t> bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(uchardet_new());
    if (!detector || uchardet_handle_data(detector.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size()) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    return encodingForCharset(uchardet_get_charset(detector.get()));
}

} // namespace

std::optional<Encoding> detectEncoding(std::span<const uint8_t> bytes)
{
    const std::span<const uint8_t> window = bytes.first(std::min(bytes.size(), kEncodingDetectionWindow));
    if (std::optional<Encoding> signature = detectSignature(window))
        return signature;
    if (std::optional<Encoding> utf16 = detectUnmarkedUtf16(window))
        return utf16;
    if (isPureAscii(window))
        return std::nullopt;
    return detectStatistically(window);
}

} // namespace velmo::core
