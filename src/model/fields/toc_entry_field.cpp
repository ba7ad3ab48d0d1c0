#include "model/fields/toc_entry_field.h"

namespace velmo::model {

int32_t TocEntryField::level() const
{
    if (!instructions().hasSwitch(u"\\l"))
        return 1;
    return instructions().intValue(u"\\l");
}

CalculatedFieldValue TocEntryField::getCalculatedValue(const FieldCalculationContext&)
{
    return CalculatedFieldValue(std::u16string());
}

} // namespace velmo::model
