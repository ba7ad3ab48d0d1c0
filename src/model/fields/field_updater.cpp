#include "model/fields/field_updater.h"

#include "model/document_model.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_collection.h"
#include "model/fields/update_field_operation.h"
#include "model/piece_table.h"
#include "model/selection.h"

namespace velmo::model {

void FieldUpdater::updateFields(UpdateFieldOperationType updateType)
{
    updateFieldsCore(fieldsToUpdate(nullptr), updateType);
}

void FieldUpdater::updateFieldsCore(const std::vector<Field*>& fields, UpdateFieldOperationType updateType)
{
    if (fields.empty())
        return;
    BatchUpdateScope batch(pieceTable_.documentModel());
    pieceTable_.fields().clearCounters(); // codes may have changed since they were counted
    prepareFieldsCore(fields, updateType);
    for (Field* field : fields)
        updateRecursive(*field, updateType);
    // Prepared fields the pass did not calculate (PAGEREF fields of new results) would be stale
    // in the next one.
    FieldCollection& collection = pieceTable_.fields();
    for (int32_t index = 0; index < collection.count(); ++index)
        collection[index].setPreparedCalculatedField(nullptr);
}

void FieldUpdater::updateFieldAndNestedFields(Field& field)
{
    updateFieldsCore({&field}, UpdateFieldOperationType::Normal);
}

UpdateFieldOperationResult FieldUpdater::updateField(Field& field, MailMergeDataMode mailMergeDataMode,
                                                     UpdateFieldOperationType updateType)
{
    return UpdateFieldOperation(pieceTable_, field, mailMergeDataMode, updateType).execute();
}

void FieldUpdater::prepareFieldsCore(const std::vector<Field*>& fields, UpdateFieldOperationType updateType)
{
    FieldCalculatorService& calculator = pieceTable_.documentModel().fieldCalculatorService();
    for (Field* field : fields) {
        // The fields nested in it come first in the collection, the field itself last.
        for (Field* nested : pieceTable_.fields().fieldsInside(field->firstRunIndex(), field->lastRunIndex()))
            calculator.prepareField(pieceTable_, *nested, updateType);
    }
}

std::vector<Field*> FieldUpdater::fieldsToUpdate(const Field* parent) const
{
    return pieceTable_.fields().childrenOf(parent);
}

void FieldUpdater::updateRecursive(Field& field, UpdateFieldOperationType updateType)
{
    if (field.disableUpdate())
        return;
    for (Field* child : fieldsToUpdate(&field)) {
        if (child->lastRunIndex() < field.code().end)
            updateRecursive(*child, updateType);
    }
    const UpdateFieldOperationResult result =
        updateField(field, pieceTable_.documentModel().fieldServices().mailMergeDataMode, updateType);
    if (result.result == UpdateFieldResult::FieldUpdatedAndCodeDeleted || result.suppressUpdateInnerCodeFields)
        return;
    for (Field* child : fieldsToUpdate(&field)) {
        if (child->firstRunIndex() >= field.result().start && updatesWithResult(*child))
            updateRecursive(*child, updateType);
    }
}

bool FieldUpdater::updatesWithResult(const Field& field) const
{
    const std::unique_ptr<CalculatedFieldBase> parsed =
        pieceTable_.documentModel().fieldCalculatorService().parseField(pieceTable_, field);
    return parsed && parsed->fieldTypeName() != u"PAGEREF";
}

void updateSelectedFields(DocumentModel& documentModel)
{
    const Selection& selection = documentModel.selection();
    if (selection.activeItem().length() < 1)
        return;
    PieceTable& pieceTable = selection.pieceTable();
    const DocumentLogPosition start = selection.normalizedStart();
    const DocumentLogPosition end = selection.normalizedEnd() - 1;
    const RunIndex firstRun = pieceTable.findPosition(start).runIndex;
    const RunIndex lastRun = pieceTable.findPosition(std::min(end, pieceTable.documentEndLogPosition())).runIndex;
    std::vector<Field*> fields;
    for (Field* field : pieceTable.fields().childrenOf(nullptr)) {
        if (field->lastRunIndex() >= firstRun && field->firstRunIndex() <= lastRun)
            fields.push_back(field);
    }
    FieldUpdater(pieceTable).updateFieldsCore(fields, UpdateFieldOperationType::Normal);
}

} // namespace velmo::model
