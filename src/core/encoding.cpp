#include "core/encoding.h"

#include "core/editor_exception.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <array>
#include <memory>

namespace velmo::core {

namespace {

struct CodePageEntry {
    int codePage;
    const char* converterName;
    std::string_view preamble;
};

constexpr std::array kCodePages = {
    CodePageEntry{874, "windows-874-2000", {}},
    CodePageEntry{932, "ibm-943_P15A-2003", {}},
    CodePageEntry{936, "windows-936-2000", {}},
    CodePageEntry{949, "windows-949-2000", {}},
    CodePageEntry{950, "windows-950-2000", {}},
    CodePageEntry{437, "ibm-437_P100-1995", {}},
    CodePageEntry{850, "ibm-850_P100-1995", {}},
    CodePageEntry{852, "ibm-852_P100-1995", {}},
    CodePageEntry{866, "ibm-866_P100-1995", {}},
    CodePageEntry{1200, "UTF-16LE", std::string_view("\xFF\xFE", 2)},
    CodePageEntry{1201, "UTF-16BE", std::string_view("\xFE\xFF", 2)},
    CodePageEntry{1250, "windows-1250", {}},
    CodePageEntry{1251, "windows-1251", {}},
    CodePageEntry{1252, "windows-1252", {}},
    CodePageEntry{1253, "windows-1253", {}},
    CodePageEntry{1254, "windows-1254", {}},
    CodePageEntry{1255, "windows-1255", {}},
    CodePageEntry{1256, "windows-1256", {}},
    CodePageEntry{1257, "windows-1257", {}},
    CodePageEntry{1258, "windows-1258", {}},
    CodePageEntry{10000, "macos-0_2-10.2", {}},
    CodePageEntry{10007, "macos-7_3-10.2", {}},
    CodePageEntry{10029, "macos-29-10.2", {}},
    CodePageEntry{12000, "UTF-32LE", std::string_view("\xFF\xFE\0\0", 4)},
    CodePageEntry{12001, "UTF-32BE", std::string_view("\0\0\xFE\xFF", 4)},
    CodePageEntry{20127, "US-ASCII", {}},
    CodePageEntry{20866, "KOI8-R", {}},
    CodePageEntry{21866, "KOI8-U", {}},
    CodePageEntry{28591, "ISO-8859-1", {}},
    CodePageEntry{28592, "ISO-8859-2", {}},
    CodePageEntry{28593, "ISO-8859-3", {}},
    CodePageEntry{28594, "ISO-8859-4", {}},
    CodePageEntry{28595, "ISO-8859-5", {}},
    CodePageEntry{28596, "ISO-8859-6", {}},
    CodePageEntry{28597, "ISO-8859-7", {}},
    CodePageEntry{28598, "ISO-8859-8", {}},
    CodePageEntry{28599, "ISO-8859-9", {}},
    CodePageEntry{28603, "ISO-8859-13", {}},
    CodePageEntry{28605, "ISO-8859-15", {}},
    CodePageEntry{51932, "EUC-JP", {}},
    CodePageEntry{51949, "EUC-KR", {}},
    CodePageEntry{54936, "GB18030", {}},
    CodePageEntry{65001, "UTF-8", std::string_view("\xEF\xBB\xBF", 3)},
};

const CodePageEntry* findEntry(int codePage) noexcept
{
    for (const CodePageEntry& entry : kCodePages) {
        if (entry.codePage == codePage)
            return &entry;
    }
    return nullptr;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    if (U_FAILURE(status) || !converter)
        throw EditorException::internalError();
    return converter;
}

/// Illegal and unassigned bytes both become U+FFFD (ICU's own default writes U+001A for some
/// single-byte tables, which would look like a control character).
void substituteReplacementCharacter(const void*, UConverterToUnicodeArgs* arguments, const char*, int32_t,
                                    UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(arguments, &replacement, 1, 0, status);
}

bool isUnicode(int codePage) noexcept
{
    return codePage == 65001 || codePage == 1200 || codePage == 1201 || codePage == 12000 || codePage == 12001;
}

} // namespace

Encoding Encoding::fromCodePage(int codePage)
{
    if (codePage == 0)
        codePage = kDefaultAnsiCodePage;
    const CodePageEntry* entry = findEntry(codePage);
    if (!entry)
        throw EditorException::invalidValue(codePage, "CodePage");
    return Encoding(entry->codePage, entry->converterName);
}

bool Encoding::isSupported(int codePage) noexcept
{
    return codePage == 0 || findEntry(codePage) != nullptr;
}

bool Encoding::isSingleByte() const
{
    return ucnv_getMaxCharSize(openConverter(converterName_).get()) == 1;
}

std::string_view Encoding::preamble() const noexcept
{
    return findEntry(codePage_)->preamble;
}

std::u16string Encoding::decode(std::span<const uint8_t> bytes) const
{
    ConverterPtr converter = openConverter(converterName_);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, nullptr, nullptr, nullptr, &status);
    // One byte never makes more than two UTF-16 units; invalid bytes make one U+FFFD each.
    std::u16string result(bytes.size() * 2 + 1, u'\0');
    UChar* target = reinterpret_cast<UChar*>(result.data());
    const char* source = reinterpret_cast<const char*>(bytes.data());
    ucnv_toUnicode(converter.get(), &target, target + result.size(), &source, source + bytes.size(), nullptr, true, &status);
    if (U_FAILURE(status))
        throw EditorException::internalError();
    result.resize(static_cast<size_t>(target - reinterpret_cast<UChar*>(result.data())));
    return result;
}

std::string Encoding::encode(std::u16string_view text) const
{
    ConverterPtr converter = openConverter(converterName_);
    UErrorCode status = U_ZERO_ERROR;
    if (!isUnicode(codePage_))
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    std::string result(text.size() * static_cast<size_t>(ucnv_getMaxCharSize(converter.get())) + 8, '\0');
    char* target = result.data();
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    ucnv_fromUnicode(converter.get(), &target, target + result.size(), &source, source + text.size(), nullptr, true, &status);
    if (U_FAILURE(status))
        throw EditorException::internalError();
    result.resize(static_cast<size_t>(target - result.data()));
    return result;
}

bool Encoding::encodesLosslessly(std::u16string_view text) const
{
    ConverterPtr converter = openConverter(converterName_);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::string bytes(text.size() * static_cast<size_t>(ucnv_getMaxCharSize(converter.get())) + 8, '\0');
    char* target = bytes.data();
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    ucnv_fromUnicode(converter.get(), &target, target + bytes.size(), &source, source + text.size(), nullptr, true, &status);
    if (U_FAILURE(status))
        return false;
    bytes.resize(static_cast<size_t>(target - bytes.data()));
    return decode(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) == text;
}

} // namespace velmo::core
