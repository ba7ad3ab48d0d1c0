// The numbering of a story's paragraphs: which list and level each paragraph is an item of, the
// counters and number texts that follow from the order of the paragraphs, and the list rules
// of joining two paragraphs.
#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/numbering/document_numbering.h"
#include "model/numbering/numbering_history_items.h"
#include "model/numbering/numbering_list_text.h"
#include "model/paragraph_properties.h"

namespace velmo::model {

namespace {

/// Records that the paragraph itself refers to `reference` from now on, unless it already does.
void recordParagraphNumbering(PieceTable& pieceTable, ParagraphIndex paragraphIndex, ParagraphNumberingReference reference)
{
    const Paragraph& paragraph = pieceTable.paragraph(paragraphIndex);
    const ParagraphNumberingReference old{paragraph.ownNumberingListIndex(), paragraph.ownListLevelIndex()};
    if (old.numberingListIndex == reference.numberingListIndex && old.listLevelIndex == reference.listLevelIndex)
        return;
    BatchUpdateScope batch(pieceTable.documentModel());
    pieceTable.documentModel().history().execute(
        std::make_unique<ParagraphNumberingChangedHistoryItem>(pieceTable, paragraphIndex, old, reference));
}

} // namespace

void PieceTable::addNumberingListToParagraph(ParagraphIndex paragraphIndex, int32_t numberingListIndex, int32_t levelIndex)
{
    if (!isValidNumberingListIndex(numberingListIndex))
        throw numberingListNotFoundError();
    if (!isNumberingListLevelIndexValid(levelIndex))
        throw core::EditorException::invalidValue(levelIndex, "listLevelIndex");
    recordParagraphNumbering(*this, paragraphIndex, ParagraphNumberingReference{numberingListIndex, levelIndex});
}

void PieceTable::addNumberingListToParagraph(ParagraphIndex paragraphIndex, const NumberingList& list, int32_t levelIndex)
{
    const int32_t numberingListIndex = documentModel_->numbering().indexOf(list);
    if (numberingListIndex < 0)
        throw core::EditorException(
            "Cannot use a numbering List. The numbering list must be added to Document.NumberingLists collection");
    addNumberingListToParagraph(paragraphIndex, numberingListIndex, levelIndex);
}

void PieceTable::removeNumberingFromParagraph(ParagraphIndex paragraphIndex)
{
    const Paragraph& target = paragraph(paragraphIndex);
    if (!target.isInList())
        return;
    // Numbering that comes from the style is switched off on the paragraph; its own is dropped.
    const auto& styles = documentModel_->styles().paragraphStyles();
    const bool styleGivesList = styles.isIndexValid(target.paragraphStyleIndex()) &&
                                isValidNumberingListIndex(styles[target.paragraphStyleIndex()].numberingListIndex());
    recordParagraphNumbering(*this, paragraphIndex,
                             ParagraphNumberingReference{styleGivesList ? kNumberingListIndexNoNumbering : kNumberingListIndexNotSet, 0});
}

bool PieceTable::isValidNumberingListIndex(int32_t numberingListIndex) const noexcept
{
    return documentModel_->numbering().isValidNumberingListIndex(numberingListIndex);
}

bool PieceTable::isNumberingListLevelIndexValid(int32_t levelIndex) noexcept
{
    return isListLevelIndexValid(levelIndex);
}

std::vector<int64_t> PieceTable::rangeListCounters(const Paragraph& paragraph) const
{
    if (&paragraph.pieceTable() != this)
        throw core::EditorException::invalidValue("a paragraph of another story", "paragraph");
    return numberingListCalculatorCache_.rangeListCounters(*this, paragraph.index());
}

std::u16string PieceTable::numberingListText(const Paragraph& paragraph) const
{
    if (&paragraph.pieceTable() != this)
        throw core::EditorException::invalidValue("a paragraph of another story", "paragraph");
    if (!preCalculatedNumberingListTexts_.empty()) {
        const auto found = preCalculatedNumberingListTexts_.find(&paragraph);
        if (found != preCalculatedNumberingListTexts_.end())
            return found->second;
    }
    const std::vector<int64_t>& counters = numberingListCalculatorCache_.rangeListCounters(*this, paragraph.index());
    if (counters.empty())
        return {};
    const DocumentNumbering& numbering = documentModel_->numbering();
    return formatNumberingListText(*numbering.abstractNumberingListOf(paragraph.numberingListIndex()),
                                   numbering.numberingList(paragraph.numberingListIndex()), counters);
}

void PieceTable::appendNumberingListText(RunIndex runIndex, std::u16string& text) const
{
    const Paragraph& owner = run(runIndex).paragraph();
    if (owner.firstRunIndex() == runIndex)
        text += numberingListText(owner);
}

void PieceTable::setPreCalculatedNumberingListTexts(std::unordered_map<const Paragraph*, std::u16string> texts)
{
    preCalculatedNumberingListTexts_ = std::move(texts);
}

void PieceTable::setParagraphNumberingCore(ParagraphIndex paragraphIndex, int32_t numberingListIndex, int32_t levelIndex)
{
    Paragraph& target = paragraph(paragraphIndex);
    countNumberingReference(target, false);
    target.numberingListIndex_ = numberingListIndex;
    target.listLevelIndex_ = levelIndex;
    countNumberingReference(target, true);
    target.setMergedParagraphFormattingCacheIndex(-1);
    // The paragraph's indents change, and so may the numbers of every list paragraph after it.
    documentModel_->applyChangesCore(*this, ParagraphPropertiesTraits::kAllChangeActions, target.firstRunIndex(),
                                     RunIndex(runCount() - 1));
}

void PieceTable::countNumberingReference(const Paragraph& paragraph, bool added)
{
    DocumentNumbering& numbering = documentModel_->numbering();
    if (!numbering.isValidNumberingListIndex(paragraph.ownNumberingListIndex()))
        return;
    NumberingList& list = numbering.numberingListCore(paragraph.ownNumberingListIndex());
    if (added)
        list.onParagraphAdded();
    else
        list.onParagraphRemoved();
}

bool PieceTable::applyMergeNumberingRules(ParagraphIndex paragraphIndex, bool wholeParagraphDeleted)
{
    const Paragraph& first = paragraph(paragraphIndex);
    const Paragraph& second = paragraph(paragraphIndex + 1);
    // A paragraph deleted whole, or a list item holding nothing but its number, goes instead of
    // taking the next one in: the next one keeps its formatting and its place in its list.
    if (first.runCount() == 1 && (wholeParagraphDeleted || first.isInList())) {
        recordParagraphNumbering(*this, paragraphIndex,
                                 ParagraphNumberingReference{second.ownNumberingListIndex(), second.ownListLevelIndex()});
        return true;
    }
    const bool firstInList = first.isInList();
    const bool secondInList = second.isInList();
    const bool useFirstParagraphStyle = documentModel_->editingOptions().mergeUseFirstParagraphStyle;
    if (firstInList && secondInList && useFirstParagraphStyle)
        return false;
    if (!useFirstParagraphStyle) {
        if (firstInList)
            removeNumberingFromParagraph(paragraphIndex);
        if (secondInList)
            addNumberingListToParagraph(paragraphIndex, second.numberingListIndex(), second.listLevelIndex());
    }
    if (secondInList)
        removeNumberingFromParagraph(paragraphIndex + 1);
    return false;
}

} // namespace velmo::model
