#pragma once

#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/history_item.h"

#include <memory>

namespace velmo::model {

/// Records a field over marks already in the story. Undo takes the same field object out and keeps
/// it, redo puts it back, so later steps that refer to the field stay valid.
class AddFieldHistoryItem final : public HistoryItem {
public:
    AddFieldHistoryItem(PieceTable& pieceTable, const FieldMarks& marks) noexcept : HistoryItem(pieceTable), marks_(marks) {}
    ~AddFieldHistoryItem() override;
    /// The field, once the item has been executed.
    [[nodiscard]] Field* field() const noexcept { return field_; }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    FieldMarks marks_;
    Field* field_ = nullptr;              // owned by the collection while added
    std::unique_ptr<Field> undoneField_; // the field while the step is undone
};

/// Takes a field's record out of the collection (its runs stay); undo puts the same object back.
class RemoveFieldHistoryItem final : public HistoryItem {
public:
    RemoveFieldHistoryItem(PieceTable& pieceTable, Field& field) noexcept : HistoryItem(pieceTable), field_(&field) {}
    ~RemoveFieldHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    Field* field_;                   // owned by the collection while not removed
    std::unique_ptr<Field> removed_; // the field while removed
};

/// Records the removal of every field that has a mark among runs first..last, ahead of deleting
/// those runs.
void removeFieldsLosingMarks(PieceTable& pieceTable, RunIndex first, RunIndex last);

} // namespace velmo::model
