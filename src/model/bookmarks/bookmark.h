#pragma once

#include "model/bookmarks/bookmark_base.h"

#include <string>
#include <string_view>
#include <utility>

namespace velmo::model {

/// A named interval of a story. Names need not be unique, nor valid by isNameValid(): files
/// bring what they bring.
class Bookmark final : public BookmarkBase {
public:
    /// `canExpand` is false for a bookmark created with length 0.
    Bookmark(const PieceTable& pieceTable, DocumentLogPosition start, DocumentLogPosition end, std::u16string name)
        : BookmarkBase(pieceTable, start, end), name_(std::move(name)), canExpand_(end > start)
    {
    }

    [[nodiscard]] const std::u16string& name() const noexcept { return name_; }
    [[nodiscard]] bool canExpand() const noexcept { return canExpand_; }
    /// Hidden bookmarks (no name, or one starting with "_", such as "_Toc12") are saved like any
    /// other but left out of lists shown to the user.
    [[nodiscard]] bool isHidden() const noexcept { return name_.empty() || name_.front() == u'_'; }

    /// Whether a name is acceptable: after trimming white space, empty, or a letter or "_" (the
    /// hidden names the program gives, such as "_Toc1") followed by letters, decimal digits and
    /// "_" (by Unicode category; up to U+007F only a-z and A-Z count as letters).
    [[nodiscard]] static bool isNameValid(std::u16string_view name);

private:
    std::u16string name_;
    bool canExpand_;
};

} // namespace velmo::model
