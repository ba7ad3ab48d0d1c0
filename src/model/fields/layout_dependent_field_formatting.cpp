#include "model/fields/layout_dependent_field_formatting.h"

#include "model/fields/calculated_field_base.h"
#include "model/fields/field_format_error.h"
#include "model/fields/general_field_formatter.h"
#include "model/fields/numeric_field_formatter.h"

namespace velmo::model {

std::u16string LayoutDependentFieldFormatting::format(int32_t value, std::u16string_view numberText,
                                                      const core::Culture& culture) const
{
    std::u16string text = numericPicture_ ? NumericFieldFormatter(culture).format(value, *numericPicture_)
                                          : std::u16string(numberText);
    const GeneralFieldFormatter formatter(culture);
    for (const std::u16string& keyword : generalFormats_) {
        if (isResultFormattingKeyword(keyword))
            continue;
        const std::optional<GeneralFieldFormat> general = GeneralFieldFormatter::findFormat(keyword);
        if (!general)
            throw FieldFormatError::unknownSwitchArgument();
        text = GeneralFieldFormatter::isNumberFormat(*general) && !numericPicture_ ? formatter.formatNumber(value, *general)
                                                                                    : formatter.formatText(text, *general);
    }
    return text;
}

} // namespace velmo::model
