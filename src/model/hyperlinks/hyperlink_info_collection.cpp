#include "model/hyperlinks/hyperlink_info_collection.h"

#include "core/editor_exception.h"

#include <set>

namespace velmo::model {

HyperlinkInfo* HyperlinkInfoCollection::find(int32_t fieldIndex) const noexcept
{
    const auto found = infos_.find(fieldIndex);
    return found == infos_.end() ? nullptr : found->second.get();
}

std::unique_ptr<HyperlinkInfo> HyperlinkInfoCollection::exchange(int32_t fieldIndex, std::unique_ptr<HyperlinkInfo> info)
{
    const auto found = infos_.find(fieldIndex);
    std::unique_ptr<HyperlinkInfo> previous;
    if (found != infos_.end()) {
        previous = std::move(found->second);
        infos_.erase(found);
    }
    if (info)
        infos_.emplace(fieldIndex, std::move(info));
    return previous;
}

void HyperlinkInfoCollection::recalcKeys(int32_t from, int32_t delta)
{
    const auto newKey = [from, delta](int32_t fieldIndex) { return fieldIndex >= from ? fieldIndex + delta : fieldIndex; };
    // Two records for one field would mean a removed field kept its record: checked before
    // anything moves.
    std::set<int32_t> keys;
    for (const auto& entry : infos_) {
        if (!keys.insert(newKey(entry.first)).second)
            throw core::EditorException::internalError();
    }
    std::map<int32_t, std::unique_ptr<HyperlinkInfo>> moved;
    for (auto& [fieldIndex, info] : infos_)
        moved.emplace(newKey(fieldIndex), std::move(info));
    infos_ = std::move(moved);
}

} // namespace velmo::model
