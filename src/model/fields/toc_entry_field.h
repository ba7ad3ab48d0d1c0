#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// TC "text" [\f group] [\l level] [\n]: an entry a table of contents collects; the field itself
/// shows nothing.
class TocEntryField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"TC"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override
    {
        return key == u"\\f" || key == u"\\l";
    }

    [[nodiscard]] std::u16string entryText() const { return instructions().argumentText(0); }
    [[nodiscard]] std::u16string entryGroup() const { return instructions().stringValue(u"\\f").value_or(u""); }
    /// 1 without \l, 0 for a level that is no number.
    [[nodiscard]] int32_t level() const;
    [[nodiscard]] bool omitsPageNumber() const { return instructions().hasSwitch(u"\\n"); }

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
