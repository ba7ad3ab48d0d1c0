#pragma once

#include <cstdint>
#include <unordered_map>

namespace velmo::model {

class DocumentModel;
struct ListLevel;

/// Brings lists of one document into another as new lists (undoable steps of the target), each
/// source list once: instances of one abstract list stay on one copied abstract list, so they
/// keep counting together. Within one document a list is its own copy.
class NumberingListCopier {
public:
    NumberingListCopier(const DocumentModel& source, DocumentModel& target) noexcept : source_(source), target_(target) {}

    /// The target's index for source list instance `sourceIndex`; an index that is no list of the
    /// source (no numbering, numbering removed, a broken reference) is returned as it is when
    /// negative and as "no numbering set" otherwise.
    [[nodiscard]] int32_t targetNumberingListIndex(int32_t sourceIndex);

private:
    [[nodiscard]] int32_t targetAbstractNumberingListIndex(int32_t sourceIndex);
    [[nodiscard]] ListLevel copyLevel(const ListLevel& level) const;

    const DocumentModel& source_;
    DocumentModel& target_;
    std::unordered_map<int32_t, int32_t> numberingLists_;         // source index -> target index
    std::unordered_map<int32_t, int32_t> abstractNumberingLists_; // source index -> target index
};

} // namespace velmo::model
