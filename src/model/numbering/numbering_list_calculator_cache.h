#pragma once

#include "core/positions.h"
#include "model/numbering/numbering_list_counters_calculator.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmo::model {

class PieceTable;

/// The list counters of a story's paragraphs, counted incrementally: asking for the paragraphs
/// in order costs one pass over the story, asking for an earlier paragraph counts again from the
/// start. Any change to the document drops what was counted.
class NumberingListCalculatorCache {
public:
    /// The counters of levels 0 to the paragraph's level of its list, as the paragraph shows
    /// them; empty when the paragraph is in no list.
    [[nodiscard]] const std::vector<int64_t>& rangeListCounters(const PieceTable& pieceTable, ParagraphIndex paragraphIndex);
    void clear() noexcept;

private:
    /// Counts `paragraphIndex`, the paragraph after the last one counted; true when it is in a list.
    bool countParagraph(const PieceTable& pieceTable, ParagraphIndex paragraphIndex);

    std::vector<std::optional<NumberingListCountersCalculator>> calculators_; // by abstract list index
    int32_t lastParagraphIndex_ = -1;                                        // the last paragraph counted
    std::vector<int64_t> lastCounters_;                                      // its counters
    uint64_t contentRevision_ = 0; // the document's revision the counts belong to
};

} // namespace velmo::model
