#include "model/fields/toc_generator.h"

#include "core/case_insensitive.h"
#include "model/bookmarks/bookmark.h"
#include "model/document_model.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_result_model.h"
#include "model/fields/field_scanner.h"
#include "model/fields/instruction_collection.h"
#include "model/fields/sequence_field.h"
#include "model/fields/sequential_field_manager.h"
#include "model/fields/toc_entry_field.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tab_properties.h"

#include <algorithm>
#include <string>

namespace velmo::model {

namespace {

/// Draws before giving up on chance and counting up from the last draw.
constexpr int kMaxRandomDraws = 1000;

/// A paragraph's text as an entry shows it: line breaks and paragraph marks of nested results as
/// blanks, no white space at either end.
std::u16string entryText(const PieceTable& pieceTable, const Paragraph& paragraph)
{
    std::u16string text = visibleText(pieceTable, paragraph.firstRunIndex(), paragraph.lastRunIndex() - 1);
    std::replace_if(text.begin(), text.end(), [](char16_t character) { return character == u'\v' || character == u'\r'; }, u' ');
    const auto blank = [](char16_t character) { return isFieldCodeWhiteSpace(character); };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::u16string(first, last) : std::u16string();
}

/// "TOC n" styles exist for the levels 1 to 9.
int32_t tocStyleLevel(int32_t level) noexcept
{
    return std::clamp(level, 1, 9);
}

} // namespace

TocGenerator::TocGenerator(PieceTable& pieceTable, const Field& field, TocGeneratorOptions options)
    : source_(pieceTable.documentModel().mainPieceTable()), fieldStory_(pieceTable), field_(field), options_(std::move(options))
{
}

std::vector<Field*> TocGenerator::generate(DocumentModel& target)
{
    DocumentModel& sourceDocument = source_.documentModel();
    // The bookmarks placed so far go again when a later step fails.
    BatchUpdateScope batch(sourceDocument);
    for (const Bookmark* bookmark : sourceDocument.bookmarks(true))
        usedBookmarkNames_.insert(bookmark->name());
    const BookmarkCollection& bookmarks = source_.bookmarkCollection();
    for (int32_t index = 0; index < bookmarks.count(); ++index) {
        const Bookmark& bookmark = bookmarks[index];
        if (!bookmark.name().starts_with(u"_Toc"))
            continue;
        const ParagraphIndex paragraphIndex = source_.findParagraphIndex(bookmark.start());
        const Paragraph& paragraph = source_.paragraph(paragraphIndex);
        if (bookmark.start() == paragraph.logPosition() && bookmark.end() == paragraph.endLogPosition())
            paragraphBookmarks_.try_emplace(paragraphIndex.value(), bookmark.name());
    }

    PieceTable& story = target.mainPieceTable();
    InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    const std::vector<Entry> entries = collectEntries();
    std::vector<Field*> pageReferences;
    for (const Entry& entry : entries)
        writeEntry(story, position, entry, pageReferences);
    if (entries.empty())
        story.insertText(position, kNoEntriesText);
    return pageReferences;
}

std::vector<TocGenerator::Entry> TocGenerator::collectEntries()
{
    std::vector<Entry> entries;
    for (int32_t index = 0; index < source_.paragraphCount(); ++index) {
        const Paragraph& paragraph = source_.paragraph(ParagraphIndex(index));
        if (liesInsideTheField(paragraph.firstRunIndex()))
            continue;
        std::vector<Entry> fieldEntries = scanParagraphFields(paragraph);
        if (const int32_t level = headingLevel(paragraph); level > 0) {
            if (Entry entry = paragraphEntry(paragraph, level); !entry.text.empty())
                entries.push_back(std::move(entry));
        }
        for (Entry& entry : fieldEntries)
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<TocGenerator::Entry> TocGenerator::scanParagraphFields(const Paragraph& paragraph)
{
    std::vector<Entry> result;
    if (!options_.entryGroup && !options_.captionSequence && !options_.prefixSequence)
        return result; // no field can make or number an entry
    const FieldCollection& fields = source_.fields();
    FieldCalculatorService& calculator = source_.documentModel().fieldCalculatorService();
    const Field* lastPrefixField = nullptr;
    bool hasCaption = false;
    for (RunIndex runIndex = paragraph.firstRunIndex(); runIndex < paragraph.lastRunIndex(); ++runIndex) {
        if (source_.run(runIndex).kind() != RunKind::FieldCodeStart || liesInsideTheField(runIndex))
            continue;
        const Field* field = fields.findFieldByCodeStart(runIndex);
        if (!field)
            continue;
        const std::unique_ptr<CalculatedFieldBase> parsed = calculator.parseField(source_, *field);
        if (const auto* entryField = dynamic_cast<const TocEntryField*>(parsed.get())) {
            const int32_t level = entryField->level();
            if (!options_.entryGroup || !options_.entryLevels.contains(level) ||
                !core::equalsIgnoreCase(entryField->entryGroup(), *options_.entryGroup))
                continue;
            Entry entry;
            entry.level = level;
            entry.text = entryField->entryText();
            entry.paragraphIndex = paragraph.index();
            entry.showsPageNumber = !entryField->omitsPageNumber() && showsPageNumber(level);
            result.push_back(std::move(entry));
        } else if (const auto* sequence = dynamic_cast<const SequenceField*>(parsed.get())) {
            const std::u16string identifier = sequence->identifier();
            if (options_.prefixSequence && identifier == *options_.prefixSequence)
                lastPrefixField = field;
            if (!hasCaption && options_.captionSequence && identifier == *options_.captionSequence) {
                hasCaption = true;
                result.push_back(paragraphEntry(paragraph, 1));
            }
        }
    }
    if (lastPrefixField) {
        const int32_t number = source_.fields().sequentialFieldManager().counterValue(*lastPrefixField, *options_.prefixSequence);
        pageNumberPrefix_ = fieldIntegerText(number) + options_.sequenceDelimiter;
    }
    for (Entry& entry : result)
        entry.pageNumberPrefix = pageNumberPrefix_;
    return result;
}

int32_t TocGenerator::headingLevel(const Paragraph& paragraph)
{
    if (!options_.headingLevels)
        return 0;
    const DocumentModel& document = source_.documentModel();
    const auto& styles = document.styles().paragraphStyles();
    int32_t level = 0;
    if (styles.isIndexValid(paragraph.paragraphStyleIndex())) {
        const ParagraphStyle& style = styles[paragraph.paragraphStyleIndex()];
        const auto listed = std::find_if(options_.additionalStyles.begin(), options_.additionalStyles.end(),
                                         [&style](const TocAdditionalStyle& additional) { return additional.name == style.styleName(); });
        if (listed != options_.additionalStyles.end())
            return options_.headingLevels->contains(listed->level) ? listed->level : 0;
        const auto [cached, added] = styleOutlineLevels_.try_emplace(paragraph.paragraphStyleIndex(), 0);
        if (added)
            cached->second = document.styles().mergedWithDefaultParagraphProperties(style).outlineLevel();
        level = cached->second;
    }
    if (level == 0 && options_.useParagraphOutlineLevel) {
        const ParagraphFormattingBase& own = document.cache().paragraphFormattingCache()[paragraph.paragraphPropertiesIndex()];
        if (own.uses(UsedParagraphFormattingOption::UseOutlineLevel))
            level = own.info().outlineLevel();
    }
    return options_.headingLevels->contains(level) ? level : 0;
}

TocGenerator::Entry TocGenerator::paragraphEntry(const Paragraph& paragraph, int32_t level) const
{
    Entry entry;
    entry.level = level;
    entry.text = entryText(source_, paragraph);
    entry.paragraphIndex = paragraph.index();
    entry.showsPageNumber = showsPageNumber(level);
    entry.pageNumberPrefix = pageNumberPrefix_;
    if (!paragraph.isInList())
        return entry;
    entry.numberText = paragraph.numberingListText();
    const DocumentModel& document = source_.documentModel();
    const ListLevel* listLevel = document.numbering().listLevel(paragraph.numberingListIndex(), paragraph.listLevelIndex());
    if (!listLevel)
        return entry;
    const char16_t separator = listLevel->listLevelProperties.separator;
    if (separator != 0)
        entry.numberText.push_back(separator);
    const int32_t indent = document.cache().paragraphFormattingCache()[listLevel->paragraphPropertiesIndex].info().leftIndent();
    if (separator != u'\t' && indent > 0)
        entry.numberTab = TabInfo{indent, TabAlignmentType::Left, TabLeaderType::None};
    return entry;
}

bool TocGenerator::showsPageNumber(int32_t level) const
{
    return !options_.levelsWithoutPageNumbers || !options_.levelsWithoutPageNumbers->contains(level);
}

bool TocGenerator::liesInsideTheField(RunIndex runIndex) const
{
    return &fieldStory_ == &source_ && field_.containsRun(runIndex);
}

void TocGenerator::writeEntry(PieceTable& target, InputPosition& position, const Entry& entry, std::vector<Field*>& pageReferences)
{
    // Only an entry that refers to its paragraph needs a bookmark there.
    const bool refersToParagraph = options_.createHyperlinks || entry.showsPageNumber;
    const std::u16string bookmark = refersToParagraph ? bookmarkFor(entry.paragraphIndex) : std::u16string();
    const ParagraphIndex paragraphIndex = position.paragraphIndex;
    TabFormattingInfo tabs;
    if (!entry.numberText.empty())
        target.insertText(position, entry.numberText);
    if (entry.numberTab)
        tabs.add(*entry.numberTab);
    if (options_.createHyperlinks)
        insertFieldWithResult(target, position, u"HYPERLINK \\l \"" + bookmark + u"\"", entry.text);
    else
        target.insertText(position, entry.text);
    if (entry.showsPageNumber) {
        target.insertText(position, options_.pageNumberSeparator);
        if (options_.pageNumberSeparator == u"\t")
            tabs.add(TabInfo{rightTabPosition(), TabAlignmentType::Right, TabLeaderType::Dots});
        if (!entry.pageNumberPrefix.empty())
            target.insertText(position, entry.pageNumberPrefix);
        pageReferences.push_back(&insertFieldWithResult(target, position, u"PAGEREF " + bookmark, u""));
    }
    target.insertParagraph(position);

    target.setParagraphStyleIndex(paragraphIndex, tocStyleIndex(target.documentModel(), entry.level));
    Paragraph& paragraph = target.paragraph(paragraphIndex);
    const TabFormattingInfo styleTabs = target.mergedTabs(paragraph);
    TabFormattingInfo own;
    for (int32_t index = 0; index < tabs.count(); ++index) {
        if (!styleTabs.contains(tabs[index]))
            own.add(tabs[index]);
    }
    if (!own.isEmpty())
        TabProperties(paragraph).setInfo(own);
}

std::u16string TocGenerator::bookmarkFor(ParagraphIndex paragraphIndex)
{
    if (const auto found = paragraphBookmarks_.find(paragraphIndex.value()); found != paragraphBookmarks_.end())
        return found->second;
    const Paragraph& paragraph = source_.paragraph(paragraphIndex);
    std::u16string name = unusedBookmarkName();
    source_.createBookmark(paragraph.logPosition(), paragraph.length() - 1, name);
    usedBookmarkNames_.insert(name);
    paragraphBookmarks_.emplace(paragraphIndex.value(), name);
    return name;
}

std::u16string TocGenerator::unusedBookmarkName()
{
    const DocumentModel& document = source_.documentModel();
    int64_t number = 0;
    for (int draw = 0;; ++draw) {
        number = draw < kMaxRandomDraws ? fieldRandomNumber(document) & 0x7FFFFFFF : number + 1;
        std::u16string name = u"_Toc" + fieldIntegerText(number);
        if (!usedBookmarkNames_.contains(name))
            return name;
    }
}

int32_t TocGenerator::tocStyleIndex(DocumentModel& target, int32_t level)
{
    level = tocStyleLevel(level);
    if (const auto found = tocStyles_.find(level); found != tocStyles_.end())
        return found->second;
    int32_t index = target.styles().tocStyle(level);
    if (index < 0) {
        const DocumentStyles& sourceStyles = source_.documentModel().styles();
        const int32_t sourceIndex = sourceStyles.tocStyle(level);
        index = sourceIndex >= 0 ? target.styles().copyParagraphStyleFrom(sourceStyles.paragraphStyles()[sourceIndex])
                                 : target.styles().createTocStyle(level);
    }
    tocStyles_.emplace(level, index);
    return index;
}

int32_t TocGenerator::rightTabPosition() const
{
    const DocumentModel& document = source_.documentModel();
    SectionIndex sectionIndex(0);
    if (fieldStory_.isMain())
        sectionIndex = std::max(document.findSectionIndex(field_.startLogPosition()), SectionIndex(0));
    const Section& section = document.section(sectionIndex);
    return section.page().width - section.margins().left - section.margins().right;
}

} // namespace velmo::model
