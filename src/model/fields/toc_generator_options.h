#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {

class InstructionCollection;

/// A range of outline levels, both ends included.
struct TocLevelRange {
    int32_t first = 1;
    int32_t last = 9;

    [[nodiscard]] bool contains(int32_t level) const noexcept { return level >= first && level <= last; }
    bool operator==(const TocLevelRange&) const = default;
};

/// A paragraph style a table of contents lists at a level of its own (\t).
struct TocAdditionalStyle {
    std::u16string name;
    int32_t level = 0; ///< 0 leaves the style's paragraphs out

    bool operator==(const TocAdditionalStyle&) const = default;
};

/// What a TOC field's switches ask its table of contents to hold and how to write it.
struct TocGeneratorOptions {
    /// Heading levels listed (\o, 1-9 when not given); none with \c.
    std::optional<TocLevelRange> headingLevels = TocLevelRange{};
    /// \u: a paragraph whose style has no outline level is listed by its own.
    bool useParagraphOutlineLevel = false;
    /// \h: entries lead to their headings.
    bool createHyperlinks = false;
    /// \b: read, no effect.
    std::optional<std::u16string> bookmarkName;
    /// \n: levels listed without page numbers.
    std::optional<TocLevelRange> levelsWithoutPageNumbers;
    /// \t, in the order written.
    std::vector<TocAdditionalStyle> additionalStyles;
    /// \l: levels of the TC fields listed.
    TocLevelRange entryLevels;
    /// \f (or \l): TC fields of this group are listed (an empty group: those without \f); none
    /// lists no TC field, also with \c.
    std::optional<std::u16string> entryGroup;
    /// \c: the paragraphs holding a SEQ field of this sequence are listed (captions).
    std::optional<std::u16string> captionSequence;
    /// \s: page numbers are preceded by the number of this sequence and the delimiter (\d).
    std::optional<std::u16string> prefixSequence;
    std::u16string sequenceDelimiter = u"-";
    /// \p: between an entry's text and its page number; a tab gets a right tab stop with dots.
    std::u16string pageNumberSeparator = u"\t";

    /// The options a TOC field's code gives.
    [[nodiscard]] static TocGeneratorOptions fromInstructions(const InstructionCollection& instructions);
};

/// "a-b" with whole numbers a <= b; none for anything else.
[[nodiscard]] std::optional<TocLevelRange> parseTocLevelRange(std::u16string_view text);
/// "name,level,name,level..." (\t): pairs with a blank name, a level that is no number or one
/// outside 0-9 are left out.
[[nodiscard]] std::vector<TocAdditionalStyle> parseTocAdditionalStyles(std::u16string_view text);

} // namespace velmo::model
