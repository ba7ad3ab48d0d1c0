// Lists in word-processing packages: the numbering part and "numPr" read into the model's lists,
// the number texts the model then shows, and the numbering the writer emits read back the same.
#include "formats/docx/open_xml_numbering_values.h"
#include "formats/docx_test_support.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/numbering/default_numbering_list_helper.h"
#include "model/numbering/document_numbering.h"
#include "model/paragraph_style.h"
#include "model/piece_table.h"

#include <gtest/gtest.h>

#include <random>

namespace velmo::formats {
namespace {

using testing::loadDocx;
using testing::makeDocx;

std::string numberingPart(const std::string& content)
{
    return std::string(R"(<?xml version="1.0"?><w:numbering )") + testing::kWordNamespaces + ">" + content + "</w:numbering>";
}

std::string stylesPart(const std::string& content)
{
    return std::string(R"(<?xml version="1.0"?><w:styles )") + testing::kWordNamespaces + ">" + content + "</w:styles>";
}

/// A "lvl" of level `index` with a format, a level text and what else is given.
std::string level(int index, const std::string& format, const std::string& text, const std::string& extra = "")
{
    return R"(<w:lvl w:ilvl=")" + std::to_string(index) + R"("><w:start w:val="1"/><w:numFmt w:val=")" + format +
           R"("/><w:lvlText w:val=")" + text + R"("/>)" + extra + "</w:lvl>";
}

std::string num(int id, int abstractId, const std::string& overrides = "")
{
    return R"(<w:num w:numId=")" + std::to_string(id) + R"("><w:abstractNumId w:val=")" + std::to_string(abstractId) + R"("/>)" +
           overrides + "</w:num>";
}

/// A paragraph with text and, in its "pPr", `properties`.
std::string paragraph(const std::string& text, const std::string& properties = "")
{
    return "<w:p><w:pPr>" + properties + "</w:pPr><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

std::string listItem(const std::string& text, int numId, int ilvl, const std::string& more = "")
{
    return paragraph(text, more + R"(<w:numPr><w:ilvl w:val=")" + std::to_string(ilvl) + R"("/><w:numId w:val=")" +
                               std::to_string(numId) + R"("/></w:numPr>)");
}

/// The number texts of the main story's paragraphs, in order.
std::vector<std::u16string> numberTexts(const model::DocumentModel& document)
{
    const model::PieceTable& main = document.mainPieceTable();
    std::vector<std::u16string> texts;
    for (int32_t index = 0; index < main.paragraphCount(); ++index)
        texts.push_back(main.paragraph(ParagraphIndex(index)).numberingListText());
    return texts;
}

const model::Paragraph& paragraphAt(const model::DocumentModel& document, int32_t index)
{
    return document.mainPieceTable().paragraph(ParagraphIndex(index));
}

/// A three-level outline: "1.", "1.a)", "(i)" legal-free, with indents on each level.
const std::string kOutline =
    R"(<w:abstractNum w:abstractNumId="3"><w:nsid w:val="1A2B3C4D"/><w:multiLevelType w:val="multilevel"/><w:tmpl w:val="0409001D"/>)" +
    level(0, "decimal", "%1.", R"(<w:lvlJc w:val="left"/><w:pPr><w:ind w:left="360" w:hanging="360"/></w:pPr>)") +
    level(1, "lowerLetter", "%1.%2)", R"(<w:suff w:val="space"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr>)") +
    level(2, "lowerRoman", "(%3)", R"(<w:lvlJc w:val="right"/><w:suff w:val="nothing"/><w:rPr><w:b/></w:rPr>)") +
    "</w:abstractNum>";

TEST(DocxNumberingTest, MultiLevelListShowsTheNumbersOfEachLevel)
{
    const std::string body = listItem("a", 1, 0) + listItem("b", 1, 1) + listItem("c", 1, 1) + listItem("d", 1, 2) +
                             listItem("e", 1, 0) + listItem("f", 1, 1) + paragraph("plain") + listItem("g", 1, 0);
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/numbering.xml", numberingPart(kOutline + num(1, 3))}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    EXPECT_EQ(numberTexts(document),
              (std::vector<std::u16string>{u"1.", u"1.a)", u"1.b)", u"(i)", u"2.", u"2.a)", u"", u"3."}));

    const model::DocumentNumbering& numbering = document.numbering();
    ASSERT_EQ(numbering.abstractNumberingListCount(), 1);
    ASSERT_EQ(numbering.numberingListCount(), 1);
    const model::AbstractNumberingList& list = numbering.abstractNumberingList(0);
    EXPECT_EQ(list.id(), 0x1A2B3C4D);
    EXPECT_EQ(list.templateCode(), 0x0409001D);
    EXPECT_EQ(list.numberingType(), model::NumberingType::MultiLevel);
    EXPECT_EQ(list.level(1).listLevelProperties.displayFormatString, u"%0:s.%1:s)");
    EXPECT_EQ(list.level(1).listLevelProperties.separator, u' ');
    EXPECT_EQ(list.level(2).listLevelProperties.separator, u'\0');
    EXPECT_EQ(list.level(2).listLevelProperties.alignment, model::ListNumberAlignment::Right);
    EXPECT_EQ(numbering.numberingList(0).referringParagraphsCount(), 7);
    // The level's indents reach its paragraphs; its character formatting is the number's own.
    const model::PieceTable& main = document.mainPieceTable();
    const model::ParagraphFormattingInfo& second = main.mergedParagraphFormatting(paragraphAt(document, 1));
    EXPECT_EQ(second.leftIndent(), 720);
    EXPECT_EQ(second.firstLineIndentType(), model::ParagraphFirstLineIndent::Hanging);
    EXPECT_TRUE(document.cache().characterFormattingCache()[list.level(2).characterPropertiesIndex].info().fontBold());
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, LevelsAreClampedAndUnknownListsIgnored)
{
    struct Case {
        const char* name;
        std::string numPr;
        int32_t list;
        int32_t level;
    };
    const Case cases[] = {
        {"level above 8", R"(<w:ilvl w:val="12"/><w:numId w:val="1"/>)", 0, 8},
        {"negative level", R"(<w:ilvl w:val="-3"/><w:numId w:val="1"/>)", 0, 0},
        {"no level", R"(<w:numId w:val="1"/>)", 0, 0},
        {"list that does not exist", R"(<w:ilvl w:val="1"/><w:numId w:val="9"/>)", model::kNumberingListIndexNotSet, 0},
        {"unreadable list id", R"(<w:numId w:val="x"/>)", model::kNumberingListIndexNotSet, 0},
        {"no list and no style list", R"(<w:numId w:val="0"/>)", model::kNumberingListIndexNotSet, 0},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        model::DocumentModel document;
        loadDocx(document, makeDocx(paragraph("x", "<w:numPr>" + item.numPr + "</w:numPr>"),
                                    {{"word/numbering.xml", numberingPart(kOutline + num(1, 3))}}));
        EXPECT_EQ(paragraphAt(document, 0).ownNumberingListIndex(), item.list);
        if (item.list >= 0) {
            EXPECT_EQ(paragraphAt(document, 0).listLevelIndex(), item.level);
        }
        EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    }
}

TEST(DocxNumberingTest, NumberingIdZeroTakesTheStyleListAndItsIndentsAway)
{
    const std::string styles = stylesPart(
        R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="Item"><w:name w:val="Item"/><w:pPr><w:numPr><w:ilvl w:val="1"/><w:numId w:val="1"/></w:numPr></w:pPr></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="Sub"><w:name w:val="Sub"/><w:basedOn w:val="Item"/>)"
        R"(<w:pPr><w:numPr><w:ilvl w:val="2"/></w:numPr></w:pPr></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="Off"><w:name w:val="Off"/><w:basedOn w:val="Item"/>)"
        R"(<w:pPr><w:numPr><w:numId w:val="0"/></w:numPr></w:pPr></w:style>)");
    const std::string style = R"(<w:pStyle w:val="Item"/>)";
    const std::string body =
        paragraph("from style", style) + paragraph("removed", style + R"(<w:numPr><w:numId w:val="0"/></w:numPr>)") +
        paragraph("removed, own indent", style + R"(<w:numPr><w:numId w:val="0"/></w:numPr><w:ind w:left="100"/>)") +
        paragraph("own level", style + R"(<w:numPr><w:ilvl w:val="0"/></w:numPr>)") + paragraph("sub", R"(<w:pStyle w:val="Sub"/>)") +
        paragraph("off", R"(<w:pStyle w:val="Off"/>)");
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/numbering.xml", numberingPart(kOutline + num(1, 3))}, {"word/styles.xml", styles}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    EXPECT_EQ(numberTexts(document), (std::vector<std::u16string>{u"1.a)", u"", u"", u"2.", u"(i)", u""}));

    const model::PieceTable& main = document.mainPieceTable();
    const model::ParagraphFormattingInfo& fromStyle = main.mergedParagraphFormatting(paragraphAt(document, 0));
    EXPECT_EQ(fromStyle.leftIndent(), 720);
    EXPECT_EQ(paragraphAt(document, 1).ownNumberingListIndex(), model::kNumberingListIndexNoNumbering);
    const model::ParagraphFormattingInfo& removed = main.mergedParagraphFormatting(paragraphAt(document, 1));
    EXPECT_EQ(removed.leftIndent(), 0);
    EXPECT_EQ(removed.firstLineIndentType(), model::ParagraphFirstLineIndent::None);
    const model::ParagraphFormattingInfo& ownIndent = main.mergedParagraphFormatting(paragraphAt(document, 2));
    EXPECT_EQ(ownIndent.leftIndent(), 100);
    EXPECT_EQ(ownIndent.firstLineIndentType(), model::ParagraphFirstLineIndent::None);

    const auto& paragraphStyles = document.styles().paragraphStyles();
    const model::ParagraphStyle& item = paragraphStyles[paragraphStyles.styleIndexByName(u"Item")];
    EXPECT_EQ(item.ownNumberingListIndex(), 0);
    EXPECT_EQ(item.ownListLevelIndex(), 1);
    EXPECT_EQ(paragraphStyles[paragraphStyles.styleIndexByName(u"Off")].ownNumberingListIndex(), model::ParagraphStyle::kNoNumbering);
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, RestartsFollowTheLevelsTheyDependOn)
{
    // Level 1 never restarts; level 2 restarts only after level 0 (not after level 1).
    const std::string abstract = R"(<w:abstractNum w:abstractNumId="0">)" + level(0, "decimal", "%1.") +
                                 level(1, "decimal", "%1.%2.", R"(<w:lvlRestart w:val="0"/>)") +
                                 level(2, "decimal", "%3)", R"(<w:lvlRestart w:val="1"/>)") + "</w:abstractNum>";
    const std::string body = listItem("", 1, 0) + listItem("", 1, 1) + listItem("", 1, 2) + listItem("", 1, 1) + listItem("", 1, 2) +
                             listItem("", 1, 0) + listItem("", 1, 1) + listItem("", 1, 2);
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/numbering.xml", numberingPart(abstract + num(1, 0))}}));
    EXPECT_EQ(numberTexts(document), (std::vector<std::u16string>{u"1.", u"1.1.", u"1)", u"1.2.", u"2)", u"2.", u"2.3.", u"1)"}));
    const model::ListLevelInfo& second = document.numbering().abstractNumberingList(0).level(1).listLevelProperties;
    EXPECT_TRUE(second.suppressRestart);
    EXPECT_EQ(document.numbering().abstractNumberingList(0).level(2).listLevelProperties.relativeRestartLevel, 1);
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, InstancesShareCountingAndMayStartAnewOrRedefineLevels)
{
    const std::string abstract = R"(<w:abstractNum w:abstractNumId="0">)" + level(0, "decimal", "%1.") + "</w:abstractNum>";
    // numId 2 starts level 0 at 5; numId 3 shows level 0 in letters of its own and still counts
    // with the others (its own start of 1 does not restart it).
    const std::string lists = num(1, 0) + num(2, 0, R"(<w:lvlOverride w:ilvl="0"><w:startOverride w:val="5"/></w:lvlOverride>)") +
                              num(3, 0, R"(<w:lvlOverride w:ilvl="0">)" + level(0, "upperLetter", "%1", "<w:pPr><w:ind w:left=\"999\"/></w:pPr>") +
                                            "</w:lvlOverride>") +
                              num(4, 7) + num(0, 0);
    const std::string body = listItem("", 1, 0) + listItem("", 2, 0) + listItem("", 2, 0) + listItem("", 1, 0) + listItem("", 3, 0) +
                             listItem("", 3, 0) + listItem("", 1, 0) + listItem("", 4, 0);
    model::DocumentModel document;
    loadDocx(document, makeDocx(body, {{"word/numbering.xml", numberingPart(abstract + lists)}}));
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    EXPECT_EQ(numberTexts(document), (std::vector<std::u16string>{u"1.", u"5.", u"6.", u"7.", u"H", u"I", u"10.", u""}));
    const model::DocumentNumbering& numbering = document.numbering();
    // numId 4 names no abstract list and numId 0 is "no list": neither makes a list.
    ASSERT_EQ(numbering.numberingListCount(), 3);
    ASSERT_EQ(numbering.abstractNumberingListCount(), 1);
    EXPECT_TRUE(numbering.numberingList(1).level(0).overrideStart);
    EXPECT_EQ(numbering.numberingList(1).level(0).newStart, 5);
    ASSERT_TRUE(numbering.numberingList(2).level(0).overrideLevel.has_value());
    // The redefined level's indents are those of its paragraphs.
    const model::PieceTable& main = document.mainPieceTable();
    EXPECT_EQ(main.mergedParagraphFormatting(paragraphAt(document, 4)).leftIndent(), 999);
    EXPECT_EQ(main.mergedParagraphFormatting(paragraphAt(document, 3)).leftIndent(), 0);
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, LevelValuesAsFilesWriteThem)
{
    const std::string abstract =
        R"(<w:abstractNum w:abstractNumId="0"><w:nsid w:val="FFFFFFFE"/>)"
        R"(<w:lvl w:ilvl="0" w:tplc="04090001"><w:start w:val="1"/><w:numFmt w:val="bullet"/><w:lvlText w:val="&#xF0B7;"/><w:rPr><w:rFonts w:ascii="Symbol"/></w:rPr></w:lvl>)"
        R"(<w:lvl w:ilvl="1"><w:start w:val="-4"/><w:numFmt w:val="upperRoman"/><w:isLgl/><w:lvlText w:val="%1.%2 100%"/>)"
        R"(<w:legacy w:legacy="1" w:legacySpace="120" w:legacyIndent="360"/></w:lvl>)"
        R"(<w:lvl w:ilvl="2"><w:start w:val="3"/><w:numFmt w:val="someFutureFormat"/><w:lvlText w:val="%3"/><w:pStyle w:val="Heading3"/></w:lvl>)"
        R"(<w:lvl w:ilvl="42"><w:start w:val="9"/></w:lvl></w:abstractNum>)";
    const std::string styles = stylesPart(R"(<w:style w:type="paragraph" w:styleId="Heading3"><w:name w:val="heading 3"/></w:style>)");
    model::DocumentModel document;
    loadDocx(document, makeDocx(listItem("", 1, 0) + listItem("", 1, 1) + listItem("", 1, 1) + listItem("", 1, 2),
                                {{"word/numbering.xml", numberingPart(abstract + num(1, 0))}, {"word/styles.xml", styles}}));
    const model::AbstractNumberingList& list = document.numbering().abstractNumberingList(0);
    EXPECT_EQ(list.id(), 2); // the absolute value of the signed 32-bit nsid
    EXPECT_EQ(list.numberingType(), model::NumberingType::Bullet);
    EXPECT_EQ(list.level(0).listLevelProperties.templateCode, 0x04090001);
    const model::ListLevelInfo& legal = list.level(1).listLevelProperties;
    EXPECT_EQ(legal.start, 0);
    EXPECT_TRUE(legal.convertPreviousLevelNumberingToDecimal);
    EXPECT_EQ(legal.displayFormatString, u"%0:s.%1:s 100%%");
    EXPECT_TRUE(legal.legacy);
    EXPECT_EQ(legal.legacySpace, 120);
    EXPECT_EQ(legal.legacyIndent, 360);
    EXPECT_EQ(list.level(2).listLevelProperties.format, model::NumberingFormat::Decimal);
    EXPECT_EQ(list.level(2).paragraphStyleIndex, document.styles().paragraphStyles().styleIndexByName(u"heading 3"));
    // Level 1 counts from 0 and shows in decimal digits under legal numbering.
    EXPECT_EQ(numberTexts(document), (std::vector<std::u16string>{u"\uF0B7", u"1.0 100%", u"1.1 100%", u"3"}));
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, UnreadableValuesFailOrAreSkippedOneByOne)
{
    const std::string abstract = R"(<w:abstractNum w:abstractNumId="0">)" +
                                 level(0, "upperLetter", "%1.", R"(<w:lvlRestart w:val="zz"/><w:isLgl w:val="maybe"/>)") +
                                 "</w:abstractNum>";
    const std::vector<uint8_t> package = makeDocx(listItem("", 1, 0), {{"word/numbering.xml", numberingPart(abstract + num(1, 0))}});
    model::DocumentModel strict;
    EXPECT_THROW(loadDocx(strict, package, false), core::EditorException);
    model::DocumentModel lenient;
    loadDocx(lenient, package);
    const model::ListLevelInfo& info = lenient.numbering().abstractNumberingList(0).level(0).listLevelProperties;
    EXPECT_EQ(info.format, model::NumberingFormat::UpperLetter);
    EXPECT_FALSE(info.suppressRestart);
    EXPECT_FALSE(info.convertPreviousLevelNumberingToDecimal);
    EXPECT_EQ(numberTexts(lenient), (std::vector<std::u16string>{u"A."}));
}

TEST(DocxNumberingTest, ListsLinkedToNumberingStylesTakeTheStylesLevels)
{
    const std::string styles = stylesPart(
        R"(<w:style w:type="numbering" w:styleId="Legal"><w:name w:val="Legal List"/><w:pPr><w:numPr><w:numId w:val="1"/></w:numPr></w:pPr></w:style>)"
        R"(<w:style w:type="numbering" w:styleId="Loop"><w:name w:val="Loop"/><w:pPr><w:numPr><w:numId w:val="3"/></w:numPr></w:pPr></w:style>)");
    const std::string lists =
        R"(<w:abstractNum w:abstractNumId="0"><w:styleLink w:val="Legal"/>)" + level(0, "decimal", "(%1)") + "</w:abstractNum>" +
        R"(<w:abstractNum w:abstractNumId="1"><w:numStyleLink w:val="Legal"/></w:abstractNum>)" +
        // A list linked to a style that names the list itself again.
        R"(<w:abstractNum w:abstractNumId="2"><w:numStyleLink w:val="Loop"/>)" + level(0, "decimal", "%1-") + "</w:abstractNum>" +
        num(1, 0) + num(2, 1) + num(3, 2);
    model::DocumentModel document;
    loadDocx(document, makeDocx(listItem("", 2, 0) + listItem("", 2, 0) + listItem("", 3, 0),
                                {{"word/numbering.xml", numberingPart(lists)}, {"word/styles.xml", styles}}));
    EXPECT_EQ(numberTexts(document), (std::vector<std::u16string>{u"(1)", u"(2)", u"1-"}));
    const model::DocumentNumbering& numbering = document.numbering();
    ASSERT_EQ(numbering.numberingListStyles().count(), 2);
    EXPECT_EQ(numbering.numberingListStyles()[0].styleName(), u"Legal List");
    EXPECT_EQ(numbering.numberingListStyles()[0].numberingListIndex(), 0);
    EXPECT_EQ(numbering.abstractNumberingList(0).styleLinkIndex(), 0);
    EXPECT_EQ(numbering.abstractNumberingList(1).numberingStyleReferenceIndex(), 0);
    testing::expectRoundTrip(document);
}

TEST(DocxNumberingTest, HostileNumberingPartsStayBounded)
{
    // A level text far longer than any list shows.
    std::string lists = R"(<w:abstractNum w:abstractNumId="-1"><w:lvl w:ilvl="0"><w:lvlText w:val=")" + std::string(100'000, '%') +
                        R"("/></w:lvl></w:abstractNum>)";
    // Far more lists than any document holds, on far more abstract lists.
    for (int index = 0; index < 40'000; ++index)
        lists += R"(<w:abstractNum w:abstractNumId=")" + std::to_string(index) + R"("/>)";
    for (int index = 1; index <= 40'000; ++index)
        lists += num(index, index % 5);
    model::DocumentModel document;
    loadDocx(document, makeDocx(listItem("", 1, 0), {{"word/numbering.xml", numberingPart(lists)}}));
    EXPECT_LE(document.numbering().abstractNumberingListCount(), 32'767);
    EXPECT_LE(document.numbering().numberingListCount(), 32'767);
    EXPECT_LE(document.numbering().abstractNumberingList(0).level(0).listLevelProperties.displayFormatString.size(), 512u);
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
}

TEST(DocxNumberingTest, LevelTextAndDisplayFormatConvertBothWays)
{
    struct Case {
        std::u16string levelText;
        std::u16string displayFormat;
    };
    const Case cases[] = {
        {u"%1.", u"%0:s."}, {u"%1.%2.%3.", u"%0:s.%1:s.%2:s."}, {u"(%9)", u"(%8:s)"}, {u"50%", u"50%%"}, {u"%0", u"%%0"}, {u"", u""},
        {u"\uF0B7", u"\uF0B7"},
    };
    for (const Case& item : cases) {
        EXPECT_EQ(displayFormatFromLevelText(item.levelText), item.displayFormat);
        EXPECT_EQ(levelTextFromDisplayFormat(item.displayFormat), item.levelText);
    }
}

TEST(DocxNumberingTest, ListsMadeInTheModelReadBackTheSame)
{
    model::DocumentModel document;
    model::PieceTable& main = document.mainPieceTable();
    std::mt19937 random(3);
    model::DefaultNumberingListHelper(random).insertNumberingLists(document, 720);
    for (int index = 0; index < 6; ++index) {
        if (index > 0)
            main.insertParagraph(main.documentEndLogPosition());
        main.insertText(main.documentEndLogPosition(), u"item");
        main.addNumberingListToParagraph(ParagraphIndex(index), index % 3, index % 2);
    }
    model::DocumentNumbering& numbering = document.numbering();
    auto restarted = std::make_unique<model::NumberingList>(2);
    restarted->setId(numbering.generateNewNumberingListId());
    restarted->level(0).overrideStart = true;
    restarted->level(0).newStart = 10;
    const int32_t restartedIndex = numbering.addNumberingListUsingHistory(std::move(restarted));
    main.insertParagraph(main.documentEndLogPosition());
    main.insertText(main.documentEndLogPosition(), u"tenth");
    main.addNumberingListToParagraph(ParagraphIndex(6), restartedIndex, 0);
    auto& paragraphStyles = document.styles().paragraphStyles();
    const int32_t styleIndex = paragraphStyles.append(std::make_unique<model::ParagraphStyle>(document, u"Listed"));
    paragraphStyles[styleIndex].setNumberingListIndex(1);
    paragraphStyles[styleIndex].setListLevelIndex(3);
    main.setParagraphStyleIndex(ParagraphIndex(5), styleIndex);
    main.removeNumberingFromParagraph(ParagraphIndex(5));
    auto& numberingStyles = numbering.numberingListStyles();
    numberingStyles.append(std::make_unique<model::NumberingListStyle>(document, u"Outline"));
    numberingStyles[0].setNumberingListIndex(2);

    EXPECT_EQ(numberTexts(document)[6], u"10.");
    testing::expectRoundTrip(document);
    const std::vector<uint8_t> package = testing::saveDocx(document);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ZIPStreamReader(package).extract("word/document.xml", bytes));
    const std::string xml(bytes.begin(), bytes.end());
    EXPECT_NE(xml.find(R"(<w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr>)"), std::string::npos);
    EXPECT_NE(xml.find(R"(<w:numPr><w:ilvl w:val="0"/><w:numId w:val="0"/></w:numPr>)"), std::string::npos);
}

} // namespace
} // namespace velmo::formats
