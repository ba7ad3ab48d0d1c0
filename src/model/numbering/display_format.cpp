#include "model/numbering/display_format.h"

#include <unicode/utf16.h>

#include <utility>

namespace velmo::model {

namespace {

constexpr size_t kLevelCount = 9;

/// Calls `onLiteral(text)` and `onPlaceholder(level)` in order; false when the format is malformed.
template <typename OnLiteral, typename OnPlaceholder>
bool scanDisplayFormat(std::u16string_view format, OnLiteral onLiteral, OnPlaceholder onPlaceholder)
{
    size_t literalStart = 0;
    size_t index = 0;
    while (index < format.size()) {
        if (format[index] != u'%') {
            ++index;
            continue;
        }
        onLiteral(format.substr(literalStart, index - literalStart));
        const std::u16string_view rest = format.substr(index + 1);
        if (rest.starts_with(u'%')) {
            onLiteral(u"%");
            index += 2;
        } else if (rest.size() >= 3 && rest[0] >= u'0' && rest[0] < u'0' + kLevelCount && rest[1] == u':' &&
                   (rest[2] == u's' || rest[2] == u'S')) {
            if (!onPlaceholder(static_cast<size_t>(rest[0] - u'0')))
                return false;
            index += 4;
        } else {
            return false;
        }
        literalStart = index;
    }
    onLiteral(format.substr(literalStart));
    return true;
}

} // namespace

std::optional<std::u16string> formatDisplayFormat(std::u16string_view displayFormat,
                                                  std::span<const std::u16string> levelTexts)
{
    std::u16string text;
    const bool wellFormed = scanDisplayFormat(
        displayFormat, [&](std::u16string_view literal) { text += literal; },
        [&](size_t level) {
            if (level >= levelTexts.size())
                return false;
            text += levelTexts[level];
            return true;
        });
    if (!wellFormed)
        return std::nullopt;
    return text;
}

bool isBulletDisplayFormat(std::u16string_view displayFormat)
{
    // Every "%" is a placeholder, a "%%" that reads as one percent sign, or malformed.
    return displayFormat.find(u'%') == std::u16string_view::npos;
}

std::u16string listNumberText(std::u16string_view displayFormat, std::span<const std::u16string> levelTexts)
{
    std::optional<std::u16string> text = formatDisplayFormat(displayFormat, levelTexts);
    if (!text)
        return levelTexts.empty() ? std::u16string() : levelTexts.front();
    if (isBulletDisplayFormat(displayFormat) && !text->empty())
        text->resize(U16_IS_LEAD((*text)[0]) && text->size() > 1 && U16_IS_TRAIL((*text)[1]) ? 2 : 1);
    return *std::move(text);
}

} // namespace velmo::model
