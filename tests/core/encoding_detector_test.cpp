#include "core/encoding_detector.h"

#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace velmo::core {
namespace {

std::span<const uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(EncodingDetectorTest, SignaturesZeroPatternsAndAscii)
{
    struct Case {
        const char* name;
        std::string_view bytes;
        int codePage; // 0: nothing detected
    };
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" "abc", 65001},
        {"a lone UTF-8 mark is too short for a signature, yet reads as UTF-8", "\xEF\xBB\xBF", 65001},
        {"UTF-16 little-endian mark", std::string_view("\xFF\xFE" "a\0", 4), 1200},
        {"UTF-16 big-endian mark", std::string_view("\xFE\xFF\0a", 4), 1201},
        {"UTF-32 big-endian mark", std::string_view("\0\0\xFE\xFF", 4), 12001},
        {"UTF-16 little-endian without a mark", std::string_view("H\0e\0l\0l\0o\0", 10), 1200},
        {"UTF-16 big-endian without a mark", std::string_view("\0H\0e\0l\0l\0o", 10), 1201},
        {"pure ASCII", "Just some plain text.", 0},
        {"Czech in UTF-8 without a mark",
         "P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88 \xC3\xBAp\xC4\x9B" "l "
         "\xC4\x8F\xC3\xA1" "belsk\xC3\xA9 \xC3\xB3" "dy.",
         65001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Encoding> detected = detectEncoding(bytesOf(c.bytes));
        EXPECT_EQ(detected ? detected->codePage() : 0, c.codePage);
    }
}

TEST(EncodingDetectorTest, LooksOnlyAtTheStart)
{
    std::string text(kEncodingDetectionWindow, 'a');
    text += "\xC5\x99";
    EXPECT_FALSE(detectEncoding(bytesOf(text)).has_value()) << "the window was pure ASCII";
}

} // namespace
} // namespace velmo::core
