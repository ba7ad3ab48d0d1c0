#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// PAGE: the number of the page the field is on. In the body, once the layout knows the page, its
/// number text; otherwise (headers, footers, text boxes, no layout yet) a layout-dependent run
/// that the layout fills with the number of each page it is drawn on.
class PageField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"PAGE"; }
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
    /// The page number is written as the layout writes it (or by the run itself).
    void applyFieldFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const override;
};

/// NUMPAGES: the number of pages. In a header or footer, a layout-dependent run that the layout
/// fills with the page count; elsewhere the page count saved with the document.
class NumPagesField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"NUMPAGES"; }
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
    /// Only a number is formatted; the run formats itself.
    void applyFieldFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const override;
};

} // namespace velmo::model
