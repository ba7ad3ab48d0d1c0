#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// SHAPE: a field around a drawing. Its result is never replaced; when it holds just a
/// floating-object anchor and the inline picture that stands in for the same drawing (both
/// marked pseudo-inline), the stand-in goes.
class ShapeField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"SHAPE"; }
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;
    [[nodiscard]] bool calculatesWhenLocked() const noexcept override { return true; }
    [[nodiscard]] CalculatedFieldValue update(const FieldCalculationContext& context) override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
