#include "model/fields/mergefield_field.h"

#include "model/document_model.h"
#include "model/fields/field_scanner.h"

#include <algorithm>

namespace velmo::model {

bool MergefieldField::isSwitchWithArgument(std::u16string_view key) const noexcept
{
    return key == u"\\b" || key == u"\\f";
}

CalculatedFieldValue MergefieldField::getCalculatedValue(const FieldCalculationContext& context)
{
    const IMailMergeDataService* service = context.documentModel().fieldServices().mailMergeDataService;
    if (!service)
        return CalculatedFieldValue(std::u16string());
    const std::optional<std::u16string> value =
        service->fieldValue(instructions().argumentText(0), instructions().hasSwitch(u"\\m"), context.mailMergeDataMode);
    if (!value || value->empty())
        return CalculatedFieldValue(std::u16string());
    const bool blank = std::all_of(value->begin(), value->end(), isFieldCodeWhiteSpace);
    if (blank)
        return CalculatedFieldValue(*value);
    return CalculatedFieldValue(instructions().stringValue(u"\\b").value_or(u"") + *value +
                                instructions().stringValue(u"\\f").value_or(u""));
}

} // namespace velmo::model
