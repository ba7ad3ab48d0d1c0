#include "formats/docx/open_xml_property_writer.h"

#include "formats/docx/open_xml_values.h"

#include <cmath>
#include <string>

namespace velmo::formats {

namespace {

using CharacterOption = model::UsedCharacterFormattingOption;
using ParagraphOption = model::UsedParagraphFormattingOption;

constexpr int32_t kDefaultStartingLineNumber = 1;

std::string qualified(std::string_view name)
{
    return "w:" + std::string(name);
}

std::string_view scriptWord(model::CharacterFormattingScript script) noexcept
{
    switch (script) {
    case model::CharacterFormattingScript::Normal: return "baseline";
    case model::CharacterFormattingScript::Subscript: return "subscript";
    case model::CharacterFormattingScript::Superscript: return "superscript";
    }
    return "baseline";
}

std::string_view noteRestartWord(model::LineNumberingRestart restart) noexcept
{
    switch (restart) {
    case model::LineNumberingRestart::NewPage: return "eachPage";
    case model::LineNumberingRestart::NewSection: return "eachSect";
    case model::LineNumberingRestart::Continuous: return "continuous";
    }
    return "continuous";
}

void writeNoteProperties(XmlWriter& writer, std::string_view name, const model::FootNoteInfo& note, const model::FootNoteInfo& defaults)
{
    if (note == defaults)
        return;
    writer.startElement(qualified(name));
    writeValueElement(writer, "pos", wordOf(kNotePositionWords, note.position, "pageBottom"));
    writeValueElement(writer, "numFmt", numberingFormatWord(note.numberingFormat));
    writeValueElement(writer, "numStart", note.startingNumber);
    writeValueElement(writer, "numRestart", noteRestartWord(note.numberingRestartType));
    writer.endElement();
}

} // namespace

void writeValueElement(XmlWriter& writer, std::string_view name, std::string_view value)
{
    writer.startElement(qualified(name));
    writer.attribute("w:val", value);
    writer.endElement();
}

void writeValueElement(XmlWriter& writer, std::string_view name, int32_t value)
{
    writer.startElement(qualified(name));
    writer.attribute("w:val", value);
    writer.endElement();
}

void writeOnOffElement(XmlWriter& writer, std::string_view name, bool value)
{
    writeValueElement(writer, name, value ? "1" : "0");
}

bool OpenXmlPropertyWriter::hasRunProperties(const model::CharacterFormattingBase& formatting, std::string_view styleId) noexcept
{
    constexpr model::CharacterPropertiesMask kWritten = static_cast<model::CharacterPropertiesMask>(
        model::kCharacterPropertiesMaskAll & ~static_cast<model::CharacterPropertiesMask>(CharacterOption::UseStrikeoutColor) &
        ~static_cast<model::CharacterPropertiesMask>(CharacterOption::UseStrikeoutWordsOnly));
    return !styleId.empty() || (formatting.mask() & kWritten) != 0;
}

void OpenXmlPropertyWriter::writeRunProperties(XmlWriter& writer, const model::CharacterFormattingBase& formatting, std::string_view styleId)
{
    if (!hasRunProperties(formatting, styleId))
        return;
    const model::CharacterFormattingInfo& info = formatting.info();
    writer.startElement("w:rPr");
    if (!styleId.empty())
        writeValueElement(writer, "rStyle", styleId);
    if (formatting.uses(CharacterOption::UseFontName) && !info.fontName().empty()) {
        writer.startElement("w:rFonts");
        writer.attribute("w:ascii", std::u16string_view(info.fontName()));
        writer.attribute("w:hAnsi", std::u16string_view(info.fontName()));
        writer.endElement();
    }
    if (formatting.uses(CharacterOption::UseFontBold))
        writeOnOffElement(writer, "b", info.fontBold());
    if (formatting.uses(CharacterOption::UseFontItalic))
        writeOnOffElement(writer, "i", info.fontItalic());
    if (formatting.uses(CharacterOption::UseAllCaps))
        writeOnOffElement(writer, "caps", info.allCaps());
    if (formatting.uses(CharacterOption::UseFontStrikeoutType)) {
        if (info.fontStrikeoutType() == model::StrikeoutType::Double)
            writeOnOffElement(writer, "dstrike", true);
        else
            writeOnOffElement(writer, "strike", info.fontStrikeoutType() == model::StrikeoutType::Single);
    }
    if (formatting.uses(CharacterOption::UseNoProof))
        writeOnOffElement(writer, "noProof", info.noProof());
    if (formatting.uses(CharacterOption::UseHidden))
        writeOnOffElement(writer, "vanish", info.hidden());
    if (formatting.uses(CharacterOption::UseForeColor))
        writeValueElement(writer, "color", colorWord(info.foreColor()));
    if (formatting.uses(CharacterOption::UseDoubleFontSize))
        writeValueElement(writer, "sz", info.doubleFontSize());
    const bool underline = formatting.uses(CharacterOption::UseFontUnderlineType) || formatting.uses(CharacterOption::UseUnderlineWordsOnly);
    if (underline || formatting.uses(CharacterOption::UseUnderlineColor)) {
        writer.startElement("w:u");
        const bool wordsOnly = info.underlineWordsOnly() && info.fontUnderlineType() == model::UnderlineType::Single;
        writer.attribute("w:val", wordsOnly ? std::string_view("words") : wordOf(kUnderlineWords, info.fontUnderlineType(), "single"));
        if (formatting.uses(CharacterOption::UseUnderlineColor))
            writer.attribute("w:color", colorWord(info.underlineColor()));
        writer.endElement();
    }
    if (formatting.uses(CharacterOption::UseBackColor) && model::isValidColor(info.backColor())) {
        writer.startElement("w:shd");
        writer.attribute("w:val", "clear");
        writer.attribute("w:color", "auto");
        writer.attribute("w:fill", colorWord(info.backColor()));
        writer.endElement();
    }
    if (formatting.uses(CharacterOption::UseScript))
        writeValueElement(writer, "vertAlign", scriptWord(info.script()));
    writer.endElement();
}

bool OpenXmlPropertyWriter::hasParagraphProperties(std::string_view styleId, const model::ParagraphFormattingBase& formatting,
                                                   const model::TabFormattingInfo& tabs) noexcept
{
    return !styleId.empty() || formatting.mask() != 0 || !tabs.isEmpty();
}

void OpenXmlPropertyWriter::writeBorder(XmlWriter& writer, std::string_view name, const model::BorderInfo& border)
{
    writer.startElement(qualified(name));
    writer.attribute("w:val", borderLineStyleWord(border.style));
    writer.attribute("w:sz", static_cast<int32_t>(std::lround(border.width * 8.0 / 20.0)));
    writer.attribute("w:space", border.offset / 20);
    writer.attribute("w:color", colorWord(border.color));
    if (border.shadow)
        writer.attribute("w:shadow", "1");
    if (border.frame)
        writer.attribute("w:frame", "1");
    writer.endElement();
}

void OpenXmlPropertyWriter::writeParagraphPropertiesBody(XmlWriter& writer, std::string_view styleId,
                                                         const model::ParagraphFormattingBase& formatting, const model::TabFormattingInfo& tabs,
                                                         const std::optional<OpenXmlNumberingReference>& numbering,
                                                         const std::optional<model::ParagraphFrameFormatting>& frame)
{
    const model::ParagraphFormattingInfo& info = formatting.info();
    if (!styleId.empty())
        writeValueElement(writer, "pStyle", styleId);
    if (formatting.uses(ParagraphOption::UseKeepWithNext))
        writeOnOffElement(writer, "keepNext", info.keepWithNext());
    if (formatting.uses(ParagraphOption::UseKeepLinesTogether))
        writeOnOffElement(writer, "keepLines", info.keepLinesTogether());
    if (formatting.uses(ParagraphOption::UsePageBreakBefore))
        writeOnOffElement(writer, "pageBreakBefore", info.pageBreakBefore());
    if (frame)
        writeFrameProperties(writer, *frame);
    if (formatting.uses(ParagraphOption::UseWidowOrphanControl))
        writeOnOffElement(writer, "widowControl", info.widowOrphanControl());
    if (numbering) {
        writer.startElement("w:numPr");
        if (numbering->levelIndex)
            writeValueElement(writer, "ilvl", *numbering->levelIndex);
        if (numbering->numberingId)
            writeValueElement(writer, "numId", *numbering->numberingId);
        writer.endElement();
    }
    if (formatting.uses(ParagraphOption::UseSuppressLineNumbers))
        writeOnOffElement(writer, "suppressLineNumbers", info.suppressLineNumbers());
    const bool borders[4] = {formatting.uses(ParagraphOption::UseTopBorder), formatting.uses(ParagraphOption::UseLeftBorder),
                             formatting.uses(ParagraphOption::UseBottomBorder), formatting.uses(ParagraphOption::UseRightBorder)};
    if (borders[0] || borders[1] || borders[2] || borders[3]) {
        writer.startElement("w:pBdr");
        if (borders[0])
            writeBorder(writer, "top", info.topBorder());
        if (borders[1])
            writeBorder(writer, "left", info.leftBorder());
        if (borders[2])
            writeBorder(writer, "bottom", info.bottomBorder());
        if (borders[3])
            writeBorder(writer, "right", info.rightBorder());
        writer.endElement();
    }
    if (formatting.uses(ParagraphOption::UseBackColor)) {
        writer.startElement("w:shd");
        const bool valid = model::isValidColor(info.backColor());
        writer.attribute("w:val", valid ? "clear" : "nil");
        writer.attribute("w:color", "auto");
        writer.attribute("w:fill", valid ? colorWord(info.backColor()) : std::string("auto"));
        writer.endElement();
    }
    if (!tabs.isEmpty()) {
        writer.startElement("w:tabs");
        for (int32_t index = 0; index < tabs.count(); ++index) {
            const model::TabInfo& tab = tabs[index];
            writer.startElement("w:tab");
            writer.attribute("w:val", tab.deleted ? std::string_view("clear") : wordOf(kTabAlignmentWords, tab.alignment, "left"));
            if (tab.leader != model::TabLeaderType::None)
                writer.attribute("w:leader", wordOf(kTabLeaderWords, tab.leader, "none"));
            writer.attribute("w:pos", tab.position);
            writer.endElement();
        }
        writer.endElement();
    }
    if (formatting.uses(ParagraphOption::UseSuppressHyphenation))
        writeOnOffElement(writer, "suppressAutoHyphens", info.suppressHyphenation());
    const bool before = formatting.uses(ParagraphOption::UseSpacingBefore);
    const bool after = formatting.uses(ParagraphOption::UseSpacingAfter);
    const bool line = formatting.uses(ParagraphOption::UseLineSpacing);
    const bool beforeAuto = formatting.uses(ParagraphOption::UseBeforeAutoSpacing);
    const bool afterAuto = formatting.uses(ParagraphOption::UseAfterAutoSpacing);
    if (before || after || line || beforeAuto || afterAuto) {
        writer.startElement("w:spacing");
        if (before)
            writer.attribute("w:before", info.spacingBefore());
        if (beforeAuto)
            writer.attribute("w:beforeAutospacing", info.beforeAutoSpacing() ? "1" : "0");
        if (after)
            writer.attribute("w:after", info.spacingAfter());
        if (afterAuto)
            writer.attribute("w:afterAutospacing", info.afterAutoSpacing() ? "1" : "0");
        if (line) {
            std::string_view rule = "auto";
            int32_t value = 240;
            switch (info.lineSpacingType()) {
            case model::ParagraphLineSpacing::Single: value = 240; break;
            case model::ParagraphLineSpacing::Sesquialteral: value = 360; break;
            case model::ParagraphLineSpacing::Double: value = 480; break;
            case model::ParagraphLineSpacing::Multiple: value = static_cast<int32_t>(std::lround(info.lineSpacing() * 240.0)); break;
            case model::ParagraphLineSpacing::Exactly:
                rule = "exact";
                value = static_cast<int32_t>(std::lround(info.lineSpacing()));
                break;
            case model::ParagraphLineSpacing::AtLeast:
                rule = "atLeast";
                value = static_cast<int32_t>(std::lround(info.lineSpacing()));
                break;
            }
            writer.attribute("w:line", value);
            writer.attribute("w:lineRule", rule);
        }
        writer.endElement();
    }
    const bool left = formatting.uses(ParagraphOption::UseLeftIndent);
    const bool right = formatting.uses(ParagraphOption::UseRightIndent);
    const bool firstLine = formatting.uses(ParagraphOption::UseFirstLineIndent);
    if (left || right || firstLine) {
        writer.startElement("w:ind");
        if (left)
            writer.attribute("w:left", info.leftIndent());
        if (right)
            writer.attribute("w:right", info.rightIndent());
        if (firstLine) {
            const bool hanging = info.firstLineIndentType() == model::ParagraphFirstLineIndent::Hanging;
            const int32_t amount = info.firstLineIndentType() == model::ParagraphFirstLineIndent::None ? 0 : info.firstLineIndent();
            writer.attribute(hanging ? "w:hanging" : "w:firstLine", amount);
        }
        writer.endElement();
    }
    if (formatting.uses(ParagraphOption::UseContextualSpacing))
        writeOnOffElement(writer, "contextualSpacing", info.contextualSpacing());
    if (formatting.uses(ParagraphOption::UseAlignment))
        writeValueElement(writer, "jc", wordOf(kParagraphAlignmentWords, info.alignment(), "left"));
    if (formatting.uses(ParagraphOption::UseOutlineLevel))
        writeValueElement(writer, "outlineLvl", info.outlineLevel() == 0 ? 9 : info.outlineLevel() - 1);
}

void OpenXmlPropertyWriter::writeSectionSettings(XmlWriter& writer, const model::MarginsInfo& margins, const model::PageInfo& page,
                                                 const model::ColumnsInfo& columns, const model::GeneralSectionInfo& general,
                                                 const model::PageNumberingInfo& pageNumbering, const model::LineNumberingInfo& lineNumbering,
                                                 const model::FootNoteInfo& footNote, const model::FootNoteInfo& endNote)
{
    writeNoteProperties(writer, "footnotePr", footNote, model::FootNoteInfo::footNoteDefault());
    writeNoteProperties(writer, "endnotePr", endNote, model::FootNoteInfo::endNoteDefault());
    if (general.startType != model::SectionStartType::NextPage)
        writeValueElement(writer, "type", wordOf(kSectionStartWords, general.startType, "nextPage"));
    writer.startElement("w:pgSz");
    writer.attribute("w:w", page.width);
    writer.attribute("w:h", page.height);
    if (page.landscape)
        writer.attribute("w:orient", "landscape");
    if (page.paperKind != model::PaperKind::Custom)
        writer.attribute("w:code", static_cast<int32_t>(page.paperKind));
    writer.endElement();
    writer.startElement("w:pgMar");
    writer.attribute("w:top", margins.top);
    writer.attribute("w:right", margins.right);
    writer.attribute("w:bottom", margins.bottom);
    writer.attribute("w:left", margins.left);
    writer.attribute("w:header", margins.headerOffset);
    writer.attribute("w:footer", margins.footerOffset);
    writer.attribute("w:gutter", margins.gutter);
    writer.endElement();
    if (general.firstPagePaperSource != 0 || general.otherPagePaperSource != 0) {
        writer.startElement("w:paperSrc");
        writer.attribute("w:first", general.firstPagePaperSource);
        writer.attribute("w:other", general.otherPagePaperSource);
        writer.endElement();
    }
    if (lineNumbering.step != 0) {
        writer.startElement("w:lnNumType");
        writer.attribute("w:countBy", lineNumbering.step);
        if (lineNumbering.startingLineNumber != kDefaultStartingLineNumber)
            writer.attribute("w:start", lineNumbering.startingLineNumber - 1);
        writer.attribute("w:distance", lineNumbering.distance);
        writer.attribute("w:restart", wordOf(kLineNumberingRestartWords, lineNumbering.numberingRestartType, "newPage"));
        writer.endElement();
    }
    if (!pageNumbering.continueNumbering || pageNumbering.numberingFormat != model::NumberingFormat::Decimal) {
        writer.startElement("w:pgNumType");
        if (pageNumbering.numberingFormat != model::NumberingFormat::Decimal)
            writer.attribute("w:fmt", numberingFormatWord(pageNumbering.numberingFormat));
        if (!pageNumbering.continueNumbering)
            writer.attribute("w:start", std::max(pageNumbering.firstPageNumber, 0));
        writer.endElement();
    }
    writer.startElement("w:cols");
    if (columns.equalWidthColumns) {
        writer.attribute("w:space", columns.space);
        writer.attribute("w:num", columns.columnCount);
        if (columns.drawVerticalSeparator)
            writer.attribute("w:sep", "1");
    } else {
        writer.attribute("w:num", static_cast<int32_t>(columns.columns.size()));
        if (columns.drawVerticalSeparator)
            writer.attribute("w:sep", "1");
        writer.attribute("w:equalWidth", "0");
        for (const model::ColumnInfo& column : columns.columns) {
            writer.startElement("w:col");
            writer.attribute("w:w", column.width);
            writer.attribute("w:space", column.space);
            writer.endElement();
        }
    }
    writer.endElement();
    if (general.verticalTextAlignment != model::VerticalAlignment::Top)
        writeValueElement(writer, "vAlign", wordOf(kVerticalAlignmentWords, general.verticalTextAlignment, "top"));
    if (general.differentFirstPage)
        writeOnOffElement(writer, "titlePg", true);
    if (general.textDirection != model::TextDirection::LeftToRightTopToBottom)
        writeValueElement(writer, "textDirection", wordOf(kTextDirectionWords, general.textDirection, "lrTb"));
}

void OpenXmlPropertyWriter::writeWidth(XmlWriter& writer, std::string_view name, const model::WidthUnitInfo& width)
{
    writer.startElement(qualified(name));
    writer.attribute("w:w", width.value);
    writer.attribute("w:type", wordOf(kWidthUnitWords, width.type, "auto"));
    writer.endElement();
}

void OpenXmlPropertyWriter::writeCellMargins(XmlWriter& writer, std::string_view name, const model::CellMarginsInfo& margins,
                                             const bool (&used)[4])
{
    if (!used[0] && !used[1] && !used[2] && !used[3])
        return;
    writer.startElement(qualified(name));
    if (used[2])
        writeWidth(writer, "top", margins.top);
    if (used[0])
        writeWidth(writer, "left", margins.left);
    if (used[3])
        writeWidth(writer, "bottom", margins.bottom);
    if (used[1])
        writeWidth(writer, "right", margins.right);
    writer.endElement();
}

void OpenXmlPropertyWriter::writeTableProperties(XmlWriter& writer, std::string_view elementName, const model::TablePropertiesInfo& properties,
                                                 std::string_view styleId, bool exception)
{
    using Option = model::TablePropertiesOptions;
    using model::TableBorderEdge;
    writer.startElement(qualified(elementName));
    const model::TableGeneralSettingsInfo& general = properties.generalSettings;
    if (!exception) {
        if (!styleId.empty())
            writeValueElement(writer, "tblStyle", styleId);
        if (properties.uses(Option::UseFloatingPosition)) {
            const model::TableFloatingPositionInfo& position = properties.floatingPosition;
            writer.startElement("w:tblpPr");
            writer.attribute("w:leftFromText", position.leftFromText);
            writer.attribute("w:rightFromText", position.rightFromText);
            writer.attribute("w:topFromText", position.topFromText);
            writer.attribute("w:bottomFromText", position.bottomFromText);
            writer.attribute("w:vertAnchor", wordOf(kVerticalAnchorWords, position.vertAnchor, "margin"));
            writer.attribute("w:horzAnchor", wordOf(kHorizontalAnchorWords, position.horizAnchor, "text"));
            if (position.horizAlign != model::HorizontalAlignMode::None)
                writer.attribute("w:tblpXSpec", wordOf(kHorizontalAlignWords, position.horizAlign, "left"));
            writer.attribute("w:tblpX", position.tableHorizontalPosition);
            if (position.vertAlign != model::VerticalAlignMode::None)
                writer.attribute("w:tblpYSpec", wordOf(kVerticalAlignWords, position.vertAlign, "top"));
            writer.attribute("w:tblpY", position.tableVerticalPosition);
            writer.endElement();
        }
        if (properties.uses(Option::UseIsTableOverlap))
            writeValueElement(writer, "tblOverlap", general.isTableOverlap ? "overlap" : "never");
        if (properties.uses(Option::UseTableStyleRowBandSize))
            writeValueElement(writer, "tblStyleRowBandSize", general.tableStyleRowBandSize);
        if (properties.uses(Option::UseTableStyleColBandSize))
            writeValueElement(writer, "tblStyleColBandSize", general.tableStyleColumnBandSize);
    }
    if (properties.uses(Option::UsePreferredWidth))
        writeWidth(writer, "tblW", properties.preferredWidth);
    if (properties.uses(Option::UseTableAlignment))
        writeValueElement(writer, "jc", wordOf(kTableRowAlignmentWords, general.tableAlignment, "left"));
    if (properties.uses(Option::UseCellSpacing))
        writeWidth(writer, "tblCellSpacing", properties.cellSpacing);
    if (properties.uses(Option::UseTableIndent))
        writeWidth(writer, "tblInd", properties.indent);
    static constexpr std::pair<TableBorderEdge, std::string_view> kEdges[] = {
        {TableBorderEdge::Top, "top"}, {TableBorderEdge::Left, "left"}, {TableBorderEdge::Bottom, "bottom"},
        {TableBorderEdge::Right, "right"}, {TableBorderEdge::InsideHorizontal, "insideH"}, {TableBorderEdge::InsideVertical, "insideV"},
    };
    if ((properties.mask & static_cast<uint32_t>(Option::UseBorders)) != 0) {
        writer.startElement("w:tblBorders");
        for (const auto& [edge, name] : kEdges) {
            if (properties.uses(model::tableBorderOption(edge)))
                writeBorder(writer, name, properties.border(edge));
        }
        writer.endElement();
    }
    if (properties.uses(Option::UseBackgroundColor)) {
        writer.startElement("w:shd");
        writer.attribute("w:val", model::isValidColor(general.backgroundColor) ? "clear" : "nil");
        writer.attribute("w:color", "auto");
        writer.attribute("w:fill", colorWord(general.backgroundColor));
        writer.endElement();
    }
    if (properties.uses(Option::UseTableLayout)) {
        writer.startElement("w:tblLayout");
        writer.attribute("w:type", wordOf(kTableLayoutWords, general.tableLayout, "autofit"));
        writer.endElement();
    }
    const bool margins[4] = {properties.uses(Option::UseLeftMargin), properties.uses(Option::UseRightMargin),
                             properties.uses(Option::UseTopMargin), properties.uses(Option::UseBottomMargin)};
    writeCellMargins(writer, "tblCellMar", properties.cellMargins, margins);
    if (properties.uses(Option::UseTableLook)) {
        char look[8];
        std::snprintf(look, sizeof look, "%04X", static_cast<unsigned>(general.tableLook) << 5);
        writeValueElement(writer, "tblLook", look);
    }
    writer.endElement();
}

void OpenXmlPropertyWriter::writeRowProperties(XmlWriter& writer, const model::TableRowPropertiesInfo& properties)
{
    using Option = model::TableRowPropertiesOptions;
    if (properties.mask == 0)
        return;
    writer.startElement("w:trPr");
    if (properties.uses(Option::UseGridBefore))
        writeValueElement(writer, "gridBefore", properties.gridBefore);
    if (properties.uses(Option::UseGridAfter))
        writeValueElement(writer, "gridAfter", properties.gridAfter);
    if (properties.uses(Option::UseWidthBefore))
        writeWidth(writer, "wBefore", properties.widthBefore);
    if (properties.uses(Option::UseWidthAfter))
        writeWidth(writer, "wAfter", properties.widthAfter);
    if (properties.uses(Option::UseCantSplit))
        writeOnOffElement(writer, "cantSplit", properties.cantSplit);
    if (properties.uses(Option::UseHeight)) {
        writer.startElement("w:trHeight");
        writer.attribute("w:val", properties.height.value);
        writer.attribute("w:hRule", wordOf(kHeightUnitWords, properties.height.type, "atLeast"));
        writer.endElement();
    }
    if (properties.uses(Option::UseHeader))
        writeOnOffElement(writer, "tblHeader", properties.header);
    if (properties.uses(Option::UseCellSpacing))
        writeWidth(writer, "tblCellSpacing", properties.cellSpacing);
    if (properties.uses(Option::UseTableRowAlignment))
        writeValueElement(writer, "jc", wordOf(kTableRowAlignmentWords, properties.tableRowAlignment, "left"));
    writer.endElement();
}

void OpenXmlPropertyWriter::writeCellProperties(XmlWriter& writer, const model::TableCellPropertiesInfo& properties)
{
    using Option = model::TableCellPropertiesOptions;
    using model::TableBorderEdge;
    writer.startElement("w:tcPr");
    if (properties.uses(Option::UsePreferredWidth))
        writeWidth(writer, "tcW", properties.preferredWidth);
    if (properties.columnSpan != 1)
        writeValueElement(writer, "gridSpan", properties.columnSpan);
    if (properties.verticalMerging != model::MergingState::None)
        writeValueElement(writer, "vMerge", wordOf(kMergingStateWords, properties.verticalMerging, "continue"));
    static constexpr std::pair<size_t, std::string_view> kEdges[] = {
        {static_cast<size_t>(TableBorderEdge::Top), "top"},
        {static_cast<size_t>(TableBorderEdge::Left), "left"},
        {static_cast<size_t>(TableBorderEdge::Bottom), "bottom"},
        {static_cast<size_t>(TableBorderEdge::Right), "right"},
        {static_cast<size_t>(TableBorderEdge::InsideHorizontal), "insideH"},
        {static_cast<size_t>(TableBorderEdge::InsideVertical), "insideV"},
        {model::kTopLeftDiagonalBorder, "tl2br"},
        {model::kTopRightDiagonalBorder, "tr2bl"},
    };
    const auto edgeUsed = [&](size_t index) {
        if (index == model::kTopLeftDiagonalBorder)
            return properties.uses(Option::UseTopLeftDiagonalBorder);
        if (index == model::kTopRightDiagonalBorder)
            return properties.uses(Option::UseTopRightDiagonalBorder);
        return properties.uses(model::tableCellBorderOption(static_cast<TableBorderEdge>(index)));
    };
    bool anyBorder = false;
    for (const auto& [index, name] : kEdges)
        anyBorder = anyBorder || edgeUsed(index);
    if (anyBorder) {
        writer.startElement("w:tcBorders");
        for (const auto& [index, name] : kEdges) {
            if (edgeUsed(index))
                writeBorder(writer, name, properties.borders[index]);
        }
        writer.endElement();
    }
    if (properties.uses(Option::UseBackgroundColor) && model::isValidColor(properties.backgroundColor)) {
        writer.startElement("w:shd");
        writer.attribute("w:val", "clear");
        writer.attribute("w:color", "auto");
        writer.attribute("w:fill", colorWord(properties.backgroundColor));
        writer.endElement();
    }
    if (properties.uses(Option::UseNoWrap))
        writeOnOffElement(writer, "noWrap", properties.noWrap);
    const bool margins[4] = {properties.uses(Option::UseLeftMargin), properties.uses(Option::UseRightMargin),
                             properties.uses(Option::UseTopMargin), properties.uses(Option::UseBottomMargin)};
    writeCellMargins(writer, "tcMar", properties.cellMargins, margins);
    if (properties.uses(Option::UseTextDirection))
        writeValueElement(writer, "textDirection", wordOf(kTextDirectionWords, properties.textDirection, "lrTb"));
    if (properties.uses(Option::UseFitText))
        writeOnOffElement(writer, "tcFitText", properties.fitText);
    if (properties.uses(Option::UseVerticalAlignment))
        writeValueElement(writer, "vAlign", wordOf(kCellVerticalAlignmentWords, properties.verticalAlignment, "top"));
    if (properties.uses(Option::UseHideCellMark))
        writeOnOffElement(writer, "hideMark", properties.hideCellMark);
    writer.endElement();
}

} // namespace velmo::formats
