#include "model/fields/instruction_collection.h"

#include "model/fields/calculated_field_base.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace velmo::model {

namespace {

bool isFormattingSwitch(std::u16string_view key) noexcept
{
    return key == u"\\@" || key == u"\\#" || key == u"\\*" || key == u"\\$";
}

} // namespace

void InstructionCollection::addSwitch(const std::u16string& key, std::optional<FieldToken> argument)
{
    const auto found = std::find_if(switches_.begin(), switches_.end(), [&key](const auto& entry) { return entry.first == key; });
    if (found != switches_.end()) {
        found->second.push_back(std::move(argument));
        return;
    }
    switches_.emplace_back(key, std::vector<std::optional<FieldToken>>{});
    switches_.back().second.push_back(std::move(argument));
}

std::u16string InstructionCollection::argumentText(int32_t index) const
{
    if (index < 0 || index >= argumentCount())
        return {};
    return arguments_[static_cast<size_t>(index)].text;
}

std::optional<DocumentLogInterval> InstructionCollection::argumentInterval(int32_t index) const
{
    if (index < 0 || index >= argumentCount())
        return std::nullopt;
    return arguments_[static_cast<size_t>(index)].interval;
}

const std::vector<std::optional<FieldToken>>* InstructionCollection::occurrences(std::u16string_view key) const
{
    const auto found = std::find_if(switches_.begin(), switches_.end(), [key](const auto& entry) { return entry.first == key; });
    return found == switches_.end() ? nullptr : &found->second;
}

bool InstructionCollection::hasSwitch(std::u16string_view key) const
{
    return occurrences(key) != nullptr;
}

std::optional<std::u16string> InstructionCollection::stringValue(std::u16string_view key) const
{
    const auto* found = occurrences(key);
    if (!found)
        return std::nullopt;
    const std::optional<FieldToken>& last = found->back();
    return last ? last->text : std::u16string();
}

std::vector<std::u16string> InstructionCollection::stringValues(std::u16string_view key) const
{
    std::vector<std::u16string> result;
    if (const auto* found = occurrences(key)) {
        for (const std::optional<FieldToken>& argument : *found)
            result.push_back(argument ? argument->text : std::u16string());
    }
    return result;
}

std::optional<int32_t> InstructionCollection::nullableIntValue(std::u16string_view key) const
{
    const std::optional<std::u16string> text = stringValue(key);
    return text ? parseFieldInteger(*text) : std::nullopt;
}

std::optional<DocumentLogInterval> InstructionCollection::switchArgumentInterval(std::u16string_view key, bool withQuotes) const
{
    const auto* found = occurrences(key);
    if (!found || !found->back())
        return std::nullopt;
    const FieldToken& argument = *found->back();
    if (withQuotes && argument.kind == FieldTokenKind::QuotedText)
        return DocumentLogInterval{argument.interval.start - 1, argument.interval.length + 2};
    return argument.interval;
}

void parseInstructions(FieldScanner& scanner, const CalculatedFieldBase& field, InstructionCollection& instructions)
{
    std::optional<FieldToken> token = scanner.scanNextToken();
    while (token) {
        if (token->kind != FieldTokenKind::Switch) {
            instructions.addArgument(std::move(*token));
            token = scanner.scanNextToken();
            continue;
        }
        const std::u16string key = std::move(token->text);
        token = scanner.scanNextToken();
        const bool takesArgument = isFormattingSwitch(key) || field.isSwitchWithArgument(key);
        if (takesArgument && token && token->isArgument()) {
            instructions.addSwitch(key, std::move(*token));
            token = scanner.scanNextToken();
        } else {
            instructions.addSwitch(key, std::nullopt);
        }
    }
}

std::optional<int32_t> parseFieldInteger(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t character : text) {
        if (character > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(character));
    }
    const char* begin = ascii.data();
    const char* end = ascii.data() + ascii.size();
    if (begin != end && *begin == '+')
        ++begin;
    int32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || begin == end)
        return std::nullopt;
    return value;
}

std::u16string fieldIntegerText(int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace velmo::model
