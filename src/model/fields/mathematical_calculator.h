#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::core {
class Culture;
}

namespace velmo::model {

enum class OperationType : uint8_t { Addition, Subtraction, Multiplication, Division, Power, Percentage, Negation };
enum class OperationPriority : uint8_t { Low, Medium, High, Highest };
enum class Association : uint8_t { Left, Right };

/// One step of an expression in postfix order: a number, or an operation on the numbers before it.
struct PostfixToken {
    bool isOperation = false;
    double value = 0;
    OperationType operation = OperationType::Addition;
};

/// Turns an arithmetic expression into postfix order with an operator stack per parenthesis
/// level. Numbers are digits and the culture's decimal separator; operators are + and -
/// (low priority), * and / (medium), ^ (high, right to left), a postfix % that divides by 100
/// and a leading - (both highest). Errors are FieldFormatError: "!Missing operator." for a number
/// right after an operand, "Syntax Error, <c>." for a character that fits nowhere (also a second
/// %), "!Unexpected end of formula." for an unmatched parenthesis or a missing operand.
class InfixNotationParser {
public:
    /// The culture must outlive the parser.
    explicit InfixNotationParser(const core::Culture& culture) noexcept : culture_(culture) {}

    [[nodiscard]] std::vector<PostfixToken> parse(std::u16string_view expression) const;

private:
    const core::Culture& culture_;
};

/// Evaluates arithmetic expressions (see InfixNotationParser for what they may hold) on doubles.
/// Division by zero fails with "!Zero divide.".
class MathematicalCalculator {
public:
    /// The culture must outlive the calculator.
    explicit MathematicalCalculator(const core::Culture& culture) noexcept : parser_(culture) {}

    [[nodiscard]] double calculate(std::u16string_view expression) const;

private:
    InfixNotationParser parser_;
};

} // namespace velmo::model
