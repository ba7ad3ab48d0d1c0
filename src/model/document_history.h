#pragma once

#include "model/history_item.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace velmo::model {

class DocumentModel;
class EditorCompositeHistoryItem;

/// The undo list. Items recorded while a transaction is open are collected into one composite
/// item, which becomes one undo step when the outermost transaction ends.
class DocumentHistory {
public:
    explicit DocumentHistory(DocumentModel& documentModel) noexcept;
    virtual ~DocumentHistory();
    DocumentHistory(const DocumentHistory&) = delete;
    DocumentHistory& operator=(const DocumentHistory&) = delete;

    /// Executes the item and records it in the open transaction (or as a step of its own); returns
    /// the item while the history keeps it alive, null when it was not recorded.
    virtual HistoryItem* execute(std::unique_ptr<HistoryItem> item);

    void beginTransaction();
    /// Ends a transaction; the outermost one becomes an undo step: a single item on its own, typed
    /// text that only extends the previous step's run no step at all, an empty one nothing.
    void endTransaction();
    /// Undoes what the open transaction level has done so far and drops it.
    void rollBackTransaction();
    [[nodiscard]] int32_t transactionLevel() const noexcept { return transactionLevel_; }
    /// Whether the open outermost transaction has changed content.
    [[nodiscard]] bool transactionChangedContent() const;

    [[nodiscard]] bool canUndo() const noexcept { return currentIndex_ >= 0; }
    [[nodiscard]] bool canRedo() const noexcept { return currentIndex_ + 1 < static_cast<int32_t>(items_.size()); }
    void undo();
    void redo();
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(items_.size()); }
    /// Forgets every step; the current state becomes the unmodified one.
    void clear();
    /// While disabled (counted), executed items are not recorded.
    void disable() noexcept { ++disableCount_; }
    void enable() noexcept;

    /// A new id for the structural changes of one item (never 0). An item keeps its ids, so its
    /// undo and redo repeat them and intervals can tell its runs apart from others.
    [[nodiscard]] virtual int32_t nextNotificationId() noexcept;

    /// Modified when a step between the clean state and the current one changed content.
    [[nodiscard]] bool isModified() const noexcept;
    void setModified(bool modified) noexcept { cleanStateIndex_ = modified ? kNoCleanState : currentIndex_; }

protected:
    DocumentModel& documentModel_; // owner

private:
    static constexpr int32_t kNoCleanState = -2;

    void addStep(std::unique_ptr<HistoryItem> step);
    [[nodiscard]] bool currentStepContains(const HistoryItem* item) const noexcept;

    std::vector<std::unique_ptr<HistoryItem>> items_;
    int32_t currentIndex_ = -1;
    int32_t cleanStateIndex_ = -1;
    int32_t transactionLevel_ = 0;
    int32_t disableCount_ = 0;
    uint32_t lastNotificationId_ = 0x7FFFFFFFu; // the first id is the smallest 32-bit value
    std::unique_ptr<HistoryItem> lastDisabledItem_; // kept alive for callers holding it
    std::unique_ptr<EditorCompositeHistoryItem> transaction_;
    std::vector<size_t> transactionMarks_; // item count of the composite when each level began
};

/// The history while a reader fills the model: items are executed and dropped, nothing is undoable.
class EmptyHistory final : public DocumentHistory {
public:
    using DocumentHistory::DocumentHistory;
    HistoryItem* execute(std::unique_ptr<HistoryItem> item) override;
    /// Nothing is undone, so no change needs telling apart: 0 always.
    [[nodiscard]] int32_t nextNotificationId() noexcept override { return 0; }
};

/// Holds a history transaction for a scope.
class HistoryTransaction {
public:
    explicit HistoryTransaction(DocumentHistory& history) : history_(history) { history_.beginTransaction(); }
    ~HistoryTransaction() { history_.endTransaction(); }
    HistoryTransaction(const HistoryTransaction&) = delete;
    HistoryTransaction& operator=(const HistoryTransaction&) = delete;

private:
    DocumentHistory& history_;
};

} // namespace velmo::model
