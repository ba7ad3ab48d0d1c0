#pragma once

#include "formats/docx/open_xml_values.h"
#include "model/numbering/abstract_numbering_list.h"
#include "model/numbering/list_level.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo::formats {

/// What a "numPr" names: a list by its "numId" (0 takes numbering away) and a level (0-8);
/// either may be missing.
struct OpenXmlNumberingReference {
    std::optional<int32_t> numberingId;
    std::optional<int32_t> levelIndex;
};

/// What follows a list number: the "suff" words.
inline constexpr std::array<ValueWord<char16_t>, 3> kListSeparatorWords{{
    {u'\t', "tab"},
    {u' ', "space"},
    {u'\0', "nothing"},
}};

inline constexpr std::array<ValueWord<model::ListNumberAlignment>, 5> kListNumberAlignmentWords{{
    {model::ListNumberAlignment::Left, "left"},
    {model::ListNumberAlignment::Center, "center"},
    {model::ListNumberAlignment::Right, "right"},
    // Written by newer producers for left and right in left-to-right text.
    {model::ListNumberAlignment::Left, "start"},
    {model::ListNumberAlignment::Right, "end"},
}};

/// How a list is made up, as "multiLevelType" says it. Readers derive the kind from the levels;
/// lists with template codes and bullet lists are what office applications call hybrid lists.
inline constexpr std::array<ValueWord<model::NumberingType>, 3> kMultiLevelTypeWords{{
    {model::NumberingType::MultiLevel, "multilevel"},
    {model::NumberingType::Simple, "hybridMultilevel"},
    {model::NumberingType::Bullet, "hybridMultilevel"},
}};

/// A level's display format from a file's level text: "%1" (the first level's number) becomes
/// "%0:s" and so on up to "%9"; any other "%" is a literal percent sign.
[[nodiscard]] std::u16string displayFormatFromLevelText(std::u16string_view levelText);
/// The inverse: "%0:s" becomes "%1", "%%" a single "%"; what is not a placeholder stays as it is.
[[nodiscard]] std::u16string levelTextFromDisplayFormat(std::u16string_view displayFormat);

} // namespace velmo::formats
