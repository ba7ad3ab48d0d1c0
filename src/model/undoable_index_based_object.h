#pragma once

#include "model/document_cache.h"
#include "model/document_model.h"
#include "model/document_model_change_actions.h"
#include "model/piece_table.h"

#include <memory>
#include <optional>

namespace velmo::model {

/// The change path shared by every formatting holder. A holder is a handle over a container (a
/// run, paragraph or style) that stores an index into one of the document's caches. A change
/// builds a new value from the cached one, looks it up in the cache and, when the index moves,
/// records one undoable index change. Between beginUpdate and endUpdate changes gather in a
/// working copy and make one index change; between beginInit and endInit (readers) the index is
/// set at the end without history or notification.
///
/// `Traits` names the formatting type, its cache, its mask and how to reach the container.
template <typename Traits>
class UndoableIndexBasedObject {
public:
    using Formatting = typename Traits::Formatting;
    using Container = typename Traits::Container;
    using Mask = typename Traits::Mask;
    using Info = typename Traits::Info;

    explicit UndoableIndexBasedObject(Container& container) noexcept : container_(container) {}
    UndoableIndexBasedObject(const UndoableIndexBasedObject&) = delete;
    UndoableIndexBasedObject& operator=(const UndoableIndexBasedObject&) = delete;

    [[nodiscard]] int32_t index() const { return Traits::index(container_); }
    /// The current formatting: the working copy during a batch, else the cached item.
    [[nodiscard]] const Formatting& formatting() const { return workingCopy_ ? *workingCopy_ : cache()[index()]; }
    [[nodiscard]] const Info& info() const { return formatting().info(); }
    [[nodiscard]] bool useVal(Mask mask) const { return formatting().usesAll(mask); }

    void beginUpdate() { beginBatch(false); }
    void endUpdate() { endBatch(false); }
    void cancelUpdate() noexcept { cancelBatch(); }
    void beginInit() { beginBatch(true); }
    void endInit() { endBatch(true); }
    void cancelInit() noexcept { cancelBatch(); }

    /// Applies `change` to a copy of the current formatting and stores the result.
    template <typename Change>
    void change(Change changeFormatting, DocumentModelChangeActions actions)
    {
        if (!Traits::isAllowed(Traits::pieceTable(container_).documentModel().capabilities()))
            return; // the host does not let this kind of formatting change
        if (workingCopy_) {
            changeFormatting(*workingCopy_);
            batchActions_ |= actions;
            batchChanged_ = true;
            return;
        }
        Formatting changed = formatting();
        changeFormatting(changed);
        if (changed == formatting())
            return; // the value is already there and marked as set
        commit(changed, actions);
    }

    /// Takes another holder's index (same document).
    void copyFrom(const UndoableIndexBasedObject& other) { setIndex(other.index(), Traits::kAllChangeActions); }
    /// Copies values and mask.
    void copyFrom(const Formatting& formatting)
    {
        change([&](Formatting& target) { target = formatting; }, Traits::kAllChangeActions);
    }
    /// Fills the properties this holder does not set from `other`.
    void merge(const UndoableIndexBasedObject& other)
    {
        change([&](Formatting& target) { Traits::merge(target, other.formatting()); }, Traits::kAllChangeActions);
    }
    /// Back to the empty item: nothing set.
    void reset() { setIndex(DocumentCache::kEmptyPropertiesIndex, Traits::kAllChangeActions); }
    /// Keeps the values but lets every property come from the lower layers again.
    void resetAllUse() { resetUse(Traits::kMaskAll); }
    void resetUse(Mask mask)
    {
        change([mask](Formatting& target) { target.resetUse(mask); }, Traits::kAllChangeActions);
    }
    /// Sets the index without history and notification (construction and loading).
    void setIndexInitial(int32_t index) { Traits::setIndexInitial(container_, index); }
    void setIndex(int32_t newIndex, DocumentModelChangeActions actions)
    {
        const int32_t oldIndex = index();
        if (newIndex == oldIndex)
            return;
        PieceTable& pieceTable = Traits::pieceTable(container_);
        BatchUpdateScope batch(pieceTable.documentModel());
        Traits::recordIndexChange(container_, oldIndex, newIndex, actions);
    }

protected:
    [[nodiscard]] UniqueItemsCache<Formatting>& cache() const
    {
        return Traits::cache(Traits::pieceTable(container_).documentModel().cache());
    }

private:
    void commit(const Formatting& changed, DocumentModelChangeActions actions)
    {
        const int32_t newIndex = cache().add(changed);
        if (newIndex == index())
            return;
        setIndex(newIndex, actions);
    }

    void beginBatch(bool init)
    {
        if (batchLevel_++ > 0)
            return;
        workingCopy_ = formatting();
        initMode_ = init;
        batchActions_ = DocumentModelChangeActions::None;
        batchChanged_ = false;
    }

    void endBatch(bool init)
    {
        if (batchLevel_ == 0 || --batchLevel_ > 0 || init != initMode_)
            return;
        const Formatting changed = std::move(*workingCopy_);
        workingCopy_.reset();
        if (initMode_) {
            Traits::setIndexInitial(container_, cache().add(changed));
            return;
        }
        const int32_t newIndex = cache().add(changed);
        if (newIndex != index())
            setIndex(newIndex, batchActions_);
        else if (batchChanged_)
            Traits::notify(container_, batchActions_);
    }

    void cancelBatch() noexcept
    {
        if (batchLevel_ == 0 || --batchLevel_ > 0)
            return;
        workingCopy_.reset();
    }

    Container& container_; // outlives the handle
    std::optional<Formatting> workingCopy_;
    int32_t batchLevel_ = 0;
    bool initMode_ = false;
    bool batchChanged_ = false;
    DocumentModelChangeActions batchActions_ = DocumentModelChangeActions::None;
};

} // namespace velmo::model
