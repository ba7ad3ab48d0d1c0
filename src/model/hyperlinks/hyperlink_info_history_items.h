#pragma once

#include "model/history_item.h"
#include "model/hyperlinks/hyperlink_info.h"

#include <cstdint>
#include <memory>

namespace velmo::model {

/// Exchanges the hyperlink record of a field with the one the item holds; redo and undo are the
/// same exchange. The document hears when a field becomes a hyperlink or stops being one.
class HyperlinkInfoHistoryItemBase : public HistoryItem {
public:
    /// Records change no text: the selection needs no restoring.
    [[nodiscard]] bool needsStoreSelection() const override { return false; }

protected:
    /// What the field's record changes mean to the document when the item is redone.
    enum class Change : uint8_t { Inserted, Replaced, Deleted };
    HyperlinkInfoHistoryItemBase(PieceTable& pieceTable, int32_t fieldIndex, std::unique_ptr<HyperlinkInfo> held, Change change) noexcept
        : HistoryItem(pieceTable), fieldIndex_(fieldIndex), held_(std::move(held)), change_(change)
    {
    }

    void undoCore() override;
    void redoCore() override;

private:
    void exchange(bool redo);

    int32_t fieldIndex_;
    std::unique_ptr<HyperlinkInfo> held_; // the record not in the story at the moment, if any
    Change change_;
};

/// Makes a field a hyperlink with the given record.
class InsertHyperlinkInfoHistoryItem final : public HyperlinkInfoHistoryItemBase {
public:
    InsertHyperlinkInfoHistoryItem(PieceTable& pieceTable, int32_t fieldIndex, const HyperlinkInfo& info)
        : HyperlinkInfoHistoryItemBase(pieceTable, fieldIndex, std::make_unique<HyperlinkInfo>(info), Change::Inserted)
    {
    }
};

/// Gives a hyperlink field another record.
class ReplaceHyperlinkInfoHistoryItem final : public HyperlinkInfoHistoryItemBase {
public:
    ReplaceHyperlinkInfoHistoryItem(PieceTable& pieceTable, int32_t fieldIndex, const HyperlinkInfo& info)
        : HyperlinkInfoHistoryItemBase(pieceTable, fieldIndex, std::make_unique<HyperlinkInfo>(info), Change::Replaced)
    {
    }
};

/// Takes a field's hyperlink record away.
class DeleteHyperlinkInfoHistoryItem final : public HyperlinkInfoHistoryItemBase {
public:
    DeleteHyperlinkInfoHistoryItem(PieceTable& pieceTable, int32_t fieldIndex)
        : HyperlinkInfoHistoryItemBase(pieceTable, fieldIndex, nullptr, Change::Deleted)
    {
    }
};

} // namespace velmo::model
