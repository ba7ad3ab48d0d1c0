#pragma once

#include "formats/docx/open_xml_attributes.h"
#include "formats/docx/open_xml_numbering_values.h"
#include "formats/docx/open_xml_reading.h"
#include "model/border_info.h"
#include "model/character_formatting_info.h"
#include "model/content_type.h"
#include "model/paragraph_formatting_info.h"
#include "model/pictures/paragraph_frame_formatting.h"
#include "model/section_properties.h"
#include "model/tab_formatting_info.h"
#include "model/tables/table_properties_info.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmo::model {
class DocumentCache;
}

namespace velmo::formats {

/// A header or footer a section refers to.
struct OpenXmlHeaderFooterReference {
    model::ContentTypeKind kind = model::ContentTypeKind::Header;
    model::HeaderFooterType type = model::HeaderFooterType::Odd;
    std::string relationId;
};

/// What a "sectPr" says about its section.
struct OpenXmlSectionProperties {
    model::MarginsInfo margins;
    model::PageInfo page;
    model::ColumnsInfo columns;
    model::GeneralSectionInfo general;
    model::PageNumberingInfo pageNumbering;
    model::LineNumberingInfo lineNumbering;
    model::FootNoteInfo footNote;
    model::FootNoteInfo endNote;
    std::vector<OpenXmlHeaderFooterReference> headersFooters;

    /// The model's defaults for a section.
    [[nodiscard]] static OpenXmlSectionProperties defaults(model::DocumentCache& cache);
};

/// What a "pPr" says about its paragraph.
struct OpenXmlParagraphProperties {
    int32_t styleIndex = 0;
    model::ParagraphFormattingBase formatting;
    model::TabFormattingInfo tabs;
    model::CharacterFormattingBase markFormatting;
    int32_t markStyleIndex = 0;
    /// Set when the "pPr" holds a "framePr".
    std::optional<model::ParagraphFrameFormatting> frame;
    /// Set when the "pPr" holds a "numPr".
    std::optional<OpenXmlNumberingReference> numbering;
    /// Set when the paragraph ends a section.
    std::optional<OpenXmlSectionProperties> section;
};

/// A table's properties and grid as read.
struct OpenXmlTableProperties {
    int32_t styleIndex = -1; // -1: none given
    model::TablePropertiesInfo properties;
    std::vector<int32_t> grid; // column widths in twips
};

/// Translates property elements ("rPr", "pPr", "sectPr", "tblPr", "trPr", "tcPr") into model
/// records. Each read starts on the element's start tag and ends on its end tag; children it
/// does not know are skipped.
class OpenXmlPropertyReader {
public:
    OpenXmlPropertyReader(const OpenXmlAttributes& attributes, const OpenXmlStyleIds& styleIds, model::DocumentCache& cache) noexcept
        : attributes_(attributes), styleIds_(styleIds), cache_(cache)
    {
    }

    /// `characterStyleIndex` may be null where a character style cannot be given.
    void readRunProperties(XmlReader& reader, model::CharacterFormattingBase& formatting, int32_t* characterStyleIndex) const;
    void readParagraphProperties(XmlReader& reader, OpenXmlParagraphProperties& properties) const;
    void readSectionProperties(XmlReader& reader, OpenXmlSectionProperties& properties) const;
    /// "tblPr", or "tblPrEx" (which has no style).
    void readTableProperties(XmlReader& reader, OpenXmlTableProperties& properties) const;
    void readTableGrid(XmlReader& reader, std::vector<int32_t>& grid) const;
    void readRowProperties(XmlReader& reader, model::TableRowPropertiesInfo& properties) const;
    void readCellProperties(XmlReader& reader, model::TableCellPropertiesInfo& properties) const;

private:
    [[nodiscard]] model::BorderInfo readBorder(const XmlReader& reader) const;
    [[nodiscard]] model::WidthUnitInfo readWidth(const XmlReader& reader, std::string_view valueName = "w") const;
    void readParagraphBorders(XmlReader& reader, model::ParagraphFormattingBase& formatting) const;
    void readTabs(XmlReader& reader, model::TabFormattingInfo& tabs) const;
    void readCellMargins(XmlReader& reader, model::CellMarginsInfo& margins, const std::function<void(int)>& onEdge) const;
    void readShading(const XmlReader& reader, model::AlphaColor& background, model::ShadingPattern* pattern) const;
    void readColumns(XmlReader& reader, model::ColumnsInfo& columns) const;
    void readNoteProperties(XmlReader& reader, model::FootNoteInfo& note) const;
    [[nodiscard]] OpenXmlNumberingReference readNumberingReference(XmlReader& reader) const;
    [[nodiscard]] model::ParagraphFrameFormatting readFrameProperties(const XmlReader& reader) const;

    const OpenXmlAttributes& attributes_;
    const OpenXmlStyleIds& styleIds_;
    model::DocumentCache& cache_;
};

/// The shading result of a pattern over a fill and a colour: a grey for percentage patterns on
/// white, else the colour for solid and the fill for the others.
[[nodiscard]] model::AlphaColor shadingResult(model::ShadingPattern pattern, model::AlphaColor fill, model::AlphaColor color) noexcept;

} // namespace velmo::formats
