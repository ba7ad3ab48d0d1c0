#pragma once

#include "model/history_item.h"

#include <memory>

namespace velmo::model {

class Table;

/// Puts a table into its story's table list or takes it out. The item owns the table while it
/// is out, so that undo and redo bring back the same object.
class TableStructureHistoryItem : public HistoryItem {
protected:
    /// `table` is owned by the item (not yet inserted) or, when null, `inserted` is in the story.
    TableStructureHistoryItem(PieceTable& pieceTable, std::unique_ptr<Table> table, Table* inserted) noexcept;
    ~TableStructureHistoryItem() override;
    void insert();
    void remove();

private:
    std::unique_ptr<Table> owned_;
    Table* table_;
    int32_t index_ = -1; // the table's place in its story's list while it is out; -1 at first

};

class TableInsertedHistoryItem final : public TableStructureHistoryItem {
public:
    TableInsertedHistoryItem(PieceTable& pieceTable, std::unique_ptr<Table> table) noexcept
        : TableStructureHistoryItem(pieceTable, std::move(table), nullptr)
    {
    }

protected:
    void undoCore() override { remove(); }
    void redoCore() override { insert(); }
};

class TableRemovedHistoryItem final : public TableStructureHistoryItem {
public:
    TableRemovedHistoryItem(PieceTable& pieceTable, Table& table) noexcept : TableStructureHistoryItem(pieceTable, nullptr, &table) {}

protected:
    void undoCore() override { insert(); }
    void redoCore() override { remove(); }
};

} // namespace velmo::model
