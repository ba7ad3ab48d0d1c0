#pragma once

#include "core/positions.h"

#include <memory>
#include <vector>

namespace velmo::model {

class PieceTable;
class Table;
class TableCell;

/// The tables of one story and the tree that finds the cell of a paragraph: the top level holds
/// the cells of the top-level tables sorted by paragraph range, and each cell's node holds the
/// cells of the tables nested directly inside it, sorted the same way.
class TableCellsManager {
public:
    explicit TableCellsManager(PieceTable& pieceTable) noexcept;
    ~TableCellsManager();
    TableCellsManager(const TableCellsManager&) = delete;
    TableCellsManager& operator=(const TableCellsManager&) = delete;

    [[nodiscard]] const std::vector<std::unique_ptr<Table>>& tables() const noexcept { return tables_; }
    [[nodiscard]] int32_t tableCount() const noexcept { return static_cast<int32_t>(tables_.size()); }

    /// A table of rowCount x cellCount cells over consecutive single paragraphs from `first`
    /// (cell k covers paragraph first + k), nested in the cell holding `first`; not inserted yet.
    /// Fails beyond the nesting limit or past the end of the story.
    [[nodiscard]] std::unique_ptr<Table> createTableCore(ParagraphIndex first, int32_t rowCount, int32_t cellCount) const;
    /// Adds a table to the list (at `index`, or at the end for -1) and its cells to the tree
    /// (tables already in the tree that its cells enclose become nested in them).
    Table& insertTable(std::unique_ptr<Table> table, int32_t index = -1);
    /// Takes a table out of the list and the tree; tables nested in it move up a level.
    [[nodiscard]] std::unique_ptr<Table> removeTable(Table& table);

    /// The innermost cell holding the paragraph; null outside tables.
    [[nodiscard]] TableCell* cell(ParagraphIndex paragraphIndex) const noexcept;
    /// The cell holding the paragraph at a nesting level (0: top-level tables); null when none.
    [[nodiscard]] TableCell* cellByNestingLevel(ParagraphIndex paragraphIndex, int32_t nestingLevel) const noexcept;
    [[nodiscard]] bool isInCell(ParagraphIndex paragraphIndex) const noexcept { return cell(paragraphIndex) != nullptr; }

    /// A paragraph was inserted next to `anchor` (before the insertion) and belongs to its cells.
    void onParagraphInserted(ParagraphIndex anchor);
    void onParagraphRemoved(ParagraphIndex paragraphIndex);
    void resetCachedTableLayoutInfo() const;
    void clear() noexcept;

private:
    struct Node {
        TableCell* cell;
        std::vector<Node> children;
    };

    void addCell(TableCell& cell);
    void removeCell(const TableCell& cell);
    [[nodiscard]] static const Node* findContaining(const std::vector<Node>& level, ParagraphIndex paragraphIndex) noexcept;
    static void shift(Node& node, int32_t delta) noexcept;
    static void recalcNestedLevels(Node& node) noexcept;
    void renumberTables() noexcept;

    PieceTable& pieceTable_; // owner
    std::vector<Node> roots_;
    std::vector<std::unique_ptr<Table>> tables_;
};

} // namespace velmo::model
