#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// SEQ identifier [\c] [\h] [\r number] [\s level]: the next number of the named sequence (names
/// compare case-sensitively); \c repeats the previous number, \r restarts at the number, \h hides
/// the result unless a \* format asks for it. A SEQ without identifier shows an error text.
class SequenceField final : public CalculatedFieldBase {
public:
    /// What a SEQ without identifier shows.
    static constexpr std::u16string_view kNoSequenceText = u"Error! No sequence specified.";

    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"SEQ"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override;
    [[nodiscard]] CalculatedFieldValue update(const FieldCalculationContext& context) override;

    [[nodiscard]] std::u16string identifier() const { return instructions().argumentText(0); }
    [[nodiscard]] bool repeatsPrevious() const { return instructions().hasSwitch(u"\\c"); }
    [[nodiscard]] std::optional<int32_t> resetValue() const { return instructions().nullableIntValue(u"\\r"); }

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
