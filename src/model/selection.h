#pragma once

#include "core/positions.h"

#include <algorithm>
#include <vector>

namespace velmo::model {

class PieceTable;

/// One selected range of a story; start and end may be equal (a caret) and end may lie before
/// start (a selection made backwards).
struct SelectionItem {
    DocumentLogPosition start;
    DocumentLogPosition end;

    [[nodiscard]] DocumentLogPosition normalizedStart() const noexcept { return std::min(start, end); }
    [[nodiscard]] DocumentLogPosition normalizedEnd() const noexcept { return std::max(start, end); }
    [[nodiscard]] int32_t length() const noexcept { return normalizedEnd() - normalizedStart(); }
    [[nodiscard]] bool operator==(const SelectionItem&) const = default;
};

/// The document's selection: one or more ranges of one story. The last item is the active one,
/// where the caret is.
class Selection {
public:
    explicit Selection(PieceTable& pieceTable) noexcept : pieceTable_(&pieceTable) {}

    [[nodiscard]] PieceTable& pieceTable() const noexcept { return *pieceTable_; }
    [[nodiscard]] const std::vector<SelectionItem>& items() const noexcept { return items_; }
    [[nodiscard]] const SelectionItem& activeItem() const noexcept { return items_.back(); }
    [[nodiscard]] DocumentLogPosition start() const noexcept { return activeItem().start; }
    [[nodiscard]] DocumentLogPosition end() const noexcept { return activeItem().end; }
    [[nodiscard]] DocumentLogPosition normalizedStart() const noexcept { return activeItem().normalizedStart(); }
    [[nodiscard]] DocumentLogPosition normalizedEnd() const noexcept { return activeItem().normalizedEnd(); }
    /// True when no item selects anything.
    [[nodiscard]] bool isEmpty() const noexcept;

    /// One range in `pieceTable`; positions are kept within the story (its last mark included).
    void setRange(PieceTable& pieceTable, DocumentLogPosition start, DocumentLogPosition end);
    void setRange(DocumentLogPosition start, DocumentLogPosition end) { setRange(*pieceTable_, start, end); }
    /// Several ranges; an empty list becomes a caret at the start of the story.
    void setItems(PieceTable& pieceTable, std::vector<SelectionItem> items);
    void collapse(DocumentLogPosition position) { setRange(position, position); }
    /// Pulls ranges that an edit left past the end of the story back inside it.
    void keepWithinStory();

private:
    [[nodiscard]] DocumentLogPosition clamp(DocumentLogPosition position) const;

    PieceTable* pieceTable_;                   // a story of the document that owns the selection
    std::vector<SelectionItem> items_{SelectionItem{}}; // never empty
};

} // namespace velmo::model
