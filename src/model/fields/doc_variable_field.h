#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// DOCVARIABLE name [arguments...]: what the document's calculate-document-variable handler gives
/// for the name, else the document variable of that name, else nothing.
class DocVariableField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"DOCVARIABLE"; }
    [[nodiscard]] bool isMailMergeField() const noexcept override { return true; }
    /// Load, Copy, Normal and CreateModelForExport; Load no more once the value came out empty.
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;
    /// The document's and the options' rules on updating variables before printing and copying.
    [[nodiscard]] bool isUpdateAllowed(UpdateFieldOperationType updateType, const DocumentModel& documentModel) const override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;

private:
    bool valueWasEmpty_ = false;
};

} // namespace velmo::model
