// Pictures, floating objects and text boxes through the DOCX reader and writer: hand-written
// packages in DrawingML and VML, what the model makes of them, and what the writer stores.
#include "core/unicode_text.h"
#include "formats/docx_drawing_support.h"
#include "formats/docx_test_support.h"
#include "formats/zip/zip_stream_reader.h"
#include "model/content_type.h"
#include "model/input_position.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"
#include "model/pictures/z_order_manager.h"
#include "model/pictures/picture_test_support.h"
#include "model/section.h"
#include "platform/uri_stream_service.h"

#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace velmo::formats {
namespace {

using model::pngBytes;
using model::testCodec;
using testing::loadDocx;
using testing::makeDocx;
using testing::relationsPart;
using testing::saveDocx;

constexpr const char* kDrawingNamespaces =
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
    R"(xmlns:wp14="http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing" )"
    R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
    R"(xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture" )"
    R"(xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape" )"
    R"(xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office" )"
    R"(xmlns:w10="urn:schemas-microsoft-com:office:word")";

/// A main document part with the drawing namespaces declared.
std::string drawingDocumentPart(const std::string& body)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?><w:document )") + testing::kWordNamespaces + " " + kDrawingNamespaces +
           "><w:body>" + body + "</w:body></w:document>";
}

std::string asText(const std::vector<uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

/// A package whose main document holds `body` and relates "rIdPng" to a 40 x 20 pixel PNG at
/// 96 DPI (600 x 300 twips), plus `relations` and `members` of its own.
std::vector<uint8_t> makeDrawingDocx(const std::string& body, std::vector<std::array<std::string, 3>> relations = {},
                                     std::map<std::string, std::string> members = {})
{
    relations.push_back({"rIdPng", "image", "media/image1.png"});
    std::string rels = relationsPart(relations);
    members.emplace("word/media/image1.png", asText(pngBytes(40, 20)));
    members.emplace("word/_rels/document.xml.rels", rels);
    members.emplace("_rels/.rels", testing::packageRelations());
    members.emplace("word/document.xml", drawingDocumentPart(body));
    return testing::makePackage(members);
}

std::string emu(int64_t twips)
{
    return std::to_string(twips * 635);
}

std::string inlinePicture(const std::string& relationId, int64_t widthTwips, int64_t heightTwips, const std::string& extra = "")
{
    return R"(<w:drawing><wp:inline><wp:extent cx=")" + emu(widthTwips) + R"(" cy=")" + emu(heightTwips) +
           R"("/><wp:docPr id="1" name="Picture 1"/>)" + extra +
           R"(<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic>)"
           R"(<pic:nvPicPr><pic:cNvPr id="0" name="x.png"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=")" +
           relationId + R"("/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:prstGeom prst="rect"/></pic:spPr>)"
           R"(</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>)";
}

/// A document whose pictures are read with the test codec.
struct PictureDocument {
    model::DocumentModel document{nullptr, &testCodec()};
};

/// Writes and reads back with the codec; the dumps must be equal and both models sound.
void expectRoundTrip(const model::DocumentModel& document)
{
    EXPECT_THAT(model::findIntegrityProblems(document), ::testing::IsEmpty());
    model::DocumentModel copy(nullptr, &testCodec());
    loadDocx(copy, saveDocx(document));
    EXPECT_THAT(model::findIntegrityProblems(copy), ::testing::IsEmpty());
    EXPECT_EQ(model::dumpDocument(copy), model::dumpDocument(document));
}

std::vector<model::TextRunBase*> runsOfKind(const model::PieceTable& pieceTable, model::RunKind kind)
{
    std::vector<model::TextRunBase*> runs;
    for (int32_t index = 0; index < pieceTable.runCount(); ++index) {
        if (pieceTable.run(RunIndex(index)).kind() == kind)
            runs.push_back(&pieceTable.run(RunIndex(index)));
    }
    return runs;
}

std::vector<model::FloatingObjectAnchorRun*> anchors(const model::PieceTable& pieceTable)
{
    std::vector<model::FloatingObjectAnchorRun*> result;
    for (model::TextRunBase* run : runsOfKind(pieceTable, model::RunKind::FloatingObjectAnchor))
        result.push_back(static_cast<model::FloatingObjectAnchorRun*>(run));
    return result;
}

model::InlinePictureRun& onlyInlinePicture(const model::PieceTable& pieceTable)
{
    const std::vector<model::TextRunBase*> runs = runsOfKind(pieceTable, model::RunKind::InlinePicture);
    EXPECT_EQ(runs.size(), 1u);
    return static_cast<model::InlinePictureRun&>(*runs.at(0));
}

std::string partText(const std::vector<uint8_t>& package, std::string_view name)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ZIPStreamReader(package).extract(name, bytes)) << name;
    return asText(bytes);
}

size_t occurrences(const std::string& text, std::string_view what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(DocxDrawingTest, InlinePictureTakesItsSizeFromTheExtent)
{
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx("<w:p><w:r><w:t>a</w:t></w:r><w:r><w:rPr><w:b/></w:rPr>" +
                                              inlinePicture("rIdPng", 1200, 450, R"(<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="0"/></wp:cNvGraphicFramePr>)") +
                                              "</w:r><w:r><w:t>b</w:t></w:r></w:p>"));
    const model::PieceTable& main = loaded.document.mainPieceTable();
    EXPECT_EQ(main.storyText(), u"a\uFFFCb\r");
    model::InlinePictureRun& picture = onlyInlinePicture(main);
    ASSERT_NE(picture.image(), nullptr);
    EXPECT_EQ(picture.image()->image().rawFormat(), model::OfficeImageFormat::Png);
    EXPECT_EQ(picture.originalSize(), (model::Size{600, 300}));
    EXPECT_EQ(picture.actualSize(), (model::Size{1200, 450}));
    EXPECT_FLOAT_EQ(picture.scaleX(), 200);
    EXPECT_FLOAT_EQ(picture.scaleY(), 150);
    EXPECT_FALSE(picture.lockAspectRatio());
    EXPECT_TRUE(main.mergedCharacterFormatting(main.findPosition(DocumentLogPosition(1)).runIndex).fontBold());
    expectRoundTrip(loaded.document);
}

TEST(DocxDrawingTest, PictureUsedTwiceIsDecodedAndStoredOnce)
{
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx("<w:p><w:r>" + inlinePicture("rIdPng", 600, 300) + "</w:r><w:r>" +
                                              inlinePicture("rIdPng", 300, 150) + "</w:r></w:p>"));
    const std::vector<model::TextRunBase*> runs = runsOfKind(loaded.document.mainPieceTable(), model::RunKind::InlinePicture);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(&static_cast<model::InlinePictureRun*>(runs[0])->image()->image(),
              &static_cast<model::InlinePictureRun*>(runs[1])->image()->image());
    EXPECT_EQ(loaded.document.images().imageCache().count(), 1);

    const std::vector<uint8_t> package = saveDocx(loaded.document);
    const ZIPStreamReader reader(package);
    size_t media = 0;
    for (const ZIPFileEntry& entry : reader.files())
        media += entry.name.starts_with("word/media/") ? 1 : 0;
    EXPECT_EQ(media, 1u);
    EXPECT_TRUE(reader.exists("word/media/image1.png"));
    const std::string relations = partText(package, "word/_rels/document.xml.rels");
    EXPECT_EQ(occurrences(relations, "media/image1.png"), 1u);
    EXPECT_NE(relations.find(R"(Id="Relimage1")"), std::string::npos);
    const std::string types = partText(package, "[Content_Types].xml");
    EXPECT_NE(types.find(R"(<Default Extension="png" ContentType="image/png"/>)"), std::string::npos) << types;
    const std::string xml = partText(package, "word/document.xml");
    // Lengths are twips x 635.
    EXPECT_NE(xml.find(R"(<wp:extent cx="381000" cy="190500"/>)"), std::string::npos) << xml;
    EXPECT_EQ(occurrences(xml, R"(r:embed="Relimage1")"), 2u);
    expectRoundTrip(loaded.document);
}

TEST(DocxDrawingTest, FloatingPictureKeepsItsPlacementWrappingAndShape)
{
    const std::string anchor =
        R"(<wp:anchor distT="6350" distB="12700" distL="0" distR="63500" simplePos="0" relativeHeight="251659264" behindDoc="1" locked="1")"
        R"( layoutInCell="0" allowOverlap="1" hidden="0"><wp:simplePos x="0" y="0"/>)"
        R"(<wp:positionH relativeFrom="margin"><wp:posOffset>635000</wp:posOffset></wp:positionH>)"
        R"(<wp:positionV relativeFrom="paragraph"><wp:align>center</wp:align></wp:positionV>)"
        R"(<wp:extent cx=")" + emu(900) + R"(" cy=")" + emu(450) + R"("/><wp:effectExtent l="0" t="0" r="0" b="0"/>)"
        R"(<wp:wrapSquare wrapText="left"/><wp:docPr id="7" name="Logo"/>)"
        R"(<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>)"
        R"(<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic><pic:blipFill>)"
        R"(<a:blip r:embed="rIdPng"/></pic:blipFill><pic:spPr><a:xfrm rot="5400000"/><a:prstGeom prst="rect"/>)"
        R"(<a:solidFill><a:schemeClr val="accent1"/></a:solidFill><a:ln w="12700"><a:solidFill><a:srgbClr val="FF0000">)"
        R"(<a:alpha val="50000"/></a:srgbClr></a:solidFill></a:ln></pic:spPr></pic:pic></a:graphicData></a:graphic>)"
        R"(<wp14:sizeRelH relativeFrom="page"><wp14:pctWidth>40000</wp14:pctWidth></wp14:sizeRelH></wp:anchor>)";
    const std::string front =
        R"(<wp:anchor simplePos="0" relativeHeight="5" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="0">)"
        R"(<wp:simplePos x="127000" y="254000"/>)"
        R"(<wp:positionV relativeFrom="line"><wp:posOffset>0</wp:posOffset></wp:positionV><wp:extent cx="635" cy="635"/>)"
        R"(<mc:AlternateContent><mc:Choice Requires="wp14"><wp:positionH relativeFrom="page"><wp14:pctPosHOffset>25000</wp14:pctPosHOffset></wp:positionH></mc:Choice>)"
        R"(<mc:Fallback><wp:positionH relativeFrom="page"><wp:posOffset>6350</wp:posOffset></wp:positionH></mc:Fallback></mc:AlternateContent>)"
        R"(<wp:wrapTight wrapText="largest"><wp:wrapPolygon edited="0"><wp:start x="0" y="0"/></wp:wrapPolygon></wp:wrapTight><wp:docPr id="8" name="Picture 8"/>)"
        R"(<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic><pic:blipFill>)"
        R"(<a:blip r:embed="rIdPng"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:anchor>)";
    const std::string fromPage =
        R"(<wp:anchor simplePos="1" relativeHeight="7" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="0">)"
        R"(<wp:simplePos x="127000" y="254000"/><wp:positionH relativeFrom="column"><wp:align>right</wp:align></wp:positionH>)"
        R"(<wp:positionV relativeFrom="line"><wp:posOffset>0</wp:posOffset></wp:positionV><wp:extent cx="635" cy="635"/><wp:wrapNone/>)"
        R"(<wp:docPr id="9" name="Picture 9"/><a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
        R"(<pic:pic><pic:blipFill><a:blip r:embed="rIdPng"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:anchor>)";
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx(R"(<w:p><w:r><w:drawing>)" + anchor + R"(</w:drawing><w:t>text</w:t></w:r></w:p>)"
                                              R"(<w:p><w:r><w:drawing>)" + front + R"(</w:drawing></w:r><w:r><w:drawing>)" + fromPage +
                                              R"(</w:drawing></w:r></w:p>)"));
    const std::vector<model::FloatingObjectAnchorRun*> objects = anchors(loaded.document.mainPieceTable());
    ASSERT_EQ(objects.size(), 3u);

    const model::FloatingObjectAnchorRun& logo = *objects[0];
    EXPECT_EQ(logo.name(), u"Logo");
    ASSERT_EQ(logo.content().kind(), model::ObjectContentKind::Picture);
    EXPECT_EQ(logo.originalSize(), (model::Size{600, 300}));
    const model::FloatingObjectFormatting& f = logo.floatingObject().properties();
    const model::FloatingObjectInfo& info = f.info();
    EXPECT_EQ(info.actualSize, (model::Size{900, 450}));
    EXPECT_EQ(info.topDistance, 10);
    EXPECT_EQ(info.bottomDistance, 20);
    EXPECT_EQ(info.rightDistance, 100);
    EXPECT_TRUE(f.uses(model::UseFloatingObjectOption::UseLeftDistance));
    EXPECT_TRUE(info.isBehindDoc);
    EXPECT_TRUE(info.locked);
    EXPECT_TRUE(info.allowOverlap);
    EXPECT_FALSE(info.layoutInTableCell);
    EXPECT_TRUE(f.uses(model::UseFloatingObjectOption::UseHidden));
    EXPECT_EQ(info.horizontalPositionType, model::ShapeRelativeHorizontalPosition::Margin);
    EXPECT_EQ(info.offset, (model::Point{1000, 0}));
    EXPECT_EQ(info.verticalPositionType, model::ShapeRelativeVerticalPosition::Paragraph);
    EXPECT_EQ(info.verticalPositionAlignment, model::ShapeVerticalAlignment::Center);
    EXPECT_EQ(info.textWrapType, model::FloatingObjectTextWrapType::Square);
    EXPECT_EQ(info.textWrapSide, model::FloatingObjectTextWrapSide::Left);
    EXPECT_TRUE(info.lockAspectRatio);
    EXPECT_TRUE(f.uses(model::UseFloatingObjectOption::UseRelativeWidth));
    EXPECT_EQ(info.relativeWidth.width, 40000);
    EXPECT_EQ(info.relativeWidth.from, model::FloatingObjectRelativeFromHorizontal::Page);
    const model::ShapeInfo& shape = logo.shape().info();
    EXPECT_EQ(shape.rotation, 5400000);
    EXPECT_EQ(shape.fillColor, 0xFF4F81BDu);
    EXPECT_EQ(shape.outlineColor, 0x80FF0000u);
    EXPECT_EQ(shape.outlineWidth, 20);

    const model::FloatingObjectFormatting& g = objects[1]->floatingObject().properties();
    EXPECT_TRUE(objects[1]->name().empty()) << "the name this program gives objects without one is not kept";
    // A percentage position, and the offset its fallback gives.
    EXPECT_EQ(g.info().horizontalPositionType, model::ShapeRelativeHorizontalPosition::Page);
    EXPECT_EQ(g.info().verticalPositionType, model::ShapeRelativeVerticalPosition::Line);
    EXPECT_EQ(g.info().offset, (model::Point{10, 0}));
    EXPECT_EQ(g.info().percentOffset, (model::Point{25000, 0}));
    EXPECT_EQ(g.info().actualSize, (model::Size{1, 1}));
    EXPECT_EQ(g.info().textWrapType, model::FloatingObjectTextWrapType::Tight);
    EXPECT_EQ(g.info().textWrapSide, model::FloatingObjectTextWrapSide::Largest);
    EXPECT_TRUE(g.info().layoutInTableCell);

    // The page position of "simplePos" wins over the position elements.
    const model::FloatingObjectInfo& fromPageInfo = objects[2]->floatingObjectInfo();
    EXPECT_EQ(fromPageInfo.horizontalPositionType, model::ShapeRelativeHorizontalPosition::Page);
    EXPECT_EQ(fromPageInfo.horizontalPositionAlignment, model::ShapeHorizontalAlignment::None);
    EXPECT_EQ(fromPageInfo.verticalPositionType, model::ShapeRelativeVerticalPosition::Page);
    EXPECT_EQ(fromPageInfo.offset, (model::Point{200, 400}));

    // Stacking numbers are made small and gapless after loading: in front 1, 2, behind 1.
    EXPECT_EQ(g.info().zOrder, 1);
    EXPECT_EQ(fromPageInfo.zOrder, 2);
    EXPECT_EQ(info.zOrder, 1);
    expectRoundTrip(loaded.document);

    // What the dump does not show survives too.
    model::DocumentModel copy(nullptr, &testCodec());
    loadDocx(copy, saveDocx(loaded.document));
    const std::vector<model::FloatingObjectAnchorRun*> copied = anchors(copy.mainPieceTable());
    ASSERT_EQ(copied.size(), 3u);
    for (size_t index = 0; index < copied.size(); ++index) {
        const model::FloatingObjectInfo& original = objects[index]->floatingObjectInfo();
        const model::FloatingObjectInfo& read = copied[index]->floatingObjectInfo();
        EXPECT_EQ(read.relativeWidth, original.relativeWidth);
        EXPECT_EQ(read.percentOffset, original.percentOffset);
        EXPECT_EQ(read.allowOverlap, original.allowOverlap);
        EXPECT_EQ(read.locked, original.locked);
        EXPECT_EQ(read.layoutInTableCell, original.layoutInTableCell);
        EXPECT_EQ(read.hidden, original.hidden);
        EXPECT_EQ(copied[index]->shape(), objects[index]->shape());
    }
}

TEST(DocxDrawingTest, TextBoxTextGoesIntoItsOwnStory)
{
    const std::string shape =
        R"(<w:r><mc:AlternateContent><mc:Choice Requires="wps"><w:drawing><wp:anchor simplePos="0" relativeHeight="3" behindDoc="0")"
        R"( locked="0" layoutInCell="1" allowOverlap="1"><wp:simplePos x="0" y="0"/><wp:positionH relativeFrom="column"><wp:align>center</wp:align>)"
        R"(</wp:positionH><wp:positionV relativeFrom="paragraph"><wp:posOffset>127000</wp:posOffset></wp:positionV>)"
        R"(<wp:extent cx=")" + emu(2880) + R"(" cy=")" + emu(1440) + R"("/><wp:wrapTopAndBottom/><wp:docPr id="2" name="Notes"/>)"
        R"(<a:graphic><a:graphicData uri="http://schemas.microsoft.com/office/word/2010/wordprocessingShape"><wps:wsp><wps:cNvSpPr txBox="1"/>)"
        R"(<wps:spPr><a:prstGeom prst="rect"/><a:solidFill><a:prstClr val="ltGray"/></a:solidFill><a:ln><a:noFill/></a:ln></wps:spPr>)"
        R"(<wps:txbx><w:txbxContent><w:p><w:r><w:rPr><w:i/></w:rPr><w:t>Inside</w:t></w:r></w:p><w:p><w:r><w:t>box</w:t></w:r>)"
        R"(<w:r>)" + inlinePicture("rIdPng", 300, 150) + R"(</w:r></w:p></w:txbxContent></wps:txbx>)"
        R"(<wps:bodyPr wrap="square" lIns="0" tIns="45720" rIns="91440" bIns="45720" anchor="ctr" upright="1"><a:spAutoFit/></wps:bodyPr>)"
        R"(</wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice><mc:Fallback><w:pict><v:shape style="position:absolute">)"
        R"(<v:textbox><w:txbxContent><w:p><w:r><w:t>fallback</w:t></w:r></w:p></w:txbxContent></v:textbox></v:shape></w:pict>)"
        R"(</mc:Fallback></mc:AlternateContent></w:r>)";
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx("<w:p><w:r><w:t>before</w:t></w:r>" + shape + "<w:r><w:t>after</w:t></w:r></w:p>"));
    const model::PieceTable& main = loaded.document.mainPieceTable();
    EXPECT_EQ(main.storyText(), u"before\bafter\r");
    const std::vector<model::FloatingObjectAnchorRun*> objects = anchors(main);
    ASSERT_EQ(objects.size(), 1u);
    const model::FloatingObjectAnchorRun& box = *objects[0];
    ASSERT_EQ(box.content().kind(), model::ObjectContentKind::TextBox);
    const auto& content = static_cast<const model::TextBoxFloatingObjectContent&>(box.content());
    const model::PieceTable& story = content.textBox().pieceTable();
    EXPECT_EQ(story.storyText(), u"Inside\rbox\uFFFC\r");
    EXPECT_TRUE(story.mergedCharacterFormatting(RunIndex(0)).fontItalic());
    EXPECT_EQ(content.textBox().anchorRun(), &box);
    EXPECT_EQ(main.textBoxes().size(), 1u);

    const model::TextBoxInfo& margins = content.properties().info();
    EXPECT_EQ(margins.leftMargin, 0);
    EXPECT_EQ(margins.topMargin, 72);
    EXPECT_EQ(margins.rightMargin, 144);
    EXPECT_EQ(margins.verticalAlignment, model::VerticalAlignment::Center);
    EXPECT_TRUE(margins.resizeShapeToFitText);
    EXPECT_TRUE(margins.upright);
    EXPECT_TRUE(margins.wrapText);
    const model::FloatingObjectInfo& info = box.floatingObjectInfo();
    EXPECT_EQ(info.actualSize, (model::Size{2880, 1440}));
    EXPECT_EQ(info.horizontalPositionAlignment, model::ShapeHorizontalAlignment::Center);
    EXPECT_EQ(info.offset, (model::Point{0, 200}));
    EXPECT_EQ(info.textWrapType, model::FloatingObjectTextWrapType::TopAndBottom);
    EXPECT_EQ(box.shape().info().fillColor, 0xFFD3D3D3u);
    EXPECT_EQ(box.shape().info().outlineColor, model::kEmptyColor);
    EXPECT_TRUE(box.shape().uses(model::UsedShapeOption::UseOutlineColor));
    EXPECT_EQ(box.name(), u"Notes");
    expectRoundTrip(loaded.document);
}

TEST(DocxDrawingTest, ChoicesTheReaderDoesNotKnowTakeTheFallback)
{
    // A drawing canvas needs more than word-processing shapes: its VML picture is read instead.
    const std::string body =
        R"(<w:p><w:r><mc:AlternateContent xmlns:wpc="http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas">)"
        R"(<mc:Choice Requires="wpc"><w:t>canvas</w:t></mc:Choice><mc:Fallback><w:pict><v:shape style="width:30pt;height:15pt">)"
        R"(<v:imagedata r:id="rIdPng" o:title=""/></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r></w:p>)";
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx(body));
    EXPECT_EQ(loaded.document.mainPieceTable().storyText(), u"\uFFFC\r");
    EXPECT_EQ(onlyInlinePicture(loaded.document.mainPieceTable()).actualSize(), (model::Size{600, 300}));

    // Pictures are understood, also under a prefix nobody declared.
    const std::string pictureChoice = R"(<w:p><w:r><mc:AlternateContent><mc:Choice Requires="pic"><w:t>picture</w:t></mc:Choice>)"
                                      R"(<mc:Fallback><w:t>fallback</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>)";
    PictureDocument chosen;
    loadDocx(chosen.document, makeDrawingDocx(pictureChoice));
    EXPECT_EQ(chosen.document.mainPieceTable().storyText(), u"picture\r");
}

TEST(DocxDrawingTest, VmlPicturesAndTextBoxes)
{
    const std::string body =
        R"(<w:p><w:r><w:pict><v:shapetype id="_x0000_t75" coordsize="21600,21600"/><v:shape type="#_x0000_t75" )"
        R"(style="width:60pt;height:0.25in"><v:imagedata r:id="rIdPng" o:title=""/></v:shape></w:pict></w:r>)"
        R"(<w:r><w:object><v:shape style="width:15pt;height:7.5pt"><v:imagedata o:relid="rIdPng"/></v:shape><o:OLEObject/></w:object></w:r>)"
        R"(<w:r><w:pict><v:rect style="position:absolute;margin-left:10pt;margin-top:-5pt;width:144pt;height:1in;z-index:-3;)"
        R"(mso-position-horizontal:right;mso-position-horizontal-relative:page;mso-position-vertical-relative:line;)"
        R"(mso-wrap-distance-left:9pt;mso-width-percent:400;mso-width-relative:margin;rotation:90" fillcolor="#ff0" )"
        R"(strokecolor="navy [3213]" strokeweight="2pt" o:allowincell="f"><v:textbox style="mso-fit-shape-to-text:t" )"
        R"(inset="0,1mm,.1in,2pt"><w:txbxContent><w:p><w:r><w:t>vml box</w:t></w:r></w:p></w:txbxContent></v:textbox>)"
        R"(<w10:wrap type="square" side="right"/><w10:anchorlock/></v:rect></w:pict></w:r></w:p>)";
    PictureDocument loaded;
    loadDocx(loaded.document, makeDrawingDocx(body));
    const model::PieceTable& main = loaded.document.mainPieceTable();
    EXPECT_EQ(main.storyText(), u"\uFFFC\uFFFC\b\r");
    const std::vector<model::TextRunBase*> pictures = runsOfKind(main, model::RunKind::InlinePicture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(static_cast<model::InlinePictureRun*>(pictures[0])->actualSize(), (model::Size{1200, 360}));
    EXPECT_EQ(static_cast<model::InlinePictureRun*>(pictures[1])->actualSize(), (model::Size{300, 150}));

    const std::vector<model::FloatingObjectAnchorRun*> objects = anchors(main);
    ASSERT_EQ(objects.size(), 1u);
    const model::FloatingObjectAnchorRun& box = *objects[0];
    ASSERT_EQ(box.content().kind(), model::ObjectContentKind::TextBox);
    const auto& content = static_cast<const model::TextBoxFloatingObjectContent&>(box.content());
    EXPECT_EQ(content.textBox().pieceTable().storyText(), u"vml box\r");
    const model::TextBoxInfo& margins = content.properties().info();
    EXPECT_TRUE(margins.resizeShapeToFitText);
    EXPECT_EQ(margins.leftMargin, 0);
    EXPECT_EQ(margins.topMargin, 57);
    EXPECT_EQ(margins.rightMargin, 144);
    EXPECT_EQ(margins.bottomMargin, 40);
    const model::FloatingObjectInfo& info = box.floatingObjectInfo();
    EXPECT_EQ(info.actualSize, (model::Size{2880, 1440}));
    // The horizontal offset does not count beside the alignment.
    EXPECT_EQ(info.offset, (model::Point{0, -100}));
    EXPECT_EQ(info.horizontalPositionAlignment, model::ShapeHorizontalAlignment::Right);
    EXPECT_EQ(info.horizontalPositionType, model::ShapeRelativeHorizontalPosition::Page);
    EXPECT_EQ(info.verticalPositionType, model::ShapeRelativeVerticalPosition::Line);
    EXPECT_EQ(info.leftDistance, 180);
    EXPECT_EQ(info.relativeWidth.width, 40000);
    EXPECT_EQ(info.relativeWidth.from, model::FloatingObjectRelativeFromHorizontal::Margin);
    EXPECT_EQ(info.textWrapType, model::FloatingObjectTextWrapType::Square);
    EXPECT_EQ(info.textWrapSide, model::FloatingObjectTextWrapSide::Right);
    EXPECT_TRUE(info.locked);
    EXPECT_FALSE(info.layoutInTableCell);
    // A negative stacking number puts the object behind the text.
    EXPECT_TRUE(info.isBehindDoc);
    const model::ShapeInfo& shape = box.shape().info();
    EXPECT_EQ(shape.fillColor, 0xFFFFFF00u);
    EXPECT_EQ(shape.outlineColor, 0xFF000080u);
    EXPECT_EQ(shape.outlineWidth, 40);
    EXPECT_EQ(shape.rotation, 5400000);
    expectRoundTrip(loaded.document);
}

TEST(DocxDrawingTest, MissingDamagedAndLinkedPictures)
{
    const std::string body =
        "<w:p><w:r><w:t>a</w:t>" + inlinePicture("rIdMissing", 600, 300) + inlinePicture("rIdNone", 600, 300) + "<w:t>b</w:t>" +
        inlinePicture("rIdCorrupt", 600, 300) + inlinePicture("rIdExternal", 600, 300) + "</w:r></w:p>";
    std::string linked = inlinePicture("rIdLinked", 600, 300);
    linked.replace(linked.find("r:embed"), 7, "r:link");
    std::string external = inlinePicture("rIdWeb", 600, 300);
    external.replace(external.find("r:embed"), 7, "r:link");
    PictureDocument loaded;
    std::vector<uint8_t> package = makeDrawingDocx(body + "<w:p><w:r>" + linked + external + "</w:r></w:p>",
                                                   {{"rIdMissing", "image", "media/missing.png"},
                                                    {"rIdCorrupt", "image", "media/corrupt.png"},
                                                    {"rIdLinked", "image", "file:///nowhere/picture.png"}},
                                                   {{"word/media/corrupt.png", "not a picture at all"}});
    // Links outside the package: relations the helper cannot write, added by hand.
    {
        std::map<std::string, std::string> members;
        const ZIPStreamReader reader(package);
        for (const ZIPFileEntry& entry : reader.files()) {
            std::vector<uint8_t> bytes;
            reader.extract(entry, bytes);
            members[entry.name] = asText(bytes);
        }
        std::string& relations = members["word/_rels/document.xml.rels"];
        relations.insert(relations.find("</Relationships>"),
                         R"(<Relationship Id="rIdWeb" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" )"
                         R"(Target="http://example.invalid/picture.png" TargetMode="external"/>)"
                         R"(<Relationship Id="rIdExternal" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" )"
                         R"(Target="http://example.invalid/other.png" TargetMode="External"/>)");
        package = testing::makePackage(members);
    }
    loadDocx(loaded.document, package);
    const model::PieceTable& main = loaded.document.mainPieceTable();
    // Missing parts and pictures linked from outside the package give nothing.
    EXPECT_EQ(main.storyText(), u"ab\uFFFC\r\uFFFC\r");
    const std::vector<model::TextRunBase*> pictures = runsOfKind(main, model::RunKind::InlinePicture);
    ASSERT_EQ(pictures.size(), 2u);

    // A picture the codec cannot read is kept, bytes and all, as a stand-in of the extent's size.
    const auto& standIn = static_cast<const model::InlinePictureRun&>(*pictures[0]);
    EXPECT_FALSE(standIn.image()->image().loadError().empty());
    EXPECT_EQ(standIn.actualSize(), (model::Size{600, 300}));
    // A picture linked inside the package is fetched after loading, as a URI.
    const auto& uriPicture = static_cast<const model::InlinePictureRun&>(*pictures[1]);
    EXPECT_TRUE(uriPicture.image()->isUriImage());
    EXPECT_EQ(uriPicture.image()->uri(), u"file:///nowhere/picture.png");
    EXPECT_FALSE(uriPicture.image()->image().isLoaded());

    const std::vector<uint8_t> saved = saveDocx(loaded.document);
    EXPECT_EQ(partText(saved, "word/media/image1.png"), "not a picture at all");
    model::DocumentModel copy(nullptr, &testCodec());
    loadDocx(copy, saved);
    EXPECT_EQ(copy.mainPieceTable().storyText(), main.storyText());
    EXPECT_EQ(static_cast<const model::InlinePictureRun&>(*runsOfKind(copy.mainPieceTable(), model::RunKind::InlinePicture)[0])
                  .image()->image().bytes(),
              standIn.image()->image().bytes());
}

TEST(DocxDrawingTest, DamagedPicturePartCostsOnlyThePicture)
{
    std::vector<uint8_t> package = makeDrawingDocx("<w:p><w:r><w:t>kept</w:t>" + inlinePicture("rIdPng", 600, 300) + "</w:r></w:p>");
    // Break the picture member's data so that inflating it fails its check.
    const ZIPStreamReader reader(package);
    const ZIPFileEntry* entry = reader.find("word/media/image1.png");
    ASSERT_NE(entry, nullptr);
    for (uint64_t index = entry->dataOffset; index < entry->dataOffset + entry->packedSize && index < package.size(); ++index)
        package[index] ^= 0x5A;
    PictureDocument loaded;
    loadDocx(loaded.document, package);
    EXPECT_EQ(loaded.document.mainPieceTable().storyText(), u"kept\r");
}

TEST(DocxDrawingTest, HostileDrawingsLoadSoundly)
{
    const std::string textBox = [] {
        std::string nested = "<w:p><w:r><w:t>deepest</w:t></w:r></w:p>";
        // Text boxes inside text boxes: only the outer one can float; the text inside inner ones is not read.
        for (int level = 0; level < 3; ++level)
            nested = R"(<w:p><w:r><w:drawing><wp:anchor relativeHeight="4294967295" distL="-99999999999"><wp:extent cx="-5" cy="999999999999999"/>)"
                     R"(<a:graphic><a:graphicData><wps:wsp><wps:txbx><w:txbxContent>)" + nested +
                     R"(</w:txbxContent></wps:txbx><wps:txbx><w:txbxContent><w:p/></w:txbxContent></wps:txbx></wps:wsp></a:graphicData>)"
                     R"(</a:graphic></wp:anchor></w:drawing></w:r></w:p>)";
        return nested;
    }();
    const std::string body =
        textBox + "<w:p><w:r>" + inlinePicture("rIdPart", 600, 300) + inlinePicture("rIdOutside", 600, 300) +
        R"(<w:drawing><wp:anchor><a:graphic/></wp:anchor><wp:inline/></w:drawing>)"
        R"(<w:pict><v:shape style="width:1e400pt;height:-3in;position:absolute;z-index:99999999999;rotation:nan"><v:imagedata r:id="rIdPng"/></v:shape></w:pict>)"
        R"(<w:object><v:shape style=";;:;width;height:"><v:textbox inset=",,,"/></v:shape></w:object></w:r></w:p>)";
    PictureDocument loaded;
    loadDocx(loaded.document,
             makeDrawingDocx(body, {{"rIdPart", "image", "document.xml"}, {"rIdOutside", "image", "../../../../etc/passwd"}}));
    EXPECT_THAT(model::findIntegrityProblems(loaded.document), ::testing::IsEmpty());
    const model::PieceTable& main = loaded.document.mainPieceTable();
    const std::vector<model::FloatingObjectAnchorRun*> objects = anchors(main);
    ASSERT_GE(objects.size(), 2u);
    const auto& outer = static_cast<const model::TextBoxFloatingObjectContent&>(objects[0]->content());
    EXPECT_EQ(outer.textBox().pieceTable().storyText(), u"\r");
    EXPECT_EQ(objects[0]->floatingObjectInfo().leftDistance, 0);
    EXPECT_GE(objects[0]->floatingObjectInfo().actualSize.width, 1);
    // A part that is no picture is kept as a stand-in; nothing is read from outside the package.
    const std::vector<model::TextRunBase*> pictures = runsOfKind(main, model::RunKind::InlinePicture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_FALSE(static_cast<model::InlinePictureRun*>(pictures[0])->image()->image().loadError().empty());
    expectRoundTrip(loaded.document);
}

TEST(DocxDrawingTest, PicturesOfHeadersAreRelatedFromTheirOwnPart)
{
    PictureDocument built;
    model::DocumentModel& document = built.document;
    const auto image = model::pngPicture(document, 40, 20);
    model::SectionHeader& header = document.createHeader(SectionIndex(0), model::HeaderFooterType::Odd);
    model::insertInlinePicture(header.pieceTable(), DocumentLogPosition(0), *image, 50, 50);
    model::insertInlinePicture(document.mainPieceTable(), DocumentLogPosition(0), *image);
    const std::vector<uint8_t> package = saveDocx(document);
    const std::string headerRelations = partText(package, "word/_rels/header1.xml.rels");
    EXPECT_NE(headerRelations.find(R"(Id="Relimage1")"), std::string::npos);
    EXPECT_NE(partText(package, "word/_rels/document.xml.rels").find(R"(Id="Relimage1")"), std::string::npos);
    EXPECT_FALSE(ZIPStreamReader(package).exists("word/media/image2.png"));
    expectRoundTrip(document);
}

TEST(DocxDrawingTest, DrawingsMadeInCodeReadBackTheSame)
{
    PictureDocument built;
    testing::buildDrawingDocument(built.document);
    expectRoundTrip(built.document);

    const std::vector<uint8_t> package = saveDocx(built.document);
    const std::string xml = partText(package, "word/document.xml");
    // The text box with its VML form for readers without word-processing shapes: 2880 x 1440 twips.
    EXPECT_NE(xml.find(R"(<mc:Choice Requires="wps">)"), std::string::npos);
    EXPECT_NE(xml.find("width:144pt;height:72pt;"), std::string::npos) << xml;
    EXPECT_NE(xml.find(R"(<v:textbox style="mso-fit-shape-to-text:t" inset="5mm,1mm,3mm,1mm">)"), std::string::npos) << xml;
    EXPECT_NE(xml.find(R"(name="Sidebar")"), std::string::npos);
    EXPECT_EQ(occurrences(xml, "In the box"), 2u);
    EXPECT_NE(xml.find("<wp14:pctPosHOffset>12000</wp14:pctPosHOffset>"), std::string::npos);
    EXPECT_NE(xml.find(R"(<wp:wrapThrough wrapText="bothSides">)"), std::string::npos);
    EXPECT_NE(xml.find(R"(<a:ln w="9525"/>)"), std::string::npos) << "an outline width without a colour is kept";
    // Two pictures, each stored once although the red one shows twice.
    const ZIPStreamReader reader(package);
    EXPECT_TRUE(reader.exists("word/media/image1.png"));
    EXPECT_TRUE(reader.exists("word/media/image2.png"));
    EXPECT_FALSE(reader.exists("word/media/image3.png"));
}

TEST(DocxDrawingTest, PackageWithPicturesPassesAnIndependentArchiveTest)
{
    if (!std::filesystem::exists("/usr/bin/unzip"))
        GTEST_SKIP() << "unzip is not installed";
    PictureDocument built;
    testing::buildDrawingDocument(built.document);
    const velmo::testing::TemporaryFolder folder("docx-drawings");
    const std::string path = folder.file("drawings.docx");
    const std::vector<uint8_t> package = saveDocx(built.document);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
    EXPECT_EQ(std::system(("/usr/bin/unzip -tq '" + path + "' > /dev/null").c_str()), 0);
}

/// Serves one PNG for any URI, after a pause, as a slow network would.
class SlowPictureService final : public platform::IUriStreamService {
public:
    [[nodiscard]] std::optional<std::vector<uint8_t>> open(std::u16string_view, const std::atomic<bool>&) const override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return pngBytes(16, 16, 96, 0x00FF00FF);
    }
};

TEST(DocxDrawingTest, SavingWaitsForLinkedPicturesStillBeingFetched)
{
    const SlowPictureService service;
    PictureDocument built;
    built.document.images().setUriStreamService(&service);
    const auto linked = built.document.images().createUriImage({u"https://pictures.invalid/green.png"}, {}, true);
    model::insertInlinePicture(built.document.mainPieceTable(), DocumentLogPosition(0), *linked);
    ASSERT_TRUE(linked->isLoadPending());
    const std::vector<uint8_t> package = saveDocx(built.document);
    std::vector<uint8_t> stored;
    ASSERT_TRUE(ZIPStreamReader(package).extract("word/media/image1.png", stored));
    EXPECT_EQ(stored, pngBytes(16, 16, 96, 0x00FF00FF)) << "the fetched picture is stored, not its placeholder";
}

} // namespace
} // namespace velmo::formats
