#include "model/tables/table.h"

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/tables/table_grid.h"
#include "model/tables/table_record_change.h"

namespace velmo::model {

Table& TableCell::table() const noexcept
{
    return row_->table();
}

int32_t TableCell::rowIndex() const noexcept
{
    return row_->indexInTable();
}

bool TableCell::isLastCellInRow() const noexcept
{
    return indexInRow_ == row_->cellCount() - 1;
}

TableCell* TableCell::previous() const noexcept
{
    return indexInRow_ > 0 ? &row_->cell(indexInRow_ - 1) : nullptr;
}

TableCell* TableCell::next() const noexcept
{
    return isLastCellInRow() ? nullptr : &row_->cell(indexInRow_ + 1);
}

const TableCellPropertiesInfo& TableCell::properties() const
{
    return table().documentModel().cache().tableCellPropertiesCache()[propertiesIndex_];
}

void TableCell::changeProperties(const std::function<void(TableCellPropertiesInfo&)>& change)
{
    const Table& owner = table();
    changeTableRecord(owner.pieceTable(), owner.documentModel().cache().tableCellPropertiesCache(), propertiesIndex_,
                      change, [&owner] { owner.resetCachedLayoutInfo(); });
}

int32_t TableCell::startColumnIndexConsideringRowGrid() const
{
    int32_t column = row_->gridBefore();
    for (int32_t index = 0; index < indexInRow_; ++index)
        column += row_->cell(index).columnSpan();
    return column;
}

bool TableRow::isLastRowInTable() const noexcept
{
    return indexInTable_ == table_->rowCount() - 1;
}

TableRow* TableRow::previous() const noexcept
{
    return indexInTable_ > 0 ? &table_->row(indexInTable_ - 1) : nullptr;
}

TableRow* TableRow::next() const noexcept
{
    return isLastRowInTable() ? nullptr : &table_->row(indexInTable_ + 1);
}

TableCell& TableRow::appendCell(ParagraphIndex startParagraphIndex, ParagraphIndex endParagraphIndex)
{
    cells_.push_back(std::make_unique<TableCell>(*this, startParagraphIndex, endParagraphIndex));
    cells_.back()->indexInRow_ = cellCount() - 1;
    return *cells_.back();
}

std::unique_ptr<TableCell> TableRow::removeCellCore(int32_t index)
{
    std::unique_ptr<TableCell> removed = std::move(cells_.at(static_cast<size_t>(index)));
    cells_.erase(cells_.begin() + index);
    renumberCells();
    return removed;
}

void TableRow::renumberCells() noexcept
{
    for (size_t index = 0; index < cells_.size(); ++index)
        cells_[index]->indexInRow_ = static_cast<int32_t>(index);
}

const TableRowPropertiesInfo& TableRow::properties() const
{
    return table_->documentModel().cache().tableRowPropertiesCache()[propertiesIndex_];
}

void TableRow::changeProperties(const std::function<void(TableRowPropertiesInfo&)>& change)
{
    const Table& owner = *table_;
    changeTableRecord(owner.pieceTable(), owner.documentModel().cache().tableRowPropertiesCache(), propertiesIndex_, change,
                      [&owner] { owner.resetCachedLayoutInfo(); });
}

void TableRow::resetConditionalType() const noexcept
{
    rowType_ = ConditionalRowType::Unknown;
    for (const auto& cell : cells_)
        cell->setConditionalColumnType(ConditionalColumnType::Unknown);
}

Table::Table(PieceTable& pieceTable, TableCell* parentCell) noexcept : pieceTable_(&pieceTable), parentCell_(parentCell)
{
    recalcNestedLevel();
}

Table::~Table() = default;

DocumentModel& Table::documentModel() const noexcept
{
    return pieceTable_->documentModel();
}

void Table::setParentCell(TableCell* cell) noexcept
{
    parentCell_ = cell;
    recalcNestedLevel();
}

void Table::recalcNestedLevel() noexcept
{
    nestedLevel_ = parentCell_ ? parentCell_->table().nestedLevel() + 1 : 0;
}

TableCell* Table::cell(int32_t rowIndex, int32_t cellIndex) const noexcept
{
    if (rowIndex < 0 || rowIndex >= rowCount())
        return nullptr;
    const TableRow& target = *rows_[static_cast<size_t>(rowIndex)];
    return cellIndex >= 0 && cellIndex < target.cellCount() ? &target.cell(cellIndex) : nullptr;
}

TableRow& Table::appendRow()
{
    rows_.push_back(std::make_unique<TableRow>(*this));
    rows_.back()->indexInTable_ = rowCount() - 1;
    return *rows_.back();
}

std::unique_ptr<TableRow> Table::removeRowCore(int32_t index)
{
    std::unique_ptr<TableRow> removed = std::move(rows_.at(static_cast<size_t>(index)));
    rows_.erase(rows_.begin() + index);
    for (size_t row = 0; row < rows_.size(); ++row)
        rows_[row]->indexInTable_ = static_cast<int32_t>(row);
    resetCachedLayoutInfo();
    return removed;
}

void Table::forEachRow(const std::function<void(TableRow&)>& action) const
{
    for (const auto& row : rows_)
        action(*row);
}

void Table::forEachCell(const std::function<void(TableCell&)>& action) const
{
    for (const auto& row : rows_) {
        for (int32_t index = 0; index < row->cellCount(); ++index)
            action(row->cell(index));
    }
}

void Table::setStyleIndex(int32_t index)
{
    const int32_t oldIndex = styleIndex_;
    if (oldIndex == index)
        return;
    BatchUpdateScope batch(documentModel());
    documentModel().history().execute(std::make_unique<FunctionalHistoryItem>(
        *pieceTable_, [this, index] { styleIndex_ = index; resetCachedLayoutInfo(); },
        [this, oldIndex] { styleIndex_ = oldIndex; resetCachedLayoutInfo(); }));
}

const TablePropertiesInfo& Table::properties() const
{
    return documentModel().cache().tablePropertiesCache()[propertiesIndex_];
}

void Table::changeProperties(const std::function<void(TablePropertiesInfo&)>& change)
{
    changeTableRecord(*pieceTable_, documentModel().cache().tablePropertiesCache(), propertiesIndex_, change,
                      [this] { resetCachedLayoutInfo(); });
}

void Table::resetCachedLayoutInfo() const
{
    cachedLayout_.reset();
    for (const auto& row : rows_)
        row->resetConditionalType();
}

void Table::setCachedLayoutInfo(std::unique_ptr<TableGridLayoutInfo> info) const
{
    cachedLayout_ = std::move(info);
}

} // namespace velmo::model
