#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// SYMBOL code [\f font] [\s points] [\a] [\u] [\h]: one character, given by its code in decimal
/// or after "0x" in hexadecimal: a Windows-1252 byte, or with \u a UTF-16 unit. The character
/// keeps the formatting the field gives it (font and size), never the code's.
class SymbolField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"SYMBOL"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override;
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;
    /// The character the code names; none when it names none.
    [[nodiscard]] std::optional<char16_t> character() const;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
    [[nodiscard]] FieldResultOptions typeResultOptions() const noexcept override
    {
        return FieldResultOptions::DoNotApplyFieldCodeFormatting;
    }
};

} // namespace velmo::model
