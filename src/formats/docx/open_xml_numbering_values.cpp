#include "formats/docx/open_xml_numbering_values.h"

namespace velmo::formats {

std::u16string displayFormatFromLevelText(std::u16string_view levelText)
{
    std::u16string result;
    result.reserve(levelText.size() + 8);
    for (size_t index = 0; index < levelText.size(); ++index) {
        const char16_t character = levelText[index];
        if (character != u'%') {
            result.push_back(character);
            continue;
        }
        const char16_t next = index + 1 < levelText.size() ? levelText[index + 1] : u'\0';
        if (next >= u'1' && next <= u'9') {
            result += u'%';
            result += static_cast<char16_t>(next - 1);
            result += u":s";
            ++index;
        } else {
            result += u"%%";
        }
    }
    return result;
}

std::u16string levelTextFromDisplayFormat(std::u16string_view displayFormat)
{
    std::u16string result;
    result.reserve(displayFormat.size());
    for (size_t index = 0; index < displayFormat.size(); ++index) {
        const char16_t character = displayFormat[index];
        const std::u16string_view rest = displayFormat.substr(index);
        if (character == u'%' && rest.size() >= 4 && rest[1] >= u'0' && rest[1] <= u'8' && rest[2] == u':' &&
            (rest[3] == u's' || rest[3] == u'S')) {
            result += u'%';
            result += static_cast<char16_t>(rest[1] + 1);
            index += 3;
        } else if (character == u'%' && rest.size() >= 2 && rest[1] == u'%') {
            result += u'%';
            ++index;
        } else {
            result.push_back(character);
        }
    }
    return result;
}

} // namespace velmo::formats
