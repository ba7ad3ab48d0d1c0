#include "model/fields/date_time_field_formatter.h"

#include "core/culture.h"
#include "core/date_time.h"
#include "core/editor_exception.h"
#include "model/fields/field_format_error.h"

#include <algorithm>
#include <span>
#include <vector>

namespace velmo::model {

namespace {

enum class ItemKind : uint8_t { Literal, Day, Month, Year, Hour24, Hour12, Minute, Second, AmPm };

struct PictureItem {
    ItemKind kind = ItemKind::Literal;
    int32_t length = 0;   // letters the item stands for: 1-4 for days and months, 2 or 4 for years
    std::u16string_view literal;
};

ItemKind itemKindOf(char16_t letter) noexcept
{
    switch (letter) {
    case u'd':
    case u'D': return ItemKind::Day;
    case u'M': return ItemKind::Month;
    case u'y':
    case u'Y': return ItemKind::Year;
    case u'H': return ItemKind::Hour24;
    case u'h': return ItemKind::Hour12;
    case u'm': return ItemKind::Minute;
    case u's':
    case u'S': return ItemKind::Second;
    default: return ItemKind::Literal;
    }
}

std::span<const int32_t> allowedLengths(ItemKind kind) noexcept
{
    static constexpr int32_t kNames[] = {1, 2, 3, 4};
    static constexpr int32_t kYears[] = {2, 4};
    static constexpr int32_t kNumbers[] = {1, 2};
    switch (kind) {
    case ItemKind::Day:
    case ItemKind::Month: return kNames;
    case ItemKind::Year: return kYears;
    case ItemKind::Hour24:
    case ItemKind::Hour12:
    case ItemKind::Minute:
    case ItemKind::Second:
    case ItemKind::Literal:
    case ItemKind::AmPm: return kNumbers;
    }
    return kNumbers;
}

bool startsWithAmPm(std::u16string_view text) noexcept
{
    constexpr std::u16string_view kAmPm = u"am/pm";
    if (text.size() < kAmPm.size())
        return false;
    for (size_t index = 0; index < kAmPm.size(); ++index) {
        char16_t character = text[index];
        if (character >= u'A' && character <= u'Z')
            character = static_cast<char16_t>(character - u'A' + u'a');
        if (character != kAmPm[index])
            return false;
    }
    return true;
}

/// Splits a picture into items; throws on an unclosed quote.
std::vector<PictureItem> parsePicture(std::u16string_view picture)
{
    std::vector<PictureItem> items;
    size_t index = 0;
    while (index < picture.size()) {
        const char16_t character = picture[index];
        if (character == u'\'') {
            if (index + 2 >= picture.size()) {
                ++index;
                continue;
            }
            const size_t closing = picture.find(u'\'', index + 1);
            if (closing == std::u16string_view::npos)
                throw FieldFormatError::unmatchedQuotes();
            items.push_back({ItemKind::Literal, 0, picture.substr(index + 1, closing - index - 1)});
            index = closing + 1;
            continue;
        }
        if (startsWithAmPm(picture.substr(index))) {
            items.push_back({ItemKind::AmPm, 0, {}});
            index += 5;
            continue;
        }
        const ItemKind kind = itemKindOf(character);
        if (kind == ItemKind::Literal) {
            items.push_back({ItemKind::Literal, 0, picture.substr(index, 1)});
            ++index;
            continue;
        }
        size_t runEnd = index;
        while (runEnd < picture.size() && itemKindOf(picture[runEnd]) == kind)
            ++runEnd;
        const auto runLength = static_cast<int32_t>(runEnd - index);
        const std::span<const int32_t> lengths = allowedLengths(kind);
        const auto fitting =
            std::find_if(lengths.begin(), lengths.end(), [&](int32_t length) { return length >= runLength; });
        const int32_t itemLength = fitting != lengths.end() ? *fitting : lengths.back();
        items.push_back({kind, itemLength, {}});
        index += static_cast<size_t>(std::min(itemLength, runLength));
    }
    return items;
}

void appendNumber(std::u16string& text, int32_t value, int32_t minimumDigits)
{
    const std::string digits = std::to_string(value);
    for (auto padding = static_cast<int32_t>(digits.size()); padding < minimumDigits; ++padding)
        text += u'0';
    text.append(digits.begin(), digits.end());
}

int32_t twelveHourClock(int32_t hour) noexcept
{
    return hour % 12 == 0 ? 12 : hour % 12;
}

void validate(const core::DateTime& value)
{
    if (!value.isValid())
        throw core::EditorException::invalidValue(std::to_string(value.year) + "-" + std::to_string(value.month) + "-" +
                                                      std::to_string(value.day),
                                                  "DateTime");
}

} // namespace

std::u16string DateTimeFieldFormatter::format(const core::DateTime& value, std::u16string_view picture) const
{
    validate(value);
    const std::vector<PictureItem> items = parsePicture(picture);
    const bool writesDayNumber = std::any_of(items.begin(), items.end(), [](const PictureItem& item) {
        return item.kind == ItemKind::Day && item.length <= 2;
    });
    using Width = core::Culture::NameWidth;
    std::u16string text;
    for (const PictureItem& item : items) {
        switch (item.kind) {
        case ItemKind::Literal:
            text += item.literal;
            break;
        case ItemKind::AmPm:
            text += value.hour < 12 ? u"AM" : u"PM";
            break;
        case ItemKind::Day:
            if (item.length <= 2)
                appendNumber(text, value.day, item.length);
            else
                text += culture_.dayName(value.dayOfWeek(), item.length == 3 ? Width::Abbreviated : Width::Full);
            break;
        case ItemKind::Month:
            if (item.length <= 2) {
                appendNumber(text, value.month, item.length);
            } else {
                const Width width = item.length == 3 ? Width::Abbreviated : Width::Full;
                text += writesDayNumber ? culture_.genitiveMonthName(value.month, width)
                                        : culture_.monthName(value.month, width);
            }
            break;
        case ItemKind::Year:
            if (item.length == 2)
                appendNumber(text, value.year % 100, 2);
            else
                appendNumber(text, value.year, 4);
            break;
        case ItemKind::Hour24:
            appendNumber(text, value.hour, item.length);
            break;
        case ItemKind::Hour12:
            appendNumber(text, twelveHourClock(value.hour), item.length);
            break;
        case ItemKind::Minute:
            appendNumber(text, value.minute, item.length);
            break;
        case ItemKind::Second:
            appendNumber(text, value.second, item.length);
            break;
        }
    }
    return text;
}

std::u16string DateTimeFieldFormatter::formatDefaultDate(const core::DateTime& value) const
{
    validate(value);
    std::u16string text;
    appendNumber(text, value.month, 1);
    text += culture_.dateSeparator();
    appendNumber(text, value.day, 1);
    text += culture_.dateSeparator();
    appendNumber(text, value.year, 4);
    return text;
}

std::u16string DateTimeFieldFormatter::formatDefaultTime(const core::DateTime& value) const
{
    return format(value, u"h:mm am/pm");
}

} // namespace velmo::model
