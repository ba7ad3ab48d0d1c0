#pragma once

#include "formats/docx/open_xml_numbering_values.h"
#include "formats/xml/xml_writer.h"
#include "model/border_info.h"
#include "model/character_formatting_info.h"
#include "model/paragraph_formatting_info.h"
#include "model/pictures/paragraph_frame_formatting.h"
#include "model/section_properties.h"
#include "model/tab_formatting_info.h"
#include "model/tables/table_properties_info.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// Elements with a single "w:val" attribute, and on/off elements written as "1" or "0".
void writeValueElement(XmlWriter& writer, std::string_view name, std::string_view value);
void writeValueElement(XmlWriter& writer, std::string_view name, int32_t value);
void writeOnOffElement(XmlWriter& writer, std::string_view name, bool value);

/// Writes property records as WordprocessingML property elements, children in schema order. Only
/// the properties a record sets are written; an element that would be empty is left out.
class OpenXmlPropertyWriter {
public:
    /// "rPr"; `styleId` empty for none.
    static void writeRunProperties(XmlWriter& writer, const model::CharacterFormattingBase& formatting, std::string_view styleId);
    /// The children of a "pPr" up to (not including) its "rPr": style, formatting, frame, tabs and
    /// the list reference, when there is one.
    static void writeParagraphPropertiesBody(XmlWriter& writer, std::string_view styleId, const model::ParagraphFormattingBase& formatting,
                                             const model::TabFormattingInfo& tabs,
                                             const std::optional<OpenXmlNumberingReference>& numbering = std::nullopt,
                                             const std::optional<model::ParagraphFrameFormatting>& frame = std::nullopt);
    /// "framePr" with the attributes the frame sets.
    static void writeFrameProperties(XmlWriter& writer, const model::ParagraphFrameFormatting& frame);
    [[nodiscard]] static bool hasParagraphProperties(std::string_view styleId, const model::ParagraphFormattingBase& formatting,
                                                     const model::TabFormattingInfo& tabs) noexcept;
    [[nodiscard]] static bool hasRunProperties(const model::CharacterFormattingBase& formatting, std::string_view styleId) noexcept;

    /// The section settings of a "sectPr" after its header and footer references.
    static void writeSectionSettings(XmlWriter& writer, const model::MarginsInfo& margins, const model::PageInfo& page,
                                     const model::ColumnsInfo& columns, const model::GeneralSectionInfo& general,
                                     const model::PageNumberingInfo& pageNumbering, const model::LineNumberingInfo& lineNumbering,
                                     const model::FootNoteInfo& footNote, const model::FootNoteInfo& endNote);

    /// "tblPr" (with `styleId`), or the body of "tblPrEx" (`exception`: no style, position or bands).
    static void writeTableProperties(XmlWriter& writer, std::string_view elementName, const model::TablePropertiesInfo& properties,
                                     std::string_view styleId, bool exception);
    static void writeRowProperties(XmlWriter& writer, const model::TableRowPropertiesInfo& properties);
    static void writeCellProperties(XmlWriter& writer, const model::TableCellPropertiesInfo& properties);

private:
    static void writeBorder(XmlWriter& writer, std::string_view name, const model::BorderInfo& border);
    static void writeWidth(XmlWriter& writer, std::string_view name, const model::WidthUnitInfo& width);
    static void writeCellMargins(XmlWriter& writer, std::string_view name, const model::CellMarginsInfo& margins,
                                 const bool (&used)[4]);
};

} // namespace velmo::formats
