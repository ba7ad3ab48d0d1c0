#include "model/fields/general_field_formatter.h"

#include "core/culture.h"
#include "model/document_model_unit_converter.h"
#include "model/fields/field_format_error.h"
#include "model/fields/mathematical_calculator.h"
#include "model/fields/numeric_field_formatter.h"
#include "model/numbering/english_number_text.h"
#include "model/numbering/ordinal_based_number_converter.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <array>
#include <cmath>

namespace velmo::model {

namespace {

struct Keyword {
    std::u16string_view name;
    GeneralFieldFormat format;
};

constexpr std::array<Keyword, 27> kKeywords = {{
    {u"ALPHABETIC", GeneralFieldFormat::UpperAlphabetic},
    {u"alphabetic", GeneralFieldFormat::LowerAlphabetic},
    {u"arabic", GeneralFieldFormat::Arabic},
    {u"arabicdash", GeneralFieldFormat::ArabicDash},
    {u"cardtext", GeneralFieldFormat::CardText},
    {u"ordtext", GeneralFieldFormat::OrdText},
    {u"ordinal", GeneralFieldFormat::Ordinal},
    {u"dollartext", GeneralFieldFormat::DollarText},
    {u"hex", GeneralFieldFormat::Hex},
    {u"ROMAN", GeneralFieldFormat::UpperRoman},
    {u"roman", GeneralFieldFormat::LowerRoman},
    {u"circlenum", GeneralFieldFormat::CircleNum},
    {u"gb1", GeneralFieldFormat::Gb1},
    {u"gb2", GeneralFieldFormat::Gb2},
    {u"gb3", GeneralFieldFormat::Gb3},
    {u"gb4", GeneralFieldFormat::Gb4},
    {u"zodiac1", GeneralFieldFormat::Zodiac1},
    {u"zodiac2", GeneralFieldFormat::Zodiac2},
    {u"zodiac3", GeneralFieldFormat::Zodiac3},
    {u"dbchar", GeneralFieldFormat::DbChar},
    {u"dbnum1", GeneralFieldFormat::DbNum1},
    {u"kanjinum1", GeneralFieldFormat::DbNum1},
    {u"sbchar", GeneralFieldFormat::SbChar},
    {u"caps", GeneralFieldFormat::Caps},
    {u"firstcap", GeneralFieldFormat::FirstCap},
    {u"lower", GeneralFieldFormat::Lower},
    {u"upper", GeneralFieldFormat::Upper},
}};

constexpr std::u16string_view kHeavenlyStems = u"\u7532\u4E59\u4E19\u4E01\u620A\u5DF1\u5E9A\u8F9B\u58EC\u7678";
constexpr std::u16string_view kEarthlyBranches =
    u"\u5B50\u4E11\u5BC5\u536F\u8FB0\u5DF3\u5348\u672A\u7533\u9149\u620D\u4EA5";
constexpr std::u16string_view kIdeographicDigits = u"\u3007\u4E00\u4E8C\u4E09\u56DB\u4E94\u516D\u4E03\u516B\u4E5D";
constexpr char16_t kFirstCircledNumber = u'\u2460';
constexpr char16_t kFirstNumberWithFullStop = u'\u2488';
constexpr char16_t kFirstParenthesizedNumber = u'\u2474';
constexpr char16_t kFirstParenthesizedIdeograph = u'\u3220';

std::u16string asciiCaseMapped(std::u16string_view text, bool upper)
{
    std::u16string mapped(text);
    for (char16_t& character : mapped) {
        if (upper && character >= u'a' && character <= u'z')
            character = static_cast<char16_t>(character - u'a' + u'A');
        else if (!upper && character >= u'A' && character <= u'Z')
            character = static_cast<char16_t>(character - u'A' + u'a');
    }
    return mapped;
}

std::optional<GeneralFieldFormat> lookUp(std::u16string_view name)
{
    for (const Keyword& keyword : kKeywords) {
        if (keyword.name == name)
            return keyword.format;
    }
    return std::nullopt;
}

/// The value rounded to a whole number, halves to even.
int64_t wholeNumber(double value)
{
    constexpr double kLimit = 9.2e18; // inside the int64 range
    if (!std::isfinite(value) || std::fabs(value) >= kLimit)
        throw FieldFormatError::numberNotRepresentable();
    return roundHalfToEven(value);
}

int64_t wholeNumberWithin(double value, int64_t minimum, int64_t maximum)
{
    const int64_t number = wholeNumber(value);
    if (number < minimum || number > maximum)
        throw FieldFormatError::numberNotRepresentable();
    return number;
}

std::u16string converted(NumberingFormat format, int64_t value)
{
    return OrdinalBasedNumberConverter::createConverter(format).convertNumber(value);
}

std::u16string decimalText(int64_t value)
{
    return converted(NumberingFormat::Decimal, value);
}

/// `first` + value - 1 for values 1 to `count`, decimal digits otherwise.
std::u16string numberFromBlock(int64_t value, char16_t first, int64_t count)
{
    if (value < 1 || value > count)
        return decimalText(value);
    return std::u16string(1, static_cast<char16_t>(first + value - 1));
}

std::u16string symbolOrDecimal(int64_t value, std::u16string_view symbols)
{
    if (value < 1 || value > static_cast<int64_t>(symbols.size()))
        return decimalText(value);
    return std::u16string(1, symbols[static_cast<size_t>(value - 1)]);
}

std::u16string circledNumber(int64_t value)
{
    if (value < 0)
        throw FieldFormatError::numberNotRepresentable();
    return numberFromBlock(value, kFirstCircledNumber, 20);
}

std::u16string fullWidthText(std::u16string_view text)
{
    constexpr char16_t kFullWidthOffset = 0xFEE0;
    std::u16string wide;
    wide.reserve(text.size());
    for (const char16_t character : text) {
        if (character >= u'!' && character <= u'~')
            wide += static_cast<char16_t>(character + kFullWidthOffset);
        else if (character == u' ')
            wide += u'\u3000'; // ideographic space
        else if (character == u'\u2212')
            wide += u'\uFF0D'; // the minus sign some cultures use
        else
            throw FieldFormatError::invalidArgument(std::u16string(1, character), "numeric character");
    }
    return wide;
}

std::u16string ideographicDigits(int64_t value)
{
    std::u16string text = decimalText(value);
    for (char16_t& character : text) {
        if (character < u'0' || character > u'9')
            throw FieldFormatError::invalidArgument(std::u16string(1, character), "digit");
        character = kIdeographicDigits[static_cast<size_t>(character - u'0')];
    }
    return text;
}

/// Upper-cases the first letter or digit; the rest stays as it is.
std::u16string withFirstWordCapitalized(std::u16string_view text, const core::Culture& culture)
{
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t offset = 0; offset < length;) {
        const auto start = static_cast<size_t>(offset);
        UChar32 character = 0;
        U16_NEXT(text.data(), offset, length, character);
        if (u_isalnum(character)) {
            const auto end = static_cast<size_t>(offset);
            return std::u16string(text.substr(0, start)) + culture.toUpper(text.substr(start, end - start)) +
                   std::u16string(text.substr(end));
        }
    }
    return std::u16string(text);
}

} // namespace

std::optional<GeneralFieldFormat> GeneralFieldFormatter::findFormat(std::u16string_view keyword)
{
    const bool startsUpper = !keyword.empty() && keyword[0] >= u'A' && keyword[0] <= u'Z';
    if (const auto format = lookUp(asciiCaseMapped(keyword, startsUpper)))
        return format;
    return lookUp(asciiCaseMapped(keyword, false));
}

bool GeneralFieldFormatter::isNumberFormat(GeneralFieldFormat format) noexcept
{
    return format != GeneralFieldFormat::Caps && format != GeneralFieldFormat::FirstCap &&
           format != GeneralFieldFormat::Lower && format != GeneralFieldFormat::Upper;
}

std::u16string GeneralFieldFormatter::formatNumber(double value, GeneralFieldFormat format) const
{
    using Format = GeneralFieldFormat;
    switch (format) {
    case Format::UpperAlphabetic:
        return converted(NumberingFormat::UpperLetter, wholeNumberWithin(value, 0, 780));
    case Format::LowerAlphabetic:
        return converted(NumberingFormat::LowerLetter, wholeNumberWithin(value, 0, 780));
    case Format::Arabic:
        return decimalText(wholeNumber(value));
    case Format::ArabicDash:
        return u"- " + NumericFieldFormatter(culture_).format(value, u"0") + u" -";
    case Format::CardText:
        return cardinalEnglishText(static_cast<uint64_t>(wholeNumberWithin(value, 0, 999999)));
    case Format::OrdText:
        return ordinalEnglishText(static_cast<uint64_t>(wholeNumberWithin(value, 0, 999999)));
    case Format::Ordinal: {
        const int64_t number = wholeNumber(value);
        const uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
        return decimalText(number) + std::u16string(englishOrdinalSuffix(magnitude));
    }
    case Format::DollarText:
        if (!(value >= 0.0 && value < 1'000'000.0))
            throw FieldFormatError::numberNotRepresentable();
        return englishDollarText(value);
    case Format::Hex:
        return converted(NumberingFormat::Hex, wholeNumber(value));
    case Format::UpperRoman:
        return converted(NumberingFormat::UpperRoman, wholeNumber(value));
    case Format::LowerRoman:
        return converted(NumberingFormat::LowerRoman, wholeNumber(value));
    case Format::CircleNum:
        return circledNumber(wholeNumber(value));
    case Format::Gb1:
        return numberFromBlock(wholeNumber(value), kFirstNumberWithFullStop, 20);
    case Format::Gb2:
        return numberFromBlock(wholeNumber(value), kFirstParenthesizedNumber, 20);
    case Format::Gb3: {
        const int64_t number = wholeNumber(value);
        return number <= 10 ? circledNumber(number) : decimalText(number);
    }
    case Format::Gb4:
        return numberFromBlock(wholeNumber(value), kFirstParenthesizedIdeograph, 10);
    case Format::Zodiac1:
        return symbolOrDecimal(wholeNumber(value), kHeavenlyStems);
    case Format::Zodiac2:
        return symbolOrDecimal(wholeNumber(value), kEarthlyBranches);
    case Format::Zodiac3: {
        const int64_t number = wholeNumber(value);
        if (number < 0)
            throw FieldFormatError::numberNotRepresentable();
        if (number == 0)
            return u"0";
        return {kHeavenlyStems[static_cast<size_t>((number - 1) % 10)],
                kEarthlyBranches[static_cast<size_t>((number - 1) % 12)]};
    }
    case Format::DbChar:
        return fullWidthText(culture_.formatNumber(value));
    case Format::DbNum1:
        return ideographicDigits(wholeNumber(value));
    case Format::SbChar:
        return NumericFieldFormatter(culture_).format(value, u"0.##############");
    case Format::Caps:
    case Format::FirstCap:
    case Format::Lower:
    case Format::Upper:
        return formatText(culture_.formatNumber(value), format);
    }
    throw core::EditorException::internalError();
}

std::u16string GeneralFieldFormatter::formatText(std::u16string_view text, GeneralFieldFormat format) const
{
    if (isNumberFormat(format)) {
        if (const std::optional<double> number = culture_.parseNumber(text))
            return formatNumber(*number, format);
        // Text that is no number may still be a sum ("2+3"); anything else stays as it is.
        double value = 0;
        try {
            value = MathematicalCalculator(culture_).calculate(text);
        } catch (const FieldFormatError&) {
            return std::u16string(text);
        }
        return formatNumber(value, format);
    }
    if (format == GeneralFieldFormat::Caps)
        return culture_.toTitle(text);
    if (format == GeneralFieldFormat::Lower)
        return culture_.toLower(text);
    if (format == GeneralFieldFormat::Upper)
        return culture_.toUpper(text);
    return withFirstWordCapitalized(text, culture_);
}

} // namespace velmo::model
