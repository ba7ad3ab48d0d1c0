#pragma once

#include "model/fields/calculated_field_value.h"
#include "model/fields/field_options.h"

#include <vector>

namespace velmo::model {

class DocumentModel;
class Field;
class PieceTable;

/// Updates the fields of one story in order: the fields nested in a field's code before the field,
/// the fields of its new result after it. Fields with DisableUpdate are skipped with everything
/// nested in them. A pass runs in one batch update.
class FieldUpdater {
public:
    explicit FieldUpdater(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}

    /// Updates every top-level field of the story.
    void updateFields(UpdateFieldOperationType updateType);
    /// Updates the fields of the list (and what is nested in them) as one pass.
    void updateFieldsCore(const std::vector<Field*>& fields, UpdateFieldOperationType updateType);
    /// Updates the field and what is nested in it, as a pass of its own, with update type Normal.
    void updateFieldAndNestedFields(Field& field);
    /// Updates the field alone.
    UpdateFieldOperationResult updateField(Field& field, MailMergeDataMode mailMergeDataMode,
                                           UpdateFieldOperationType updateType = UpdateFieldOperationType::Normal);
    /// Builds the calculated fields of the listed fields and of those nested in them that do work
    /// before a pass.
    void prepareFieldsCore(const std::vector<Field*>& fields, UpdateFieldOperationType updateType);
    /// The fields whose parent is `parent` (the top-level ones for null), in story order.
    [[nodiscard]] std::vector<Field*> fieldsToUpdate(const Field* parent) const;

private:
    void updateRecursive(Field& field, UpdateFieldOperationType updateType);
    /// Whether a field that came with a new result is updated with it.
    [[nodiscard]] bool updatesWithResult(const Field& field) const;

    PieceTable& pieceTable_; // outlives the updater
};

/// The update-fields command: updates the top-level fields from the one holding the selection's
/// start to the one holding its end (a selection of at least one character) with update type
/// Normal, in the selection's story, as one undo step.
void updateSelectedFields(DocumentModel& documentModel);

} // namespace velmo::model
