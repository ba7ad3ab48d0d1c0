// The DOCX reader on hand-written parts: text, formatting, structure and the errors it reports.
#include "core/unicode_text.h"
#include "formats/document_file_service.h"
#include "formats/docx/open_xml_story_builder.h"
#include "formats/docx/open_xml_values.h"
#include "formats/xml/xml_reader.h"
#include "formats/docx_test_support.h"
#include "model/content_type.h"
#include "model/fields/field_collection.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tables/table.h"

#include <gtest/gtest.h>

namespace velmo::formats {
namespace {

using testing::documentPart;
using testing::loadDocx;
using testing::mainText;
using testing::makeDocx;
using testing::makePackage;
using testing::packageRelations;
using testing::relationsPart;

std::u16string loadText(const std::string& body)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    return mainText(document);
}

const model::CharacterFormattingInfo& firstRunFormatting(const model::DocumentModel& document)
{
    return document.mainPieceTable().mergedCharacterFormatting(RunIndex(0));
}

const model::ParagraphFormattingInfo& firstParagraphFormatting(const model::DocumentModel& document)
{
    const model::PieceTable& main = document.mainPieceTable();
    return main.mergedParagraphFormatting(main.paragraph(ParagraphIndex(0)));
}

TEST(DocxReaderTest, TextOfParagraphsRunsAndBreaks)
{
    struct Case {
        const char* body;
        std::u16string text;
    };
    const Case cases[] = {
        {"<w:p><w:r><w:t>One</w:t></w:r></w:p><w:p><w:r><w:t>Two</w:t></w:r></w:p>", u"One\rTwo\r"},
        {"<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:cr/><w:noBreakHyphen/></w:r></w:p>", u"a\tb\vc\v\u2011\r"},
        {R"(<w:p><w:r><w:t>a</w:t><w:br w:type="page"/><w:br w:type="column"/><w:br w:type="odd"/></w:r></w:p>)", u"a\f\x0E\v\r"},
        // Spaces alone survive only where xml:space keeps them.
        {R"(<w:p><w:r><w:t xml:space="preserve">  </w:t><w:t>  </w:t></w:r></w:p>)", u"  \r"},
        // Tracked insertions, smart tags and content controls are text; deletions are not.
        {R"(<w:p><w:ins><w:r><w:t>in</w:t></w:r></w:ins><w:del><w:r><w:delText>out</w:delText></w:r></w:del>)"
         R"(<w:smartTag><w:r><w:t>S</w:t></w:r></w:smartTag><w:sdt><w:sdtContent><w:r><w:t>D</w:t></w:r></w:sdtContent></w:sdt></w:p>)",
         u"inSD\r"},
        // Unknown elements are skipped with everything in them.
        {R"(<w:p><w:unknown><w:r><w:t>hidden</w:t></w:r></w:unknown><w:r><w:t>shown</w:t></w:r></w:p><w:bogus/>)", u"shown\r"},
        // Control characters in text are dropped, line ends become line breaks.
        {"<w:p><w:r><w:t xml:space=\"preserve\">a&#x9;b&#xA;c</w:t></w:r></w:p>", u"a\tb\vc\r"},
        {"", u"\r"},
    };
    for (const Case& item : cases)
        EXPECT_EQ(loadText(item.body), item.text) << item.body;
}

TEST(DocxReaderTest, ValuesAsDocumentsWriteThem)
{
    struct IntegerCase {
        std::string_view text;
        std::optional<int32_t> value;
    };
    const IntegerCase integers[] = {
        {" 12 ", 12}, {"+7", 7}, {"-40", -40}, {"1.9", 1}, {"-2.5", -2}, {"1e3", 1000},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}, {"", std::nullopt}, {"abc", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const IntegerCase& item : integers)
        EXPECT_EQ(parseInteger(item.text), item.value) << item.text;
    EXPECT_EQ(parseOnOff("on"), true);
    EXPECT_EQ(parseOnOff("false"), false);
    EXPECT_EQ(parseOnOff("yes"), std::nullopt);
    EXPECT_EQ(parseHexColor("FF8000"), model::opaqueColor(255, 128, 0));
    EXPECT_EQ(parseHexColor("auto"), std::nullopt);
    EXPECT_EQ(parseHexInteger(" 04A0 "), 0x04A0u);
    EXPECT_EQ(parseHexInteger("123456789"), std::nullopt);
    EXPECT_EQ(parseFloat("12.5pt"), 12.5);
    EXPECT_EQ(colorWord(model::opaqueColor(1, 2, 255)), "0102ff");
    EXPECT_EQ(colorWord(model::kEmptyColor), "auto");
    EXPECT_EQ(borderLineStyleWord(model::BorderLineStyle::ThreeDEmboss), "threeDEmboss");
    EXPECT_EQ(borderLineStyleOf("zigZagStitch"), model::BorderLineStyle::ZigZagStitch);
    EXPECT_EQ(numberingFormatOf("decimalEnclosedParen"), model::NumberingFormat::DecimalEnclosedParentheses);
}

TEST(DocxReaderTest, StrictVocabularyIsRead)
{
    const std::string strict =
        R"(<w:document xmlns:w="http://purl.oclc.org/ooxml/wordprocessingml/main"><w:body><w:p><w:r><w:rPr><w:b/></w:rPr>)"
        R"(<w:t>strict</w:t></w:r></w:p></w:body></w:document>)";
    const std::string relations =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="r1" )"
        R"(Type="http://purl.oclc.org/ooxml/officeDocument/relationships/officeDocument" Target="/word/main.xml"/></Relationships>)";
    model::DocumentModel document;
    loadDocx(document, makePackage({{"_rels/.rels", relations}, {"word/main.xml", strict}}));
    EXPECT_EQ(mainText(document), u"strict\r");
    EXPECT_TRUE(firstRunFormatting(document).fontBold());
}

TEST(DocxReaderTest, AlternateContentTakesTheFallbackOfUnknownChoices)
{
    const std::string body = R"(<w:p><w:r><mc:AlternateContent><mc:Choice Requires="w14"><w:t>choice</w:t></mc:Choice>)"
                             R"(<mc:Fallback><w:t>fallback</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>)";
    EXPECT_EQ(loadText(body), u"fallback\r");
}

TEST(DocxReaderTest, RunPropertiesAndParseErrors)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx(R"(<w:p><w:r><w:rPr><w:b/><w:i w:val="0"/><w:u w:val="double" w:color="00FF00"/>)"
                                R"(<w:color w:val="FF0000"/><w:sz w:val="28"/><w:rFonts w:ascii="Arial"/><w:vertAlign w:val="superscript"/>)"
                                R"(<w:highlight w:val="yellow"/><w:dstrike/></w:rPr><w:t>x</w:t></w:r></w:p>)"));
    const model::CharacterFormattingInfo& info = firstRunFormatting(document);
    EXPECT_TRUE(info.fontBold());
    EXPECT_FALSE(info.fontItalic());
    EXPECT_EQ(info.fontUnderlineType(), model::UnderlineType::Double);
    EXPECT_EQ(info.underlineColor(), model::opaqueColor(0, 255, 0));
    EXPECT_EQ(info.foreColor(), model::opaqueColor(255, 0, 0));
    EXPECT_EQ(info.doubleFontSize(), 28);
    EXPECT_EQ(info.fontName(), u"Arial");
    EXPECT_EQ(info.script(), model::CharacterFormattingScript::Superscript);
    EXPECT_EQ(info.backColor(), model::opaqueColor(255, 255, 0));
    EXPECT_EQ(info.fontStrikeoutType(), model::StrikeoutType::Double);

    // A value that cannot be read skips that value when parse errors are ignored, else fails.
    const std::vector<uint8_t> bad = makeDocx(R"(<w:p><w:r><w:rPr><w:b w:val="yes"/><w:sz w:val="abc"/></w:rPr><w:t>x</w:t></w:r></w:p>)");
    model::DocumentModel lenient;
    loadDocx(lenient, bad);
    EXPECT_FALSE(firstRunFormatting(lenient).fontBold());
    model::DocumentModel strict;
    EXPECT_THROW(
        {
            try {
                loadDocx(strict, bad, false);
            } catch (const core::EditorException& error) {
                EXPECT_STREQ(error.what(), "Invalid OpenXml file");
                throw;
            }
        },
        core::EditorException);
}

TEST(DocxReaderTest, ParagraphProperties)
{
    struct Case {
        const char* properties;
        std::function<void(const model::ParagraphFormattingInfo&)> check;
    };
    using model::ParagraphLineSpacing;
    const Case cases[] = {
        {R"(<w:spacing w:line="360"/>)", [](const auto& info) { EXPECT_EQ(info.lineSpacingType(), ParagraphLineSpacing::Sesquialteral); }},
        {R"(<w:spacing w:line="300"/>)",
         [](const auto& info) {
             EXPECT_EQ(info.lineSpacingType(), ParagraphLineSpacing::Multiple);
             EXPECT_FLOAT_EQ(info.lineSpacing(), 1.25f);
         }},
        {R"(<w:spacing w:line="400" w:lineRule="exact" w:before="120" w:after="-5"/>)",
         [](const auto& info) {
             EXPECT_EQ(info.lineSpacingType(), ParagraphLineSpacing::Exactly);
             EXPECT_EQ(info.spacingBefore(), 120);
             EXPECT_EQ(info.spacingAfter(), 0); // negative spacing cannot be stored
         }},
        {R"(<w:ind w:left="720" w:right="360" w:hanging="240" w:firstLine="100"/>)",
         [](const auto& info) {
             EXPECT_EQ(info.leftIndent(), 720);
             EXPECT_EQ(info.rightIndent(), 360);
             EXPECT_EQ(info.firstLineIndentType(), model::ParagraphFirstLineIndent::Hanging);
             EXPECT_EQ(info.firstLineIndent(), 240);
         }},
        {R"(<w:jc w:val="both"/><w:keepNext/><w:pageBreakBefore w:val="1"/>)",
         [](const auto& info) {
             EXPECT_EQ(info.alignment(), model::ParagraphAlignment::Justify);
             EXPECT_TRUE(info.keepWithNext());
             EXPECT_TRUE(info.pageBreakBefore());
         }},
        {R"(<w:outlineLvl w:val="0"/>)", [](const auto& info) { EXPECT_EQ(info.outlineLevel(), 1); }},
        {R"(<w:outlineLvl w:val="9"/>)", [](const auto& info) { EXPECT_EQ(info.outlineLevel(), 0); }},
        {R"(<w:shd w:val="pct25"/>)", [](const auto& info) { EXPECT_EQ(info.backColor(), model::opaqueColor(191, 191, 191)); }},
        {R"(<w:shd w:val="clear" w:fill="FF0000"/>)", [](const auto& info) { EXPECT_EQ(info.backColor(), model::opaqueColor(255, 0, 0)); }},
        {R"(<w:pBdr><w:top w:val="single" w:sz="4" w:space="1" w:color="0000FF"/></w:pBdr>)",
         [](const auto& info) {
             EXPECT_EQ(info.topBorder().style, model::BorderLineStyle::Single);
             EXPECT_EQ(info.topBorder().width, 10);
             EXPECT_EQ(info.topBorder().offset, 20);
             EXPECT_EQ(info.topBorder().color, model::opaqueColor(0, 0, 255));
         }},
    };
    for (const Case& item : cases) {
        model::DocumentModel document;
        loadDocx(document, makeDocx(std::string("<w:p><w:pPr>") + item.properties + "</w:pPr><w:r><w:t>x</w:t></w:r></w:p>"));
        SCOPED_TRACE(item.properties);
        item.check(firstParagraphFormatting(document));
    }
}

TEST(DocxReaderTest, TabsOfAParagraph)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx(R"(<w:p><w:pPr><w:tabs><w:tab w:val="right" w:leader="dot" w:pos="9000"/><w:tab w:val="clear" w:pos="720"/>)"
                                R"(<w:tab w:val="center"/></w:tabs></w:pPr></w:p>)"));
    const model::PieceTable& main = document.mainPieceTable();
    const model::TabFormattingInfo& tabs = document.cache().tabFormattingInfoCache()[main.paragraph(ParagraphIndex(0)).tabsIndex()];
    ASSERT_EQ(tabs.count(), 2); // a tab without position is dropped
    EXPECT_TRUE(tabs[0].deleted);
    EXPECT_EQ(tabs[1].position, 9000);
    EXPECT_EQ(tabs[1].alignment, model::TabAlignmentType::Right);
    EXPECT_EQ(tabs[1].leader, model::TabLeaderType::Dots);
}

TEST(DocxReaderTest, StylesWithDefaultsParentsAndNextStyles)
{
    const std::string styles =
        std::string(R"(<?xml version="1.0"?><w:styles )") + testing::kWordNamespaces + ">" +
        R"(<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Cambria"/><w:sz w:val="24"/></w:rPr></w:rPrDefault></w:docDefaults>)"
        R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/>)"
        R"(<w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:b/></w:rPr></w:style>)"
        R"(<w:style w:type="character" w:styleId="Strong"><w:name w:val="Strong"/><w:rPr><w:i/></w:rPr></w:style>)"
        R"(<w:style w:type="table" w:styleId="Grid"><w:name w:val="Table Grid"/><w:tblPr><w:tblBorders><w:top w:val="single"/></w:tblBorders></w:tblPr></w:style>)"
        R"(<w:style w:styleId=""><w:name w:val="No id"/></w:style></w:styles>)";
    model::DocumentModel document;
    loadDocx(document, makeDocx(R"(<w:p><w:pPr><w:pStyle w:val="Heading1"/></w:pPr><w:r><w:rPr><w:rStyle w:val="Strong"/></w:rPr><w:t>T</w:t></w:r></w:p>)"
                                R"(<w:p><w:r><w:t>body</w:t></w:r></w:p>)",
                                {{"word/styles.xml", styles},
                                 {"word/_rels/document.xml.rels", relationsPart({{"rId1", "styles", "styles.xml"}})}}));
    const auto& paragraphStyles = document.styles().paragraphStyles();
    const int32_t heading = paragraphStyles.styleIndexByName(u"heading 1");
    ASSERT_GT(heading, 0);
    EXPECT_EQ(paragraphStyles[heading].parent(), &paragraphStyles[0]);
    EXPECT_EQ(paragraphStyles[heading].nextParagraphStyle(), &paragraphStyles[0]);
    EXPECT_EQ(paragraphStyles.styleIndexByName(u"No id"), -1);
    EXPECT_GE(document.styles().tableStyles().styleIndexByName(u"Table Grid"), 0);

    const model::PieceTable& main = document.mainPieceTable();
    EXPECT_EQ(main.paragraph(ParagraphIndex(0)).paragraphStyleIndex(), heading);
    const model::CharacterFormattingInfo& title = main.mergedCharacterFormatting(RunIndex(0));
    EXPECT_TRUE(title.fontBold());
    EXPECT_TRUE(title.fontItalic());
    EXPECT_EQ(title.fontName(), u"Cambria");
    EXPECT_EQ(main.mergedParagraphFormatting(main.paragraph(ParagraphIndex(0))).alignment(), model::ParagraphAlignment::Center);
    // The document defaults reach ordinary paragraphs too.
    const model::CharacterFormattingInfo& body = main.mergedCharacterFormatting(main.paragraph(ParagraphIndex(1)).firstRunIndex());
    EXPECT_EQ(body.fontName(), u"Cambria");
    EXPECT_EQ(body.doubleFontSize(), 24);
    testing::expectRoundTrip(document);
}

TEST(DocxReaderTest, TablesWithSpansMergesAndNesting)
{
    const std::string body =
        R"(<w:tbl><w:tblPr><w:tblW w:w="5000" w:type="pct"/><w:tblLayout w:type="fixed"/></w:tblPr>)"
        R"(<w:tblGrid><w:gridCol w:w="1000"/><w:gridCol w:w="2000"/><w:gridCol w:w="3000"/></w:tblGrid>)"
        R"(<w:tr><w:tc><w:tcPr><w:gridSpan w:val="2"/><w:vMerge w:val="restart"/></w:tcPr><w:p><w:r><w:t>A</w:t></w:r></w:p></w:tc>)"
        R"(<w:tc><w:p><w:r><w:t>B</w:t></w:r></w:p>)"
        R"(<w:tbl><w:tr><w:tc><w:p><w:r><w:t>inner</w:t></w:r></w:p></w:tc></w:tr></w:tbl></w:tc></w:tr>)"
        R"(<w:tr><w:tc><w:tcPr><w:gridSpan w:val="2"/><w:vMerge/></w:tcPr></w:tc><w:tc><w:p><w:r><w:t>C</w:t><w:br w:type="page"/></w:r></w:p></w:tc></w:tr>)"
        R"(</w:tbl>)";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    // The cell after the nested table and the cell without paragraphs get one of their own, and
    // an empty paragraph follows the table at the end of the story.
    EXPECT_EQ(mainText(document), u"A\rB\rinner\r\r\rC\f\r\r");
    const model::TableCellsManager& tables = document.mainPieceTable().tableCellsManager();
    ASSERT_EQ(tables.tableCount(), 2);
    const model::TableCell* first = tables.cellByNestingLevel(ParagraphIndex(0), 0);
    ASSERT_NE(first, nullptr);
    const model::Table& outer = first->table();
    EXPECT_EQ(outer.rowCount(), 2);
    EXPECT_EQ(first->columnSpan(), 2);
    EXPECT_EQ(first->verticalMerging(), model::MergingState::Restart);
    EXPECT_EQ(outer.row(1).cell(0).verticalMerging(), model::MergingState::Continue);
    // A fixed layout gives cells without a width the width of their grid columns.
    EXPECT_EQ(first->properties().preferredWidth.value, 3000);
    const model::TableCell* inner = tables.cellByNestingLevel(ParagraphIndex(2), 1);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->table().parentCell(), &outer.row(0).cell(1));
    testing::expectRoundTrip(document);
}

TEST(DocxReaderTest, TablesAreRepairedAfterReading)
{
    // A merge that continues nothing, and a row shorter than the others.
    const std::string body = R"(<w:tbl><w:tr><w:tc><w:tcPr><w:vMerge/></w:tcPr><w:p/></w:tc><w:tc><w:p/></w:tc></w:tr>)"
                             R"(<w:tr><w:tc><w:p/></w:tc></w:tr></w:tbl>)";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    const model::Table& table = *document.mainPieceTable().tableCellsManager().tables()[0];
    EXPECT_EQ(table.row(0).cell(0).verticalMerging(), model::MergingState::None);
    EXPECT_EQ(table.row(1).gridAfter(), 1);
    testing::expectRoundTrip(document);
}

TEST(DocxReaderTest, TablesNestedTooDeepKeepTheirText)
{
    std::string body;
    constexpr int kDepth = 80; // deeper than tables may nest, within the XML reader's limit
    for (int level = 0; level < kDepth; ++level)
        body += "<w:tbl><w:tr><w:tc>";
    body += "<w:p><w:r><w:t>deep</w:t></w:r></w:p>";
    for (int level = 0; level < kDepth; ++level)
        body += "</w:tc></w:tr></w:tbl>";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    EXPECT_EQ(mainText(document).substr(0, 5), u"deep\r");
    EXPECT_LT(document.mainPieceTable().tableCellsManager().tableCount(), model::kMaxTableNestingLevel);
}

TEST(DocxReaderTest, HugeRowsAndManySectionsStayBounded)
{
    // More cells in a row than a row takes: the cells beyond the limit, and the rows after, are
    // read as plain paragraphs.
    std::string body = "<w:tbl><w:tr>";
    for (int cell = 0; cell < 1500; ++cell)
        body += "<w:tc><w:p/></w:tc>";
    body += "</w:tr><w:tr><w:tc><w:p/></w:tc></w:tr></w:tbl>";
    for (int section = 0; section < 5000; ++section)
        body += "<w:p><w:pPr><w:sectPr/></w:pPr></w:p><w:p/>";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    const model::TableCellsManager& tables = document.mainPieceTable().tableCellsManager();
    ASSERT_EQ(tables.tableCount(), 1);
    ASSERT_EQ(tables.tables()[0]->rowCount(), 1);
    EXPECT_EQ(static_cast<size_t>(tables.tables()[0]->row(0).cellCount()), OpenXmlStoryBuilder::kMaxCellsPerRow);
    EXPECT_EQ(document.sectionCount(), 5001);
    EXPECT_EQ(document.mainPieceTable().paragraphCount(), 1501 + 10000);
}

TEST(DocxReaderTest, SectionsHeadersAndFooters)
{
    const std::string body =
        R"(<w:p><w:pPr><w:sectPr><w:headerReference w:type="default" r:id="h1"/><w:pgSz w:w="11906" w:h="16838"/>)"
        R"(<w:pgMar w:top="1000" w:right="1100" w:bottom="1200" w:left="1300" w:header="500" w:footer="600" w:gutter="0"/>)"
        R"(<w:type w:val="continuous"/><w:titlePg/></w:sectPr></w:pPr><w:r><w:t>first</w:t></w:r></w:p>)"
        R"(<w:p><w:r><w:t>second</w:t></w:r></w:p><w:sectPr><w:footerReference w:type="default" r:id="f1"/>)"
        R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/><w:cols w:num="2" w:space="720"/></w:sectPr>)";
    const std::string header = std::string(R"(<w:hdr )") + testing::kWordNamespaces + R"(><w:p><w:r><w:t>head</w:t></w:r></w:p></w:hdr>)";
    const std::string footer = std::string(R"(<w:ftr )") + testing::kWordNamespaces + R"(><w:p><w:r><w:t>foot</w:t></w:r></w:p></w:ftr>)";
    model::DocumentModel document;
    // Relation targets may climb out of the main part's folder.
    loadDocx(document, makeDocx(body, {{"word/_rels/document.xml.rels", relationsPart({{"h1", "header", "../parts/h.xml"}, {"f1", "footer", "f.xml"}})},
                                       {"parts/h.xml", header},
                                       {"word/f.xml", footer}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    ASSERT_EQ(document.sectionCount(), 2);
    const model::Section& first = document.section(SectionIndex(0));
    EXPECT_EQ(first.page().width, 11906);
    EXPECT_EQ(first.margins().left, 1300);
    EXPECT_EQ(first.margins().headerOffset, 500);
    EXPECT_EQ(first.generalSettings().startType, model::SectionStartType::Continuous);
    EXPECT_TRUE(first.generalSettings().differentFirstPage);
    const model::Section& second = document.section(SectionIndex(1));
    EXPECT_TRUE(second.page().landscape);
    EXPECT_EQ(second.columns().columnCount, 2);
    ASSERT_NE(first.header(model::HeaderFooterType::Odd), nullptr);
    EXPECT_EQ(first.header(model::HeaderFooterType::Odd)->pieceTable().storyText(), u"head\r");
    // A section that names no header shows the previous section's.
    EXPECT_EQ(second.header(model::HeaderFooterType::Odd), first.header(model::HeaderFooterType::Odd));
    ASSERT_NE(second.footer(model::HeaderFooterType::Odd), nullptr);
    EXPECT_EQ(first.footer(model::HeaderFooterType::Odd), nullptr);
    EXPECT_EQ(mainText(document), u"first\x1Dsecond\r");
    testing::expectRoundTrip(document);
}

TEST(DocxReaderTest, NotesFieldsAndHyperlinks)
{
    const std::string body =
        R"(<w:p><w:r><w:t>See</w:t></w:r><w:r><w:footnoteReference w:id="5"/></w:r><w:r><w:endnoteReference w:id="9"/></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGE </w:instrText></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)"
        R"(<w:hyperlink r:id="link"><w:r><w:t>site</w:t></w:r></w:hyperlink><w:fldSimple w:instr="DATE"><w:r><w:t>today</w:t></w:r></w:fldSimple>)"
        R"(<w:r><w:fldChar w:fldCharType="end"/></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:t>open</w:t></w:r></w:p>)";
    const std::string footnotes = std::string(R"(<w:footnotes )") + testing::kWordNamespaces +
                                  R"(><w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>)"
                                  R"(<w:footnote w:id="5"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t>Note</w:t></w:r></w:p></w:footnote></w:footnotes>)";
    const std::string endnotes = std::string(R"(<w:endnotes )") + testing::kWordNamespaces +
                                 R"(><w:endnote w:id="9"><w:p><w:r><w:t>End</w:t></w:r></w:p></w:endnote></w:endnotes>)";
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/_rels/document.xml.rels",
                                        testing::relationsPart({{"fn", "footnotes", "footnotes.xml"}, {"en", "endnotes", "endnotes.xml"}, {"link", "hyperlink", "http://example.com/"}})},
                                       {"word/footnotes.xml", footnotes},
                                       {"word/endnotes.xml", endnotes}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    ASSERT_EQ(document.footNoteCount(), 1);
    ASSERT_EQ(document.endNoteCount(), 1);
    EXPECT_EQ(document.footNote(0).pieceTable().storyText(), u"Note\r");
    EXPECT_EQ(document.endNote(0).pieceTable().storyText(), u"End\r");
    // The field marks frame code and result; a stray end is dropped and an open field is closed.
    const std::u16string text = mainText(document);
    // The page number becomes a run the layout fills in; the link gets its record.
    EXPECT_NE(text.find(u"{ PAGE }#\u203A"), std::u16string::npos) << core::utf16ToUtf8(text);
    EXPECT_NE(text.find(u"{DATE}today\u203A"), std::u16string::npos);
    EXPECT_NE(text.find(u"{HYPERLINK \"http://example.com/\"}site\u203A"), std::u16string::npos);
    EXPECT_NE(text.find(u"{open}\u203A\r"), std::u16string::npos);
    // Each becomes a field of the story: the integrity check above compares them with the marks.
    EXPECT_EQ(document.mainPieceTable().fields().count(), 4);
    EXPECT_EQ(document.mainPieceTable().hyperlinkInfo(1).navigateUri, u"http://example.com/");
    testing::expectRoundTrip(document);
}

TEST(DocxReaderTest, PackageWithoutRelationsOpensItsRootDocument)
{
    model::DocumentModel document;
    loadDocx(document, makePackage({{"document.xml", documentPart("<w:p><w:r><w:t>root</w:t></w:r></w:p>")}}));
    EXPECT_EQ(mainText(document), u"root\r");
}

void expectLoadError(const std::vector<uint8_t>& bytes, const std::string& message)
{
    SCOPED_TRACE(message);
    model::DocumentModel document;
    try {
        loadDocx(document, bytes);
        ADD_FAILURE() << "loaded without error; expected " << message;
    } catch (const core::EditorException& error) {
        EXPECT_EQ(error.what(), message);
    }
}

TEST(DocxReaderTest, UnreadablePackagesFailWithTheirReason)
{
    std::vector<uint8_t> truncated = makeDocx("<w:p><w:r><w:t>text</w:t></w:r></w:p>");
    truncated.resize(truncated.size() - 30);
    model::DocumentModel document;
    EXPECT_THROW(loadDocx(document, truncated), core::EditorException);

    expectLoadError({'n', 'o', 't', ' ', 'z', 'i', 'p'}, "'MemoryStream' is not a valid value for 'stream'");
    expectLoadError(makePackage({{"_rels/.rels", packageRelations()}, {"word/other.xml", "<x/>"}}),
                    "'MemoryStream' is not a valid value for 'stream'");
    // A syntax error in the middle of the document is an error, not the end of the text.
    expectLoadError(makePackage({{"_rels/.rels", packageRelations()},
                                 {"word/document.xml", documentPart("<w:p><w:r><w:t>a</w:t></w:r></w:p><w:p></w:r></w:p>")}}),
                    std::string(kXmlUnexpectedEndTagMessage));
    expectLoadError(makePackage({{"_rels/.rels", packageRelations()},
                                 {"word/document.xml", R"(<?xml version="1.0"?><!DOCTYPE d [<!ENTITY e "x">]><w:document/>)"}}),
                    std::string(kXmlDtdNotImplementedMessage));
    // Also in a part other than the document.
    const std::string styles = std::string(R"(<w:styles )") + testing::kWordNamespaces + "><w:style><w:name></w:styles>";
    expectLoadError(makeDocx("<w:p/>", {{"word/styles.xml", styles}}), std::string(kXmlUnexpectedEndTagMessage));

    // Relations that are not well-formed are an error too, not a package without relations.
    EXPECT_THROW(loadDocx(document, makeDocx("<w:p/>", {{"word/_rels/document.xml.rels", relationsPart({}).substr(0, 60)}})),
                 core::EditorException);

    std::vector<uint8_t> encrypted{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (const char16_t character : std::u16string_view(u"EncryptionInfo")) {
        encrypted.push_back(static_cast<uint8_t>(character));
        encrypted.push_back(0);
    }
    expectLoadError(encrypted, std::string(kEncryptedFilesNotSupportedMessage));
}

TEST(DocxReaderTest, FailedLoadThroughTheFileServiceLeavesAnEmptyDocument)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx("<w:p><w:r><w:t>old</w:t></w:r></w:p>"));
    DocumentImporterOptions options;
    options.sourceUri = u"broken.docx";
    std::vector<uint8_t> broken = makeDocx("<w:p><w:r><w:t>new</w:t></w:r></w:p>");
    broken.resize(broken.size() / 2);
    EXPECT_THROW(loadDocument(document, broken, model::DocumentFormat::OpenXml, options), core::EditorException);
    EXPECT_EQ(mainText(document), u"\r");
}

} // namespace
} // namespace velmo::formats
