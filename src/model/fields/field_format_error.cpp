#include "model/fields/field_format_error.h"

#include "core/unicode_text.h"

#include <string>

namespace velmo::model {

FieldFormatError FieldFormatError::numberNotRepresentable()
{
    return FieldFormatError("Error: number cannot be represented in the specified format.");
}

FieldFormatError FieldFormatError::unmatchedQuotes()
{
    return FieldFormatError("Error: pattern string contains unmatched quotes.");
}

FieldFormatError FieldFormatError::unknownSwitchArgument()
{
    return FieldFormatError("Error! Unknown switch argument.");
}

FieldFormatError FieldFormatError::syntaxError(std::u16string_view text)
{
    return FieldFormatError("Syntax Error, " + core::utf16ToUtf8(text) + ".");
}

FieldFormatError FieldFormatError::unexpectedEndOfFormula()
{
    return FieldFormatError("!Unexpected end of formula.");
}

FieldFormatError FieldFormatError::missingOperator()
{
    return FieldFormatError("!Missing operator.");
}

FieldFormatError FieldFormatError::zeroDivide()
{
    return FieldFormatError("!Zero divide.");
}

FieldFormatError FieldFormatError::invalidArgument(std::u16string_view value, std::string_view name)
{
    return FieldFormatError(core::EditorException::invalidValue(core::utf16ToUtf8(value), name).what());
}

} // namespace velmo::model
