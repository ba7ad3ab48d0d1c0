// Table property elements: "tblPr", "tblPrEx", "tblGrid", "trPr", "tcPr" and their parts.
#include "formats/docx/open_xml_property_reader.h"

#include <algorithm>

namespace velmo::formats {

namespace {

using model::TableBorderEdge;

constexpr int32_t kMaxTableLength = 31680 * 4;
/// More grid columns than any producer writes; beyond it spans and grids are cut.
constexpr int32_t kMaxGridColumns = 1000;

std::optional<TableBorderEdge> borderEdge(std::string_view name) noexcept
{
    if (name == "top")
        return TableBorderEdge::Top;
    if (name == "bottom")
        return TableBorderEdge::Bottom;
    if (name == "left" || name == "start")
        return TableBorderEdge::Left;
    if (name == "right" || name == "end")
        return TableBorderEdge::Right;
    if (name == "insideH")
        return TableBorderEdge::InsideHorizontal;
    if (name == "insideV")
        return TableBorderEdge::InsideVertical;
    return std::nullopt;
}

} // namespace

model::WidthUnitInfo OpenXmlPropertyReader::readWidth(const XmlReader& reader, std::string_view valueName) const
{
    model::WidthUnitInfo width;
    width.type = valueOf(kWidthUnitWords, trimBlanks(OpenXmlAttributes::text(reader, "type").value_or("auto"))).value_or(model::WidthUnitType::Auto);
    const std::optional<std::string_view> text = OpenXmlAttributes::text(reader, valueName);
    std::optional<int32_t> value;
    if (text && width.type == model::WidthUnitType::FiftiethsOfPercent && trimBlanks(*text).ends_with('%')) {
        // "50%" is another way to write 2500 fiftieths.
        const std::string_view number = trimBlanks(*text);
        if (const std::optional<double> percent = parseFloat(number.substr(0, number.size() - 1)))
            value = static_cast<int32_t>(std::clamp(*percent, 0.0, 1000.0) * 50);
    } else {
        value = attributes_.integer(reader, valueName);
    }
    if (!value || *value < 0) {
        if (width.type != model::WidthUnitType::Nil)
            width.type = model::WidthUnitType::Auto;
        return width;
    }
    width.value = std::min(*value, kMaxTableLength);
    return width;
}

void OpenXmlPropertyReader::readCellMargins(XmlReader& reader, model::CellMarginsInfo& margins, const std::function<void(int)>& onEdge) const
{
    forEachChildElement(reader, [&] {
        const std::optional<TableBorderEdge> edge = borderEdge(reader.localName());
        if (edge && *edge != TableBorderEdge::InsideHorizontal && *edge != TableBorderEdge::InsideVertical) {
            const model::WidthUnitInfo width = readWidth(reader);
            switch (*edge) {
            case TableBorderEdge::Left: margins.left = width; break;
            case TableBorderEdge::Right: margins.right = width; break;
            case TableBorderEdge::Top: margins.top = width; break;
            case TableBorderEdge::Bottom: margins.bottom = width; break;
            case TableBorderEdge::InsideHorizontal: break;
            case TableBorderEdge::InsideVertical: break;
            }
            onEdge(static_cast<int>(*edge));
        }
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readTableGrid(XmlReader& reader, std::vector<int32_t>& grid) const
{
    grid.clear();
    forEachChildElement(reader, [&] {
        if (reader.localName() == "gridCol" && static_cast<int32_t>(grid.size()) < kMaxGridColumns)
            grid.push_back(std::clamp(attributes_.integer(reader, "w", 0), 0, kMaxTableLength));
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readTableProperties(XmlReader& reader, OpenXmlTableProperties& table) const
{
    using Option = model::TablePropertiesOptions;
    model::TablePropertiesInfo& properties = table.properties;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (name == "tblStyle") {
            const std::string_view id = OpenXmlAttributes::text(reader, "val").value_or("");
            table.styleIndex = OpenXmlStyleIds::find(styleIds_.table, id, table.styleIndex);
        } else if (name == "tblW") {
            properties.preferredWidth = readWidth(reader);
            properties.use(Option::UsePreferredWidth);
        } else if (name == "tblInd") {
            properties.indent = readWidth(reader);
            properties.use(Option::UseTableIndent);
        } else if (name == "tblCellSpacing") {
            properties.cellSpacing = readWidth(reader);
            properties.use(Option::UseCellSpacing);
        } else if (name == "jc") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("left"));
            properties.generalSettings.tableAlignment = valueOf(kTableRowAlignmentWords, word).value_or(model::TableRowAlignment::Left);
            properties.use(Option::UseTableAlignment);
        } else if (name == "tblLayout") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "type").value_or("autofit"));
            properties.generalSettings.tableLayout = valueOf(kTableLayoutWords, word).value_or(model::TableLayoutType::Autofit);
            properties.use(Option::UseTableLayout);
        } else if (name == "tblLook") {
            uint32_t look = 0;
            if (const std::optional<uint32_t> value = attributes_.hexInteger(reader, "val")) {
                look = (*value >> 5) & 0x3F;
            } else {
                const auto flag = [&](std::string_view attribute, model::TableLookType bit) {
                    if (attributes_.onOff(reader, attribute, false))
                        look |= static_cast<uint32_t>(bit);
                };
                flag("firstRow", model::TableLookType::ApplyFirstRow);
                flag("lastRow", model::TableLookType::ApplyLastRow);
                flag("firstColumn", model::TableLookType::ApplyFirstColumn);
                flag("lastColumn", model::TableLookType::ApplyLastColumn);
                flag("noHBand", model::TableLookType::DoNotApplyRowBanding);
                flag("noVBand", model::TableLookType::DoNotApplyColumnBanding);
            }
            properties.generalSettings.tableLook = static_cast<model::TableLookType>(look);
            properties.use(Option::UseTableLook);
        } else if (name == "tblStyleRowBandSize" || name == "tblStyleColBandSize") {
            const int32_t size = std::clamp(attributes_.integer(reader, "val", 1), 0, 1000);
            if (name == "tblStyleRowBandSize") {
                properties.generalSettings.tableStyleRowBandSize = size;
                properties.use(Option::UseTableStyleRowBandSize);
            } else {
                properties.generalSettings.tableStyleColumnBandSize = size;
                properties.use(Option::UseTableStyleColBandSize);
            }
        } else if (name == "tblOverlap") {
            properties.generalSettings.isTableOverlap = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("overlap")) != "never";
            properties.use(Option::UseIsTableOverlap);
        } else if (name == "shd") {
            model::AlphaColor background = model::kEmptyColor;
            readShading(reader, background, nullptr);
            properties.generalSettings.backgroundColor = background;
            properties.use(Option::UseBackgroundColor);
        } else if (name == "tblBorders") {
            forEachChildElement(reader, [&] {
                if (const std::optional<TableBorderEdge> edge = borderEdge(reader.localName())) {
                    properties.borders[static_cast<size_t>(*edge)] = readBorder(reader);
                    properties.use(model::tableBorderOption(*edge));
                }
                reader.skipSubtree();
            });
            return;
        } else if (name == "tblCellMar") {
            readCellMargins(reader, properties.cellMargins, [&](int edge) {
                static constexpr Option kOptions[] = {Option::UseLeftMargin, Option::UseRightMargin, Option::UseTopMargin, Option::UseBottomMargin};
                properties.use(kOptions[edge]);
            });
            return;
        } else if (name == "tblpPr") {
            model::TableFloatingPositionInfo& position = properties.floatingPosition;
            const auto length = [&](std::string_view attribute, int32_t& target) {
                if (const std::optional<int32_t> value = attributes_.integer(reader, attribute))
                    target = std::clamp(*value, -kMaxTableLength, kMaxTableLength);
            };
            length("leftFromText", position.leftFromText);
            length("rightFromText", position.rightFromText);
            length("topFromText", position.topFromText);
            length("bottomFromText", position.bottomFromText);
            length("tblpX", position.tableHorizontalPosition);
            length("tblpY", position.tableVerticalPosition);
            const std::string_view horizontal = trimBlanks(OpenXmlAttributes::text(reader, "horzAnchor").value_or("text"));
            const std::string_view vertical = trimBlanks(OpenXmlAttributes::text(reader, "vertAnchor").value_or("margin"));
            position.horizAnchor = valueOf(kHorizontalAnchorWords, horizontal).value_or(model::HorizontalAnchorTypes::Column);
            position.vertAnchor = valueOf(kVerticalAnchorWords, vertical).value_or(model::VerticalAnchorTypes::Margin);
            position.horizAlign = valueOf(kHorizontalAlignWords, trimBlanks(OpenXmlAttributes::text(reader, "tblpXSpec").value_or("")))
                                      .value_or(model::HorizontalAlignMode::None);
            position.vertAlign = valueOf(kVerticalAlignWords, trimBlanks(OpenXmlAttributes::text(reader, "tblpYSpec").value_or("")))
                                     .value_or(model::VerticalAlignMode::None);
            const bool around = position.tableHorizontalPosition != 0 || position.tableVerticalPosition != 0 ||
                                position.horizAnchor != model::HorizontalAnchorTypes::Column ||
                                position.vertAnchor != model::VerticalAnchorTypes::Margin;
            position.textWrapping = around ? model::TextWrapping::Around : model::TextWrapping::Never;
            properties.use(Option::UseFloatingPosition);
        }
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readRowProperties(XmlReader& reader, model::TableRowPropertiesInfo& properties) const
{
    using Option = model::TableRowPropertiesOptions;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "gridBefore") {
            properties.gridBefore = std::clamp(attributes_.integer(reader, "val", 0), 0, kMaxGridColumns);
            properties.use(Option::UseGridBefore);
        } else if (name == "gridAfter") {
            properties.gridAfter = std::clamp(attributes_.integer(reader, "val", 0), 0, kMaxGridColumns);
            properties.use(Option::UseGridAfter);
        } else if (name == "wBefore") {
            properties.widthBefore = readWidth(reader);
            properties.use(Option::UseWidthBefore);
        } else if (name == "wAfter") {
            properties.widthAfter = readWidth(reader);
            properties.use(Option::UseWidthAfter);
        } else if (name == "cantSplit") {
            properties.cantSplit = attributes_.onOff(reader, "val", true);
            properties.use(Option::UseCantSplit);
        } else if (name == "tblHeader") {
            properties.header = attributes_.onOff(reader, "val", true);
            properties.use(Option::UseHeader);
        } else if (name == "trHeight") {
            const std::string_view rule = trimBlanks(OpenXmlAttributes::text(reader, "hRule").value_or("atLeast"));
            properties.height.type = valueOf(kHeightUnitWords, rule).value_or(model::HeightUnitType::Minimum);
            properties.height.value = std::clamp(attributes_.integer(reader, "val", 0), 0, kMaxTableLength);
            properties.use(Option::UseHeight);
        } else if (name == "tblCellSpacing") {
            properties.cellSpacing = readWidth(reader);
            properties.use(Option::UseCellSpacing);
        } else if (name == "jc") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("left"));
            properties.tableRowAlignment = valueOf(kTableRowAlignmentWords, word).value_or(model::TableRowAlignment::Left);
            properties.use(Option::UseTableRowAlignment);
        }
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readCellProperties(XmlReader& reader, model::TableCellPropertiesInfo& properties) const
{
    using Option = model::TableCellPropertiesOptions;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "tcW") {
            properties.preferredWidth = readWidth(reader);
            properties.use(Option::UsePreferredWidth);
        } else if (name == "gridSpan") {
            properties.columnSpan = std::clamp(attributes_.integer(reader, "val", 1), 1, kMaxGridColumns);
        } else if (name == "vMerge") {
            const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("continue"));
            properties.verticalMerging = valueOf(kMergingStateWords, word).value_or(model::MergingState::Continue);
        } else if (name == "noWrap") {
            properties.noWrap = attributes_.onOff(reader, "val", true);
            properties.use(Option::UseNoWrap);
        } else if (name == "tcFitText") {
            properties.fitText = attributes_.onOff(reader, "val", true);
            properties.use(Option::UseFitText);
        } else if (name == "hideMark") {
            properties.hideCellMark = attributes_.onOff(reader, "val", true);
            properties.use(Option::UseHideCellMark);
        } else if (name == "textDirection") {
            properties.textDirection = valueOf(kTextDirectionWords, trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("lrTb")))
                                           .value_or(model::TextDirection::LeftToRightTopToBottom);
            properties.use(Option::UseTextDirection);
        } else if (name == "vAlign") {
            properties.verticalAlignment = valueOf(kCellVerticalAlignmentWords, trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("top")))
                                               .value_or(model::TableCellVerticalAlignment::Top);
            properties.use(Option::UseVerticalAlignment);
        } else if (name == "shd") {
            if (!properties.uses(Option::UseBackgroundColor)) {
                readShading(reader, properties.backgroundColor, &properties.shading);
                properties.use(Option::UseBackgroundColor);
            }
        } else if (name == "tcBorders") {
            forEachChildElement(reader, [&] {
                const std::string_view edgeName = reader.localName();
                size_t index = 0;
                Option option = Option::None;
                if (const std::optional<TableBorderEdge> edge = borderEdge(edgeName)) {
                    index = static_cast<size_t>(*edge);
                    option = model::tableCellBorderOption(*edge);
                } else if (edgeName == "tl2br") {
                    index = model::kTopLeftDiagonalBorder;
                    option = Option::UseTopLeftDiagonalBorder;
                } else if (edgeName == "tr2bl") {
                    index = model::kTopRightDiagonalBorder;
                    option = Option::UseTopRightDiagonalBorder;
                }
                if (option != Option::None) {
                    const model::BorderInfo border = readBorder(reader);
                    if (border != model::BorderInfo{}) {
                        properties.borders[index] = border;
                        properties.use(option);
                    }
                }
                reader.skipSubtree();
            });
            return;
        } else if (name == "tcMar") {
            readCellMargins(reader, properties.cellMargins, [&](int edge) {
                static constexpr Option kOptions[] = {Option::UseLeftMargin, Option::UseRightMargin, Option::UseTopMargin, Option::UseBottomMargin};
                properties.use(kOptions[edge]);
            });
            return;
        }
        reader.skipSubtree();
    });
}

} // namespace velmo::formats
