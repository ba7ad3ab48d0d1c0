#include "model/numbering/numbering_list_copier.h"

#include "model/document_model.h"
#include "model/numbering/document_numbering.h"

#include <memory>

namespace velmo::model {

int32_t NumberingListCopier::targetNumberingListIndex(int32_t sourceIndex)
{
    if (&source_ == &target_ || sourceIndex < 0)
        return sourceIndex;
    const DocumentNumbering& sourceNumbering = source_.numbering();
    if (!sourceNumbering.abstractNumberingListOf(sourceIndex))
        return kNumberingListIndexNotSet;
    const auto found = numberingLists_.find(sourceIndex);
    if (found != numberingLists_.end())
        return found->second;
    const NumberingList& source = sourceNumbering.numberingList(sourceIndex);
    auto copy = std::make_unique<NumberingList>(targetAbstractNumberingListIndex(source.abstractNumberingListIndex()));
    copy->setId(target_.numbering().generateNewNumberingListId());
    for (int32_t level = 0; level < kListLevelCount; ++level) {
        copy->level(level) = source.level(level);
        if (const std::optional<ListLevel>& overrideLevel = source.level(level).overrideLevel)
            copy->level(level).overrideLevel = copyLevel(*overrideLevel);
    }
    const int32_t targetIndex = target_.numbering().addNumberingListUsingHistory(std::move(copy));
    numberingLists_.emplace(sourceIndex, targetIndex);
    return targetIndex;
}

int32_t NumberingListCopier::targetAbstractNumberingListIndex(int32_t sourceIndex)
{
    const auto found = abstractNumberingLists_.find(sourceIndex);
    if (found != abstractNumberingLists_.end())
        return found->second;
    const AbstractNumberingList& source = source_.numbering().abstractNumberingList(sourceIndex);
    auto copy = std::make_unique<AbstractNumberingList>();
    copy->setId(target_.numbering().generateNewAbstractNumberingListId());
    for (int32_t level = 0; level < kListLevelCount; ++level)
        copy->setLevel(level, copyLevel(source.level(level)));
    const int32_t targetIndex = target_.numbering().addAbstractNumberingListUsingHistory(std::move(copy));
    abstractNumberingLists_.emplace(sourceIndex, targetIndex);
    return targetIndex;
}

ListLevel NumberingListCopier::copyLevel(const ListLevel& level) const
{
    ListLevel copy;
    copy.listLevelProperties = level.listLevelProperties;
    DocumentCache& cache = target_.cache();
    copy.paragraphPropertiesIndex =
        cache.paragraphFormattingCache().add(source_.cache().paragraphFormattingCache()[level.paragraphPropertiesIndex]);
    copy.characterPropertiesIndex =
        cache.characterFormattingCache().add(source_.cache().characterFormattingCache()[level.characterPropertiesIndex]);
    copy.tabsIndex = cache.tabFormattingInfoCache().add(source_.cache().tabFormattingInfoCache()[level.tabsIndex]);
    // The tied style by name only: copying it could lead back to this very list.
    const auto& sourceStyles = source_.styles().paragraphStyles();
    if (sourceStyles.isIndexValid(level.paragraphStyleIndex))
        copy.paragraphStyleIndex =
            target_.styles().paragraphStyles().styleIndexByName(sourceStyles[level.paragraphStyleIndex].styleName());
    return copy;
}

} // namespace velmo::model
