#include "model/fields/date_time_fields.h"

#include "core/culture.h"
#include "model/document_model.h"
#include "model/fields/date_time_field_formatter.h"

namespace velmo::model {

UpdateFieldOperationTypes DateField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const
{
    UpdateFieldOperationTypes types{UpdateFieldOperationType::Normal};
    if (loadOptions && loadOptions->updateDateField)
        types.add(UpdateFieldOperationType::Load);
    return types;
}

CalculatedFieldValue DateField::getCalculatedValue(const FieldCalculationContext& context)
{
    return CalculatedFieldValue(fieldNow(context.documentModel()));
}

UpdateFieldOperationTypes TimeField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const
{
    UpdateFieldOperationTypes types{UpdateFieldOperationType::Normal};
    if (loadOptions && loadOptions->updateTimeField)
        types.add(UpdateFieldOperationType::Load);
    return types;
}

CalculatedFieldValue TimeField::getCalculatedValue(const FieldCalculationContext& context)
{
    return CalculatedFieldValue(fieldNow(context.documentModel()));
}

std::u16string TimeField::defaultDateTimeText(const core::DateTime& value, const DocumentModel& documentModel) const
{
    const core::Culture& culture = fieldCulture(documentModel);
    const DateTimeFieldFormatter formatter(culture);
    if (useCurrentCultureDateTimeFormat())
        return formatter.format(value, culture.shortTimePattern());
    return formatter.formatDefaultTime(value);
}

CalculatedFieldValue CreateDateField::getCalculatedValue(const FieldCalculationContext& context)
{
    return CalculatedFieldValue(fieldNow(context.documentModel()));
}

} // namespace velmo::model
