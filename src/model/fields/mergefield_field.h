#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// MERGEFIELD name [\b before] [\f after] [\m] [\v]: the current record's value of a data field;
/// the texts before and after go around a value that is not blank. Without bound data the field
/// shows its placeholder.
class MergefieldField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"MERGEFIELD"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override;
    [[nodiscard]] bool isOrdinaryField() const noexcept override { return false; }
    [[nodiscard]] bool isMailMergeField() const noexcept override { return true; }

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
