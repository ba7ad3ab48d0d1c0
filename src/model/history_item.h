#pragma once

#include <memory>
#include <vector>

namespace velmo::model {

class PieceTable;

/// One reversible step of a change to a story. An item is executed once when it is recorded
/// (through redoCore) and afterwards undone and redone by the history.
class HistoryItem {
public:
    explicit HistoryItem(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}
    virtual ~HistoryItem() = default;
    HistoryItem(const HistoryItem&) = delete;
    HistoryItem& operator=(const HistoryItem&) = delete;

    void undo() { undoCore(); }
    void redo() { redoCore(); }
    void execute() { redoCore(); }
    /// Whether the item changes document content (and so the modified flag).
    [[nodiscard]] virtual bool changesModified() const { return true; }
    /// Whether undoing and redoing the action should also bring back the selection.
    [[nodiscard]] virtual bool needsStoreSelection() const { return true; }
    /// For an item that only extends what an earlier item did (typed text appended to the run
    /// typed before), that earlier item; such an item need not be an undo step of its own.
    [[nodiscard]] virtual const HistoryItem* extendedItem() const noexcept { return nullptr; }
    [[nodiscard]] PieceTable& pieceTable() const noexcept { return pieceTable_; }

protected:
    virtual void undoCore() = 0;
    virtual void redoCore() = 0;

    PieceTable& pieceTable_; // the story outlives the history that holds its items
};

/// Items that form one user action: redone first to last, undone last to first.
class CompositeHistoryItem : public HistoryItem {
public:
    using HistoryItem::HistoryItem;

    void add(std::unique_ptr<HistoryItem> item) { items_.push_back(std::move(item)); }
    [[nodiscard]] bool isEmpty() const noexcept { return items_.empty(); }
    [[nodiscard]] size_t count() const noexcept { return items_.size(); }
    [[nodiscard]] const HistoryItem& item(size_t index) const { return *items_[index]; }
    /// Hands over the only child (a transaction of one step is recorded as that step).
    [[nodiscard]] std::unique_ptr<HistoryItem> takeOnlyItem() { return std::move(items_.front()); }
    [[nodiscard]] bool contains(const HistoryItem* item) const noexcept;
    [[nodiscard]] bool changesModified() const override;
    [[nodiscard]] bool needsStoreSelection() const override;
    /// Undoes and drops the items after the first `count`.
    void rollBackTo(size_t count);

protected:
    void undoCore() override;
    void redoCore() override;

private:
    std::vector<std::unique_ptr<HistoryItem>> items_;
};

} // namespace velmo::model
