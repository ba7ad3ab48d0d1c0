#pragma once

#include "model/fields/calculated_field_base.h"
#include "model/hyperlinks/hyperlink_info.h"

namespace velmo::model {

/// HYPERLINK address [\l bookmark] [\m] [\n] [\o tip] [\t frame]: makes its field a link. An
/// update gives the field the record the code describes and keeps the result text; an empty
/// result shows the address, or the bookmark name when there is no address. A document that
/// allows no hyperlinks leaves the field alone.
class HyperlinkField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"HYPERLINK"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override;
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;
    [[nodiscard]] CalculatedFieldValue update(const FieldCalculationContext& context) override;
    /// The record the code describes (not yet visited).
    [[nodiscard]] HyperlinkInfo hyperlinkInfo() const;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
