#include "core/encoding.h"

#include "core/editor_exception.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velmo::core {
namespace {

std::span<const uint8_t> bytesOf(std::string_view bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

std::u16string unit(char16_t codeUnit)
{
    return std::u16string(1, codeUnit);
}

constexpr char16_t kLoneSurrogate = 0xD800;

struct CodePageCase {
    int codePage;
    std::u16string text;
    std::string bytes;
};

// Characters that tell a code page apart from its near relatives (932 from plain Shift-JIS by the
// backslash and the NEC circled digits, 949 from EUC-KR by the extended Hangul, 936 and 950 by the
// euro sign Windows added...), both ways. One row per supported code page.
const CodePageCase kCodePageCases[] = {
    {437, u"é░", "\x82\xB0"},
    {850, u"Øé", "\x9D\x82"},
    {852, u"řů", "\xFD\x85"},
    {855, u"жЖ", "\xE9\xEA"},
    {866, u"Жё", "\x86\xF1"},
    {874, u"€ก", "\x80\xA1"},
    {932, u"日本\\①", "\x93\xFA\x96\x7B\x5C\x87\x40"},
    {936, u"€你", "\x80\xC4\xE3"},
    {949, u"한갂", "\xC7\xD1\x81\x41"},
    {950, u"一€", "\xA4\x40\xA3\xE1"},
    {1200, u"A\U0001F600", std::string("A\0\x3D\xD8\x00\xDE", 6)},
    {1201, u"A\U0001F600", std::string("\0A\xD8\x3D\xDE\x00", 6)},
    {1250, u"Příliš", "P\xF8\xEDli\x9A"},
    {1251, u"Жё", "\xC6\xB8"},
    {1252, u"€œ", "\x80\x9C"},
    {1253, u"Ωά", "\xD9\xDC"},
    {1254, u"Ğş", "\xD0\xFE"},
    {1255, u"₪א", "\xA4\xE0"},
    {1256, u"اگ", "\xC7\x90"},
    {1257, u"Ąų", "\xC0\xF8"},
    {1258, u"ư₫", "\xFD\xFE"},
    {10000, u"é€", "\x8E\xDB"},
    {10007, u"Жж", "\x86\xE6"},
    {10029, u"řŮ", "\xDE\xF1"},
    {12000, u"A\U0001F600", std::string("A\0\0\0\x00\xF6\x01\x00", 8)},
    {12001, u"A\U0001F600", std::string("\0\0\0A\x00\x01\xF6\x00", 8)},
    {20127, u"Hi", "Hi"},
    {20866, u"Жж", "\xF6\xD6"},
    {20932, u"あ日", "\xA4\xA2\xC6\xFC"},
    {21866, u"Ґє", "\xBD\xA4"},
    {28591, u"é\u0080", "\xE9\x80"},
    {28592, u"Ąř", "\xA1\xF8"},
    {28593, u"Ħĝ", "\xA1\xF8"},
    {28594, u"Āŗ", "\xC0\xB3"},
    {28595, u"Жё", "\xB6\xF1"},
    {28596, u"ا", "\xC7"},
    {28597, u"Ωά", "\xD9\xDC"},
    {28598, u"א", "\xE0"},
    {28599, u"Ğş", "\xD0\xFE"},
    {28603, u"Ąų", "\xC0\xF8"},
    {28605, u"€Š", "\xA4\xA6"},
    {51932, u"あ日", "\xA4\xA2\xC6\xFC"},
    {51949, u"한", "\xC7\xD1"},
    {54936, u"€\U00020000", "\xA2\xE3\x95\x32\x82\x36"},
    {65001, u"ř\U0001F600", "\xC5\x99\xF0\x9F\x98\x80"},
};

TEST(EncodingCodePageTest, EachCodePageReadsAndWritesItsOwnCharacters)
{
    for (const CodePageCase& c : kCodePageCases) {
        SCOPED_TRACE(c.codePage);
        const Encoding encoding = Encoding::fromCodePage(c.codePage);
        EXPECT_EQ(encoding.codePage(), c.codePage);
        EXPECT_EQ(encoding.decode(bytesOf(c.bytes)), c.text);
        EXPECT_EQ(encoding.encode(c.text), c.bytes);
        EXPECT_TRUE(encoding.encodesLosslessly(c.text));
    }
}

TEST(EncodingCodePageTest, EverySupportedCodePageHasACase)
{
    std::set<int> covered;
    for (const CodePageCase& c : kCodePageCases)
        covered.insert(c.codePage);
    for (int codePage = 1; codePage < 70000; ++codePage) {
        if (Encoding::isSupported(codePage)) {
            EXPECT_TRUE(covered.count(codePage)) << codePage << " is supported but untested";
        }
    }
    for (const int codePage : covered)
        EXPECT_TRUE(Encoding::isSupported(codePage)) << codePage;
}

TEST(EncodingCodePageTest, ZeroIsTheDefaultAndUnknownCodePagesAreRejected)
{
    EXPECT_EQ(Encoding::fromCodePage(0), Encoding::defaultAnsi());
    EXPECT_EQ(Encoding::defaultAnsi().codePage(), 1252);
    EXPECT_TRUE(Encoding::isSupported(0));
    EXPECT_NE(Encoding::fromCodePage(1250), Encoding::fromCodePage(1252));

    struct Case {
        int codePage;
        const char* message;
    };
    const Case cases[] = {
        {12345, "'12345' is not a valid value for 'CodePage'"},
        {-1, "'-1' is not a valid value for 'CodePage'"},
        {65000, "'65000' is not a valid value for 'CodePage'"}, // UTF-7 stays out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_FALSE(Encoding::isSupported(c.codePage));
        try {
            (void)Encoding::fromCodePage(c.codePage);
            ADD_FAILURE() << "no error";
        } catch (const EditorException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(EncodingPropertiesTest, PreamblesAndByteWidths)
{
    struct Case {
        int codePage;
        std::string_view preamble;
        bool isSingleByte;
    };
    const Case cases[] = {
        {65001, "\xEF\xBB\xBF", false},
        {1200, "\xFF\xFE", false},
        {1201, "\xFE\xFF", false},
        {12000, std::string_view("\xFF\xFE\0\0", 4), false},
        {12001, std::string_view("\0\0\xFE\xFF", 4), false},
        {1252, "", true},
        {874, "", true},
        {10000, "", true},
        {20127, "", true},
        {932, "", false},
        {54936, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        const Encoding encoding = Encoding::fromCodePage(c.codePage);
        EXPECT_EQ(encoding.preamble(), c.preamble);
        EXPECT_EQ(encoding.isSingleByte(), c.isSingleByte);
    }
}

TEST(EncodingSubstitutionTest, UnmappableCharactersBecomeTheCodePagesSubstitution)
{
    struct Case {
        const char* name;
        int codePage;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"Czech letter in Western", 1252, u"řx", "?x"},
        {"a supplementary character is one character", 1252, u"a\U0001F600b", "a?b"},
        {"unpaired surrogate in Western", 1252, u"a" + unit(kLoneSurrogate), "a?"},
        {"euro sign in ISO Latin-1", 28591, u"€", "?"},
        {"Latin letter in Japanese is a single '?'", 932, u"é日", "?\x93\xFA"},
        {"euro sign in Japanese", 932, u"€", "?"},
        {"soft hyphen is not dropped silently", 932, u"a\u00ADb", "a?b"},
        {"byte order mark character in Western", 1252, u"\uFEFFa", "?a"},
        {"unpaired surrogate in UTF-8", 65001, u"a" + unit(kLoneSurrogate), "a\xEF\xBF\xBD"},
        {"unpaired surrogate in UTF-16", 1200, unit(kLoneSurrogate), "\xFD\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Encoding encoding = Encoding::fromCodePage(c.codePage);
        EXPECT_EQ(encoding.encode(c.text), c.bytes);
        EXPECT_FALSE(encoding.encodesLosslessly(c.text));
    }
}

TEST(EncodingSubstitutionTest, MalformedAndUnassignedBytesBecomeReplacementCharacters)
{
    struct Case {
        const char* name;
        int codePage;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"byte that never occurs in UTF-8", 65001, "a\xFF" "b", u"a\uFFFDb"},
        {"UTF-8 sequence cut short by the end", 65001, "a\xE2\x82", u"a\uFFFD"},
        {"UTF-8 sequence cut short by ASCII", 65001, "\xE2\x82" "a", u"\uFFFDa"},
        {"overlong UTF-8", 65001, "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"surrogate in UTF-8", 65001, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"unassigned byte in Greek is not a control code", 1253, "\xFF", u"\uFFFD"},
        {"high byte in US-ASCII", 20127, "a\xE9", u"a\uFFFD"},
        {"odd byte at the end of UTF-16", 1200, std::string("A\0B", 3), u"A\uFFFD"},
        {"lead byte at the end in Japanese", 932, "a\x82", u"a\uFFFD"},
        {"bad trail byte in Japanese keeps the ASCII after it", 932, "\x82 a", u"\uFFFD a"},
        {"cut four-byte sequence in GB18030", 54936, "a\x81\x30", u"a\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Encoding::fromCodePage(c.codePage).decode(bytesOf(c.bytes)), c.text);
    }
}

TEST(EncodingLosslessTest, RoundTripDecidesWhatEncodesLosslessly)
{
    const std::u16string czech = u"Příliš žluťoučký kůň úpěl ďábelské ódy";
    struct Case {
        const char* name;
        int codePage;
        std::u16string text;
        bool lossless;
    };
    const Case cases[] = {
        {"Czech in Central European", 1250, czech, true},
        {"Czech in UTF-8", 65001, czech, true},
        {"Czech in UTF-16", 1201, czech, true},
        {"Czech in Western", 1252, czech, false},
        {"Czech in ISO Latin-2", 28592, czech, true},
        {"Japanese in Japanese", 932, u"日本語のテキスト", true},
        {"Japanese in Western", 1252, u"日本語", false},
        {"emoji in UTF-16", 1200, u"\U0001F600", true},
        {"emoji in GB18030", 54936, u"\U0001F600", true},
        {"emoji in Chinese GBK", 936, u"\U0001F600", false},
        {"a question mark of its own", 1252, u"why?", true},
        {"empty text", 1252, u"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Encoding::fromCodePage(c.codePage).encodesLosslessly(c.text), c.lossless);
    }
}

TEST(EncodingLargeInputTest, MegabytesConvertWholeAcrossBufferBoundaries)
{
    // Multi-byte characters of odd lengths land across every internal buffer boundary.
    struct Case {
        int codePage;
        std::u16string piece;
    };
    const Case cases[] = {
        {65001, u"ř€😀a"},
        {932, u"日本a語"},
        {1250, u"Příliš "},
        {1200, u"ř😀"},
    };
    constexpr size_t kRepeats = 400'000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        std::u16string text;
        text.reserve(c.piece.size() * kRepeats);
        for (size_t repeat = 0; repeat < kRepeats; ++repeat)
            text += c.piece;
        const Encoding encoding = Encoding::fromCodePage(c.codePage);
        const std::string bytes = encoding.encode(text);
        const std::string pieceBytes = encoding.encode(c.piece);
        ASSERT_EQ(bytes.size(), pieceBytes.size() * kRepeats);
        EXPECT_EQ(bytes.substr(bytes.size() - pieceBytes.size()), pieceBytes);
        EXPECT_TRUE(encoding.decode(bytesOf(bytes)) == text); // not EXPECT_EQ: no megabyte dumps
    }
}

} // namespace
} // namespace velmo::core
