#include "model/tables/table_style_resolution.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/merged_character_properties.h"
#include "model/paragraph_formatting_info.h"
#include "model/piece_table.h"
#include "model/tables/table_style.h"

namespace velmo::model {

namespace {

using Part = ConditionalTableStyleFormattingType;

/// Whether the style or one of its parents has the conditional part.
bool styleHasPart(const TableStyle* style, Part part)
{
    for (; style; style = style->parentStyle()) {
        if (style->hasConditionalStyle(part))
            return true;
    }
    return false;
}

/// Whether the style or a parent has any conditional part (most tables' styles have none).
bool hasConditionalParts(const TableStyle* style)
{
    for (; style; style = style->parentStyle()) {
        if (style->hasConditionalStyles())
            return true;
    }
    return false;
}

TableLookType tableLook(const Table& table)
{
    return tablePropertiesSource(table, TablePropertiesOptions::UseTableLook).generalSettings.tableLook;
}

/// The place in a sequence of bands and optional first and last items: the shared rule of rows
/// and columns. Returns 0 first, 1 last, 2 odd band, 3 even band, 4 no banding.
int bandPlace(int32_t index, int32_t count, bool firstApplies, bool lastApplies, bool noBanding, int32_t bandSize)
{
    if (firstApplies && index == 0)
        return 0;
    if (lastApplies && index == count - 1)
        return 1;
    if (noBanding)
        return 4;
    const int32_t band = (index - (firstApplies ? 1 : 0)) / std::max(bandSize, 1);
    return band % 2 == 0 ? 2 : 3;
}

} // namespace

const TableStyle* tableStyleOf(const Table& table)
{
    const auto& styles = table.documentModel().styles().tableStyles();
    if (!styles.isIndexValid(table.styleIndex()))
        return nullptr;
    const TableStyle& style = styles[table.styleIndex()];
    if (style.deleted())
        throw core::EditorException::internalError();
    return &style;
}

ConditionalRowType conditionalRowType(const TableRow& row)
{
    if (row.conditionalRowType() != ConditionalRowType::Unknown)
        return row.conditionalRowType();
    const Table& table = row.table();
    const TableStyle* style = tableStyleOf(table);
    const TableLookType look = tableLook(table);
    const TableGeneralSettingsInfo& settings =
        tablePropertiesSource(table, TablePropertiesOptions::UseTableStyleRowBandSize).generalSettings;
    static constexpr ConditionalRowType kTypes[] = {ConditionalRowType::FirstRow, ConditionalRowType::LastRow,
                                                    ConditionalRowType::OddRowBand, ConditionalRowType::EvenRowBand,
                                                    ConditionalRowType::Normal};
    const ConditionalRowType type = kTypes[bandPlace(
        row.indexInTable(), table.rowCount(), hasFlag(look, TableLookType::ApplyFirstRow) && styleHasPart(style, Part::FirstRow),
        hasFlag(look, TableLookType::ApplyLastRow) && styleHasPart(style, Part::LastRow),
        hasFlag(look, TableLookType::DoNotApplyRowBanding), settings.tableStyleRowBandSize)];
    row.setConditionalRowType(type);
    return type;
}

ConditionalColumnType conditionalColumnType(const TableCell& cell)
{
    if (cell.conditionalColumnType() != ConditionalColumnType::Unknown)
        return cell.conditionalColumnType();
    const Table& table = cell.table();
    const TableStyle* style = tableStyleOf(table);
    const TableLookType look = tableLook(table);
    const TableGeneralSettingsInfo& settings =
        tablePropertiesSource(table, TablePropertiesOptions::UseTableStyleColBandSize).generalSettings;
    static constexpr ConditionalColumnType kTypes[] = {ConditionalColumnType::FirstColumn, ConditionalColumnType::LastColumn,
                                                       ConditionalColumnType::OddColumnBand,
                                                       ConditionalColumnType::EvenColumnBand, ConditionalColumnType::Normal};
    const ConditionalColumnType type = kTypes[bandPlace(
        cell.indexInRow(), cell.row().cellCount(),
        hasFlag(look, TableLookType::ApplyFirstColumn) && styleHasPart(style, Part::FirstColumn),
        hasFlag(look, TableLookType::ApplyLastColumn) && styleHasPart(style, Part::LastColumn),
        hasFlag(look, TableLookType::DoNotApplyColumnBanding), settings.tableStyleColumnBandSize)];
    cell.setConditionalColumnType(type);
    return type;
}

ConditionalParts applicableConditionalParts(const TableCell& cell)
{
    const ConditionalRowType row = conditionalRowType(cell.row());
    const ConditionalColumnType column = conditionalColumnType(cell);
    const bool firstColumn = column == ConditionalColumnType::FirstColumn;
    const bool lastColumn = column == ConditionalColumnType::LastColumn;
    ConditionalParts parts;
    if (row == ConditionalRowType::FirstRow && (firstColumn || lastColumn))
        parts.add(firstColumn ? Part::TopLeftCell : Part::TopRightCell);
    if (row == ConditionalRowType::LastRow && (firstColumn || lastColumn))
        parts.add(firstColumn ? Part::BottomLeftCell : Part::BottomRightCell);
    if (row == ConditionalRowType::FirstRow)
        parts.add(Part::FirstRow);
    if (row == ConditionalRowType::LastRow)
        parts.add(Part::LastRow);
    if (firstColumn)
        parts.add(Part::FirstColumn);
    if (lastColumn)
        parts.add(Part::LastColumn);
    if (column == ConditionalColumnType::EvenColumnBand)
        parts.add(Part::EvenColumnBanding);
    if (column == ConditionalColumnType::OddColumnBand)
        parts.add(Part::OddColumnBanding);
    if (row == ConditionalRowType::EvenRowBand)
        parts.add(Part::EvenRowBanding);
    if (row == ConditionalRowType::OddRowBand)
        parts.add(Part::OddRowBanding);
    parts.add(Part::WholeTable);
    return parts;
}

namespace {

/// Visits, first set wins, the formatting layers the cell gets from its cell style chain and
/// from its table's style chain (conditional parts, then the style's own part, per style).
template <typename Visit>
void visitStyleLayers(const TableCell& cell, Visit visit)
{
    const DocumentModel& document = cell.table().documentModel();
    const auto& cellStyles = document.styles().tableCellStyles();
    if (cellStyles.isIndexValid(cell.styleIndex())) {
        for (const TableCellStyle* style = &cellStyles[cell.styleIndex()]; style; style = style->parentStyle())
            visit(style->formatting());
    }
    const TableStyle* tableStyle = tableStyleOf(cell.table());
    if (!tableStyle)
        return;
    const ConditionalParts parts = hasConditionalParts(tableStyle) ? applicableConditionalParts(cell) : ConditionalParts{};
    for (const TableStyle* style = tableStyle; style; style = style->parentStyle()) {
        for (const Part part : parts) {
            if (const TableStyleFormatting* formatting = style->conditionalStyle(part))
                visit(*formatting);
        }
        visit(style->formatting());
    }
}

} // namespace

void mergeTableStyleCharacterProperties(MergedCharacterProperties& merged, const TableCell& cell)
{
    const auto& cache = cell.table().documentModel().cache().characterFormattingCache();
    visitStyleLayers(cell, [&](const TableStyleFormatting& layer) { merged.merge(cache[layer.characterPropertiesIndex]); });
}

void mergeTableStyleParagraphProperties(MergedParagraphProperties& merged, const TableCell& cell)
{
    const auto& cache = cell.table().documentModel().cache().paragraphFormattingCache();
    visitStyleLayers(cell, [&](const TableStyleFormatting& layer) { merged.merge(cache[layer.paragraphPropertiesIndex]); });
}

const TablePropertiesInfo& tablePropertiesSource(const Table& table, TablePropertiesOptions option, const TableCell* cell)
{
    const auto& cache = table.documentModel().cache().tablePropertiesCache();
    if (table.properties().uses(option))
        return table.properties();
    const TableStyle* tableStyle = tableStyleOf(table);
    const ConditionalParts parts =
        cell && hasConditionalParts(tableStyle) ? applicableConditionalParts(*cell) : ConditionalParts{};
    for (const TableStyle* style = tableStyle; style; style = style->parentStyle()) {
        for (const Part part : parts) {
            const TableStyleFormatting* formatting = style->conditionalStyle(part);
            if (formatting && cache[formatting->tablePropertiesIndex].uses(option))
                return cache[formatting->tablePropertiesIndex];
        }
        if (cache[style->formatting().tablePropertiesIndex].uses(option))
            return cache[style->formatting().tablePropertiesIndex];
    }
    return cache[0];
}

namespace {

TablePropertiesOptions marginOption(TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return TablePropertiesOptions::UseLeftMargin;
    case TableBorderEdge::Right: return TablePropertiesOptions::UseRightMargin;
    case TableBorderEdge::Top: return TablePropertiesOptions::UseTopMargin;
    default: return TablePropertiesOptions::UseBottomMargin;
    }
}

TableCellPropertiesOptions cellMarginOption(TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return TableCellPropertiesOptions::UseLeftMargin;
    case TableBorderEdge::Right: return TableCellPropertiesOptions::UseRightMargin;
    case TableBorderEdge::Top: return TableCellPropertiesOptions::UseTopMargin;
    default: return TableCellPropertiesOptions::UseBottomMargin;
    }
}

const WidthUnitInfo& marginOf(const CellMarginsInfo& margins, TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return margins.left;
    case TableBorderEdge::Right: return margins.right;
    case TableBorderEdge::Top: return margins.top;
    default: return margins.bottom;
    }
}

/// The first cell-level record (the cell's own, its styles') that sets the option.
const TableCellPropertiesInfo* cellPropertiesSource(const TableCell& cell, TableCellPropertiesOptions option)
{
    if (cell.properties().uses(option))
        return &cell.properties();
    const auto& cache = cell.table().documentModel().cache().tableCellPropertiesCache();
    const TableCellPropertiesInfo* found = nullptr;
    visitStyleLayers(cell, [&](const TableStyleFormatting& layer) {
        if (!found && cache[layer.cellPropertiesIndex].uses(option))
            found = &cache[layer.cellPropertiesIndex];
    });
    return found;
}

/// Whether the cell's side on that edge is on the outside of the table.
bool isOuterEdge(const TableCell& cell, TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return cell.isFirstCellInRow();
    case TableBorderEdge::Right: return cell.isLastCellInRow();
    case TableBorderEdge::Top: return cell.row().isFirstRowInTable();
    case TableBorderEdge::Bottom: return cell.row().isLastRowInTable();
    default: return false;
    }
}

} // namespace

WidthUnitInfo actualCellMargin(const TableCell& cell, TableBorderEdge edge)
{
    if (const TableCellPropertiesInfo* source = cellPropertiesSource(cell, cellMarginOption(edge)))
        return marginOf(source->cellMargins, edge);
    return marginOf(tablePropertiesSource(cell.table(), marginOption(edge), &cell).cellMargins, edge);
}

BorderInfo actualCellBorder(const TableCell& cell, TableBorderEdge edge)
{
    if (const TableCellPropertiesInfo* source = cellPropertiesSource(cell, tableCellBorderOption(edge)))
        return source->border(edge);
    if (edge == TableBorderEdge::InsideHorizontal || edge == TableBorderEdge::InsideVertical)
        return {};
    // A side inside the table shows the table's inside border of that direction.
    const bool vertical = edge == TableBorderEdge::Left || edge == TableBorderEdge::Right;
    const TableBorderEdge tableEdge = isOuterEdge(cell, edge) ? edge
                                     : vertical                ? TableBorderEdge::InsideVertical
                                                               : TableBorderEdge::InsideHorizontal;
    return tablePropertiesSource(cell.table(), tableBorderOption(tableEdge), &cell).border(tableEdge);
}

} // namespace velmo::model
