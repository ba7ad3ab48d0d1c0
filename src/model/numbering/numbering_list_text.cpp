#include "model/numbering/numbering_list_text.h"

#include "model/numbering/abstract_numbering_list.h"
#include "model/numbering/display_format.h"
#include "model/numbering/numbering_list.h"
#include "model/numbering/ordinal_based_number_converter.h"

#include <array>

namespace velmo::model {

std::u16string formatNumberingListText(const AbstractNumberingList& list, const NumberingList& instance,
                                       std::span<const int64_t> counters)
{
    if (counters.empty() || counters.size() > static_cast<size_t>(kListLevelCount))
        return {};
    const auto levelOf = [&](size_t level) -> const ListLevelInfo& {
        const std::optional<ListLevel>& overrideLevel = instance.levels()[level].overrideLevel;
        return overrideLevel ? overrideLevel->listLevelProperties : list.levels()[level].listLevelProperties;
    };
    const ListLevelInfo& paragraphLevel = levelOf(counters.size() - 1);
    std::array<std::u16string, kListLevelCount> texts;
    for (size_t level = 0; level < counters.size(); ++level) {
        NumberingFormat format = levelOf(level).format;
        if (paragraphLevel.convertPreviousLevelNumberingToDecimal && format != NumberingFormat::Decimal &&
            format != NumberingFormat::DecimalZero)
            format = NumberingFormat::Decimal;
        texts[level] = OrdinalBasedNumberConverter::createConverter(format).convertNumber(counters[level]);
    }
    return listNumberText(paragraphLevel.displayFormatString, std::span<const std::u16string>(texts.data(), counters.size()));
}

} // namespace velmo::model
