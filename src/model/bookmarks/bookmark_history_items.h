#pragma once

#include "model/history_item.h"

#include <cstdint>
#include <memory>

namespace velmo::model {

class Bookmark;

/// Adds a new bookmark of the story to its collection. Undo takes the same object out again and
/// redo puts it back where it was.
class InsertBookmarkHistoryItem final : public HistoryItem {
public:
    InsertBookmarkHistoryItem(PieceTable& pieceTable, std::unique_ptr<Bookmark> bookmark) noexcept;
    ~InsertBookmarkHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    Bookmark* bookmark_;               // in the story's collection while done
    std::unique_ptr<Bookmark> undone_; // owned until first done, and while undone
    int32_t index_ = -1;               // its place in the collection; -1 until first done
};

/// Removes the bookmark at an index of the story's collection, keeping it to put back on undo.
class DeleteBookmarkHistoryItem final : public HistoryItem {
public:
    DeleteBookmarkHistoryItem(PieceTable& pieceTable, int32_t index) noexcept : HistoryItem(pieceTable), index_(index) {}
    ~DeleteBookmarkHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    int32_t index_;
    std::unique_ptr<Bookmark> deleted_; // owned while done
};

} // namespace velmo::model
