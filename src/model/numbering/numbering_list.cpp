#include "model/numbering/numbering_list.h"

#include "core/editor_exception.h"

namespace velmo::model {

const NumberingListReferenceLevel& NumberingList::level(int32_t index) const
{
    if (!isListLevelIndexValid(index))
        throw core::EditorException::invalidValue(index, "listLevelIndex");
    return levels_[static_cast<size_t>(index)];
}

NumberingListReferenceLevel& NumberingList::level(int32_t index)
{
    return const_cast<NumberingListReferenceLevel&>(static_cast<const NumberingList&>(*this).level(index));
}

} // namespace velmo::model
