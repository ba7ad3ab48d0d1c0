#pragma once

#include "core/editor_exception.h"

#include <string_view>

namespace velmo::model {

/// A field value that its formatting switches cannot turn into text. Updating a field catches it
/// and leaves the field's previous result in place.
class FieldFormatError : public core::EditorException {
public:
    using core::EditorException::EditorException;

    /// "Error: number cannot be represented in the specified format."
    [[nodiscard]] static FieldFormatError numberNotRepresentable();
    /// "Error: pattern string contains unmatched quotes."
    [[nodiscard]] static FieldFormatError unmatchedQuotes();
    /// "Error! Unknown switch argument."
    [[nodiscard]] static FieldFormatError unknownSwitchArgument();
    /// "Syntax Error, <text>."
    [[nodiscard]] static FieldFormatError syntaxError(std::u16string_view text);
    /// "!Unexpected end of formula."
    [[nodiscard]] static FieldFormatError unexpectedEndOfFormula();
    /// "!Missing operator."
    [[nodiscard]] static FieldFormatError missingOperator();
    /// "!Zero divide."
    [[nodiscard]] static FieldFormatError zeroDivide();
    /// "'<value>' is not a valid value for '<name>'".
    [[nodiscard]] static FieldFormatError invalidArgument(std::u16string_view value, std::string_view name);
};

} // namespace velmo::model
