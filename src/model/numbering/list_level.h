#pragma once

#include "model/numbering_format.h"

#include <cstdint>
#include <string>

namespace velmo::model {

enum class ListNumberAlignment : uint8_t { Left, Center, Right };

/// How one level of a list counts and shows its number.
struct ListLevelInfo {
    int32_t start = 1;
    NumberingFormat format = NumberingFormat::Decimal;
    ListNumberAlignment alignment = ListNumberAlignment::Left;
    /// Legal numbering: every level's number shows in decimal digits.
    bool convertPreviousLevelNumberingToDecimal = false;
    /// Written after the number text.
    char16_t separator = u'\t';
    /// The level keeps counting when a shallower level advances.
    bool suppressRestart = false;
    bool suppressBulletResize = false;
    /// "%n:s" stands for the number of level n; a format without one shows a bullet.
    std::u16string displayFormatString = u"%0:s.";
    /// How many levels above the level directly above it the level restarts after: with 0 it
    /// restarts whenever the level directly above advances.
    int32_t relativeRestartLevel = 0;
    /// Marks a level made from a template list; 0 means none.
    int32_t templateCode = 0;
    int32_t originalLeftIndent = 0;
    bool legacy = false;
    int32_t legacySpace = 0;
    int32_t legacyIndent = 0;

    [[nodiscard]] bool operator==(const ListLevelInfo&) const = default;
};

/// A level of an abstract list: how it counts, the paragraph formatting its paragraphs get
/// (typically the indents), and the character formatting of its number text. The indices refer
/// to the caches of the document that holds the list.
struct ListLevel {
    ListLevelInfo listLevelProperties;
    int32_t paragraphPropertiesIndex = 0; // paragraph formatting cache; 0 sets nothing
    int32_t characterPropertiesIndex = 0; // character formatting cache; 0 sets nothing
    int32_t tabsIndex = 0;                // tab formatting cache; 0 is no tab stop
    int32_t paragraphStyleIndex = -1;     // the paragraph style tied to the level; -1 none

    [[nodiscard]] bool operator==(const ListLevel&) const = default;
};

} // namespace velmo::model
