#include "core/encoding_detector.h"

#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace velmo::core {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> bytesOf(std::string_view bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

int detectedCodePage(std::string_view bytes)
{
    const std::optional<Encoding> detected = detectEncoding(bytesOf(bytes));
    return detected ? detected->codePage() : 0;
}

std::string repeated(std::string_view piece, size_t count)
{
    std::string text;
    for (size_t index = 0; index < count; ++index)
        text += piece;
    return text;
}

std::string utf16(std::u16string_view text, int codePage)
{
    return Encoding::fromCodePage(codePage).encode(text);
}

struct Case {
    const char* name;
    std::string bytes;
    int codePage; // 0: nothing detected
};

void expectDetections(std::span<const Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detectedCodePage(c.bytes), c.codePage);
    }
}

TEST(EncodingDetectorSignatureTest, MarksDecideWhenThereAreFourBytes)
{
    const Case cases[] = {
        {"UTF-8", "\xEF\xBB\xBF" "abc", 65001},
        {"UTF-8, four bytes exactly", "\xEF\xBB\xBF" "a", 65001},
        {"UTF-8 mark before legacy bytes", "\xEF\xBB\xBF" "caf\xE9", 65001},
        {"UTF-8 mark alone is too short", "\xEF\xBB\xBF", 0},
        {"UTF-16 mark and one more byte is too short", "\xFF\xFE" "a", 0},
        {"UTF-16 little-endian", std::string("\xFF\xFE" "a\0", 4), 1200},
        {"UTF-16 little-endian, any bytes after the mark", "\xFF\xFE\x3D\xD8", 1200},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0a", 4), 1201},
        {"FE FF 00 00 is no UTF-16", std::string("\xFE\xFF\0\0" "abcd", 8), 0},
        {"UTF-32 big-endian", std::string("\0\0\xFE\xFF", 4), 12001},
        {"UTF-32 little-endian", std::string("\xFF\xFE\0\0" "a\0\0\0", 8), 12000},
        {"a mark beats the zero pattern", std::string("\xEF\xBB\xBF" "H\0e\0l\0l\0o\0", 13), 65001},
    };
    expectDetections(cases);
}

TEST(EncodingDetectorAsciiTest, AsciiDetectsNothingUnlessItIsUtf16)
{
    const Case cases[] = {
        {"empty", "", 0},
        {"plain text", "Just some plain text.\r\nAnd a second line.", 0},
        {"no-break spaces are not evidence", "Price:\xA0" "5\xA0" "EUR", 0},
        {"UTF-16 little-endian without a mark", std::string("H\0e\0l\0l\0o\0", 10), 1200},
        {"UTF-16 big-endian without a mark", std::string("\0H\0e\0l\0l\0o", 10), 1201},
        {"UTF-16 with accents above 0x7F", utf16(u"Voilà un café.", 1200), 1200},
        {"UTF-16 with many letters outside Latin-1", utf16(u"Příliš žluťoučký kůň", 1201), 1201},
        {"UTF-32 is no UTF-16", std::string("a\0\0\0b\0\0\0c\0\0\0", 12), 0},
        {"a zero here and there is no UTF-16", std::string("ab\0cdefgh\0ij", 12), 0},
    };
    expectDetections(cases);
}

TEST(EncodingDetectorContentTest, TextAboveAsciiIsJudgedByItsBytes)
{
    const std::string chineseGbk =
        "\xCE\xD2\xC4\xDC\xCD\xCC\xCF\xC2\xB2\xA3\xC1\xA7\xB6\xF8\xB2\xBB\xC9\xCB\xC9\xED\xCC\xE5\xA1\xA3\xD6\xD0\xBB\xAA"
        "\xC8\xCB\xC3\xF1\xB9\xB2\xBA\xCD\xB9\xFA\xCA\xC7\xCA\xC0\xBD\xE7\xC9\xCF\xC8\xCB\xBF\xDA\xD7\xEE\xB6\xE0\xB5\xC4"
        "\xB9\xFA\xBC\xD2\xD6\xAE\xD2\xBB\xA3\xAC\xCA\xD7\xB6\xBC\xCA\xC7\xB1\xB1\xBE\xA9\xA1\xA3";
    const Case cases[] = {
        {"Czech in UTF-8",
         "P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88 \xC3\xBAp\xC4\x9Bl "
         "\xC4\x8F\xC3\xA1" "belsk\xC3\xA9 \xC3\xB3" "dy.",
         65001},
        {"one accented letter in UTF-8", "caf\xC3\xA9", 65001},
        {"UTF-8 cut inside a character by the end of the window",
         "a" + repeated("\xC3\xA9", kEncodingDetectionWindow / 2 + 10), 65001},
        {"Czech in Central European", "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1" "belsk\xE9 \xF3" "dy",
         1250},
        {"French in Western",
         "Voix ambigu\xEB d\x92un c\x9Cur qui, au z\xE9phyr, pr\xE9" "f\xE8re les jattes de kiwis. \xAB D\xE9j\xE0 \xBB dit-il.",
         1252},
        {"Russian in Windows Cyrillic",
         "\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5 \xEC\xFF\xE3\xEA\xE8\xF5 \xF4\xF0\xE0\xED\xF6\xF3\xE7\xF1"
         "\xEA\xE8\xF5 \xE1\xF3\xEB\xEE\xEA, \xE4\xE0 \xE2\xFB\xEF\xE5\xE9 \xF7\xE0\xFE.",
         1251},
        {"Russian in KOI8-R",
         "\xF3\xDF\xC5\xDB\xD8 \xD6\xC5 \xC5\xDD\xA3 \xDC\xD4\xC9\xC8 \xCD\xD1\xC7\xCB\xC9\xC8 \xC6\xD2\xC1\xCE\xC3\xD5\xDA\xD3"
         "\xCB\xC9\xC8 \xC2\xD5\xCC\xCF\xCB, \xC4\xC1 \xD7\xD9\xD0\xC5\xCA \xDE\xC1\xC0.",
         20866},
        {"Turkish read as ISO Latin-5 is Windows Turkish",
         "Pijamal\xFD hasta ya\xF0\xFDz \xFEof\xF6re \xE7" "abucak g\xFCvendi. T\xFCrk\xE7" "e bir metin \xF6rne\xF0i.",
         1254},
        {"Japanese in Shift-JIS",
         "\x82\xA2\x82\xEB\x82\xCD\x82\xC9\x82\xD9\x82\xD6\x82\xC6 \x82\xBF\x82\xE8\x82\xCA\x82\xE9\x82\xF0 "
         "\x82\xED\x82\xA9\x82\xE6\x82\xBD\x82\xEA\x82\xBB \x82\xC2\x82\xCB\x82\xC8\x82\xE7\x82\xDE\x81" "B"
         "\x93\xFA\x96{\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81" "B",
         932},
        {"Japanese in EUC-JP",
         "\xA4\xA4\xA4\xED\xA4\xCF\xA4\xCB\xA4\xDB\xA4\xD8\xA4\xC8 \xA4\xC1\xA4\xEA\xA4\xCC\xA4\xEB\xA4\xF2 "
         "\xA4\xEF\xA4\xAB\xA4\xE8\xA4\xBF\xA4\xEC\xA4\xBD \xA4\xC4\xA4\xCD\xA4\xCA\xA4\xE9\xA4\xE0\xA1\xA3"
         "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBE\xCF\xA4\xC7\xA4\xB9\xA1\xA3",
         51932},
        {"Chinese in GBK", chineseGbk, 936},
        {"Chinese with a four-byte GB18030 sequence", chineseGbk + " \x95" "2\x82" "6", 54936},
        {"Korean in EUC-KR",
         "\xB4\xD9\xB6\xF7\xC1\xE3 \xC7\xE5 \xC3\xC2\xB9\xD9\xC4\xFB\xBF\xA1 \xC5\xB8\xB0\xED\xC6\xC4. \xB4\xEB\xC7\xD1\xB9\xCE"
         "\xB1\xB9\xC0\xBA \xB5\xBF\xBE\xC6\xBD\xC3\xBE\xC6\xC0\xC7 \xC7\xD1\xB9\xDD\xB5\xB5 \xB3\xB2\xBA\xCE\xBF\xA1 "
         "\xC0\xD6\xB4\xC2 \xB0\xF8\xC8\xAD\xB1\xB9\xC0\xCC\xB4\xD9.",
         949},
        {"Thai read as TIS-620 is Windows Thai",
         "\xE0\xBB\xE7\xB9\xC1\xB9\xD8\xC9\xC2\xEC\xCA\xD8\xB4\xBB\xC3\xD0\xE0\xCA\xC3\xD4\xB0\xE0\xC5\xD4\xC8\xA4\xD8\xB3"
         "\xA4\xE8\xD2 \xA1\xC7\xE8\xD2\xBA\xC3\xC3\xB4\xD2\xBD\xD9\xA7\xCA\xD1\xB5\xC7\xEC\xE0\xB4\xC3\xD1\xA8\xA9\xD2\xB9",
         874},
    };
    expectDetections(cases);
}

TEST(EncodingDetectorWindowTest, OnlyTheStartIsLookedAt)
{
    const std::string asciiWindow(kEncodingDetectionWindow, 'a');
    const Case cases[] = {
        {"a high byte past the window", asciiWindow + "\xC5\x99", 0},
        {"a UTF-16 pattern past the window", asciiWindow + repeated(std::string("a\0", 2), 100), 0},
        {"a UTF-8 letter ending the window", asciiWindow.substr(2) + "\xC5\x99", 65001},
        {"a UTF-8 letter cut by the end of the window", asciiWindow.substr(1) + "\xC5\x99", 65001},
    };
    expectDetections(cases);
}

/// Python's codec names, as the corpus lists them, and the code pages that read the same bytes.
const std::map<std::string, int, std::less<>> kCorpusCodePages = {
    {"utf_8", 65001}, {"cp1252", 1252}, {"cp1253", 1253}, {"cp1254", 1254}, {"cp1255", 1255},
    {"cp1256", 1256}, {"cp949", 949},   {"big5", 950},    {"mac_cyrillic", 10007},
};

std::u16string decodeWith(const Encoding& encoding, const std::vector<uint8_t>& bytes)
{
    return encoding.decode(bytes);
}

// The product's bar: a detection is right when it reads the file as the known encoding does.
// A different code page that decodes these very bytes identically (ISO Greek for Windows Greek
// text without the letters they place differently) counts as right.
TEST(EncodingDetectorCorpusTest, EverySampleReadsAsInItsKnownEncoding)
{
    const fs::path corpus = fs::path(VELMO_SHARED_DIR) / "corpus" / "charset_normalizer";
    std::ifstream table(corpus / "expected-encodings.tsv");
    if (!table)
        GTEST_SKIP() << "no charset corpus at " << corpus;
    std::string line;
    std::getline(table, line); // header
    int samples = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string file;
        std::string encodingName;
        std::getline(fields, file, '\t');
        std::getline(fields, encodingName, '\t');
        SCOPED_TRACE(file + " (" + encodingName + ")");
        const auto known = kCorpusCodePages.find(encodingName);
        ASSERT_NE(known, kCorpusCodePages.end()) << "no code page for " << encodingName;

        const std::vector<uint8_t> bytes = readFile((corpus / file).string());
        const std::optional<Encoding> detected = detectEncoding(bytes);
        ASSERT_TRUE(detected.has_value()) << "nothing detected";
        EXPECT_TRUE(decodeWith(*detected, bytes) == decodeWith(Encoding::fromCodePage(known->second), bytes))
            << "detected " << detected->codePage() << ", known " << known->second;
        ++samples;
    }
    EXPECT_GT(samples, 0);
}

} // namespace
} // namespace velmo::core
