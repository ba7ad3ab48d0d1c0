#include "model/tables/table_cells_manager.h"

#include "core/editor_exception.h"
#include "model/piece_table.h"
#include "model/tables/table.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// Whether `outer` is `cell` or one of the cells its table is nested in.
bool holds(const TableCell* outer, const TableCell* cell) noexcept
{
    for (; cell; cell = cell->table().parentCell()) {
        if (cell == outer)
            return true;
    }
    return false;
}

} // namespace

TableCellsManager::TableCellsManager(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}

TableCellsManager::~TableCellsManager() = default;

std::unique_ptr<Table> TableCellsManager::createTableCore(ParagraphIndex first, int32_t rowCount, int32_t cellCount) const
{
    if (rowCount <= 0)
        throw core::EditorException::invalidValue(rowCount, "rowCount");
    if (cellCount <= 0)
        throw core::EditorException::invalidValue(cellCount, "cellCount");
    const int64_t last = static_cast<int64_t>(first.value()) + static_cast<int64_t>(rowCount) * cellCount - 1;
    if (first.value() < 0 || last >= pieceTable_.paragraphCount())
        throw core::EditorException::invalidValue(first.value(), "firstParagraphIndex");
    TableCell* parent = cell(first);
    if (parent && parent->table().nestedLevel() + 1 >= kMaxTableNestingLevel)
        throw core::EditorException::invalidValue(parent->table().nestedLevel() + 1, "nestedLevel");
    auto table = std::make_unique<Table>(pieceTable_, parent);
    ParagraphIndex paragraph = first;
    for (int32_t row = 0; row < rowCount; ++row) {
        TableRow& added = table->appendRow();
        for (int32_t column = 0; column < cellCount; ++column, ++paragraph)
            added.appendCell(paragraph, paragraph);
    }
    return table;
}

Table& TableCellsManager::insertTable(std::unique_ptr<Table> table, int32_t index)
{
    Table& inserted = *table;
    const bool append = index < 0 || index > tableCount();
    tables_.insert(append ? tables_.end() : tables_.begin() + index, std::move(table));
    renumberTables();
    inserted.forEachCell([this](TableCell& cell) { addCell(cell); });
    inserted.resetCachedLayoutInfo();
    return inserted;
}

std::unique_ptr<Table> TableCellsManager::removeTable(Table& table)
{
    table.forEachCell([this](TableCell& cell) { removeCell(cell); });
    const auto found = std::find_if(tables_.begin(), tables_.end(), [&table](const auto& item) { return item.get() == &table; });
    if (found == tables_.end())
        throw core::EditorException::internalError();
    std::unique_ptr<Table> removed = std::move(*found);
    tables_.erase(found);
    renumberTables();
    return removed;
}

void TableCellsManager::renumberTables() noexcept
{
    for (size_t index = 0; index < tables_.size(); ++index)
        tables_[index]->setIndexCore(static_cast<int32_t>(index));
}

namespace {

/// The first node of a sorted level that starts after `paragraphIndex`.
template <typename Level>
auto firstStartingAfter(Level& level, ParagraphIndex paragraphIndex)
{
    return std::upper_bound(level.begin(), level.end(), paragraphIndex,
                            [](ParagraphIndex index, const auto& node) { return index < node.cell->startParagraphIndex(); });
}

} // namespace

void TableCellsManager::addCell(TableCell& cell)
{
    const ParagraphIndex start = cell.startParagraphIndex();
    const ParagraphIndex end = cell.endParagraphIndex();
    std::vector<Node>* level = &roots_;
    // Go down through the cells that hold this one: at each level only the last node starting
    // at or before the new cell can.
    for (;;) {
        const auto after = firstStartingAfter(*level, start);
        if (after == level->begin())
            break;
        Node& candidate = *(after - 1);
        const TableCell& holder = *candidate.cell;
        const bool encloses = holder.startParagraphIndex() <= start && end <= holder.endParagraphIndex();
        const bool sameRange = holder.startParagraphIndex() == start && holder.endParagraphIndex() == end;
        if (!encloses || &holder.table() == &cell.table() || (sameRange && !holds(&holder, cell.table().parentCell())))
            break;
        level = &candidate.children;
    }
    // Cells of this level that lie inside the new cell belong to tables nested in it.
    Node added{&cell, {}};
    auto position = std::lower_bound(level->begin(), level->end(), start,
                                     [](const Node& node, ParagraphIndex index) { return node.cell->endParagraphIndex() < index; });
    auto enclosedEnd = position;
    while (enclosedEnd != level->end() && enclosedEnd->cell->startParagraphIndex() <= end &&
           &enclosedEnd->cell->table() != &cell.table())
        ++enclosedEnd;
    for (auto node = position; node != enclosedEnd; ++node) {
        node->cell->table().setParentCell(&cell);
        added.children.push_back(std::move(*node));
    }
    position = level->erase(position, enclosedEnd);
    Node& placed = *level->insert(position, std::move(added));
    for (Node& child : placed.children)
        recalcNestedLevels(child);
}

void TableCellsManager::removeCell(const TableCell& cell)
{
    std::vector<Node>* level = &roots_;
    for (;;) {
        const auto after = firstStartingAfter(*level, cell.startParagraphIndex());
        if (after == level->begin())
            return;
        const auto found = after - 1;
        if (!found->cell->contains(cell.startParagraphIndex()))
            return;
        if (found->cell != &cell) {
            level = &found->children;
            continue;
        }
        // Tables nested in the removed cell move up to its level, in order.
        std::vector<Node> children = std::move(found->children);
        const auto position = level->erase(found);
        for (Node& child : children)
            child.cell->table().setParentCell(cell.table().parentCell());
        const auto inserted = level->insert(position, std::make_move_iterator(children.begin()), std::make_move_iterator(children.end()));
        for (auto node = inserted; node != inserted + static_cast<std::ptrdiff_t>(children.size()); ++node)
            recalcNestedLevels(*node);
        return;
    }
}

const TableCellsManager::Node* TableCellsManager::findContaining(const std::vector<Node>& level, ParagraphIndex paragraphIndex) noexcept
{
    // Nodes are sorted and do not overlap: the candidate is the last one starting at or before.
    const auto after = std::upper_bound(level.begin(), level.end(), paragraphIndex,
                                        [](ParagraphIndex index, const Node& node) { return index < node.cell->startParagraphIndex(); });
    if (after == level.begin())
        return nullptr;
    const Node& candidate = *(after - 1);
    return candidate.cell->contains(paragraphIndex) ? &candidate : nullptr;
}

TableCell* TableCellsManager::cell(ParagraphIndex paragraphIndex) const noexcept
{
    TableCell* result = nullptr;
    for (const std::vector<Node>* level = &roots_;;) {
        const Node* node = findContaining(*level, paragraphIndex);
        if (!node)
            return result;
        result = node->cell;
        level = &node->children;
    }
}

TableCell* TableCellsManager::cellByNestingLevel(ParagraphIndex paragraphIndex, int32_t nestingLevel) const noexcept
{
    const std::vector<Node>* level = &roots_;
    for (int32_t depth = 0;; ++depth) {
        const Node* node = findContaining(*level, paragraphIndex);
        if (!node)
            return nullptr;
        if (depth == nestingLevel)
            return node->cell;
        level = &node->children;
    }
}

void TableCellsManager::shift(Node& node, int32_t delta) noexcept
{
    node.cell->setStartParagraphIndex(node.cell->startParagraphIndex() + delta);
    node.cell->setEndParagraphIndex(node.cell->endParagraphIndex() + delta);
    for (Node& child : node.children)
        shift(child, delta);
}

void TableCellsManager::recalcNestedLevels(Node& node) noexcept
{
    node.cell->table().recalcNestedLevel();
    for (Node& child : node.children)
        recalcNestedLevels(child);
}

void TableCellsManager::onParagraphInserted(ParagraphIndex anchor)
{
    for (std::vector<Node>* level = &roots_; level;) {
        std::vector<Node>* next = nullptr;
        // Cells that end before the paragraph are not touched.
        const auto first = std::lower_bound(level->begin(), level->end(), anchor,
                                            [](const Node& node, ParagraphIndex index) { return node.cell->endParagraphIndex() < index; });
        for (auto node = first; node != level->end(); ++node) {
            if (node->cell->startParagraphIndex() > anchor) {
                shift(*node, 1);
            } else if (node->cell->contains(anchor)) {
                node->cell->setEndParagraphIndex(node->cell->endParagraphIndex() + 1);
                node->cell->table().resetCachedLayoutInfo();
                next = &node->children;
            }
        }
        level = next;
    }
}

void TableCellsManager::onParagraphRemoved(ParagraphIndex paragraphIndex)
{
    for (std::vector<Node>* level = &roots_; level;) {
        std::vector<Node>* next = nullptr;
        // Cells that end before the paragraph are not touched.
        const auto first = std::lower_bound(level->begin(), level->end(), paragraphIndex,
                                            [](const Node& node, ParagraphIndex index) { return node.cell->endParagraphIndex() < index; });
        for (auto node = first; node != level->end(); ++node) {
            if (node->cell->startParagraphIndex() > paragraphIndex) {
                shift(*node, -1);
            } else if (node->cell->contains(paragraphIndex)) {
                node->cell->setEndParagraphIndex(node->cell->endParagraphIndex() - 1);
                node->cell->table().resetCachedLayoutInfo();
                next = &node->children;
            }
        }
        level = next;
    }
}

void TableCellsManager::resetCachedTableLayoutInfo() const
{
    for (const auto& table : tables_)
        table->resetCachedLayoutInfo();
}

void TableCellsManager::clear() noexcept
{
    roots_.clear();
    tables_.clear();
}

} // namespace velmo::model
