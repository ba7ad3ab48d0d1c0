#pragma once

#include "model/fields/field_scanner.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo::model {

class CalculatedFieldBase;

/// A parsed field code: the type, the argument tokens in order, and the switches with the
/// argument given to each occurrence. A switch given several times keeps every occurrence; the
/// single-value getters read the last one.
class InstructionCollection {
public:
    [[nodiscard]] const FieldTypeToken& fieldType() const noexcept { return fieldType_; }
    void setFieldType(FieldTypeToken fieldType) { fieldType_ = std::move(fieldType); }

    void addArgument(FieldToken token) { arguments_.push_back(std::move(token)); }
    /// `argument` is none for a switch given without one.
    void addSwitch(const std::u16string& key, std::optional<FieldToken> argument);

    [[nodiscard]] int32_t argumentCount() const noexcept { return static_cast<int32_t>(arguments_.size()); }
    [[nodiscard]] const std::vector<FieldToken>& arguments() const noexcept { return arguments_; }
    /// Argument `index` as text; empty when there is no such argument.
    [[nodiscard]] std::u16string argumentText(int32_t index) const;
    [[nodiscard]] std::optional<DocumentLogInterval> argumentInterval(int32_t index) const;

    [[nodiscard]] bool hasSwitch(std::u16string_view key) const;
    /// The last occurrence's argument; empty text for a switch without one, none when absent.
    [[nodiscard]] std::optional<std::u16string> stringValue(std::u16string_view key) const;
    /// Every occurrence's argument in order (empty text where one has none).
    [[nodiscard]] std::vector<std::u16string> stringValues(std::u16string_view key) const;
    /// The last argument read as a whole number; none when absent or not a number.
    [[nodiscard]] std::optional<int32_t> nullableIntValue(std::u16string_view key) const;
    /// As nullableIntValue(), 0 instead of none.
    [[nodiscard]] int32_t intValue(std::u16string_view key) const { return nullableIntValue(key).value_or(0); }
    /// Where the last occurrence's argument lies; with `withQuotes`, a quoted argument's quotes
    /// are included. None when the switch is absent or has no argument.
    [[nodiscard]] std::optional<DocumentLogInterval> switchArgumentInterval(std::u16string_view key, bool withQuotes = false) const;

private:
    [[nodiscard]] const std::vector<std::optional<FieldToken>>* occurrences(std::u16string_view key) const;

    FieldTypeToken fieldType_;
    std::vector<FieldToken> arguments_;
    std::vector<std::pair<std::u16string, std::vector<std::optional<FieldToken>>>> switches_; // in order of first use
};

/// Reads the tokens after the type name into `instructions`. The formatting switches (\@, \#, \*,
/// \$) and the switches `field` lists as taking an argument take the next token when it is an
/// argument; any other switch is a flag.
void parseInstructions(FieldScanner& scanner, const CalculatedFieldBase& field, InstructionCollection& instructions);

/// A whole number written in decimal with an optional sign; none for anything else.
[[nodiscard]] std::optional<int32_t> parseFieldInteger(std::u16string_view text);
/// A whole number in decimal digits, a minus sign before a negative one.
[[nodiscard]] std::u16string fieldIntegerText(int64_t value);

} // namespace velmo::model
