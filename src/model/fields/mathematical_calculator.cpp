#include "model/fields/mathematical_calculator.h"

#include "core/culture.h"
#include "model/fields/field_format_error.h"

#include <cmath>

namespace velmo::model {

namespace {

bool isExpressionWhiteSpace(char16_t character) noexcept
{
    return character == u' ' || character == u'\t' || character == u'\n' || character == u'\r' || character == u'\u2003' ||
           character == u'\u2002' || character == u'\u2005';
}

bool isDigit(char16_t character) noexcept
{
    return character >= u'0' && character <= u'9';
}

OperationPriority priorityOf(OperationType type) noexcept
{
    switch (type) {
    case OperationType::Addition:
    case OperationType::Subtraction: return OperationPriority::Low;
    case OperationType::Multiplication:
    case OperationType::Division: return OperationPriority::Medium;
    case OperationType::Power: return OperationPriority::High;
    case OperationType::Percentage:
    case OperationType::Negation: return OperationPriority::Highest;
    }
    return OperationPriority::Low;
}

Association associationOf(OperationType type) noexcept
{
    switch (type) {
    case OperationType::Addition:
    case OperationType::Subtraction:
    case OperationType::Multiplication:
    case OperationType::Division: return Association::Left;
    case OperationType::Power:
    case OperationType::Percentage:
    case OperationType::Negation: return Association::Right;
    }
    return Association::Left;
}

bool binaryOperation(char16_t character, OperationType& type) noexcept
{
    switch (character) {
    case u'+': type = OperationType::Addition; return true;
    case u'-': type = OperationType::Subtraction; return true;
    case u'*': type = OperationType::Multiplication; return true;
    case u'/': type = OperationType::Division; return true;
    case u'^': type = OperationType::Power; return true;
    default: return false;
    }
}

PostfixToken operationToken(OperationType type) noexcept
{
    PostfixToken token;
    token.isOperation = true;
    token.operation = type;
    return token;
}

} // namespace

std::vector<PostfixToken> InfixNotationParser::parse(std::u16string_view expression) const
{
    const std::u16string_view separator = culture_.decimalSeparator();
    const auto startsConstant = [&](size_t index) {
        return isDigit(expression[index]) || (!separator.empty() && expression.substr(index).starts_with(separator));
    };
    std::vector<PostfixToken> output;
    std::vector<std::vector<OperationType>> stacks(1); // one operator stack per open parenthesis
    bool expectOperand = true;
    bool afterPercentage = false;
    const auto popAll = [&output](std::vector<OperationType>& stack) {
        for (auto type = stack.rbegin(); type != stack.rend(); ++type)
            output.push_back(operationToken(*type));
        stack.clear();
    };
    for (size_t index = 0; index < expression.size();) {
        const char16_t character = expression[index];
        if (isExpressionWhiteSpace(character)) {
            ++index;
            continue;
        }
        if (startsConstant(index)) {
            if (!expectOperand)
                throw FieldFormatError::missingOperator();
            const size_t start = index;
            while (index < expression.size() && startsConstant(index))
                index += isDigit(expression[index]) ? 1 : separator.size();
            const std::u16string_view constant = expression.substr(start, index - start);
            const std::optional<double> value = culture_.parseNumber(constant);
            if (!value)
                throw FieldFormatError::syntaxError(constant);
            PostfixToken token;
            token.value = *value;
            output.push_back(token);
            expectOperand = false;
            afterPercentage = false;
            continue;
        }
        ++index;
        if (character == u'(') {
            if (!expectOperand)
                throw FieldFormatError::missingOperator();
            stacks.emplace_back();
            continue;
        }
        if (character == u')') {
            if (expectOperand || stacks.size() < 2)
                throw FieldFormatError::unexpectedEndOfFormula();
            popAll(stacks.back());
            stacks.pop_back();
            continue;
        }
        if (character == u'%') {
            if (expectOperand || afterPercentage)
                throw FieldFormatError::syntaxError(std::u16string(1, character));
            output.push_back(operationToken(OperationType::Percentage)); // postfix: binds to the operand before it
            afterPercentage = true;
            continue;
        }
        if (character == u'-' && expectOperand) {
            stacks.back().push_back(OperationType::Negation);
            continue;
        }
        OperationType type = OperationType::Addition;
        if (!binaryOperation(character, type) || expectOperand)
            throw FieldFormatError::syntaxError(std::u16string(1, character));
        std::vector<OperationType>& stack = stacks.back();
        while (!stack.empty()) {
            const OperationPriority top = priorityOf(stack.back());
            const OperationPriority incoming = priorityOf(type);
            if (top > incoming || (top == incoming && associationOf(type) == Association::Left)) {
                output.push_back(operationToken(stack.back()));
                stack.pop_back();
            } else {
                break;
            }
        }
        stack.push_back(type);
        expectOperand = true;
        afterPercentage = false;
    }
    if (expectOperand || stacks.size() > 1)
        throw FieldFormatError::unexpectedEndOfFormula();
    popAll(stacks.back());
    return output;
}

double MathematicalCalculator::calculate(std::u16string_view expression) const
{
    std::vector<double> stack;
    const auto pop = [&stack] {
        if (stack.empty())
            throw FieldFormatError::unexpectedEndOfFormula();
        const double value = stack.back();
        stack.pop_back();
        return value;
    };
    for (const PostfixToken& token : parser_.parse(expression)) {
        if (!token.isOperation) {
            stack.push_back(token.value);
            continue;
        }
        if (token.operation == OperationType::Negation) {
            stack.push_back(-pop());
            continue;
        }
        if (token.operation == OperationType::Percentage) {
            stack.push_back(pop() / 100);
            continue;
        }
        const double right = pop();
        const double left = pop();
        switch (token.operation) {
        case OperationType::Addition: stack.push_back(left + right); break;
        case OperationType::Subtraction: stack.push_back(left - right); break;
        case OperationType::Multiplication: stack.push_back(left * right); break;
        case OperationType::Division:
            if (right == 0)
                throw FieldFormatError::zeroDivide();
            stack.push_back(left / right);
            break;
        case OperationType::Power: stack.push_back(std::pow(left, right)); break;
        case OperationType::Percentage:
        case OperationType::Negation: break;
        }
    }
    double sum = 0;
    for (const double value : stack)
        sum += value;
    return sum;
}

} // namespace velmo::model
