#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmo::model {

class AbstractNumberingList;

/// The number text of a paragraph of `list` whose counters (levels 0 to its own level) are
/// `counters`: each counter written in its level's format (in decimal for every level when the
/// paragraph's level uses legal numbering), put into the paragraph level's display format.
/// Empty for no counters.
[[nodiscard]] std::u16string formatNumberingListText(const AbstractNumberingList& list, std::span<const int64_t> counters);

} // namespace velmo::model
