#include "model/fields/calculated_field_value.h"

#include "model/document_model.h"

namespace velmo::model {

CalculatedFieldValue::CalculatedFieldValue() noexcept = default;

CalculatedFieldValue::CalculatedFieldValue(std::u16string text) : rawValue_(std::move(text)) {}

CalculatedFieldValue::CalculatedFieldValue(int64_t value) : rawValue_(value) {}

CalculatedFieldValue::CalculatedFieldValue(double value) : rawValue_(value) {}

CalculatedFieldValue::CalculatedFieldValue(const core::DateTime& value) : rawValue_(value) {}

CalculatedFieldValue::CalculatedFieldValue(std::unique_ptr<DocumentModel> documentModel) : rawValue_(std::move(documentModel)) {}

CalculatedFieldValue::~CalculatedFieldValue() = default;
CalculatedFieldValue::CalculatedFieldValue(CalculatedFieldValue&&) noexcept = default;
CalculatedFieldValue& CalculatedFieldValue::operator=(CalculatedFieldValue&&) noexcept = default;

CalculatedFieldValue CalculatedFieldValue::invalid()
{
    CalculatedFieldValue value;
    value.invalid_ = true;
    return value;
}

bool CalculatedFieldValue::isEmpty() const noexcept
{
    if (std::holds_alternative<std::monostate>(rawValue_))
        return true;
    const auto* text = std::get_if<std::u16string>(&rawValue_);
    return text && text->empty();
}

std::u16string_view CalculatedFieldValue::text() const noexcept
{
    const auto* text = std::get_if<std::u16string>(&rawValue_);
    return text ? std::u16string_view(*text) : std::u16string_view();
}

DocumentModel* CalculatedFieldValue::documentModel() const noexcept
{
    const auto* model = std::get_if<std::unique_ptr<DocumentModel>>(&rawValue_);
    return model ? model->get() : nullptr;
}

void CalculatedFieldValue::setText(std::u16string text)
{
    rawValue_ = std::move(text);
    invalid_ = false;
    convertedToString_ = true;
}

} // namespace velmo::model
