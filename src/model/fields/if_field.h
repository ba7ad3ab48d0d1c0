#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// IF expression1 operator expression2 "true text" ["false text"]: a copy of the true or the false
/// text with its formatting (and the fields in it). Both expressions that read as numbers compare
/// as numbers, anything else as case-sensitive text; an operator other than =, <>, <, <=, > and >=
/// makes the condition false.
class IfField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"IF"; }
    [[nodiscard]] bool isMailMergeField() const noexcept override { return true; }
    /// Whether the condition holds.
    [[nodiscard]] bool evaluateCondition(const core::Culture& culture) const;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
    /// Without MERGEFORMAT or CHARFORMAT, the texts keep their own formatting.
    [[nodiscard]] FieldResultOptions typeResultOptions() const noexcept override;
};

} // namespace velmo::model
