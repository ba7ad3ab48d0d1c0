#include "model/fields/numeric_field_formatter.h"

#include "core/culture.h"
#include "model/fields/field_format_error.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace velmo::model {

namespace {

enum class NumberFormatRangeType : uint8_t {
    Text,
    Sign,
    StartNumberMask, ///< the leftmost placeholder: takes every integer digit still left
    NumberMask,
    DecimalSeparator,
    GroupSeparator,
    Terminator,      ///< an "x" as the leftmost placeholder: takes one digit and drops the rest
};

struct NumberFormatRange {
    NumberFormatRangeType type;
    std::u16string text; // the picture characters, or the literal text
};

struct NumberPattern {
    std::vector<NumberFormatRange> ranges;
    int32_t fractionPlaceholders = 0;
    bool hasGroupSeparator = false;
    bool hasSign = false;
};

bool merges(NumberFormatRangeType type) noexcept
{
    return type == NumberFormatRangeType::Text || type == NumberFormatRangeType::Sign ||
           type == NumberFormatRangeType::NumberMask || type == NumberFormatRangeType::GroupSeparator;
}

void appendRange(NumberPattern& pattern, NumberFormatRangeType type, std::u16string_view text)
{
    if (!pattern.ranges.empty() && pattern.ranges.back().type == type && merges(type))
        pattern.ranges.back().text += text;
    else
        pattern.ranges.push_back({type, std::u16string(text)});
}

std::u16string_view cutPicture(std::u16string_view picture) noexcept
{
    if (picture.size() <= NumericFieldFormatter::kMaxPictureLength)
        return picture;
    size_t length = NumericFieldFormatter::kMaxPictureLength;
    if (U16_IS_LEAD(picture[length - 1]))
        --length; // keep surrogate pairs whole
    return picture.substr(0, length);
}

/// The positive, negative and zero patterns, as many as the picture gives.
std::vector<NumberPattern> parsePicture(std::u16string_view picture)
{
    using Type = NumberFormatRangeType;
    picture = cutPicture(picture);
    std::vector<NumberPattern> patterns(1);
    bool placeholderSeen = false;
    bool inFraction = false;
    for (size_t index = 0; index < picture.size(); ++index) {
        NumberPattern& pattern = patterns.back();
        const char16_t character = picture[index];
        switch (character) {
        case u';':
            if (patterns.size() == 3)
                return patterns;
            patterns.emplace_back();
            placeholderSeen = false;
            inFraction = false;
            break;
        case u'0':
        case u'#':
        case u'x':
            if (placeholderSeen)
                appendRange(pattern, Type::NumberMask, picture.substr(index, 1));
            else
                appendRange(pattern, character == u'x' ? Type::Terminator : Type::StartNumberMask,
                            picture.substr(index, 1));
            placeholderSeen = true;
            if (inFraction)
                ++pattern.fractionPlaceholders;
            break;
        case u'.':
            appendRange(pattern, inFraction ? Type::Text : Type::DecimalSeparator, u".");
            inFraction = true;
            break;
        case u',':
            appendRange(pattern, Type::GroupSeparator, u",");
            pattern.hasGroupSeparator = true;
            break;
        case u'+':
        case u'-':
            appendRange(pattern, Type::Sign, picture.substr(index, 1));
            pattern.hasSign = true;
            break;
        case u'\'': {
            const size_t closing = picture.find(u'\'', index + 1);
            if (closing == std::u16string_view::npos)
                throw FieldFormatError::unmatchedQuotes();
            appendRange(pattern, Type::Text, picture.substr(index + 1, closing - index - 1));
            index = closing;
            break;
        }
        case u'\\':
            if (index + 1 < picture.size()) {
                ++index;
                appendRange(pattern, Type::Text, picture.substr(index, 1));
            }
            break;
        case u'"':
            throw FieldFormatError::syntaxError(u"\"");
        default:
            appendRange(pattern, Type::Text, picture.substr(index, 1));
        }
    }
    return patterns;
}

/// A non-negative number as decimal digits: integer digits without leading zeros ("0" for
/// none) and fraction digits without trailing zeros.
struct DecimalDigits {
    std::string integer;
    std::string fraction;

    [[nodiscard]] bool isZero() const { return integer == "0" && fraction.empty(); }
};

/// Rounds on the shortest decimal form of `magnitude` (0.285 is taken as written, not as the
/// binary value just below it); an exact half goes toward zero, as documents expect.
DecimalDigits roundedDigits(double magnitude, int32_t decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t exponentStart = scientific.find('e');
    std::string mantissa(scientific.substr(0, exponentStart));
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(exponentStart + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0), exponentText.data() + exponentText.size(),
                    exponent);

    // The decimal point stands after `integerLength` digits of the mantissa.
    const int integerLength = exponent + 1;
    std::string digits; // integer and fraction digits together
    int32_t integerDigits = 0;
    if (integerLength <= 0) {
        digits = std::string(static_cast<size_t>(1 - integerLength), '0') + mantissa;
        integerDigits = 1;
    } else {
        digits = mantissa;
        if (static_cast<int>(digits.size()) < integerLength)
            digits.append(static_cast<size_t>(integerLength) - digits.size(), '0');
        integerDigits = integerLength;
    }

    const size_t kept = static_cast<size_t>(integerDigits + decimals);
    if (digits.size() > kept) {
        // An exact half rounds toward zero; anything above it rounds away.
        const bool aboveHalf = digits.find_first_not_of('0', kept + 1) != std::string::npos;
        const bool roundUp = digits[kept] > '5' || (digits[kept] == '5' && aboveHalf);
        digits.resize(kept);
        for (size_t index = kept; roundUp; --index) {
            if (index == 0) {
                digits.insert(digits.begin(), '1');
                ++integerDigits;
                break;
            }
            if (digits[index - 1] == '9') {
                digits[index - 1] = '0';
                continue;
            }
            ++digits[index - 1];
            break;
        }
    }

    const auto integerEnd = static_cast<size_t>(integerDigits);
    DecimalDigits split{digits.substr(0, integerEnd), digits.substr(integerEnd)};
    const size_t firstSignificant = split.integer.find_first_not_of('0');
    split.integer.erase(0, firstSignificant == std::string::npos ? split.integer.size() - 1 : firstSignificant);
    const size_t lastSignificant = split.fraction.find_last_not_of('0');
    split.fraction.resize(lastSignificant == std::string::npos ? 0 : lastSignificant + 1);
    return split;
}

bool isPlaceholderRange(NumberFormatRangeType type) noexcept
{
    return type == NumberFormatRangeType::StartNumberMask || type == NumberFormatRangeType::NumberMask ||
           type == NumberFormatRangeType::Terminator;
}

struct Separators {
    std::u16string_view decimal;
    std::u16string_view group;
    int32_t groupSize = 3;
    int32_t secondaryGroupSize = 3;
};

/// Writes one pattern; the integer part is laid out from right to left, the fraction from left to right.
class PatternWriter {
public:
    PatternWriter(const NumberPattern& pattern, const DecimalDigits& digits, bool negative,
                  bool minusBeforeFirstPlaceholder, const Separators& separators)
        : pattern_(pattern), digits_(digits), negative_(negative),
          minusBeforeFirstPlaceholder_(minusBeforeFirstPlaceholder), separators_(separators)
    {
    }

    std::u16string write()
    {
        const auto separator =
            std::find_if(pattern_.ranges.begin(), pattern_.ranges.end(), [](const NumberFormatRange& range) {
                return range.type == NumberFormatRangeType::DecimalSeparator;
            });
        std::u16string integerPart;
        remainingIntegerDigits_ = digits_.integer.size();
        for (auto range = separator; range != pattern_.ranges.begin();)
            writeIntegerRange(*--range, integerPart);
        std::u16string text(integerPart.rbegin(), integerPart.rend());
        if (separator != pattern_.ranges.end()) {
            text += separators_.decimal;
            for (auto range = separator + 1; range != pattern_.ranges.end(); ++range)
                writeFractionRange(*range, text);
        }
        while (!text.empty() && text.back() == u' ')
            text.pop_back();
        return text;
    }

private:
    // The integer part is built reversed, so every piece is appended back to front.
    static void appendReversed(std::u16string& reversed, std::u16string_view piece)
    {
        reversed.append(piece.rbegin(), piece.rend());
    }

    [[nodiscard]] bool isGroupBoundary(int32_t digitsWritten) const noexcept
    {
        const int32_t first = separators_.groupSize;
        const int32_t further = separators_.secondaryGroupSize;
        if (first <= 0 || !pattern_.hasGroupSeparator)
            return false;
        if (digitsWritten == first)
            return true;
        return digitsWritten > first && further > 0 && (digitsWritten - first) % further == 0;
    }

    void writeIntegerDigit(char16_t digit, std::u16string& reversed)
    {
        if (integerDigitsWritten_ > 0 && isGroupBoundary(integerDigitsWritten_))
            appendReversed(reversed, separators_.group);
        reversed += digit;
        ++integerDigitsWritten_;
    }

    void writeMissingIntegerDigit(char16_t placeholder, std::u16string& reversed)
    {
        if (placeholder == u'0')
            writeIntegerDigit(u'0', reversed);
        else
            reversed += u' ';
    }

    char16_t nextIntegerDigit() { return static_cast<char16_t>(digits_.integer[--remainingIntegerDigits_]); }

    void writeIntegerRange(const NumberFormatRange& range, std::u16string& reversed)
    {
        using Type = NumberFormatRangeType;
        switch (range.type) {
        case Type::Text:
            appendReversed(reversed, range.text);
            break;
        case Type::Sign:
            appendReversed(reversed, signText(range.text));
            break;
        case Type::GroupSeparator:
        case Type::DecimalSeparator:
            break;
        case Type::NumberMask:
            for (auto placeholder = range.text.rbegin(); placeholder != range.text.rend(); ++placeholder) {
                if (remainingIntegerDigits_ > 0)
                    writeIntegerDigit(nextIntegerDigit(), reversed);
                else
                    writeMissingIntegerDigit(*placeholder, reversed);
            }
            break;
        case Type::StartNumberMask:
        case Type::Terminator:
            if (remainingIntegerDigits_ == 0) {
                writeMissingIntegerDigit(range.text[0], reversed);
            } else if (range.type == Type::Terminator) {
                writeIntegerDigit(nextIntegerDigit(), reversed);
                remainingIntegerDigits_ = 0;
            } else {
                while (remainingIntegerDigits_ > 0)
                    writeIntegerDigit(nextIntegerDigit(), reversed);
            }
            if (minusBeforeFirstPlaceholder_)
                reversed += u'-';
            break;
        }
    }

    void writeFractionRange(const NumberFormatRange& range, std::u16string& text)
    {
        using Type = NumberFormatRangeType;
        if (range.type == Type::Text) {
            text += range.text;
        } else if (range.type == Type::Sign) {
            text += signText(range.text);
        } else if (isPlaceholderRange(range.type)) {
            if (range.type != Type::NumberMask && minusBeforeFirstPlaceholder_)
                text += u'-';
            for (const char16_t placeholder : range.text) {
                if (fractionDigitsWritten_ < digits_.fraction.size())
                    text += static_cast<char16_t>(digits_.fraction[fractionDigitsWritten_++]);
                else if (placeholder == u'0')
                    text += u'0';
                else if (placeholder == u'#')
                    text += u' ';
            }
        }
    }

    [[nodiscard]] std::u16string signText(std::u16string_view signs) const
    {
        std::u16string text;
        for (const char16_t sign : signs)
            text += negative_ ? u'-' : sign == u'+' ? u'+' : u' ';
        return text;
    }

    const NumberPattern& pattern_;
    const DecimalDigits& digits_;
    bool negative_;
    bool minusBeforeFirstPlaceholder_;
    const Separators& separators_;
    size_t remainingIntegerDigits_ = 0;
    int32_t integerDigitsWritten_ = 0;
    size_t fractionDigitsWritten_ = 0;
};

} // namespace

NumericFieldFormatter::NumericFieldFormatter(const core::Culture& culture,
                                             std::optional<NumberSeparators> customSeparators)
    : culture_(culture), customSeparators_(std::move(customSeparators))
{
}

std::u16string NumericFieldFormatter::format(double value, std::u16string_view picture) const
{
    if (!std::isfinite(value))
        throw FieldFormatError::numberNotRepresentable();
    const std::vector<NumberPattern> patterns = parsePicture(picture);
    const NumberPattern* pattern = &patterns[0];
    if (value < 0 && patterns.size() > 1 && !patterns[1].ranges.empty())
        pattern = &patterns[1];
    else if (value == 0 && patterns.size() > 2 && !patterns[2].ranges.empty())
        pattern = &patterns[2];
    if (pattern->ranges.empty())
        return {};

    const int32_t decimals = std::min(pattern->fractionPlaceholders, kMaxFractionDigits);
    const DecimalDigits digits = roundedDigits(std::fabs(value), decimals);
    const bool negative = value < 0 && !digits.isZero();
    const bool minusBeforeFirstPlaceholder = negative && pattern == &patterns[0] && !pattern->hasSign;
    const Separators separators =
        customSeparators_ ? Separators{customSeparators_->decimal, customSeparators_->group}
                          : Separators{culture_.decimalSeparator(), culture_.groupSeparator(), culture_.groupSize(),
                                       culture_.secondaryGroupSize()};
    return PatternWriter(*pattern, digits, negative, minusBeforeFirstPlaceholder, separators).write();
}

} // namespace velmo::model
