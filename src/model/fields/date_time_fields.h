#pragma once

#include "model/fields/calculated_field_base.h"

namespace velmo::model {

/// DATE [\h] [\s] [\l]: today, from the document's clock. The calendar switches are read and
/// change nothing.
class DateField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"DATE"; }
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

/// TIME: now, written "h:mm am/pm" without a picture.
class TimeField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"TIME"; }
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
    [[nodiscard]] std::u16string defaultDateTimeText(const core::DateTime& value, const DocumentModel& documentModel) const override;
};

/// CREATEDATE [\h] [\s]: the date and time from the document's clock.
class CreateDateField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"CREATEDATE"; }
    [[nodiscard]] bool isMailMergeField() const noexcept override { return true; }

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
