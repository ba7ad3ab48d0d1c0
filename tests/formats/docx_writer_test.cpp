// The DOCX writer: documents made in code and read back, the XML it writes, and the order of
// every element it writes against the schema's sequences.
#include "formats/docx_drawing_support.h"
#include "formats/docx_test_support.h"
#include "formats/xml/xml_reader.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/content_type.h"
#include "model/numbering/default_numbering_list_helper.h"
#include "model/numbering/document_numbering.h"
#include "model/paragraph_properties.h"
#include "model/pictures/paragraph_frames.h"
#include "model/piece_table.h"
#include "model/property_modifiers.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tables/table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <vector>

namespace velmo::formats {
namespace {

using testing::loadDocx;
using testing::makeDocx;
using testing::saveDocx;

/// One part of a written package as text.
std::string partText(const std::vector<uint8_t>& package, std::string_view name)
{
    const ZIPStreamReader reader(package);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(reader.extract(name, bytes)) << name;
    return std::string(bytes.begin(), bytes.end());
}

/// A document with something of every kind the writer knows, made through the model's editing API.
void buildRichDocument(model::DocumentModel& document)
{
    model::PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"Title");
    main.insertParagraph(main.documentEndLogPosition());
    main.insertText(main.documentEndLogPosition(), u"Body \ttext  with\vbreaks & <marks>\f");
    main.applyCharacterFormatting(DocumentLogPosition(0), 5, model::fontBoldModifier(true));
    main.applyCharacterFormatting(DocumentLogPosition(6), 4, model::foreColorModifier(model::opaqueColor(200, 10, 20)));
    main.applyCharacterFormatting(DocumentLogPosition(12), 4, model::fontUnderlineTypeModifier(model::UnderlineType::Wave));
    main.applyParagraphFormatting(DocumentLogPosition(0), 1, model::ParagraphFormattingModifier([](model::ParagraphProperties& properties) {
        properties.setAlignment(model::ParagraphAlignment::Center);
        properties.setSpacingBefore(240);
        properties.setLineSpacingType(model::ParagraphLineSpacing::Double);
        properties.setKeepWithNext(true);
    }));
    main.insertParagraph(main.documentEndLogPosition());
    model::Table& table = main.insertTable(main.documentEndLogPosition(), 2, 2);
    table.row(0).cell(0).changeProperties([](model::TableCellPropertiesInfo& cell) {
        cell.preferredWidth = {model::WidthUnitType::ModelUnits, 2400};
        cell.use(model::TableCellPropertiesOptions::UsePreferredWidth);
        cell.verticalMerging = model::MergingState::Restart;
    });
    table.row(1).cell(0).changeProperties([](model::TableCellPropertiesInfo& cell) { cell.verticalMerging = model::MergingState::Continue; });
    table.changeProperties([](model::TablePropertiesInfo& properties) {
        properties.preferredWidth = {model::WidthUnitType::FiftiethsOfPercent, 5000};
        properties.use(model::TablePropertiesOptions::UsePreferredWidth);
        properties.generalSettings.tableLook = model::TableLookType::ApplyFirstRow | model::TableLookType::ApplyFirstColumn;
        properties.use(model::TablePropertiesOptions::UseTableLook);
    });
    main.insertText(main.paragraph(table.startParagraphIndex()).logPosition(), u"cell");
    main.insertText(main.documentEndLogPosition(), u"after");
    model::InputPosition position = main.createInputPosition(main.documentEndLogPosition());
    document.insertNote(position, model::RunKind::FootNote).pieceTable().insertText(DocumentLogPosition(0), u"A note");
    document.insertSection(main.paragraph(ParagraphIndex(1)).endLogPosition());
    document.section(SectionIndex(0)).changePage([](model::PageInfo& page) {
        page.width = 16838;
        page.height = 11906;
        page.landscape = true;
        page.paperKind = model::PaperKind::A4;
    });
    document.section(SectionIndex(1)).changeColumns([](model::ColumnsInfo& columns) {
        columns.equalWidthColumns = false;
        columns.columns = {{3000, 500}, {4000, 0}};
    });
    // A section without a header of its own shows the previous section's: the format has no way to say "none".
    model::SectionHeader& header = document.createHeader(SectionIndex(0), model::HeaderFooterType::Odd);
    header.pieceTable().insertText(DocumentLogPosition(0), u"Header");
    document.section(SectionIndex(1)).setHeaderFooterCore(model::ContentTypeKind::Header, model::HeaderFooterType::Odd, &header);
    document.createFooter(SectionIndex(1), model::HeaderFooterType::First).pieceTable().insertText(DocumentLogPosition(0), u"Footer");
    // Bookmarks over part of a run, over a paragraph mark, collapsed, and in a header.
    main.createBookmark(DocumentLogPosition(1), 3, u"itl");
    main.createBookmark(DocumentLogPosition(2), 10, u"across");
    main.createBookmark(DocumentLogPosition(8), 0, u"_here");
    header.pieceTable().createBookmark(DocumentLogPosition(0), 4, u"head");
    document.changeDocumentInfo([](model::DocumentInfo& info) {
        info.defaultTabWidth = 360;
        info.differentOddAndEvenPages = true;
    });
    // Lists: the default ones, a paragraph in each, a restarted instance and a numbering style.
    std::mt19937 random(5);
    model::DefaultNumberingListHelper(random).insertNumberingLists(document, 360);
    model::DocumentNumbering& numbering = document.numbering();
    auto restarted = std::make_unique<model::NumberingList>(2);
    restarted->setId(numbering.generateNewNumberingListId());
    restarted->level(1).overrideStart = true;
    restarted->level(1).newStart = 4;
    const int32_t restartedIndex = numbering.addNumberingListUsingHistory(std::move(restarted));
    for (const int32_t list : {0, 1, 2, restartedIndex}) {
        main.insertParagraph(main.documentEndLogPosition());
        main.insertText(main.documentEndLogPosition(), u"item");
        main.addNumberingListToParagraph(ParagraphIndex(main.paragraphCount() - 1), list, 1);
    }
    numbering.numberingListStyles().append(std::make_unique<model::NumberingListStyle>(document, u"Outline"));
    numbering.numberingListStyles()[0].setNumberingListIndex(2);
}

TEST(DocxWriterTest, DocumentMadeInCodeReadsBackTheSame)
{
    model::DocumentModel document;
    buildRichDocument(document);
    testing::expectRoundTrip(document);
}

TEST(DocxWriterTest, RunTextBecomesTextTabAndBreakElements)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx("<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br w:type=\"page\"/></w:r></w:p>"
                                "<w:p><w:r><w:t xml:space=\"preserve\"> lead</w:t></w:r></w:p>"
                                "<w:p><w:r><w:t xml:space=\"preserve\">one space</w:t></w:r></w:p>"
                                "<w:p><w:r><w:t xml:space=\"preserve\">two  spaces</w:t></w:r></w:p>"));
    // A control character XML cannot carry is dropped.
    document.mainPieceTable().insertText(DocumentLogPosition(0), std::u16string(u"\x01"));
    const std::string xml = partText(saveDocx(document), "word/document.xml");
    EXPECT_NE(xml.find("<w:t>a</w:t><w:tab/><w:t>b</w:t><w:br w:type=\"page\"/>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<w:t xml:space=\"preserve\"> lead</w:t>"), std::string::npos);
    EXPECT_NE(xml.find("<w:t>one space</w:t>"), std::string::npos);
    EXPECT_NE(xml.find("<w:t xml:space=\"preserve\">two  spaces</w:t>"), std::string::npos);
    EXPECT_EQ(xml.find('\x01'), std::string::npos);
    EXPECT_EQ(xml.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(DocxWriterTest, HyphensKeepTheirKind)
{
    model::DocumentModel document;
    loadDocx(document, makeDocx("<w:p><w:r><w:t>a</w:t><w:softHyphen/><w:t>b</w:t><w:noBreakHyphen/><w:t>c</w:t></w:r></w:p>"));
    EXPECT_EQ(testing::mainText(document), u"a\x1F" u"b\u2011c\r");
    const std::string xml = partText(saveDocx(document), "word/document.xml");
    EXPECT_NE(xml.find("<w:t>a</w:t><w:softHyphen/><w:t>b</w:t><w:noBreakHyphen/><w:t>c</w:t>"), std::string::npos) << xml;
}

/// The frame the paragraph (or, with a negative index, the style "F") of a document has of its own.
model::ParagraphFrameFormatting ownFrame(const model::DocumentModel& document, int32_t paragraph)
{
    int32_t index = -1;
    if (paragraph >= 0) {
        index = document.mainPieceTable().paragraph(ParagraphIndex(paragraph)).frameFormattingIndex();
    } else {
        const auto& styles = document.styles().paragraphStyles();
        index = styles[styles.styleIndexByName(u"F", false)].frameFormattingIndex();
    }
    EXPECT_GE(index, 0);
    return index >= 0 ? document.cache().pictureCaches().paragraphFrameFormattingCache[index] : model::ParagraphFrameFormatting{};
}

TEST(DocxWriterTest, FramesAndDropCapitalsReadBackTheSame)
{
    using O = model::UseParagraphFrameOption;
    const std::string styles = std::string("<w:styles ") + testing::kWordNamespaces + ">" +
                               R"(<w:style w:type="paragraph" w:styleId="F"><w:name w:val="F"/>)"
                               R"(<w:pPr><w:framePr w:w="2000" w:hSpace="180" w:wrap="around" w:hAnchor="page" w:xAlign="center"/></w:pPr>)"
                               "</w:style></w:styles>";
    model::DocumentModel document;
    loadDocx(document,
             makeDocx(R"(<w:p><w:pPr><w:framePr w:dropCap="margin" w:lines="3" w:wrap="around" w:vAnchor="text" w:hAnchor="page"/>)"
                      R"(</w:pPr><w:r><w:t>D</w:t></w:r></w:p><w:p><w:r><w:t>rop cap.</w:t></w:r></w:p>)"
                      R"(<w:p><w:pPr><w:framePr w:w="1440" w:h="400" w:vSpace="90" w:x="-20" w:y="300" w:yAlign="bottom" w:wrap="notBeside"/>)"
                      R"(</w:pPr><w:r><w:t>boxed</w:t></w:r></w:p><w:p/>)",
                      {{"word/styles.xml", styles}}));
    const model::ParagraphFrameFormatting dropCap = ownFrame(document, 0);
    EXPECT_EQ(dropCap.info().dropCap, model::DropCapLocation::Margin);
    EXPECT_EQ(dropCap.info().dropCapVerticalHeightInLines, 3);
    EXPECT_EQ(dropCap.info().horizontalPositionType, model::ParagraphFrameHorizontalPositionType::Page);
    EXPECT_EQ(dropCap.info().verticalPositionType, model::ParagraphFrameVerticalPositionType::Paragraph);
    EXPECT_EQ(document.mainPieceTable().paragraph(ParagraphIndex(1)).frameFormattingIndex(), model::kNoFrameProperties);
    const model::ParagraphFrameFormatting boxed = ownFrame(document, 2);
    EXPECT_EQ(boxed.info().height, 400);
    EXPECT_EQ(boxed.info().horizontalRule, model::ParagraphFrameHorizontalRule::AtLeast); // "h" without "hRule"
    EXPECT_EQ(boxed.info().verticalPadding, 90);
    EXPECT_EQ(boxed.info().x, -20);
    EXPECT_EQ(boxed.info().verticalPositionAlignment, model::ParagraphFrameVerticalPositionAlignment::Bottom);
    EXPECT_EQ(boxed.info().textWrapType, model::ParagraphFrameTextWrapType::NotBeside);
    EXPECT_FALSE(boxed.uses(O::UseDropCap));
    EXPECT_EQ(ownFrame(document, -1).info().horizontalPadding, 180);

    model::DocumentModel again;
    loadDocx(again, saveDocx(document));
    for (const int32_t paragraph : {0, 2, -1})
        EXPECT_EQ(ownFrame(again, paragraph), ownFrame(document, paragraph)) << paragraph;
    EXPECT_EQ(again.mainPieceTable().paragraph(ParagraphIndex(1)).frameFormattingIndex(), model::kNoFrameProperties);
}

TEST(DocxWriterTest, EmptyDocumentHasTheFixedParts)
{
    model::DocumentModel document;
    const std::vector<uint8_t> package = saveDocx(document);
    const ZIPStreamReader reader(package);
    std::set<std::string> names;
    for (const ZIPFileEntry& entry : reader.files())
        names.insert(entry.name);
    EXPECT_EQ(names, (std::set<std::string>{"word/document.xml", "word/styles.xml", "word/numbering.xml", "word/settings.xml",
                                            "_rels/.rels", "[Content_Types].xml", "word/_rels/document.xml.rels"}));
    const std::string types = partText(package, "[Content_Types].xml");
    EXPECT_NE(types.find("/word/document.xml"), std::string::npos);
    testing::expectRoundTrip(document);
}

TEST(DocxWriterTest, TableLookAndLinkedHeadersAreWrittenOnce)
{
    model::DocumentModel document;
    buildRichDocument(document);
    const std::vector<uint8_t> package = saveDocx(document);
    const std::string xml = partText(package, "word/document.xml");
    EXPECT_NE(xml.find("<w:tblLook w:val=\"00A0\"/>"), std::string::npos);
    size_t references = 0;
    for (size_t at = xml.find("w:headerReference"); at != std::string::npos; at = xml.find("w:headerReference", at + 1))
        ++references;
    EXPECT_EQ(references, 1u);
    EXPECT_FALSE(ZIPStreamReader(package).exists("word/header2.xml"));
    testing::expectRoundTrip(document);
}

/// The child sequences of the WordprocessingML elements the writer emits (ECMA-376 Part 1,
/// transitional schema). Names separated by "|" share a place (a choice).
const std::map<std::string, std::vector<std::string>>& schemaSequences()
{
    static const std::map<std::string, std::vector<std::string>> sequences{
        {"document", {"background", "body"}},
        {"body", {"p|tbl", "sectPr"}},
        {"hdr", {"p|tbl"}},
        {"ftr", {"p|tbl"}},
        {"footnotes", {"footnote"}},
        {"endnotes", {"endnote"}},
        {"footnote", {"p|tbl"}},
        {"endnote", {"p|tbl"}},
        {"p", {"pPr", "r|bookmarkStart|bookmarkEnd"}},
        {"r", {"rPr", "t|instrText|tab|br|fldChar|footnoteReference|endnoteReference|footnoteRef|endnoteRef|separator|continuationSeparator|"
                      "drawing|pict"}},
        {"pPr", {"pStyle", "keepNext", "keepLines", "pageBreakBefore", "framePr", "widowControl", "numPr", "suppressLineNumbers", "pBdr",
                 "shd", "tabs", "suppressAutoHyphens", "kinsoku", "wordWrap", "overflowPunct", "topLinePunct", "autoSpaceDE",
                 "autoSpaceDN", "bidi", "adjustRightInd", "snapToGrid", "spacing", "ind", "contextualSpacing", "mirrorIndents",
                 "suppressOverlap", "jc", "textDirection", "textAlignment", "textboxTightWrap", "outlineLvl", "divId", "cnfStyle",
                 "rPr", "sectPr", "pPrChange"}},
        {"rPr", {"rStyle", "rFonts", "b", "bCs", "i", "iCs", "caps", "smallCaps", "strike", "dstrike", "outline", "shadow", "emboss",
                 "imprint", "noProof", "snapToGrid", "vanish", "webHidden", "color", "spacing", "w", "kern", "position", "sz",
                 "szCs", "highlight", "u", "effect", "bdr", "shd", "fitText", "vertAlign", "rtl", "cs", "em", "lang",
                 "eastAsianLayout", "specVanish", "oMath"}},
        {"pBdr", {"top", "left", "bottom", "right", "between", "bar"}},
        {"tabs", {"tab"}},
        {"sectPr", {"headerReference|footerReference", "footnotePr", "endnotePr", "type", "pgSz", "pgMar", "paperSrc", "pgBorders",
                    "lnNumType", "pgNumType", "cols", "formProt", "vAlign", "noEndnote", "titlePg", "textDirection", "bidi",
                    "rtlGutter", "docGrid", "printerSettings", "sectPrChange"}},
        {"footnotePr", {"pos", "numFmt", "numStart", "numRestart"}},
        {"endnotePr", {"pos", "numFmt", "numStart", "numRestart"}},
        {"cols", {"col"}},
        {"tbl", {"tblPr", "tblGrid", "tr"}},
        {"tblGrid", {"gridCol"}},
        {"tblPr", {"tblStyle", "tblpPr", "tblOverlap", "bidiVisual", "tblStyleRowBandSize", "tblStyleColBandSize", "tblW", "jc",
                   "tblCellSpacing", "tblInd", "tblBorders", "shd", "tblLayout", "tblCellMar", "tblLook", "tblCaption",
                   "tblDescription"}},
        {"tblPrEx", {"tblW", "jc", "tblCellSpacing", "tblInd", "tblBorders", "shd", "tblLayout", "tblCellMar", "tblLook"}},
        {"tblBorders", {"top", "left", "bottom", "right", "insideH", "insideV"}},
        {"tblCellMar", {"top", "left", "bottom", "right"}},
        {"tr", {"tblPrEx", "trPr", "tc"}},
        {"trPr", {"cnfStyle", "divId", "gridBefore", "gridAfter", "wBefore", "wAfter", "cantSplit", "trHeight", "tblHeader",
                  "tblCellSpacing", "jc", "hidden"}},
        {"tc", {"tcPr", "p|tbl"}},
        {"tcPr", {"cnfStyle", "tcW", "gridSpan", "hMerge", "vMerge", "tcBorders", "shd", "noWrap", "tcMar", "textDirection",
                  "tcFitText", "vAlign", "hideMark"}},
        {"tcBorders", {"top", "left", "bottom", "right", "insideH", "insideV", "tl2br", "tr2bl"}},
        {"tcMar", {"top", "left", "bottom", "right"}},
        {"styles", {"docDefaults", "latentStyles", "style"}},
        {"docDefaults", {"rPrDefault", "pPrDefault"}},
        {"rPrDefault", {"rPr"}},
        {"pPrDefault", {"pPr"}},
        {"style", {"name", "aliases", "basedOn", "next", "link", "autoRedefine", "hidden", "uiPriority", "semiHidden",
                   "unhideWhenUsed", "qFormat", "locked", "personal", "personalCompose", "personalReply", "rsid", "pPr", "rPr",
                   "tblPr", "trPr", "tcPr", "tblStylePr"}},
        {"tblStylePr", {"pPr", "rPr", "tblPr", "trPr", "tcPr"}},
        {"settings", {"writeProtection", "view", "zoom", "removePersonalInformation", "removeDateAndTime", "doNotDisplayPageBoundaries",
                      "displayBackgroundShape", "printPostScriptOverText", "printFractionalCharacterWidth", "printFormsData",
                      "embedTrueTypeFonts", "embedSystemFonts", "saveSubsetFonts", "saveFormsData", "mirrorMargins",
                      "alignBordersAndEdges", "bordersDoNotSurroundHeader", "bordersDoNotSurroundFooter", "gutterAtTop",
                      "hideSpellingErrors", "hideGrammaticalErrors", "activeWritingStyle", "proofState", "formsDesign",
                      "attachedTemplate", "linkStyles", "stylePaneFormatFilter", "stylePaneSortMethod", "documentType", "mailMerge",
                      "revisionView", "trackRevisions", "doNotTrackMoves", "doNotTrackFormatting", "documentProtection",
                      "autoFormatOverride", "styleLockTheme", "styleLockQFSet", "defaultTabStop", "autoHyphenation",
                      "consecutiveHyphenLimit", "hyphenationZone", "doNotHyphenateCaps", "showEnvelope", "summaryLength",
                      "clickAndTypeStyle", "defaultTableStyle", "evenAndOddHeaders"}},
        {"numbering", {"numPicBullet", "abstractNum", "num", "numIdMacAtCleanup"}},
        {"abstractNum", {"nsid", "multiLevelType", "tmpl", "name", "styleLink", "numStyleLink", "lvl"}},
        {"lvl", {"start", "numFmt", "lvlRestart", "pStyle", "isLgl", "suff", "lvlText", "lvlPicBulletId", "legacy", "lvlJc", "pPr",
                 "rPr"}},
        {"num", {"abstractNumId", "lvlOverride"}},
        {"lvlOverride", {"startOverride", "lvl"}},
        {"numPr", {"ilvl", "numId", "numberingChange", "ins"}},
        // Drawings (DrawingML, the 2010 additions and the VML of text box fallbacks).
        {"drawing", {"wp:inline|wp:anchor"}},
        {"wp:inline", {"wp:extent", "wp:effectExtent", "wp:docPr", "wp:cNvGraphicFramePr", "a:graphic"}},
        {"wp:anchor", {"wp:simplePos", "wp:positionH", "wp:positionV", "wp:extent", "wp:effectExtent",
                       "wp:wrapNone|wp:wrapSquare|wp:wrapTight|wp:wrapThrough|wp:wrapTopAndBottom", "wp:docPr", "wp:cNvGraphicFramePr",
                       "a:graphic", "wp14:sizeRelH", "wp14:sizeRelV"}},
        {"wp:positionH", {"wp:align|wp:posOffset|wp14:pctPosHOffset"}},
        {"wp:positionV", {"wp:align|wp:posOffset|wp14:pctPosVOffset"}},
        {"wp:wrapSquare", {"wp:effectExtent"}},
        {"wp:wrapTight", {"wp:wrapPolygon"}},
        {"wp:wrapThrough", {"wp:wrapPolygon"}},
        {"wp:wrapPolygon", {"wp:start", "wp:lineTo"}},
        {"wp:cNvGraphicFramePr", {"a:graphicFrameLocks"}},
        {"wp14:sizeRelH", {"wp14:pctWidth"}},
        {"wp14:sizeRelV", {"wp14:pctHeight"}},
        {"a:graphic", {"a:graphicData"}},
        {"a:graphicData", {"pic:pic|wps:wsp"}},
        {"pic:pic", {"pic:nvPicPr", "pic:blipFill", "pic:spPr"}},
        {"pic:nvPicPr", {"pic:cNvPr", "pic:cNvPicPr"}},
        {"pic:blipFill", {"a:blip", "a:srcRect", "a:tile|a:stretch"}},
        {"a:stretch", {"a:fillRect"}},
        {"pic:spPr", {"a:xfrm", "a:custGeom|a:prstGeom", "a:noFill|a:solidFill", "a:ln"}},
        {"wps:spPr", {"a:xfrm", "a:custGeom|a:prstGeom", "a:noFill|a:solidFill", "a:ln"}},
        {"a:xfrm", {"a:off", "a:ext"}},
        {"a:solidFill", {"a:srgbClr"}},
        {"a:srgbClr", {"a:alpha"}},
        {"a:ln", {"a:noFill|a:solidFill"}},
        {"wps:wsp", {"wps:cNvPr", "wps:cNvSpPr|wps:cNvCnPr", "wps:spPr", "wps:style", "wps:txbx", "wps:bodyPr"}},
        {"wps:txbx", {"txbxContent"}},
        {"txbxContent", {"p|tbl"}},
        {"wps:bodyPr", {"a:prstTxWarp", "a:noAutofit|a:normAutofit|a:spAutoFit"}},
        // VML content is a free choice of elements.
        {"pict", {"v:shapetype|v:shape"}},
        {"v:shape", {"v:textbox|w10:anchorlock|o:lock|w10:wrap"}},
        {"v:textbox", {"txbxContent"}},
    };
    return sequences;
}

/// The place of `child` in the sequence of `parent`; -1 when the sequence lacks it.
int rankOf(const std::vector<std::string>& sequence, std::string_view child)
{
    for (size_t rank = 0; rank < sequence.size(); ++rank) {
        std::string_view alternatives = sequence[rank];
        while (!alternatives.empty()) {
            const size_t bar = alternatives.find('|');
            if (alternatives.substr(0, bar) == child)
                return static_cast<int>(rank);
            alternatives = bar == std::string_view::npos ? std::string_view() : alternatives.substr(bar + 1);
        }
    }
    return -1;
}

/// An element's name as the sequences give it: local for the main namespace, else with its usual prefix.
std::string sequenceName(const XmlReader& reader)
{
    static const std::map<std::string_view, std::string_view> prefixes{
        {kWordNamespace, ""},
        {"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing", "wp:"},
        {"http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing", "wp14:"},
        {"http://schemas.openxmlformats.org/drawingml/2006/main", "a:"},
        {"http://schemas.openxmlformats.org/drawingml/2006/picture", "pic:"},
        {kWordprocessingShapeNamespace, "wps:"},
        {kMarkupCompatibilityNamespace, "mc:"},
        {"urn:schemas-microsoft-com:vml", "v:"},
        {"urn:schemas-microsoft-com:office:office", "o:"},
        {"urn:schemas-microsoft-com:office:word", "w10:"},
    };
    const auto found = prefixes.find(reader.namespaceUri());
    EXPECT_NE(found, prefixes.end()) << "unexpected namespace " << reader.namespaceUri();
    return found == prefixes.end() ? std::string(reader.localName()) : std::string(found->second) + std::string(reader.localName());
}

/// Every element of the part against the sequence of its parent. The branches of markup-compatibility
/// content stand for their enclosing element: each is checked against its sequence.
void expectSchemaOrder(const std::string& xml, const std::string& partName)
{
    XmlReader reader(xml);
    struct Open {
        std::string name;
        std::string owner; // whose sequence the children follow
        int lastRank = -1;
    };
    std::vector<Open> open;
    while (reader.read()) {
        if (reader.kind() == XmlNodeKind::EndElement) {
            open.pop_back();
            continue;
        }
        if (reader.kind() != XmlNodeKind::StartElement)
            continue;
        const std::string name = sequenceName(reader);
        if (name.starts_with("mc:")) {
            ASSERT_FALSE(open.empty());
            const Open& parent = open.back();
            open.push_back({name, parent.owner, parent.lastRank});
            continue;
        }
        if (!open.empty()) {
            Open& parent = open.back();
            const auto sequence = schemaSequences().find(parent.owner);
            if (sequence == schemaSequences().end()) {
                ADD_FAILURE() << partName << ": no sequence for <" << parent.owner << "> holding <" << name << ">";
            } else {
                const int rank = rankOf(sequence->second, name);
                EXPECT_GE(rank, 0) << partName << ": <" << name << "> is no child of <" << parent.owner << ">";
                EXPECT_GE(rank, parent.lastRank) << partName << ": <" << name << "> comes too late in <" << parent.owner << ">";
                parent.lastRank = std::max(parent.lastRank, rank);
            }
        }
        open.push_back({name, name, -1});
    }
}

TEST(DocxWriterTest, ElementsFollowTheSchemaSequences)
{
    // What the model builds, and what the reader takes from a file that sets nearly everything.
    model::DocumentModel built;
    buildRichDocument(built);
    const std::string properties =
        R"(<w:pPr><w:pStyle w:val="S"/><w:keepNext/><w:keepLines/><w:pageBreakBefore/>)"
        R"(<w:framePr w:dropCap="drop" w:lines="3" w:wrap="around" w:vAnchor="text" w:hAnchor="text"/><w:widowControl w:val="0"/>)"
        R"(<w:suppressLineNumbers/><w:pBdr><w:top w:val="single"/><w:left w:val="double"/><w:bottom w:val="dotted"/><w:right w:val="thick"/></w:pBdr>)"
        R"(<w:shd w:val="clear" w:fill="FFFF00"/><w:tabs><w:tab w:val="left" w:pos="100"/></w:tabs><w:suppressAutoHyphens/>)"
        R"(<w:spacing w:before="1" w:after="2" w:line="300" w:beforeAutospacing="1"/><w:ind w:left="1" w:right="2" w:hanging="3"/>)"
        R"(<w:contextualSpacing/><w:jc w:val="right"/><w:outlineLvl w:val="2"/><w:rPr><w:b/></w:rPr></w:pPr>)";
    const std::string run =
        R"(<w:r><w:rPr><w:rStyle w:val="C"/><w:rFonts w:ascii="A"/><w:b/><w:i/><w:caps/><w:strike/><w:noProof/><w:vanish/>)"
        R"(<w:color w:val="112233"/><w:sz w:val="30"/><w:u w:val="words" w:color="445566"/><w:shd w:val="clear" w:fill="778899"/>)"
        R"(<w:vertAlign w:val="subscript"/></w:rPr><w:t>x</w:t></w:r>)";
    const std::string table =
        R"(<w:tbl><w:tblPr><w:tblpPr w:tblpX="100" w:tblpY="200"/><w:tblOverlap w:val="never"/><w:tblStyleRowBandSize w:val="2"/>)"
        R"(<w:tblStyleColBandSize w:val="3"/><w:tblW w:w="100" w:type="dxa"/><w:jc w:val="center"/><w:tblCellSpacing w:w="10" w:type="dxa"/>)"
        R"(<w:tblInd w:w="5" w:type="dxa"/><w:tblBorders><w:top w:val="single"/><w:insideV w:val="single"/></w:tblBorders>)"
        R"(<w:shd w:val="clear" w:fill="00FF00"/><w:tblLayout w:type="fixed"/><w:tblCellMar><w:left w:w="1" w:type="dxa"/>)"
        R"(<w:top w:w="2" w:type="dxa"/></w:tblCellMar><w:tblLook w:val="04A0"/></w:tblPr>)"
        R"(<w:tr><w:tblPrEx><w:tblW w:w="50" w:type="dxa"/></w:tblPrEx><w:trPr><w:gridBefore w:val="1"/><w:gridAfter w:val="1"/>)"
        R"(<w:wBefore w:w="5" w:type="dxa"/><w:wAfter w:w="6" w:type="dxa"/><w:cantSplit/><w:trHeight w:val="400" w:hRule="exact"/>)"
        R"(<w:tblHeader/><w:tblCellSpacing w:w="1" w:type="dxa"/><w:jc w:val="right"/></w:trPr>)"
        R"(<w:tc><w:tcPr><w:tcW w:w="9" w:type="dxa"/><w:gridSpan w:val="2"/><w:vMerge w:val="restart"/><w:tcBorders><w:tl2br w:val="single"/>)"
        R"(<w:left w:val="single"/></w:tcBorders><w:shd w:val="clear" w:fill="123456"/><w:noWrap/><w:tcMar><w:right w:w="3" w:type="dxa"/>)"
        R"(</w:tcMar><w:textDirection w:val="btLr"/><w:tcFitText/><w:vAlign w:val="center"/><w:hideMark/></w:tcPr>)" +
        std::string("<w:p>") + run + "</w:p></w:tc></w:tr></w:tbl>";
    const std::string sections =
        R"(<w:p><w:pPr><w:sectPr><w:footnotePr><w:numFmt w:val="lowerRoman"/></w:footnotePr><w:type w:val="oddPage"/>)"
        R"(<w:pgSz w:w="100" w:h="200"/><w:pgMar w:left="1"/><w:paperSrc w:first="2" w:other="3"/><w:lnNumType w:countBy="5"/>)"
        R"(<w:pgNumType w:start="3" w:fmt="upperRoman"/><w:cols w:num="2"/><w:vAlign w:val="center"/><w:titlePg/>)"
        R"(<w:textDirection w:val="tbRl"/></w:sectPr></w:pPr></w:p>)";
    const std::string styles = std::string(R"(<w:styles )") + testing::kWordNamespaces + ">" +
                               R"(<w:style w:type="paragraph" w:styleId="S"><w:name w:val="S"/><w:basedOn w:val="S0"/><w:next w:val="S"/>)"
                               R"(<w:hidden/><w:semiHidden/><w:qFormat/>)" + properties + R"(<w:rPr><w:i/></w:rPr></w:style>)" +
                               R"(<w:style w:type="character" w:styleId="C"><w:name w:val="C"/><w:rPr><w:b/></w:rPr></w:style>)" +
                               R"(<w:style w:type="table" w:styleId="T"><w:name w:val="T"/><w:tblPr><w:tblW w:w="1" w:type="dxa"/></w:tblPr>)" +
                               R"(<w:trPr><w:cantSplit/></w:trPr><w:tcPr><w:noWrap/></w:tcPr><w:tblStylePr w:type="firstRow"><w:rPr><w:b/></w:rPr>)" +
                               R"(<w:tcPr><w:vAlign w:val="bottom"/></w:tcPr></w:tblStylePr></w:style></w:styles>)";
    const std::string numbering =
        std::string(R"(<w:numbering )") + testing::kWordNamespaces + ">" +
        R"(<w:abstractNum w:abstractNumId="0"><w:nsid w:val="00ABCDEF"/><w:tmpl w:val="12345678"/><w:styleLink w:val="L"/>)"
        R"(<w:lvl w:ilvl="0" w:tplc="04090001"><w:start w:val="2"/><w:numFmt w:val="upperRoman"/><w:lvlRestart w:val="0"/>)"
        R"(<w:pStyle w:val="S"/><w:isLgl/><w:suff w:val="space"/><w:lvlText w:val="%1."/>)"
        R"(<w:legacy w:legacy="1" w:legacySpace="10" w:legacyIndent="20"/><w:lvlJc w:val="center"/>)"
        R"(<w:pPr><w:tabs><w:tab w:val="num" w:pos="720"/></w:tabs><w:ind w:left="720" w:hanging="360"/></w:pPr>)"
        R"(<w:rPr><w:rFonts w:ascii="Symbol"/></w:rPr></w:lvl>)"
        R"(<w:lvl w:ilvl="2"><w:lvlRestart w:val="1"/><w:lvlText w:val="%3"/></w:lvl></w:abstractNum>)"
        R"(<w:abstractNum w:abstractNumId="1"><w:numStyleLink w:val="L"/></w:abstractNum>)"
        R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="3"/></w:lvlOverride></w:num>)"
        R"(<w:num w:numId="2"><w:abstractNumId w:val="1"/></w:num></w:numbering>)";
    const std::string listStyles = R"(<w:style w:type="numbering" w:styleId="L"><w:name w:val="L"/><w:pPr><w:numPr><w:numId w:val="1"/>)"
                                   R"(</w:numPr></w:pPr></w:style><w:style w:type="paragraph" w:styleId="Listed"><w:name w:val="Listed"/>)"
                                   R"(<w:pPr><w:numPr><w:ilvl w:val="2"/><w:numId w:val="2"/></w:numPr></w:pPr></w:style></w:styles>)";
    const std::string listParagraphs =
        R"(<w:p><w:pPr><w:keepNext/><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr><w:ind w:left="5"/></w:pPr></w:p>)"
        R"(<w:p><w:pPr><w:pStyle w:val="Listed"/><w:numPr><w:numId w:val="0"/></w:numPr></w:pPr></w:p>)";
    model::DocumentModel read;
    loadDocx(read, makeDocx("<w:p>" + properties + run + "</w:p>" + listParagraphs + table + sections + "<w:p/>",
                            {{"word/styles.xml", styles.substr(0, styles.size() - std::string("</w:styles>").size()) + listStyles},
                             {"word/numbering.xml", numbering}}));
    ASSERT_EQ(read.numbering().numberingListCount(), 2);

    model::DocumentModel drawings(nullptr, &model::testCodec());
    testing::buildDrawingDocument(drawings);

    for (const model::DocumentModel* document : {&built, &read, &drawings}) {
        const std::vector<uint8_t> package = saveDocx(*document);
        const ZIPStreamReader reader(package);
        for (const ZIPFileEntry& entry : reader.files()) {
            if (!entry.name.starts_with("word/") || entry.name.find("_rels") != std::string::npos || entry.name.starts_with("word/media/"))
                continue;
            expectSchemaOrder(partText(package, entry.name), entry.name);
        }
    }
    testing::expectRoundTrip(read);
}

} // namespace
} // namespace velmo::formats
