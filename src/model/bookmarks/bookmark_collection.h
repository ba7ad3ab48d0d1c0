#pragma once

#include "model/bookmarks/bookmark.h"
#include "model/bookmarks/document_interval_collection.h"

#include <string_view>

namespace velmo::model {

/// The bookmarks of one story, sorted by position.
class BookmarkCollection final : public DocumentIntervalCollection<Bookmark> {
public:
    /// The first bookmark, in collection order, whose name equals `name` exactly (letter case
    /// counts); null when there is none.
    [[nodiscard]] Bookmark* findByName(std::u16string_view name) const noexcept
    {
        for (int32_t index = 0; index < count(); ++index) {
            if ((*this)[index].name() == name)
                return &(*this)[index];
        }
        return nullptr;
    }
};

} // namespace velmo::model
