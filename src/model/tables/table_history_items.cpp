#include "model/tables/table_history_items.h"

#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model/tables/table_cells_manager.h"

namespace velmo::model {

TableStructureHistoryItem::TableStructureHistoryItem(PieceTable& pieceTable, std::unique_ptr<Table> table, Table* inserted) noexcept
    : HistoryItem(pieceTable), owned_(std::move(table)), table_(owned_ ? owned_.get() : inserted)
{
}

TableStructureHistoryItem::~TableStructureHistoryItem() = default;

void TableStructureHistoryItem::insert()
{
    pieceTable_.tableCellsManager().insertTable(std::move(owned_), index_);
}

void TableStructureHistoryItem::remove()
{
    index_ = table_->index();
    owned_ = pieceTable_.tableCellsManager().removeTable(*table_);
}

} // namespace velmo::model
