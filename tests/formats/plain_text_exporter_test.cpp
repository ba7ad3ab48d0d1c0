#include "formats/plain_text_exporter.h"

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/property_modifiers.h"
#include "model/content_type.h"
#include "model/runs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmo::formats {
namespace {

using model::RunKind;

std::u16string exportText(const model::DocumentModel& document, PlainTextDocumentExporterOptions options = {})
{
    PlainTextExporter exporter(document, std::move(options));
    return exporter.exportText();
}

TEST(PlainTextExporterTest, ParagraphsAreLinesWithoutATrailingBreak)
{
    model::DocumentModel document;
    document.mainPieceTable().insertPlainText(DocumentLogPosition(0), u"A\nB");
    EXPECT_EQ(exportText(document), u"A\r\nB");

    PlainTextDocumentExporterOptions utf8;
    utf8.encoding = core::Encoding::fromCodePage(65001);
    PlainTextExporter exporter(document, utf8);
    const std::vector<uint8_t> bytes = exporter.exportContent();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "\xEF\xBB\xBF" "A\r\nB");
}

TEST(PlainTextExporterTest, TextRunsAreWrittenAsTheyShow)
{
    model::DocumentModel document;
    model::PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"one\vtwo caps");
    story.insertParagraph(DocumentLogPosition(12));
    story.applyCharacterFormatting(DocumentLogPosition(8), 4, model::allCapsModifier(true));
    story.insertText(DocumentLogPosition(13), u"secret");
    story.applyCharacterFormatting(DocumentLogPosition(13), 7, model::hiddenModifier(true));
    story.insertText(DocumentLogPosition(1), u"\x1F"); // an optional hyphen is Unicode's soft hyphen
    EXPECT_EQ(exportText(document), u"o\u00ADne\r\ntwo CAPS") << "a wholly hidden paragraph is left out";
}

TEST(PlainTextExporterTest, FieldsAreWrittenAsTheirResultUnlessHiddenTextIsExported)
{
    model::DocumentModel document;
    model::PieceTable& story = document.mainPieceTable();
    model::InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    story.insertText(position, u"a");
    story.insertObjectRun(position, RunKind::FieldCodeStart);
    story.insertText(position, u"PAGE");
    story.insertObjectRun(position, RunKind::FieldCodeEnd);
    story.insertText(position, u"1");
    story.insertObjectRun(position, RunKind::FieldResultEnd);
    story.insertText(position, u"b");
    EXPECT_EQ(exportText(document), u"a1b");

    PlainTextDocumentExporterOptions withCodes;
    withCodes.exportHiddenText = true;
    withCodes.fieldCodeStartMarker = u"{";
    withCodes.fieldCodeEndMarker = u"}";
    withCodes.fieldResultEndMarker = u"|";
    EXPECT_EQ(exportText(document, withCodes), u"a{PAGE}1|b");
}

TEST(PlainTextExporterTest, NotesFollowTheMainTextBehindASeparator)
{
    model::DocumentModel document;
    model::PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"Text and more");
    model::InputPosition position = story.createInputPosition(DocumentLogPosition(4));
    document.insertNote(position, RunKind::FootNote).pieceTable().insertText(DocumentLogPosition(0), u"First note");
    position = story.createInputPosition(DocumentLogPosition(14));
    document.insertNote(position, RunKind::FootNote).pieceTable().insertText(DocumentLogPosition(0), u"Second note");
    position = story.createInputPosition(DocumentLogPosition(0));
    document.insertNote(position, RunKind::EndNote).pieceTable().insertText(DocumentLogPosition(0), u"The end");
    const std::u16string hyphens(60, u'-');
    EXPECT_EQ(exportText(document), u"[1]Text[1] and more[2]\r\n" + hyphens + u"\r\nFirst note\r\nSecond note\r\n" + hyphens +
                                         u"\r\nThe end");

    PlainTextDocumentExporterOptions custom;
    custom.footNoteNumberStringFormat = u"(%1:d/%2:d)";
    custom.footNoteSeparator = u"__";
    custom.endNoteNumberStringFormat = u"<%s>";
    EXPECT_EQ(exportText(document, custom), u"<1>Text(1/0) and more(2/1)\r\n__\r\nFirst note\r\nSecond note\r\n" + hyphens +
                                                u"\r\nThe end");
}

TEST(PlainTextExporterTest, FinalLineBreakTrimming)
{
    struct Case {
        const char* name;
        std::u16string text;
        std::u16string expected;
    };
    const Case cases[] = {
        {"empty document", u"", u""},
        {"an empty last paragraph keeps the break before it", u"A\n", u"A\r\n\r\n"},
        {"two empty paragraphs", u"\n", u"\r\n\r\n"},
        {"a line break at the end of a run", u"A\v", u"A\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::DocumentModel document;
        document.mainPieceTable().insertPlainText(DocumentLogPosition(0), c.text);
        EXPECT_EQ(exportText(document), c.expected);
    }
}

} // namespace
} // namespace velmo::formats

#include "formats/document_file_service.h"

namespace velmo::formats {
namespace {

TEST(PlainTextRoundTripTest, WritingAndReadingAgainKeepsEveryParagraph)
{
    const std::u16string texts[] = {u"", u"a", u"a\n", u"a\n\n", u"\n", u"\n\n", u"a\nb", u"a\n\nb\n", u"\u0159\u00A0x"};
    for (const std::u16string& text : texts) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        model::DocumentModel original;
        original.mainPieceTable().insertPlainText(DocumentLogPosition(0), text);
        PlainTextDocumentExporterOptions exportOptions;
        exportOptions.encoding = core::Encoding::fromCodePage(65001);
        const std::vector<uint8_t> bytes = saveDocumentToMemory(original, model::DocumentFormat::PlainText, exportOptions);
        model::DocumentModel reread;
        loadDocument(reread, bytes, model::DocumentFormat::PlainText, PlainTextDocumentImporterOptions{});
        std::u16string expected = original.mainPieceTable().storyText();
        std::replace(expected.begin(), expected.end(), u'\u00A0', u' ');
        EXPECT_EQ(reread.mainPieceTable().storyText(), expected);
    }
}

} // namespace
} // namespace velmo::formats
