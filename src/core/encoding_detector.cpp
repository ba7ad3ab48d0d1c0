#include "core/encoding_detector.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <type_traits>

namespace velmo::core {

namespace {

/// A charset name the statistical detector reports, and the code page that reads it.
struct CharsetInfo {
    std::string_view name;
    int codePage;
};

// Names the detector has no Windows code page for (VISCII, EUC-TW, ISO-8859-10 and -16, the
// 7-bit ISO-2022 and HZ forms, "UTF-16" without a byte order) are missing on purpose: detecting
// nothing leaves the caller's default, which beats a code page that reads the text wrongly.
//
// A few ISO names map to the Windows code page that is their superset: the two agree on every
// byte from 0xA0 up and differ only in 0x80-0x9F, where the ISO set has C1 control codes that
// never occur in text. The detector calls a text ISO when its window lacks those bytes, but a
// curly quote or euro sign further on is still the Windows character.
constexpr std::array kCharsets = {
    CharsetInfo{"UTF-8", 65001},
    CharsetInfo{"UTF-16LE", 1200},
    CharsetInfo{"UTF-16BE", 1201},
    CharsetInfo{"UTF-32LE", 12000},
    CharsetInfo{"UTF-32BE", 12001},
    CharsetInfo{"WINDOWS-1250", 1250},
    CharsetInfo{"WINDOWS-1251", 1251},
    CharsetInfo{"WINDOWS-1252", 1252},
    CharsetInfo{"WINDOWS-1253", 1253},
    CharsetInfo{"WINDOWS-1254", 1254},
    CharsetInfo{"WINDOWS-1255", 1255},
    CharsetInfo{"WINDOWS-1256", 1256},
    CharsetInfo{"WINDOWS-1257", 1257},
    CharsetInfo{"WINDOWS-1258", 1258},
    CharsetInfo{"ISO-8859-1", 1252}, // superset
    CharsetInfo{"ISO-8859-2", 28592},
    CharsetInfo{"ISO-8859-3", 28593},
    CharsetInfo{"ISO-8859-4", 28594},
    CharsetInfo{"ISO-8859-5", 28595},
    CharsetInfo{"ISO-8859-6", 28596},
    CharsetInfo{"ISO-8859-7", 28597}, // 1253 moves letters (Ά is 0xA2, not 0xB6): no superset
    CharsetInfo{"ISO-8859-8", 28598}, // visual Hebrew; 1255 is logical
    CharsetInfo{"ISO-8859-9", 1254},  // superset
    CharsetInfo{"ISO-8859-11", 874},  // superset
    CharsetInfo{"ISO-8859-13", 28603},
    CharsetInfo{"ISO-8859-15", 28605},
    CharsetInfo{"TIS-620", 874}, // superset
    CharsetInfo{"KOI8-R", 20866},
    CharsetInfo{"IBM852", 852},
    CharsetInfo{"IBM855", 855},
    CharsetInfo{"IBM866", 866},
    CharsetInfo{"MAC-CENTRALEUROPE", 10029},
    CharsetInfo{"MAC-CYRILLIC", 10007},
    CharsetInfo{"SHIFT_JIS", 932},
    CharsetInfo{"EUC-JP", 51932},
    CharsetInfo{"GB18030", 936}, // see chineseCodePage()
    CharsetInfo{"EUC-KR", 949},  // Unified Hangul Code is its superset
    CharsetInfo{"UHC", 949},
    CharsetInfo{"BIG5", 950},
};

constexpr int kUtf8CodePage = 65001;
constexpr int kGbkCodePage = 936;
constexpr int kGb18030CodePage = 54936;
constexpr size_t kMinimumSignatureLength = 4;

std::optional<int> codePageForCharset(std::string_view name)
{
    for (const CharsetInfo& charset : kCharsets) {
        if (charset.name == name)
            return charset.codePage;
    }
    return std::nullopt;
}

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char expected, uint8_t byte) { return static_cast<uint8_t>(expected) == byte; });
}

constexpr std::string_view kUtf8Mark("\xEF\xBB\xBF", 3);
constexpr std::string_view kUtf16BigEndianMark("\xFE\xFF", 2);
constexpr std::string_view kUtf16LittleEndianMark("\xFF\xFE", 2);
constexpr std::string_view kUtf32BigEndianMark("\0\0\xFE\xFF", 4);
constexpr std::string_view kUtf32LittleEndianMark("\xFF\xFE\0\0", 4);

bool startsWithMark(std::span<const uint8_t> bytes)
{
    return startsWith(bytes, kUtf8Mark) || startsWith(bytes, kUtf16BigEndianMark) ||
           startsWith(bytes, kUtf16LittleEndianMark) || startsWith(bytes, kUtf32BigEndianMark);
}

/// FE FF 00 00 is not UTF-16 big-endian: no text starts with U+0000, while UTF-32 in the rare
/// 3412 byte order does start so. FF FE 00 00 is read as UTF-32 little-endian for the same reason.
std::optional<int> detectSignature(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kMinimumSignatureLength)
        return std::nullopt;
    if (startsWith(bytes, kUtf8Mark))
        return kUtf8CodePage;
    if (startsWith(bytes, kUtf32BigEndianMark))
        return 12001;
    if (startsWith(bytes, kUtf32LittleEndianMark))
        return 12000;
    const bool zeroPairFollows = bytes[2] == 0 && bytes[3] == 0;
    if (startsWith(bytes, kUtf16BigEndianMark) && !zeroPairFollows)
        return 1201;
    if (startsWith(bytes, kUtf16LittleEndianMark))
        return 1200;
    return std::nullopt;
}

/// UTF-16 without a mark, from where its zero bytes fall: text in Latin script has a zero in the
/// high byte of most units (all of ASCII and Latin-1, é is E9 00) and in the low byte of almost
/// none. Legacy 8-bit text has no zero bytes at all, so the pattern is safe to trust even when
/// other bytes are above 0x7F, and half the units suffice, which leaves room for letters beyond
/// Latin-1 (ř is 59 01). UTF-32 and zero padding, with zeros at both parities, fail the test.
std::optional<int> detectUnmarkedUtf16(std::span<const uint8_t> bytes)
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
    const auto mostly = [pairs](size_t zeros) { return zeros * 2 >= pairs; };
    const auto hardly = [pairs](size_t zeros) { return zeros * 10 <= pairs; };
    if (mostly(oddZeros) && hardly(evenZeros))
        return 1200;
    if (mostly(evenZeros) && hardly(oddZeros))
        return 1201;
    return std::nullopt;
}

/// 0xA0 counts as ASCII: a no-break space alone says nothing about the code page, as it is 0xA0
/// in nearly all of them.
bool isPureAscii(std::span<const uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t byte) { return byte < 0x80 || byte == 0xA0; });
}

/// Well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF). A sequence
/// cut short by the end of the bytes is accepted only when `isCut`, the end being the window's.
bool isWellFormedUtf8(std::span<const uint8_t> bytes, bool isCut)
{
    size_t index = 0;
    while (index < bytes.size()) {
        const uint8_t lead = bytes[index];
        if (lead < 0x80) {
            ++index;
            continue;
        }
        size_t length = 0;
        uint8_t lowest = 0x80; // the range of the first continuation byte
        uint8_t highest = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            lowest = lead == 0xE0 ? 0xA0 : 0x80;
            highest = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            lowest = lead == 0xF0 ? 0x90 : 0x80;
            highest = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        for (size_t offset = 1; offset < length; ++offset) {
            if (index + offset == bytes.size())
                return isCut;
            const uint8_t continuation = bytes[index + offset];
            if (continuation < lowest || continuation > highest)
                return false;
            lowest = 0x80;
            highest = 0xBF;
        }
        index += length;
    }
    return true;
}

/// The detector reports GBK and GB18030 text alike as GB18030. Code page 936 is what Chinese
/// Windows writes and reads GBK text with (it differs from 54936 in a few two-byte codes, such as
/// the middle dot A1A4), so it is the answer unless the text uses GB18030's four-byte sequences,
/// which 936 cannot read.
int chineseCodePage(std::span<const uint8_t> bytes)
{
    size_t index = 0;
    while (index + 1 < bytes.size()) {
        const uint8_t lead = bytes[index];
        if (lead < 0x81 || lead > 0xFE) {
            ++index;
            continue;
        }
        const uint8_t second = bytes[index + 1];
        if (second >= 0x30 && second <= 0x39)
            return kGb18030CodePage;
        index += 2;
    }
    return kGbkCodePage;
}

struct DetectorDeleter {
    void operator()(uchardet_t detector) const noexcept { uchardet_delete(detector); }
};

/// The universal charset detector; it applies its own confidence threshold and names no charset
/// when it is not sure.
std::optional<int> detectStatistically(std::span<const uint8_t> bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(uchardet_new());
    if (!detector ||
        uchardet_handle_data(detector.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size()) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    const std::optional<int> codePage = codePageForCharset(uchardet_get_charset(detector.get()));
    if (codePage == kGbkCodePage)
        return chineseCodePage(bytes);
    return codePage;
}

std::optional<int> detectCodePage(std::span<const uint8_t> bytes)
{
    const bool isCut = bytes.size() > kEncodingDetectionWindow;
    const std::span<const uint8_t> window = bytes.first(std::min(bytes.size(), kEncodingDetectionWindow));
    if (std::optional<int> signature = detectSignature(window))
        return signature;
    // A mark that made no signature: the input is too short, or it is FE FF 00 00, UTF-32 in an
    // order no code page reads. Either way the mark is no text for the other detectors to judge
    // (the statistical one would take EF BB BF alone for UTF-8).
    if (startsWithMark(window))
        return std::nullopt;
    if (std::optional<int> utf16 = detectUnmarkedUtf16(window))
        return utf16;
    if (isPureAscii(window))
        return std::nullopt;
    // Legacy text practically never forms well-formed UTF-8, as every byte above 0x7F would have
    // to fall into lead-and-continuation patterns. The statistical detector needs half a dozen
    // multi-byte characters before its UTF-8 confidence beats the single-byte guesses, so a short
    // "café" would otherwise come out as code page 1250.
    if (isWellFormedUtf8(window, isCut))
        return kUtf8CodePage;
    return detectStatistically(window);
}

} // namespace

std::optional<Encoding> detectEncoding(std::span<const uint8_t> bytes)
{
    const std::optional<int> codePage = detectCodePage(bytes);
    if (!codePage)
        return std::nullopt;
    return Encoding::fromCodePage(*codePage);
}

} // namespace velmo::core
