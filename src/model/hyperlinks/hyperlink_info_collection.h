#pragma once

#include "model/hyperlinks/hyperlink_info.h"

#include <cstdint>
#include <map>
#include <memory>

namespace velmo::model {

/// The hyperlink records of one story, keyed by the index of their field in the story's field
/// list: a field is a hyperlink exactly when its index has a record.
class HyperlinkInfoCollection {
public:
    [[nodiscard]] bool isHyperlink(int32_t fieldIndex) const noexcept { return infos_.contains(fieldIndex); }
    /// The record of the field; null when the field is no hyperlink.
    [[nodiscard]] HyperlinkInfo* find(int32_t fieldIndex) const noexcept;
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(infos_.size()); }
    /// The records by field index, in index order.
    [[nodiscard]] const std::map<int32_t, std::unique_ptr<HyperlinkInfo>>& items() const noexcept { return infos_; }

    /// Puts `info` under the field index (null: takes the field's record away) and returns the
    /// record held there before, null when there was none.
    std::unique_ptr<HyperlinkInfo> exchange(int32_t fieldIndex, std::unique_ptr<HyperlinkInfo> info);
    /// Moves every record of a field index >= `from` by `delta` (a field was inserted or removed
    /// before them). A removed field's own record must have been taken out first.
    void recalcKeys(int32_t from, int32_t delta);
    void clear() noexcept { infos_.clear(); }

private:
    std::map<int32_t, std::unique_ptr<HyperlinkInfo>> infos_;
};

} // namespace velmo::model
