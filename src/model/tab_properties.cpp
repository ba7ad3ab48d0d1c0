#include "model/tab_properties.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/piece_table.h"

namespace velmo::model {

const TabFormattingInfo& TabProperties::info() const
{
    return container_.pieceTable().documentModel().cache().tabFormattingInfoCache()[container_.tabsIndex()];
}

void TabProperties::setInfo(const TabFormattingInfo& tabs)
{
    DocumentModel& document = container_.pieceTable().documentModel();
    const int32_t newIndex = document.cache().tabFormattingInfoCache().add(tabs);
    const int32_t oldIndex = container_.tabsIndex();
    if (newIndex == oldIndex)
        return;
    ITabPropertiesContainer& container = container_;
    BatchUpdateScope batch(document);
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        container_.pieceTable(), [&container, newIndex] { container.setTabsIndex(newIndex); },
        [&container, oldIndex] { container.setTabsIndex(oldIndex); }));
}

void TabProperties::setInfoInitial(const TabFormattingInfo& tabs)
{
    container_.setTabsIndex(container_.pieceTable().documentModel().cache().tabFormattingInfoCache().add(tabs));
}

} // namespace velmo::model
