// The styles and settings parts.
#include "formats/docx/open_xml_exporter.h"
#include "formats/docx/open_xml_numbering_writer.h"
#include "formats/docx/open_xml_property_writer.h"
#include "formats/docx/open_xml_values.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"

namespace velmo::formats {

namespace {

std::string_view kContentTypeStyles = "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";
std::string_view kContentTypeSettings = "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml";

std::string styleId(char kind, int32_t index)
{
    return std::string(1, kind) + std::to_string(index);
}

/// "style" with its type, id and the elements every kind of style has, up to its formatting.
template <typename Style, typename Collection>
void startStyle(XmlWriter& writer, std::string_view type, char kind, const Collection& styles, int32_t index)
{
    const Style& style = styles[index];
    writer.startElement("w:style");
    writer.attribute("w:type", type);
    if (index == 0)
        writer.attribute("w:default", "1");
    writer.attribute("w:styleId", styleId(kind, index));
    writer.startElement("w:name");
    writer.attribute("w:val", std::u16string_view(style.styleName()));
    writer.endElement();
    const int32_t parent = styles.indexOf(style.parent());
    if (parent >= 0)
        writeValueElement(writer, "basedOn", styleId(kind, parent));
    if constexpr (std::is_same_v<Style, model::ParagraphStyle>) {
        const int32_t next = styles.indexOf(style.nextParagraphStyle());
        if (next >= 0)
            writeValueElement(writer, "next", styleId(kind, next));
    }
    if (style.hidden())
        writeOnOffElement(writer, "hidden", true);
    if (style.semihidden())
        writeOnOffElement(writer, "semiHidden", true);
    if (style.primary())
        writeOnOffElement(writer, "qFormat", true);
}

void writeParagraphProperties(XmlWriter& writer, const model::ParagraphFormattingBase& formatting, const model::TabFormattingInfo& tabs,
                              const std::optional<OpenXmlNumberingReference>& numbering = std::nullopt,
                              const std::optional<model::ParagraphFrameFormatting>& frame = std::nullopt)
{
    if (!OpenXmlPropertyWriter::hasParagraphProperties({}, formatting, tabs) && !numbering && !frame)
        return;
    writer.startElement("w:pPr");
    OpenXmlPropertyWriter::writeParagraphPropertiesBody(writer, {}, formatting, tabs, numbering, frame);
    writer.endElement();
}

void writeTableStyleFormatting(XmlWriter& writer, const model::DocumentCache& cache, const model::TableStyleFormatting& formatting)
{
    writeParagraphProperties(writer, cache.paragraphFormattingCache()[formatting.paragraphPropertiesIndex], model::TabFormattingInfo{});
    OpenXmlPropertyWriter::writeRunProperties(writer, cache.characterFormattingCache()[formatting.characterPropertiesIndex], {});
    OpenXmlPropertyWriter::writeTableProperties(writer, "tblPr", cache.tablePropertiesCache()[formatting.tablePropertiesIndex], {}, false);
    OpenXmlPropertyWriter::writeRowProperties(writer, cache.tableRowPropertiesCache()[formatting.rowPropertiesIndex]);
    OpenXmlPropertyWriter::writeCellProperties(writer, cache.tableCellPropertiesCache()[formatting.cellPropertiesIndex]);
}

} // namespace

void OpenXmlExporter::writeStylesPart()
{
    const model::DocumentCache& cache = documentModel_.cache();
    const model::DocumentStyles& styles = documentModel_.styles();
    XmlWriter writer;
    writer.startElement("w:styles");
    writer.namespaceDeclaration("w", kWordNamespace);

    // The defaults say what differs from a property's empty value; saying more would set those
    // properties in every paragraph style and hide what table styles give.
    const model::CharacterFormattingInfo& characterDefaults = cache.characterFormattingCache()[model::DocumentCache::kDefaultPropertiesIndex].info();
    const model::ParagraphFormattingInfo& paragraphDefaults = cache.paragraphFormattingCache()[model::DocumentCache::kDefaultPropertiesIndex].info();
    writer.startElement("w:docDefaults");
    writer.startElement("w:rPrDefault");
    OpenXmlPropertyWriter::writeRunProperties(
        writer, model::CharacterFormattingBase(characterDefaults, characterDefaults.differingProperties(model::CharacterFormattingInfo{})), {});
    writer.endElement();
    writer.startElement("w:pPrDefault");
    writeParagraphProperties(
        writer, model::ParagraphFormattingBase(paragraphDefaults, paragraphDefaults.differingProperties(model::ParagraphFormattingInfo{})),
        model::TabFormattingInfo{});
    writer.endElement();
    writer.endElement();

    const auto& paragraphStyles = styles.paragraphStyles();
    for (int32_t index = 0; index < paragraphStyles.count(); ++index) {
        const model::ParagraphStyle& style = paragraphStyles[index];
        if (style.deleted())
            continue;
        startStyle<model::ParagraphStyle>(writer, "paragraph", 'P', paragraphStyles, index);
        std::optional<model::ParagraphFrameFormatting> frame;
        if (style.frameFormattingIndex() >= 0)
            frame = cache.pictureCaches().paragraphFrameFormattingCache[style.frameFormattingIndex()];
        writeParagraphProperties(writer, cache.paragraphFormattingCache()[style.paragraphPropertiesIndex()],
                                 cache.tabFormattingInfoCache()[style.tabsIndex()], numberingReferenceOf(style), frame);
        OpenXmlPropertyWriter::writeRunProperties(writer, cache.characterFormattingCache()[style.characterPropertiesIndex()], {});
        writer.endElement();
    }
    const auto& characterStyles = styles.characterStyles();
    for (int32_t index = 0; index < characterStyles.count(); ++index) {
        const model::CharacterStyle& style = characterStyles[index];
        if (style.deleted())
            continue;
        startStyle<model::CharacterStyle>(writer, "character", 'C', characterStyles, index);
        OpenXmlPropertyWriter::writeRunProperties(writer, cache.characterFormattingCache()[style.characterPropertiesIndex()], {});
        writer.endElement();
    }
    const auto& tableStyles = styles.tableStyles();
    for (int32_t index = 0; index < tableStyles.count(); ++index) {
        const model::TableStyle& style = tableStyles[index];
        if (style.deleted())
            continue;
        startStyle<model::TableStyle>(writer, "table", 'T', tableStyles, index);
        writeTableStyleFormatting(writer, cache, style.formatting());
        for (const ValueWord<model::ConditionalTableStyleFormattingType>& part : kConditionalStyleWords) {
            const model::TableStyleFormatting* formatting = style.conditionalStyle(part.value);
            if (!formatting)
                continue;
            writer.startElement("w:tblStylePr");
            writer.attribute("w:type", part.word);
            writeTableStyleFormatting(writer, cache, *formatting);
            writer.endElement();
        }
        writer.endElement();
    }
    // A numbering style stands for the list it names.
    const auto& numberingStyles = documentModel_.numbering().numberingListStyles();
    for (int32_t index = 0; index < numberingStyles.count(); ++index) {
        const model::NumberingListStyle& style = numberingStyles[index];
        if (style.deleted())
            continue;
        startStyle<model::NumberingListStyle>(writer, "numbering", 'N', numberingStyles, index);
        if (documentModel_.numbering().isValidNumberingListIndex(style.numberingListIndex()))
            writeParagraphProperties(writer, model::ParagraphFormattingBase{}, model::TabFormattingInfo{},
                                     OpenXmlNumberingReference{style.numberingListIndex() + 1, std::nullopt});
        writer.endElement();
    }
    addPart("word/styles.xml", kContentTypeStyles, writer);
}

void OpenXmlExporter::writeSettingsPart()
{
    const model::DocumentInfo& info = documentModel_.documentInfo();
    XmlWriter writer;
    writer.startElement("w:settings");
    writer.namespaceDeclaration("w", kWordNamespace);
    if (info.displayBackgroundShape)
        writeOnOffElement(writer, "displayBackgroundShape", true);
    writeValueElement(writer, "defaultTabStop", info.defaultTabWidth);
    if (info.hyphenateDocument)
        writeOnOffElement(writer, "autoHyphenation", true);
    if (info.differentOddAndEvenPages)
        writeOnOffElement(writer, "evenAndOddHeaders", true);
    addPart("word/settings.xml", kContentTypeSettings, writer);
}

} // namespace velmo::formats
