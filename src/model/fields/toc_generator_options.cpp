#include "model/fields/toc_generator_options.h"

#include "model/fields/field_scanner.h"
#include "model/fields/instruction_collection.h"

namespace velmo::model {

namespace {

std::u16string_view trimmed(std::u16string_view text) noexcept
{
    while (!text.empty() && isFieldCodeWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isFieldCodeWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::u16string_view> splitAt(std::u16string_view text, char16_t separator)
{
    std::vector<std::u16string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start));
        if (end == std::u16string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

std::optional<TocLevelRange> parseTocLevelRange(std::u16string_view text)
{
    const size_t dash = text.find(u'-');
    if (dash == std::u16string_view::npos)
        return std::nullopt;
    const std::optional<int32_t> first = parseFieldInteger(trimmed(text.substr(0, dash)));
    const std::optional<int32_t> last = parseFieldInteger(trimmed(text.substr(dash + 1)));
    if (!first || !last || *first > *last)
        return std::nullopt;
    return TocLevelRange{*first, *last};
}

std::vector<TocAdditionalStyle> parseTocAdditionalStyles(std::u16string_view text)
{
    const std::vector<std::u16string_view> parts = splitAt(text, u',');
    std::vector<TocAdditionalStyle> styles;
    for (size_t index = 0; index + 1 < parts.size(); index += 2) {
        const std::u16string_view name = trimmed(parts[index]);
        const std::optional<int32_t> level = parseFieldInteger(trimmed(parts[index + 1]));
        if (name.empty() || !level || *level < 0 || *level > 9)
            continue;
        styles.push_back(TocAdditionalStyle{std::u16string(name), *level});
    }
    return styles;
}

TocGeneratorOptions TocGeneratorOptions::fromInstructions(const InstructionCollection& instructions)
{
    TocGeneratorOptions options;
    if (const std::optional<std::u16string> levels = instructions.stringValue(u"\\o"))
        options.headingLevels = parseTocLevelRange(*levels).value_or(TocLevelRange{});
    options.useParagraphOutlineLevel = instructions.hasSwitch(u"\\u");
    options.createHyperlinks = instructions.hasSwitch(u"\\h");
    options.bookmarkName = instructions.stringValue(u"\\b");
    if (const std::optional<std::u16string> levels = instructions.stringValue(u"\\n"))
        options.levelsWithoutPageNumbers = parseTocLevelRange(*levels).value_or(TocLevelRange{});
    if (const std::optional<std::u16string> styles = instructions.stringValue(u"\\t"))
        options.additionalStyles = parseTocAdditionalStyles(*styles);
    if (const std::optional<std::u16string> levels = instructions.stringValue(u"\\l"))
        options.entryLevels = parseTocLevelRange(*levels).value_or(TocLevelRange{});
    if (instructions.hasSwitch(u"\\f") || instructions.hasSwitch(u"\\l"))
        options.entryGroup = instructions.stringValue(u"\\f").value_or(u"");
    if (const std::optional<std::u16string> caption = instructions.stringValue(u"\\c")) {
        options.captionSequence = *caption;
        options.headingLevels.reset();
        options.entryGroup.reset();
    }
    // A switch written without its argument keeps the default.
    if (std::optional<std::u16string> prefix = instructions.stringValue(u"\\s"); prefix && !prefix->empty())
        options.prefixSequence = std::move(prefix);
    if (std::optional<std::u16string> delimiter = instructions.stringValue(u"\\d"); delimiter && !delimiter->empty())
        options.sequenceDelimiter = std::move(*delimiter);
    if (std::optional<std::u16string> separator = instructions.stringValue(u"\\p"); separator && !separator->empty())
        options.pageNumberSeparator = std::move(*separator);
    return options;
}

} // namespace velmo::model
