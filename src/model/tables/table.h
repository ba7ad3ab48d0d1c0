#pragma once

#include "core/positions.h"
#include "model/tables/table_properties_info.h"

#include <functional>
#include <memory>
#include <vector>

namespace velmo::model {

class DocumentModel;
class PieceTable;
class Table;
class TableRow;
struct TableGridLayoutInfo;

/// Where a row sits for the table style: first or last row, or a row band.
enum class ConditionalRowType : uint8_t { Unknown, FirstRow, LastRow, EvenRowBand, OddRowBand, Normal };
/// Where a cell sits for the table style: first or last column, or a column band.
enum class ConditionalColumnType : uint8_t { Unknown, FirstColumn, LastColumn, EvenColumnBand, OddColumnBand, Normal };

/// Tables nest at most this deep; deeper content is refused.
inline constexpr int32_t kMaxTableNestingLevel = 64;

/// One cell: a range of consecutive paragraphs of its story, with its own formatting.
class TableCell {
public:
    TableCell(TableRow& row, ParagraphIndex startParagraphIndex, ParagraphIndex endParagraphIndex) noexcept
        : row_(&row), startParagraphIndex_(startParagraphIndex), endParagraphIndex_(endParagraphIndex)
    {
    }

    [[nodiscard]] TableRow& row() const noexcept { return *row_; }
    [[nodiscard]] Table& table() const noexcept;
    [[nodiscard]] int32_t indexInRow() const noexcept { return indexInRow_; }
    [[nodiscard]] int32_t rowIndex() const noexcept;
    [[nodiscard]] bool isFirstCellInRow() const noexcept { return indexInRow_ == 0; }
    [[nodiscard]] bool isLastCellInRow() const noexcept;
    [[nodiscard]] TableCell* previous() const noexcept;
    [[nodiscard]] TableCell* next() const noexcept;

    [[nodiscard]] ParagraphIndex startParagraphIndex() const noexcept { return startParagraphIndex_; }
    [[nodiscard]] ParagraphIndex endParagraphIndex() const noexcept { return endParagraphIndex_; }
    void setStartParagraphIndex(ParagraphIndex index) noexcept { startParagraphIndex_ = index; }
    void setEndParagraphIndex(ParagraphIndex index) noexcept { endParagraphIndex_ = index; }
    [[nodiscard]] bool contains(ParagraphIndex index) const noexcept
    {
        return startParagraphIndex_ <= index && index <= endParagraphIndex_;
    }

    [[nodiscard]] const TableCellPropertiesInfo& properties() const;
    /// Changes the cell's own properties as one undoable step.
    void changeProperties(const std::function<void(TableCellPropertiesInfo&)>& change);
    [[nodiscard]] int32_t propertiesIndex() const noexcept { return propertiesIndex_; }
    void setPropertiesIndexCore(int32_t index) noexcept { propertiesIndex_ = index; }
    [[nodiscard]] int32_t columnSpan() const { return properties().columnSpan; }
    [[nodiscard]] MergingState verticalMerging() const { return properties().verticalMerging; }
    [[nodiscard]] int32_t styleIndex() const noexcept { return styleIndex_; }
    void setStyleIndexCore(int32_t index) noexcept { styleIndex_ = index; }

    /// The first grid column the cell covers, counting the row's grid-before columns.
    [[nodiscard]] int32_t startColumnIndexConsideringRowGrid() const;
    [[nodiscard]] int32_t endColumnIndexConsideringRowGrid() const { return startColumnIndexConsideringRowGrid() + columnSpan() - 1; }

    [[nodiscard]] ConditionalColumnType conditionalColumnType() const noexcept { return columnType_; }
    void setConditionalColumnType(ConditionalColumnType type) const noexcept { columnType_ = type; }

private:
    friend class TableRow;

    TableRow* row_;
    ParagraphIndex startParagraphIndex_;
    ParagraphIndex endParagraphIndex_;
    int32_t indexInRow_ = 0;
    int32_t propertiesIndex_ = 0;
    int32_t styleIndex_ = -1;
    mutable ConditionalColumnType columnType_ = ConditionalColumnType::Unknown;
};

/// One row of cells.
class TableRow {
public:
    explicit TableRow(Table& table) noexcept : table_(&table) {}

    [[nodiscard]] Table& table() const noexcept { return *table_; }
    [[nodiscard]] int32_t indexInTable() const noexcept { return indexInTable_; }
    [[nodiscard]] bool isFirstRowInTable() const noexcept { return indexInTable_ == 0; }
    [[nodiscard]] bool isLastRowInTable() const noexcept;
    [[nodiscard]] TableRow* previous() const noexcept;
    [[nodiscard]] TableRow* next() const noexcept;

    [[nodiscard]] int32_t cellCount() const noexcept { return static_cast<int32_t>(cells_.size()); }
    [[nodiscard]] TableCell& cell(int32_t index) const { return *cells_.at(static_cast<size_t>(index)); }
    [[nodiscard]] TableCell& firstCell() const { return *cells_.front(); }
    [[nodiscard]] TableCell& lastCell() const { return *cells_.back(); }
    TableCell& appendCell(ParagraphIndex startParagraphIndex, ParagraphIndex endParagraphIndex);
    [[nodiscard]] std::unique_ptr<TableCell> removeCellCore(int32_t index);

    [[nodiscard]] const TableRowPropertiesInfo& properties() const;
    void changeProperties(const std::function<void(TableRowPropertiesInfo&)>& change);
    [[nodiscard]] int32_t propertiesIndex() const noexcept { return propertiesIndex_; }
    void setPropertiesIndexCore(int32_t index) noexcept { propertiesIndex_ = index; }
    [[nodiscard]] int32_t gridBefore() const { return properties().gridBefore; }
    [[nodiscard]] int32_t gridAfter() const { return properties().gridAfter; }
    /// The row's exception to the table's properties (index 0: none).
    [[nodiscard]] int32_t tablePropertiesExceptionIndex() const noexcept { return tablePropertiesExceptionIndex_; }
    void setTablePropertiesExceptionIndexCore(int32_t index) noexcept { tablePropertiesExceptionIndex_ = index; }

    [[nodiscard]] ConditionalRowType conditionalRowType() const noexcept { return rowType_; }
    void setConditionalRowType(ConditionalRowType type) const noexcept { rowType_ = type; }
    /// Forgets the cached row and column types of the row and its cells.
    void resetConditionalType() const noexcept;

private:
    friend class Table;
    void renumberCells() noexcept;

    Table* table_;
    std::vector<std::unique_ptr<TableCell>> cells_;
    int32_t indexInTable_ = 0;
    int32_t propertiesIndex_ = 0;
    int32_t tablePropertiesExceptionIndex_ = 0;
    mutable ConditionalRowType rowType_ = ConditionalRowType::Unknown;
};

/// A table laid over paragraphs of a story: rows of cells, each cell a paragraph range.
class Table {
public:
    Table(PieceTable& pieceTable, TableCell* parentCell) noexcept;
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    [[nodiscard]] PieceTable& pieceTable() const noexcept { return *pieceTable_; }
    [[nodiscard]] DocumentModel& documentModel() const noexcept;
    [[nodiscard]] int32_t index() const noexcept { return index_; }
    void setIndexCore(int32_t index) noexcept { index_ = index; }
    [[nodiscard]] TableCell* parentCell() const noexcept { return parentCell_; }
    void setParentCell(TableCell* cell) noexcept;
    [[nodiscard]] int32_t nestedLevel() const noexcept { return nestedLevel_; }
    /// Recomputes the nesting level from the parent chain.
    void recalcNestedLevel() noexcept;

    [[nodiscard]] int32_t rowCount() const noexcept { return static_cast<int32_t>(rows_.size()); }
    [[nodiscard]] TableRow& row(int32_t index) const { return *rows_.at(static_cast<size_t>(index)); }
    [[nodiscard]] TableRow& firstRow() const { return *rows_.front(); }
    [[nodiscard]] TableRow& lastRow() const { return *rows_.back(); }
    /// The cell at a row and a cell index in that row; null when there is none.
    [[nodiscard]] TableCell* cell(int32_t rowIndex, int32_t cellIndex) const noexcept;
    TableRow& appendRow();
    [[nodiscard]] std::unique_ptr<TableRow> removeRowCore(int32_t index);
    [[nodiscard]] ParagraphIndex startParagraphIndex() const { return firstRow().firstCell().startParagraphIndex(); }
    [[nodiscard]] ParagraphIndex endParagraphIndex() const { return lastRow().lastCell().endParagraphIndex(); }
    void forEachRow(const std::function<void(TableRow&)>& action) const;
    void forEachCell(const std::function<void(TableCell&)>& action) const;

    [[nodiscard]] int32_t styleIndex() const noexcept { return styleIndex_; }
    /// Gives the table another table style as an undoable step.
    void setStyleIndex(int32_t index);
    void setStyleIndexCore(int32_t index) noexcept { styleIndex_ = index; }
    [[nodiscard]] const TablePropertiesInfo& properties() const;
    void changeProperties(const std::function<void(TablePropertiesInfo&)>& change);
    [[nodiscard]] int32_t propertiesIndex() const noexcept { return propertiesIndex_; }
    void setPropertiesIndexCore(int32_t index) noexcept { propertiesIndex_ = index; }

    /// Forgets row and column types and the computed grid (after any change of the table).
    void resetCachedLayoutInfo() const;
    [[nodiscard]] TableGridLayoutInfo* cachedLayoutInfo() const noexcept { return cachedLayout_.get(); }
    void setCachedLayoutInfo(std::unique_ptr<TableGridLayoutInfo> info) const;

private:
    friend class TableRow;

    PieceTable* pieceTable_;
    TableCell* parentCell_;
    int32_t nestedLevel_ = 0;
    int32_t index_ = -1;
    int32_t styleIndex_ = 0;
    int32_t propertiesIndex_ = 0;
    std::vector<std::unique_ptr<TableRow>> rows_;
    mutable std::unique_ptr<TableGridLayoutInfo> cachedLayout_;
};

} // namespace velmo::model
