#include "formats/plain_text_importer.h"

#include "formats/document_file_service.h"
#include "model/document_dump.h"
#include "model/document_model.h"
#include "model/model_integrity_checker.h"
#include "model/piece_table.h"
#include "support/golden.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace velmo::formats {
namespace {

std::vector<uint8_t> bytesOf(std::string_view text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

/// Loads bytes as a .txt file and returns the story's characters (marks as CR).
std::u16string load(model::DocumentModel& document, std::string_view bytes, PlainTextDocumentImporterOptions options = {})
{
    options.sourceUri = u"sample.txt";
    loadDocument(document, bytesOf(bytes), model::DocumentFormat::PlainText, options);
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    return document.mainPieceTable().storyText();
}

TEST(PlainTextImporterTest, LinesBecomeParagraphs)
{
    struct Case {
        const char* name;
        std::string_view bytes;
        std::u16string story;
    };
    const Case cases[] = {
        {"one line with CR LF", "A\r\n", u"A\r"},
        {"an empty line after it", "A\r\n\r\n", u"A\r\r"},
        {"CR, LF and an LF CR pair", "A\rB\nC\n\rD", u"A\rB\rC\rD\r"},
        {"empty file", "", u"\r"},
        {"no-break space becomes a space", "a\xC2\xA0" "b", u"a b\r"},
        {"section mark becomes a paragraph", "a\x1D" "b", u"a\rb\r"},
        {"a NUL does not cut the text", std::string_view("a\0b\nc", 5), u"a\uFFFDb\rc\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::DocumentModel document;
        PlainTextDocumentImporterOptions options;
        options.encoding = core::Encoding::fromCodePage(65001);
        EXPECT_EQ(load(document, c.bytes, options), c.story);
    }
}

TEST(PlainTextImporterTest, EncodingIsDetectedOrKeptAsTheDefault)
{
    struct Case {
        const char* name;
        std::string_view bytes;
        std::u16string story;
    };
    const Case cases[] = {
        {"UTF-8 with its mark", "\xEF\xBB\xBFP\xC5\x99\xC3\xADli\xC5\xA1", u"P\u0159\u00EDli\u0161\r"},
        {"UTF-8 without a mark", "P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88", u"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148\r"},
        {"pure ASCII keeps the default code page", "plain", u"plain\r"},
        {"UTF-16 little-endian with its mark", std::string_view("\xFF\xFE" "a\0b\0", 6), u"ab\r"},
        {"only a UTF-8 mark is too short to detect, and the mark is still dropped", "\xEF\xBB\xBF", u"\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::DocumentModel document;
        EXPECT_EQ(load(document, c.bytes), c.story);
    }
}

TEST(PlainTextImporterTest, ABinaryFileNamedTxtLoadsInFull)
{
    // The start of a ZIP archive: mostly binary with NULs.
    std::string zip("PK\x03\x04\x14\0\0\0\x08\0", 10);
    for (int index = 0; index < 2000; ++index)
        zip.push_back(static_cast<char>(index * 37));
    model::DocumentModel document;
    const std::u16string story = load(document, zip);
    EXPECT_GT(story.size(), 1500u) << "nothing after the first NUL may be lost";
}

TEST(PlainTextImporterTest, ForcedEncodingWinsOverDetection)
{
    model::DocumentModel document;
    PlainTextDocumentImporterOptions options;
    options.encoding = core::Encoding::fromCodePage(1252);
    options.autoDetectEncoding = false;
    EXPECT_EQ(load(document, "P\xC5\x99", options), u"P\u00C5\u2122\r");
}

} // namespace
} // namespace velmo::formats

namespace velmo::formats {
namespace {

TEST(PlainTextImporterGoldenTest, MixedLineBreaksDump)
{
    model::DocumentModel document;
    PlainTextDocumentImporterOptions options;
    loadDocument(document, std::string(VELMO_TESTS_DIR) + "/formats/fixtures/mixed_breaks.txt", model::DocumentFormat::Undefined,
                 options);
    velmo::testing::expectMatchesGolden(model::dumpDocument(document), "formats/golden/mixed_breaks.txt");
}

} // namespace
} // namespace velmo::formats
