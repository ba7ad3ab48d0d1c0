#include "core/encoding.h"

#include "core/editor_exception.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <memory>

namespace velmo::core {

enum class CodePageKind : uint8_t {
    SingleByte, // one byte per character; unmappable characters become '?'
    MultiByte,  // legacy double- or multi-byte; unmappable characters become '?'
    Unicode,    // every character maps; only unpaired surrogates are substituted, by U+FFFD
};

struct Encoding::CodePageInfo {
    int codePage;
    /// ICU's name for the converter that behaves like the Windows code page: the one ICU's alias
    /// table lists under "windows-<code page>" where it has such an entry. Canonical names rather
    /// than aliases, so that a change in ICU's alias table cannot swap the mapping under us.
    const char* converterName;
    CodePageKind kind;
    std::string_view preamble;
};

namespace {

using Info = Encoding::CodePageInfo;
using enum CodePageKind;

constexpr std::string_view kNoPreamble;

// Sorted by code page.
constexpr std::array kCodePages = {
    Info{437, "ibm-437_P100-1995", SingleByte, kNoPreamble},
    Info{850, "ibm-850_P100-1995", SingleByte, kNoPreamble},
    Info{852, "ibm-852_P100-1995", SingleByte, kNoPreamble},
    Info{855, "ibm-855_P100-1995", SingleByte, kNoPreamble},
    Info{866, "ibm-866_P100-1995", SingleByte, kNoPreamble},
    // The 2000 table has the euro sign at 0x80 and Windows' private-use code points at 0xDB-0xDE
    // and 0xFC-0xFF, which ibm-874 and TIS-620 lack.
    Info{874, "windows-874-2000", SingleByte, kNoPreamble},
    // Windows-31J: 0x5C is the backslash, not the yen sign, and the NEC and IBM extensions are in.
    Info{932, "ibm-943_P15A-2003", MultiByte, kNoPreamble},
    Info{936, "windows-936-2000", MultiByte, kNoPreamble},
    Info{949, "windows-949-2000", MultiByte, kNoPreamble},
    Info{950, "windows-950-2000", MultiByte, kNoPreamble},
    Info{1200, "UTF-16LE", Unicode, std::string_view("\xFF\xFE", 2)},
    Info{1201, "UTF-16BE", Unicode, std::string_view("\xFE\xFF", 2)},
    Info{1250, "ibm-5346_P100-1998", SingleByte, kNoPreamble},
    Info{1251, "ibm-5347_P100-1998", SingleByte, kNoPreamble},
    Info{1252, "ibm-5348_P100-1997", SingleByte, kNoPreamble},
    Info{1253, "ibm-5349_P100-1998", SingleByte, kNoPreamble},
    Info{1254, "ibm-5350_P100-1998", SingleByte, kNoPreamble},
    Info{1255, "ibm-9447_P100-2002", SingleByte, kNoPreamble},
    Info{1256, "ibm-9448_X100-2005", SingleByte, kNoPreamble},
    Info{1257, "ibm-9449_P100-2002", SingleByte, kNoPreamble},
    Info{1258, "ibm-5354_P100-1998", SingleByte, kNoPreamble},
    Info{10000, "macos-0_2-10.2", SingleByte, kNoPreamble},
    Info{10007, "macos-7_3-10.2", SingleByte, kNoPreamble},
    Info{10029, "macos-29-10.2", SingleByte, kNoPreamble},
    Info{12000, "UTF-32LE", Unicode, std::string_view("\xFF\xFE\0\0", 4)},
    Info{12001, "UTF-32BE", Unicode, std::string_view("\0\0\xFE\xFF", 4)},
    Info{20127, "US-ASCII", SingleByte, kNoPreamble},
    Info{20866, "ibm-878_P100-1996", SingleByte, kNoPreamble},
    Info{20932, "euc-jp-2007", MultiByte, kNoPreamble},
    Info{21866, "ibm-1168_P100-2002", SingleByte, kNoPreamble},
    Info{28591, "ISO-8859-1", SingleByte, kNoPreamble},
    Info{28592, "ibm-912_P100-1995", SingleByte, kNoPreamble},
    Info{28593, "ibm-913_P100-2000", SingleByte, kNoPreamble},
    Info{28594, "ibm-914_P100-1995", SingleByte, kNoPreamble},
    Info{28595, "ibm-915_P100-1995", SingleByte, kNoPreamble},
    Info{28596, "ibm-1089_P100-1995", SingleByte, kNoPreamble},
    Info{28597, "ibm-9005_X110-2007", SingleByte, kNoPreamble},
    Info{28598, "ibm-5012_P100-1999", SingleByte, kNoPreamble},
    Info{28599, "ibm-920_P100-1995", SingleByte, kNoPreamble},
    Info{28603, "ibm-921_P100-1995", SingleByte, kNoPreamble},
    Info{28605, "ibm-923_P100-1998", SingleByte, kNoPreamble},
    Info{51932, "euc-jp-2007", MultiByte, kNoPreamble},
    Info{51949, "ibm-970_P110_P110-2006_U2", MultiByte, kNoPreamble},
    Info{54936, "gb18030", MultiByte, kNoPreamble},
    Info{65001, "UTF-8", Unicode, std::string_view("\xEF\xBB\xBF", 3)},
};

static_assert(std::is_sorted(kCodePages.begin(), kCodePages.end(),
                             [](const Info& a, const Info& b) { return a.codePage < b.codePage; }),
              "kCodePages is searched by bisection");

const Info* findCodePage(int codePage) noexcept
{
    const auto found = std::lower_bound(kCodePages.begin(), kCodePages.end(), codePage,
                                        [](const Info& info, int value) { return info.codePage < value; });
    return found != kCodePages.end() && found->codePage == codePage ? &*found : nullptr;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

/// Converters are cheap to open (ICU caches the shared tables), so each call takes its own and
/// Encoding stays a plain value that any thread may use.
ConverterPtr openConverter(const Info& info)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(info.converterName, &status));
    // Every name in the table ships with ICU's data, so this only fails when that data is broken.
    if (U_FAILURE(status) || !converter)
        throw EditorException::internalError();
    return converter;
}

/// Unassigned and malformed bytes alike become one U+FFFD per offending sequence. ICU's own
/// substitution writes U+001A for the single-byte tables, which would pass for a control code.
void substituteReplacementCharacter(const void*, UConverterToUnicodeArgs* arguments, const char*, int32_t,
                                    UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR)
        return; // reset, close and clone notices
    *status = U_ZERO_ERROR;
    constexpr UChar kReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(arguments, &kReplacement, 1, 0, status);
}

/// Every character the code page lacks becomes the substitution. ICU's stock callbacks drop
/// unmappable default-ignorable characters (soft hyphen, zero-width joiner, U+FEFF) without a
/// trace; a '?' at least shows where text was lost.
void substituteEveryUnmappable(const void*, UConverterFromUnicodeArgs* arguments, const UChar*, int32_t, UChar32,
                               UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR)
        return; // reset, close and clone notices
    *status = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(arguments, 0, status);
}

// Conversions go through a fixed scratch buffer and append to the result, so a large input costs
// one pass, one growing allocation and no worst-case preallocation (a UTF-16 buffer sized for the
// worst case of every byte would double the memory of a multi-megabyte file).
constexpr size_t kScratchUnits = 8192;

} // namespace

Encoding Encoding::fromCodePage(int codePage)
{
    const Info* info = findCodePage(codePage == 0 ? kDefaultAnsiCodePage : codePage);
    if (!info)
        throw EditorException::invalidValue(std::to_string(codePage), "CodePage");
    return Encoding(info);
}

bool Encoding::isSupported(int codePage) noexcept
{
    return codePage == 0 || findCodePage(codePage) != nullptr;
}

int Encoding::codePage() const noexcept
{
    return info_->codePage;
}

bool Encoding::isSingleByte() const noexcept
{
    return info_->kind == SingleByte;
}

std::string_view Encoding::preamble() const noexcept
{
    return info_->preamble;
}

std::u16string Encoding::decode(std::span<const uint8_t> bytes) const
{
    ConverterPtr converter = openConverter(*info_);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, nullptr, nullptr, nullptr, &status);

    std::u16string text;
    // Exact for the legacy code pages and UTF-16/32, an upper bound for UTF-8 and the CJK ones.
    text.reserve(bytes.size() / static_cast<size_t>(ucnv_getMinCharSize(converter.get())));
    std::array<UChar, kScratchUnits> scratch;
    const char* source = reinterpret_cast<const char*>(bytes.data());
    const char* const sourceEnd = source + bytes.size();
    do {
        status = U_ZERO_ERROR;
        UChar* target = scratch.data();
        ucnv_toUnicode(converter.get(), &target, scratch.data() + scratch.size(), &source, sourceEnd, nullptr, true,
                       &status);
        text.append(reinterpret_cast<const char16_t*>(scratch.data()), static_cast<size_t>(target - scratch.data()));
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    if (U_FAILURE(status))
        throw EditorException::internalError(); // the callback absorbs every input error
    return text;
}

std::string Encoding::encode(std::u16string_view text) const
{
    ConverterPtr converter = openConverter(*info_);
    UErrorCode status = U_ZERO_ERROR;
    // Windows writes '?' for what a code page lacks; ICU's defaults vary by table (0x1A, 0x7F,
    // FC FC...). The Unicode converters keep theirs, U+FFFD in the target form.
    if (info_->kind != Unicode)
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    ucnv_setFromUCallBack(converter.get(), substituteEveryUnmappable, nullptr, nullptr, nullptr, &status);

    std::string bytes;
    bytes.reserve(text.size());
    std::array<char, kScratchUnits> scratch;
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* const sourceEnd = source + text.size();
    do {
        status = U_ZERO_ERROR;
        char* target = scratch.data();
        ucnv_fromUnicode(converter.get(), &target, scratch.data() + scratch.size(), &source, sourceEnd, nullptr, true,
                         &status);
        bytes.append(scratch.data(), static_cast<size_t>(target - scratch.data()));
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    if (U_FAILURE(status))
        throw EditorException::internalError(); // the substitution callback absorbs every input error
    return bytes;
}

bool Encoding::encodesLosslessly(std::u16string_view text) const
{
    // The round trip itself rather than a mappability check, so that whatever encode() does to
    // a character it cannot write (substitution, a fallback to a look-alike) counts as loss.
    const std::string bytes = encode(text);
    return decode(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) == text;
}

} // namespace velmo::core
