#include "model/string_unit_value.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>

namespace velmo::model {

namespace {

struct SuffixEntry {
    std::u16string_view suffix; // upper case
    UnitType type;
};

constexpr std::array kUnitSuffixes = {
    SuffixEntry{u"", UnitType::Pixel},        SuffixEntry{u"PX", UnitType::Pixel},     SuffixEntry{u"PT", UnitType::Point},
    SuffixEntry{u"%", UnitType::Percentage},  SuffixEntry{u"PC", UnitType::Pica},      SuffixEntry{u"IN", UnitType::Inch},
    SuffixEntry{u"MM", UnitType::Millimeter}, SuffixEntry{u"CM", UnitType::Centimeter}, SuffixEntry{u"EM", UnitType::Em},
    SuffixEntry{u"EX", UnitType::Ex},
};

constexpr std::array kVmlUnitSuffixes = {
    SuffixEntry{u"", UnitType::Emu},         SuffixEntry{u"PX", UnitType::Pixel},     SuffixEntry{u"PT", UnitType::Point},
    SuffixEntry{u"PC", UnitType::Pica},      SuffixEntry{u"IN", UnitType::Inch},      SuffixEntry{u"MM", UnitType::Millimeter},
    SuffixEntry{u"CM", UnitType::Centimeter},
};

constexpr std::array kRotationUnitSuffixes = {
    SuffixEntry{u"", UnitType::Degree},
    SuffixEntry{u"FD", UnitType::FixedDegree},
};

/// An optional sign, digits and at most one point, in invariant notation.
std::optional<float> parseNumber(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t character : text) {
        if (character > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(character));
    }
    if (!ascii.empty() && ascii.front() == '+')
        ascii.erase(0, 1);
    if (ascii.empty() || ascii.front() == '+' || ascii.find_first_of("eEinxXpP") != std::string::npos)
        return std::nullopt;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

Unit parse(std::u16string_view text, std::span<const SuffixEntry> suffixes, UnitType unparsedType, float minimum,
           float maximum)
{
    const size_t split = text.find_last_of(u"0123456789.");
    const std::u16string_view number = split == std::u16string_view::npos ? std::u16string_view() : text.substr(0, split + 1);
    std::u16string suffix(split == std::u16string_view::npos ? text : text.substr(split + 1));
    for (char16_t& character : suffix) {
        if (character >= u'a' && character <= u'z')
            character = static_cast<char16_t>(character - u'a' + u'A');
    }
    const SuffixEntry* entry = nullptr;
    for (const SuffixEntry& candidate : suffixes) {
        if (candidate.suffix == suffix)
            entry = &candidate;
    }
    if (!entry)
        throw core::EditorException::invalidValue(core::utf16ToUtf8(text), "UnitType");
    const std::optional<float> value = parseNumber(number);
    if (!value)
        return Unit{0.0f, unparsedType};
    Unit result{*value, entry->type};
    if (result.type == UnitType::Pixel || result.type == UnitType::Emu)
        result.value = std::trunc(result.value);
    if (result.value < minimum || result.value > maximum)
        throw core::EditorException::internalError();
    return result;
}

} // namespace

Unit StringUnitValueParser::parseUnit(std::u16string_view text, float minimum, float maximum)
{
    return parse(text, kUnitSuffixes, UnitType::Pixel, minimum, maximum);
}

Unit StringUnitValueParser::parseVmlUnit(std::u16string_view text, float minimum, float maximum)
{
    return parse(text, kVmlUnitSuffixes, UnitType::Emu, minimum, maximum);
}

Unit StringUnitValueParser::parseRotationUnit(std::u16string_view text, float minimum, float maximum)
{
    return parse(text, kRotationUnitSuffixes, UnitType::Degree, minimum, maximum);
}

std::u16string formatVmlUnit(const Unit& unit)
{
    std::string number;
    if (unit.type == UnitType::Pixel || unit.type == UnitType::Emu) {
        number = std::to_string(static_cast<int64_t>(unit.value));
    } else {
        char buffer[32];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, unit.value);
        number.assign(buffer, error == std::errc() ? end : buffer);
    }
    const char* suffix = "";
    switch (unit.type) {
    case UnitType::Pixel: suffix = "px"; break;
    case UnitType::Point: suffix = "pt"; break;
    case UnitType::Pica: suffix = "pc"; break;
    case UnitType::Inch: suffix = "in"; break;
    case UnitType::Millimeter: suffix = "mm"; break;
    case UnitType::Centimeter: suffix = "cm"; break;
    case UnitType::Percentage: break;
    case UnitType::Em: break;
    case UnitType::Ex: break;
    case UnitType::Emu: break;
    case UnitType::Degree: break;
    case UnitType::FixedDegree: break;
    }
    return core::utf8ToUtf16(number + suffix);
}

} // namespace velmo::model
