#include "model/fields/doc_variable_field.h"

#include "model/document_model.h"

namespace velmo::model {

UpdateFieldOperationTypes DocVariableField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    UpdateFieldOperationTypes types{UpdateFieldOperationType::Load, UpdateFieldOperationType::Copy,
                                    UpdateFieldOperationType::Normal, UpdateFieldOperationType::CreateModelForExport};
    if (valueWasEmpty_)
        types.remove(UpdateFieldOperationType::Load);
    return types;
}

bool DocVariableField::isUpdateAllowed(UpdateFieldOperationType updateType, const DocumentModel& documentModel) const
{
    const FieldOptions& options = documentModel.fieldOptions();
    if (updateType == UpdateFieldOperationType::Copy && !options.updateDocVariablesBeforeCopy)
        return false;
    switch (documentModel.documentInfo().updateDocVariablesBeforePrint) {
    case UpdateDocVariablesBeforePrint::Always: return true;
    case UpdateDocVariablesBeforePrint::Never: return false;
    case UpdateDocVariablesBeforePrint::Auto: break;
    }
    const bool forExport = updateType == UpdateFieldOperationType::CreateModelForExport;
    if (forExport && !options.printingUpdateDocVariablesBeforePrint)
        return false;
    return !((forExport || updateType == UpdateFieldOperationType::Copy) && !options.updateDocVariablesBeforePrint);
}

CalculatedFieldValue DocVariableField::getCalculatedValue(const FieldCalculationContext& context)
{
    DocumentModel& documentModel = context.documentModel();
    const std::u16string name = instructions().argumentText(0);
    CalculatedFieldValue value(std::u16string{});
    const auto& handler = documentModel.fieldServices().calculateDocumentVariable;
    CalculateDocumentVariableEventArgs event;
    if (handler) {
        event.variableName = name;
        for (int32_t index = 1; index < instructions().argumentCount(); ++index)
            event.arguments.push_back(instructions().argumentText(index));
        handler(event);
    }
    if (event.documentValue) {
        value = CalculatedFieldValue(std::move(event.documentValue));
        value.addOptions(FieldResultOptions::DoNotApplyFieldCodeFormatting | FieldResultOptions::SuppressMergeUseFirstParagraphStyle);
    } else if (event.value) {
        value = CalculatedFieldValue(std::move(*event.value));
    } else if (std::optional<std::u16string> variable = documentModel.variables().value(name)) {
        value = CalculatedFieldValue(std::move(*variable));
    }
    valueWasEmpty_ = value.isEmpty();
    return value;
}

} // namespace velmo::model
