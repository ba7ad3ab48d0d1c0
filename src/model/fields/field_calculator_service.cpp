#include "model/fields/field_calculator_service.h"

#include "model/document_model.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field.h"
#include "model/fields/field_scanner.h"
#include "model/fields/field_type_registry.h"
#include "model/fields/instruction_collection.h"

namespace velmo::model {

namespace {

/// Whether updates skip the field: its own DisableUpdate or that of a field it lies in.
bool isUpdateDisabled(const Field& field) noexcept
{
    for (const Field* current = &field; current; current = current->parent()) {
        if (current->disableUpdate())
            return true;
    }
    return false;
}

CalculateFieldResult keepOldResult()
{
    CalculatedFieldValue value;
    value.addOptions(FieldResultOptions::KeepOldResult);
    return CalculateFieldResult{std::move(value), {UpdateFieldOperationType::Normal}};
}

} // namespace

std::unique_ptr<CalculatedFieldBase> FieldCalculatorService::createField(std::u16string_view typeName)
{
    return createCalculatedField(typeName);
}

std::unique_ptr<CalculatedFieldBase> FieldCalculatorService::parse(const PieceTable& pieceTable, const Field& field) const
{
    FieldScanner scanner(pieceTable, field);
    std::optional<FieldTypeToken> type = scanner.scanFirstToken();
    if (!type)
        return nullptr;
    std::unique_ptr<CalculatedFieldBase> calculated = createField(type->name);
    if (!calculated)
        return nullptr;
    InstructionCollection instructions;
    instructions.setFieldType(std::move(*type));
    parseInstructions(scanner, *calculated, instructions);
    calculated->initialize(documentModel_, std::move(instructions));
    return calculated;
}

std::unique_ptr<CalculatedFieldBase> FieldCalculatorService::parseField(const PieceTable& pieceTable, const Field& field) const noexcept
{
    try {
        return parse(pieceTable, field);
    } catch (...) {
        return nullptr;
    }
}

bool FieldCalculatorService::mayCalculate(const CalculatedFieldBase& calculated, UpdateFieldOperationTypes allowed,
                                          UpdateFieldOperationType updateType) const
{
    if (!allowed.contains(updateType))
        return false;
    if (updateType == UpdateFieldOperationType::Copy && !documentModel_.fieldOptions().updateFieldsOnPaste)
        return false;
    return calculated.isUpdateAllowed(updateType, documentModel_);
}

std::optional<CalculateFieldResult> FieldCalculatorService::calculateField(PieceTable& pieceTable, Field& field,
                                                                           MailMergeDataMode mailMergeDataMode,
                                                                           UpdateFieldOperationType updateType)
{
    FieldScanner scanner(pieceTable, field);
    const std::optional<FieldTypeToken> type = scanner.scanFirstToken();
    if (!type)
        return std::nullopt;
    // Formulas and equations are not calculated here: their results stay as the document has them.
    if (type->kind == FieldNameKind::Formula || type->kind == FieldNameKind::Equation)
        return keepOldResult();
    std::unique_ptr<CalculatedFieldBase> calculated = field.takePreparedCalculatedField();
    if (!calculated)
        calculated = parse(pieceTable, field);
    if (!calculated)
        return std::nullopt;
    if (field.isLocked() && !calculated->calculatesWhenLocked())
        return keepOldResult();
    if (!mayCalculate(*calculated, calculated->allowedUpdateTypes(updateOnLoadOptions_), updateType)) {
        CalculateFieldResult result = keepOldResult();
        result.updateTypes = calculated->allowedUpdateTypes(updateOnLoadOptions_);
        return result;
    }
    const FieldCalculationContext context{pieceTable, field, mailMergeDataMode, updateType};
    CalculatedFieldValue value = calculated->update(context);
    // Asked again: a type may narrow them by what it found (an empty DOCVARIABLE drops Load).
    return CalculateFieldResult{std::move(value), calculated->allowedUpdateTypes(updateOnLoadOptions_)};
}

void FieldCalculatorService::prepareField(PieceTable& pieceTable, Field& field, UpdateFieldOperationType updateType)
{
    field.setPreparedCalculatedField(nullptr); // what an earlier pass left is stale by now
    std::unique_ptr<CalculatedFieldBase> calculated = parseField(pieceTable, field);
    if (!calculated || !calculated->canPrepare() || !mayCalculate(*calculated, calculated->allowedUpdateTypes(updateOnLoadOptions_), updateType))
        return;
    // A field the pass leaves as it is would only leave traces of its preparation (bookmarks).
    if ((field.isLocked() && !calculated->calculatesWhenLocked()) || isUpdateDisabled(field))
        return;
    try {
        BatchUpdateScope batch(documentModel_);
        calculated->beforeCalculateFields(pieceTable, field);
    } catch (const std::exception&) {
        return; // undone; the calculation tries again and keeps the old result if it fails too
    }
    field.setPreparedCalculatedField(std::move(calculated));
}

} // namespace velmo::model
