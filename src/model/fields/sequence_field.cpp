#include "model/fields/sequence_field.h"

#include "model/fields/field_collection.h"
#include "model/fields/sequential_field_manager.h"
#include "model/piece_table.h"

namespace velmo::model {

bool SequenceField::isSwitchWithArgument(std::u16string_view key) const noexcept
{
    return key == u"\\r" || key == u"\\s";
}

CalculatedFieldValue SequenceField::update(const FieldCalculationContext& context)
{
    // Formatting an error text would only garble it.
    if (identifier().empty())
        return CalculatedFieldValue(std::u16string(kNoSequenceText));
    return CalculatedFieldBase::update(context);
}

CalculatedFieldValue SequenceField::getCalculatedValue(const FieldCalculationContext& context)
{
    if (instructions().hasSwitch(u"\\h") && generalFormats().empty())
        return CalculatedFieldValue(std::u16string());
    const int32_t value = context.pieceTable.fields().sequentialFieldManager().counterValue(context.field, identifier());
    return CalculatedFieldValue(static_cast<int64_t>(value));
}

} // namespace velmo::model
