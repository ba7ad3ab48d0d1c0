#include "model/numbering/abstract_numbering_list.h"

#include "core/editor_exception.h"
#include "model/numbering/display_format.h"

#include <algorithm>

namespace velmo::model {

const ListLevel& AbstractNumberingList::level(int32_t index) const
{
    if (!isListLevelIndexValid(index))
        throw core::EditorException::invalidValue(index, "listLevelIndex");
    return levels_[static_cast<size_t>(index)];
}

ListLevel& AbstractNumberingList::level(int32_t index)
{
    return const_cast<ListLevel&>(static_cast<const AbstractNumberingList&>(*this).level(index));
}

NumberingType AbstractNumberingList::numberingType() const
{
    if (isBulletDisplayFormat(levels_[0].listLevelProperties.displayFormatString))
        return NumberingType::Bullet;
    const bool hasTemplateCode = std::any_of(levels_.begin(), levels_.end(), [](const ListLevel& level) {
        return level.listLevelProperties.templateCode != 0;
    });
    return hasTemplateCode ? NumberingType::Simple : NumberingType::MultiLevel;
}

} // namespace velmo::model
