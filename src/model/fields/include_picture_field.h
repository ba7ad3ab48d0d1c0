#pragma once

#include "model/fields/calculated_field_base.h"

#include <string>
#include <vector>

namespace velmo::model {

/// INCLUDEPICTURE "location" [\c filter] [\d]: the picture read from a local file, inline at full
/// size. Only files on this machine are read ("file:" addresses and paths), never addresses of
/// other schemes. A picture that cannot be read leaves the old result. The result is never
/// replaced while a document loads.
class IncludePictureField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"INCLUDEPICTURE"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override { return key == u"\\c"; }
    [[nodiscard]] bool isMailMergeField() const noexcept override { return true; }
    /// Normal; with \d also Copy, PasteFromIE and CreateModelForExport.
    [[nodiscard]] UpdateFieldOperationTypes allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>& loadOptions) const override;
    /// The "file:" addresses tried in order: the name as written and with doubled backslashes made
    /// single, each resolved against `folder` (UTF-16, no trailing separator) when relative.
    [[nodiscard]] std::vector<std::u16string> fileUris(std::u16string_view folder) const;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;
};

} // namespace velmo::model
