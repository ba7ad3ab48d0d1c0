#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velmo::model {

class AbstractNumberingList;
class NumberingList;

/// The number text of a paragraph of instance `instance` of `list` whose counters (levels 0 to
/// its own level) are `counters`: each counter written in its level's format (in decimal for
/// every level when the paragraph's level uses legal numbering), put into the paragraph level's
/// display format. Levels the instance redefines count as redefined. Empty for no counters.
[[nodiscard]] std::u16string formatNumberingListText(const AbstractNumberingList& list, const NumberingList& instance,
                                                     std::span<const int64_t> counters);

} // namespace velmo::model
