#include "model/numbering/numbering_list_calculator_cache.h"

#include "model/document_model.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"

namespace velmo::model {

const std::vector<int64_t>& NumberingListCalculatorCache::rangeListCounters(const PieceTable& pieceTable,
                                                                          ParagraphIndex paragraphIndex)
{
    const uint64_t revision = pieceTable.documentModel().contentRevision();
    if (revision != contentRevision_) {
        clear();
        contentRevision_ = revision;
    }
    if (paragraphIndex.value() == lastParagraphIndex_)
        return lastCounters_;
    if (paragraphIndex.value() < lastParagraphIndex_)
        clear();
    for (int32_t index = lastParagraphIndex_ + 1; index <= paragraphIndex.value(); ++index) {
        if (!countParagraph(pieceTable, ParagraphIndex(index)) && index == paragraphIndex.value())
            lastCounters_.clear();
    }
    lastParagraphIndex_ = paragraphIndex.value();
    return lastCounters_;
}

bool NumberingListCalculatorCache::countParagraph(const PieceTable& pieceTable, ParagraphIndex paragraphIndex)
{
    const Paragraph& paragraph = pieceTable.paragraph(paragraphIndex);
    const int32_t numberingListIndex = paragraph.numberingListIndex();
    const DocumentNumbering& numbering = pieceTable.documentModel().numbering();
    const AbstractNumberingList* abstractList = numbering.abstractNumberingListOf(numberingListIndex);
    if (!abstractList)
        return false;
    const NumberingList& list = numbering.numberingList(numberingListIndex);
    const auto abstractIndex = static_cast<size_t>(list.abstractNumberingListIndex());
    if (abstractIndex >= calculators_.size())
        calculators_.resize(abstractIndex + 1);
    if (!calculators_[abstractIndex])
        calculators_[abstractIndex].emplace(*abstractList);
    const std::span<const int64_t> counters =
        calculators_[abstractIndex]->calculateNextCounters(numberingListIndex, list, paragraph.listLevelIndex());
    lastCounters_.assign(counters.begin(), counters.end());
    return true;
}

void NumberingListCalculatorCache::clear() noexcept
{
    calculators_.clear();
    lastParagraphIndex_ = -1;
    lastCounters_.clear();
}

} // namespace velmo::model
