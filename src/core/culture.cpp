#include "core/culture.h"

#include "core/editor_exception.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uchar.h>
#include <unicode/ures.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace velmo::core {

namespace {

constexpr char16_t kNarrowNoBreakSpace = u'\u202F';

std::u16string toU16(const icu::UnicodeString& text)
{
    return {reinterpret_cast<const char16_t*>(text.getBuffer()), static_cast<size_t>(text.length())};
}

void throwInvalidCulture(std::string_view name)
{
    throw EditorException::invalidValue(name, "Culture");
}

/// The locale `name` stands for.
icu::Locale localeFor(std::string_view name)
{
    std::string tag(name);
    std::replace(tag.begin(), tag.end(), '_', '-');
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(tag, status);
    if (U_FAILURE(status) || locale.isBogus() || std::string_view(locale.getLanguage()).empty())
        throwInvalidCulture(name);
    // ICU answers an unknown language with the root locale's data and this warning.
    UResourceBundle* bundle = ures_open(nullptr, locale.getName(), &status);
    const bool known = U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
    ures_close(bundle);
    if (!known)
        throwInvalidCulture(name);
    return locale;
}

/// `locale` with the Gregorian calendar and the digits 0-9, whatever its own defaults.
icu::Locale withGregorianCalendarAndLatinDigits(icu::Locale locale)
{
    UErrorCode status = U_ZERO_ERROR;
    locale.setKeywordValue("calendar", "gregorian", status);
    locale.setKeywordValue("numbers", "latn", status);
    if (U_FAILURE(status))
        throw EditorException::internalError();
    return locale;
}

bool isAsciiLetter(char16_t character)
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

/// Writes literal pattern text so that a picture copies it unchanged: letters go in single quotes.
void appendLiteral(std::u16string& picture, std::u16string_view literal)
{
    const bool needsQuotes = std::any_of(literal.begin(), literal.end(), isAsciiLetter);
    if (needsQuotes)
        picture += u'\'';
    for (char16_t character : literal)
        picture += character == kNarrowNoBreakSpace ? u' ' : character;
    if (needsQuotes)
        picture += u'\'';
}

enum class YearDigits : uint8_t { AsPattern, Four };

/// The picture item for a run of `count` ICU pattern letters; empty for fields pictures lack
/// (era, time zone, week numbers...).
std::u16string_view pictureField(char16_t letter, int32_t count, YearDigits yearDigits)
{
    switch (letter) {
    case u'y':
    case u'Y':
    case u'u':
    case u'U':
    case u'r':
        return count == 2 && yearDigits == YearDigits::AsPattern ? u"yy" : u"yyyy";
    case u'M':
    case u'L':
        return std::u16string_view(u"MMMM").substr(0, count == 5 ? 3 : std::min(count, 4));
    case u'd':
        return std::u16string_view(u"dd").substr(0, std::min(count, 2));
    case u'E':
        return count == 4 ? u"dddd" : u"ddd";
    case u'c':
    case u'e':
        return count < 3 ? u"" : count == 4 ? u"dddd" : u"ddd";
    case u'h':
    case u'K':
        return std::u16string_view(u"hh").substr(0, std::min(count, 2));
    case u'H':
    case u'k':
        return std::u16string_view(u"HH").substr(0, std::min(count, 2));
    case u'm':
        return std::u16string_view(u"mm").substr(0, std::min(count, 2));
    case u's':
        return std::u16string_view(u"ss").substr(0, std::min(count, 2));
    case u'a':
    case u'b':
    case u'B':
        return u"am/pm";
    default:
        return u"";
    }
}

struct Picture {
    std::u16string text;
    std::u16string firstSeparator; // the literal between the first two fields
};

/// Rewrites an ICU date or time pattern as a field date-time picture.
Picture pictureFromIcuPattern(const std::u16string& pattern, YearDigits yearDigits)
{
    Picture picture;
    std::u16string literal;
    int32_t fieldCount = 0;
    const auto flushLiteral = [&] {
        if (fieldCount == 1 && picture.firstSeparator.empty())
            picture.firstSeparator = literal;
        appendLiteral(picture.text, literal);
        literal.clear();
    };
    for (size_t index = 0; index < pattern.size();) {
        const char16_t character = pattern[index];
        if (character == u'\'') {
            // Quoted text; '' is an apostrophe, which a picture cannot write, so it is left out.
            for (++index; index < pattern.size(); ++index) {
                if (pattern[index] != u'\'') {
                    literal += pattern[index];
                } else if (index + 1 < pattern.size() && pattern[index + 1] == u'\'') {
                    ++index;
                } else {
                    break;
                }
            }
            ++index;
            continue;
        }
        if (!isAsciiLetter(character)) {
            literal += character;
            ++index;
            continue;
        }
        size_t runEnd = index;
        while (runEnd < pattern.size() && pattern[runEnd] == character)
            ++runEnd;
        const std::u16string_view field = pictureField(character, static_cast<int32_t>(runEnd - index), yearDigits);
        index = runEnd;
        if (field.empty())
            continue;
        flushLiteral();
        picture.text += field;
        ++fieldCount;
    }
    flushLiteral();
    const auto isSpace = [](char16_t character) { return u_isUWhiteSpace(character) != 0; };
    while (!picture.text.empty() && isSpace(picture.text.back()))
        picture.text.pop_back();
    const auto firstKept = std::find_if_not(picture.text.begin(), picture.text.end(), isSpace);
    picture.text.erase(picture.text.begin(), firstKept);
    return picture;
}

enum class PatternKind : uint8_t { Date, Time };

Picture localePicture(icu::DateFormat::EStyle style, PatternKind kind, const icu::Locale& locale,
                      YearDigits yearDigits = YearDigits::AsPattern)
{
    std::unique_ptr<icu::DateFormat> format(kind == PatternKind::Date
                                                ? icu::DateFormat::createDateInstance(style, locale)
                                                : icu::DateFormat::createTimeInstance(style, locale));
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format.get());
    if (simple == nullptr)
        throw EditorException::internalError();
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return pictureFromIcuPattern(toU16(pattern), yearDigits);
}

using NameGetter = const icu::UnicodeString* (icu::DateFormatSymbols::*)(
    int32_t&, icu::DateFormatSymbols::DtContextType, icu::DateFormatSymbols::DtWidthType) const;

/// Copies day or month names; `first` is the index of the first name in ICU's array.
template <size_t N>
void copyNames(std::array<std::u16string, N>& target, const icu::DateFormatSymbols& symbols, NameGetter getter,
               icu::DateFormatSymbols::DtContextType context, icu::DateFormatSymbols::DtWidthType width, int32_t first)
{
    int32_t count = 0;
    const icu::UnicodeString* names = (symbols.*getter)(count, context, width);
    for (size_t index = 0; index < N && first + static_cast<int32_t>(index) < count; ++index)
        target[index] = toU16(names[first + static_cast<int32_t>(index)]);
}

bool isSpaceLikeSeparator(std::u16string_view separator)
{
    return separator == u" " || separator == u"\u00A0" || separator == u"\u202F";
}

/// Case mapping through one of ICU's u_strTo* functions, sized by a first pass.
template <typename Mapping>
std::u16string mapCase(std::u16string_view text, Mapping mapping)
{
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const auto sourceLength = static_cast<int32_t>(text.size());
    std::u16string result(text.size() + 8, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = mapping(reinterpret_cast<UChar*>(result.data()), static_cast<int32_t>(result.size()), source,
                             sourceLength, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        result.assign(static_cast<size_t>(length), u'\0');
        status = U_ZERO_ERROR;
        length = mapping(reinterpret_cast<UChar*>(result.data()), length, source, sourceLength, &status);
    }
    if (U_FAILURE(status))
        throw EditorException::internalError();
    result.resize(static_cast<size_t>(length));
    return result;
}

} // namespace

Culture::Culture(std::string_view name)
{
    const icu::Locale baseLocale = localeFor(name);
    UErrorCode status = U_ZERO_ERROR;
    name_ = baseLocale.toLanguageTag<std::string>(status);
    icuLocaleId_ = std::string(baseLocale.getName());
    const icu::Locale locale = withGregorianCalendarAndLatinDigits(baseLocale);

    const icu::DecimalFormatSymbols symbols(locale, status);
    std::unique_ptr<icu::NumberFormat> numberFormat(icu::NumberFormat::createInstance(locale, status));
    const icu::DateFormatSymbols dateSymbols(locale, status);
    const auto* decimalFormat = dynamic_cast<const icu::DecimalFormat*>(numberFormat.get());
    if (U_FAILURE(status) || decimalFormat == nullptr)
        throw EditorException::internalError();

    decimalSeparator_ = toU16(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    groupSeparator_ = toU16(symbols.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    negativeSign_ = toU16(symbols.getSymbol(icu::DecimalFormatSymbols::kMinusSignSymbol));
    groupSize_ = decimalFormat->isGroupingUsed() ? std::max(decimalFormat->getGroupingSize(), 0) : 0;
    const int32_t secondary = decimalFormat->getSecondaryGroupingSize();
    secondaryGroupSize_ = secondary > 0 ? secondary : groupSize_;
    listSeparator_ = decimalSeparator_ == u"," ? u";" : u",";

    using Symbols = icu::DateFormatSymbols;
    // ICU's weekday arrays start with an unused slot, Sunday is index 1.
    copyNames(dayNames_, dateSymbols, &Symbols::getWeekdays, Symbols::FORMAT, Symbols::WIDE, 1);
    copyNames(abbreviatedDayNames_, dateSymbols, &Symbols::getWeekdays, Symbols::FORMAT, Symbols::ABBREVIATED, 1);
    copyNames(monthNames_, dateSymbols, &Symbols::getMonths, Symbols::STANDALONE, Symbols::WIDE, 0);
    copyNames(abbreviatedMonthNames_, dateSymbols, &Symbols::getMonths, Symbols::STANDALONE, Symbols::ABBREVIATED, 0);
    copyNames(genitiveMonthNames_, dateSymbols, &Symbols::getMonths, Symbols::FORMAT, Symbols::WIDE, 0);
    copyNames(abbreviatedGenitiveMonthNames_, dateSymbols, &Symbols::getMonths, Symbols::FORMAT, Symbols::ABBREVIATED,
              0);
    int32_t count = 0;
    const icu::UnicodeString* amPm = dateSymbols.getAmPmStrings(count);
    if (count >= 2) {
        amDesignator_ = toU16(amPm[0]);
        pmDesignator_ = toU16(amPm[1]);
    }

    // Short dates show the whole year, as users expect in documents ("M/d/yyyy", not "M/d/yy").
    Picture shortDate = localePicture(icu::DateFormat::kShort, PatternKind::Date, locale, YearDigits::Four);
    Picture shortTime = localePicture(icu::DateFormat::kShort, PatternKind::Time, locale);
    shortDatePattern_ = std::move(shortDate.text);
    dateSeparator_ = std::move(shortDate.firstSeparator);
    shortTimePattern_ = std::move(shortTime.text);
    timeSeparator_ = std::move(shortTime.firstSeparator);
    longDatePattern_ = localePicture(icu::DateFormat::kFull, PatternKind::Date, locale).text;
    longTimePattern_ = localePicture(icu::DateFormat::kMedium, PatternKind::Time, locale).text;
}

std::u16string_view Culture::dayName(int32_t dayOfWeek, NameWidth width) const noexcept
{
    if (dayOfWeek < 0 || dayOfWeek > 6)
        return {};
    const auto& names = width == NameWidth::Full ? dayNames_ : abbreviatedDayNames_;
    return names[static_cast<size_t>(dayOfWeek)];
}

std::u16string_view Culture::monthName(int32_t month, NameWidth width) const noexcept
{
    if (month < 1 || month > 12)
        return {};
    const auto& names = width == NameWidth::Full ? monthNames_ : abbreviatedMonthNames_;
    return names[static_cast<size_t>(month - 1)];
}

std::u16string_view Culture::genitiveMonthName(int32_t month, NameWidth width) const noexcept
{
    if (month < 1 || month > 12)
        return {};
    const auto& names = width == NameWidth::Full ? genitiveMonthNames_ : abbreviatedGenitiveMonthNames_;
    return names[static_cast<size_t>(month - 1)];
}

std::optional<double> Culture::parseNumber(std::u16string_view text) const
{
    const auto isSpace = [](char16_t character) { return u_isUWhiteSpace(character) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);

    const bool spaceGroups = isSpaceLikeSeparator(groupSeparator_);
    const auto takeGroupSeparator = [&](std::u16string_view& rest) {
        if (spaceGroups && !rest.empty() && isSpaceLikeSeparator(rest.substr(0, 1))) {
            rest.remove_prefix(1);
            return true;
        }
        if (!groupSeparator_.empty() && rest.starts_with(groupSeparator_)) {
            rest.remove_prefix(groupSeparator_.size());
            return true;
        }
        return false;
    };
    const auto isDigit = [](std::u16string_view rest) { return !rest.empty() && rest[0] >= u'0' && rest[0] <= u'9'; };

    std::string ascii; // the number rewritten for std::from_chars
    ascii.reserve(text.size());
    if (text.starts_with(negativeSign_) && !negativeSign_.empty()) {
        ascii += '-';
        text.remove_prefix(negativeSign_.size());
    } else if (text.starts_with(u"-") || text.starts_with(u"\u2212")) {
        ascii += '-';
        text.remove_prefix(1);
    } else if (text.starts_with(u"+")) {
        text.remove_prefix(1);
    }

    bool hasDigits = false;
    while (isDigit(text)) {
        ascii += static_cast<char>(text[0]);
        text.remove_prefix(1);
        hasDigits = true;
        // A group separator counts only between two digits.
        std::u16string_view afterSeparator = text;
        if (takeGroupSeparator(afterSeparator) && isDigit(afterSeparator))
            text = afterSeparator;
    }
    if (text.starts_with(decimalSeparator_)) {
        text.remove_prefix(decimalSeparator_.size());
        ascii += '.';
        while (isDigit(text)) {
            ascii += static_cast<char>(text[0]);
            text.remove_prefix(1);
            hasDigits = true;
        }
    }
    if (!hasDigits)
        return std::nullopt;
    if (!text.empty() && (text[0] == u'e' || text[0] == u'E')) {
        ascii += 'e';
        text.remove_prefix(1);
        if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
            ascii += static_cast<char>(text[0]);
            text.remove_prefix(1);
        }
        if (!isDigit(text))
            return std::nullopt;
        while (isDigit(text)) {
            ascii += static_cast<char>(text[0]);
            text.remove_prefix(1);
        }
    }
    if (!text.empty())
        return std::nullopt;

    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

std::u16string Culture::formatNumber(double value) const
{
    if (std::isnan(value))
        return u"NaN";
    if (std::isinf(value))
        return value < 0 ? negativeSign_ + u"\u221E" : u"\u221E";
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::u16string text;
    for (const char* cursor = buffer; cursor != result.ptr; ++cursor) {
        switch (*cursor) {
        case '-':
            text += cursor == buffer ? negativeSign_ : u"-"; // the exponent's sign stays ASCII
            break;
        case '.':
            text += decimalSeparator_;
            break;
        case 'e':
            text += u'E';
            break;
        default:
            text += static_cast<char16_t>(*cursor);
        }
    }
    return text;
}

std::u16string Culture::toUpper(std::u16string_view text) const
{
    return mapCase(text, [this](UChar* target, int32_t capacity, const UChar* source, int32_t length,
                                UErrorCode* status) {
        return u_strToUpper(target, capacity, source, length, icuLocaleId_.c_str(), status);
    });
}

std::u16string Culture::toLower(std::u16string_view text) const
{
    return mapCase(text, [this](UChar* target, int32_t capacity, const UChar* source, int32_t length,
                                UErrorCode* status) {
        return u_strToLower(target, capacity, source, length, icuLocaleId_.c_str(), status);
    });
}

std::u16string Culture::toTitle(std::u16string_view text) const
{
    // A null break iterator means the culture's word breaks.
    return mapCase(text, [this](UChar* target, int32_t capacity, const UChar* source, int32_t length,
                                UErrorCode* status) {
        return u_strToTitle(target, capacity, source, length, nullptr, icuLocaleId_.c_str(), status);
    });
}

} // namespace velmo::core
