#pragma once

#include "model/history_item.h"

#include <functional>
#include <utility>

namespace velmo::model {

/// A history item made of two small steps, for changes to objects that live as long as the
/// document (styles): redo applies the new state, undo the old one.
class FunctionalHistoryItem final : public HistoryItem {
public:
    FunctionalHistoryItem(PieceTable& pieceTable, std::function<void()> redo, std::function<void()> undo)
        : HistoryItem(pieceTable), redo_(std::move(redo)), undo_(std::move(undo))
    {
    }

protected:
    void undoCore() override { undo_(); }
    void redoCore() override { redo_(); }

private:
    std::function<void()> redo_;
    std::function<void()> undo_;
};

} // namespace velmo::model
