// The numbering part: abstract lists with their levels, then the list instances paragraphs refer to.
#include "formats/docx/open_xml_numbering_writer.h"

#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_property_writer.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"
#include "model/paragraph.h"
#include "model/paragraph_style.h"
#include "model/piece_table.h"

#include <cstdio>

namespace velmo::formats {

namespace {

constexpr std::string_view kNumberingContentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml";

/// Eight lowercase hexadecimal digits.
std::string hexWord(int32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<uint32_t>(value));
    return text;
}

std::string numberingStyleId(int32_t index)
{
    return "N" + std::to_string(index);
}

/// A "lvl", its children in the schema's order.
void writeLevel(XmlWriter& writer, const model::DocumentModel& documentModel, const model::ListLevel& level, int32_t index)
{
    const model::DocumentCache& cache = documentModel.cache();
    const model::ListLevelInfo& info = level.listLevelProperties;
    writer.startElement("w:lvl");
    writer.attribute("w:ilvl", index);
    if (info.templateCode != 0)
        writer.attribute("w:tplc", hexWord(info.templateCode));
    writeValueElement(writer, "start", info.start);
    writeValueElement(writer, "numFmt", numberingFormatWord(info.format));
    if (info.suppressRestart)
        writeValueElement(writer, "lvlRestart", 0);
    else if (info.relativeRestartLevel != 0)
        writeValueElement(writer, "lvlRestart", index - info.relativeRestartLevel);
    const auto& paragraphStyles = documentModel.styles().paragraphStyles();
    if (paragraphStyles.isIndexValid(level.paragraphStyleIndex) && !paragraphStyles[level.paragraphStyleIndex].deleted())
        writeValueElement(writer, "pStyle", "P" + std::to_string(level.paragraphStyleIndex));
    if (info.convertPreviousLevelNumberingToDecimal)
        writeOnOffElement(writer, "isLgl", true);
    writeValueElement(writer, "suff", wordOf(kListSeparatorWords, info.separator, "nothing"));
    writer.startElement("w:lvlText");
    writer.attribute("w:val", std::u16string_view(levelTextFromDisplayFormat(info.displayFormatString)));
    writer.endElement();
    if (info.legacy || info.legacySpace != 0 || info.legacyIndent != 0) {
        writer.startElement("w:legacy");
        writer.attribute("w:legacy", info.legacy ? "1" : "0");
        writer.attribute("w:legacySpace", info.legacySpace);
        writer.attribute("w:legacyIndent", info.legacyIndent);
        writer.endElement();
    }
    writeValueElement(writer, "lvlJc", wordOf(kListNumberAlignmentWords, info.alignment, "left"));
    const model::ParagraphFormattingBase& paragraph = cache.paragraphFormattingCache()[level.paragraphPropertiesIndex];
    const model::TabFormattingInfo& tabs = cache.tabFormattingInfoCache()[level.tabsIndex];
    if (OpenXmlPropertyWriter::hasParagraphProperties({}, paragraph, tabs)) {
        writer.startElement("w:pPr");
        OpenXmlPropertyWriter::writeParagraphPropertiesBody(writer, {}, paragraph, tabs);
        writer.endElement();
    }
    OpenXmlPropertyWriter::writeRunProperties(writer, cache.characterFormattingCache()[level.characterPropertiesIndex], {});
    writer.endElement();
}

void writeAbstractList(XmlWriter& writer, const model::DocumentModel& documentModel, const model::AbstractNumberingList& list, int32_t index)
{
    const auto& numberingStyles = documentModel.numbering().numberingListStyles();
    writer.startElement("w:abstractNum");
    writer.attribute("w:abstractNumId", index);
    writeValueElement(writer, "nsid", hexWord(list.id()));
    writeValueElement(writer, "multiLevelType", wordOf(kMultiLevelTypeWords, list.numberingType(), "multilevel"));
    if (list.templateCode() != 0)
        writeValueElement(writer, "tmpl", hexWord(list.templateCode()));
    if (numberingStyles.isIndexValid(list.styleLinkIndex()))
        writeValueElement(writer, "styleLink", numberingStyleId(list.styleLinkIndex()));
    if (numberingStyles.isIndexValid(list.numberingStyleReferenceIndex()))
        writeValueElement(writer, "numStyleLink", numberingStyleId(list.numberingStyleReferenceIndex()));
    for (int32_t level = 0; level < model::kListLevelCount; ++level)
        writeLevel(writer, documentModel, list.level(level), level);
    writer.endElement();
}

void writeList(XmlWriter& writer, const model::DocumentModel& documentModel, const model::NumberingList& list, int32_t index)
{
    writer.startElement("w:num");
    writer.attribute("w:numId", index + 1);
    writeValueElement(writer, "abstractNumId", list.abstractNumberingListIndex());
    for (int32_t level = 0; level < model::kListLevelCount; ++level) {
        const model::NumberingListReferenceLevel& reference = list.level(level);
        if (!reference.overrideStart && !reference.overrideLevel)
            continue;
        writer.startElement("w:lvlOverride");
        writer.attribute("w:ilvl", level);
        if (reference.overrideStart)
            writeValueElement(writer, "startOverride", reference.newStart);
        if (reference.overrideLevel)
            writeLevel(writer, documentModel, *reference.overrideLevel, level);
        writer.endElement();
    }
    writer.endElement();
}

} // namespace

std::optional<OpenXmlNumberingReference> numberingReferenceOf(const model::Paragraph& paragraph)
{
    const int32_t list = paragraph.ownNumberingListIndex();
    if (list == model::kNumberingListIndexNoNumbering)
        return OpenXmlNumberingReference{0, 0};
    if (!paragraph.pieceTable().isValidNumberingListIndex(list))
        return std::nullopt;
    return OpenXmlNumberingReference{list + 1, paragraph.ownListLevelIndex()};
}

std::optional<OpenXmlNumberingReference> numberingReferenceOf(const model::ParagraphStyle& style)
{
    const int32_t list = style.ownNumberingListIndex();
    const int32_t level = style.ownListLevelIndex();
    OpenXmlNumberingReference reference;
    if (level > 0)
        reference.levelIndex = level;
    if (list == model::kNumberingListIndexNoNumbering)
        reference.numberingId = 0;
    else if (style.documentModel().numbering().isValidNumberingListIndex(list))
        reference.numberingId = list + 1;
    if (!reference.numberingId && !reference.levelIndex)
        return std::nullopt;
    return reference;
}

void OpenXmlExporter::writeNumberingPart()
{
    const model::DocumentNumbering& numbering = documentModel_.numbering();
    XmlWriter writer;
    writer.startElement("w:numbering");
    writer.namespaceDeclaration("w", kWordNamespace);
    // Lists are numbered by position: "abstractNumId" is the abstract list's index, "numId" the
    // instance's index plus one (0 means "no list").
    for (int32_t index = 0; index < numbering.abstractNumberingListCount(); ++index)
        writeAbstractList(writer, documentModel_, numbering.abstractNumberingList(index), index);
    for (int32_t index = 0; index < numbering.numberingListCount(); ++index)
        writeList(writer, documentModel_, numbering.numberingList(index), index);
    addPart("word/numbering.xml", kNumberingContentType, writer);
}

} // namespace velmo::formats
