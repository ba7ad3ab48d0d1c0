#pragma once

#include "core/positions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo::model {
class PieceTable;
}

namespace velmo::formats {

/// The bookmark starts and ends of one story as a reader meets them, matched by id. The bookmarks
/// are made once the story is complete, when both ends were met in order.
class OpenXmlBookmarkCollector {
public:
    /// Bookmarks one story takes at most; marks beyond are ignored.
    static constexpr size_t kMaxBookmarks = 100'000;

    /// A start of bookmark `id`; a second start of one id is ignored.
    void start(std::string_view id, std::u16string name, DocumentLogPosition position);
    /// An end of bookmark `id`; it may come before the start when both stand at one place.
    void end(std::string_view id, DocumentLogPosition position);
    /// Creates the bookmarks whose start and end were both met, start not after end, in the
    /// order their first marks came; an end past the story's last mark is taken back to it.
    void createBookmarks(model::PieceTable& pieceTable) const;

private:
    struct Marks {
        std::u16string name;
        std::optional<DocumentLogPosition> start;
        std::optional<DocumentLogPosition> end;
    };
    [[nodiscard]] Marks* marksOf(std::string_view id);

    std::unordered_map<std::string, size_t> ids_; // id -> index in marks_
    std::vector<Marks> marks_;                    // in order of appearance
};

} // namespace velmo::formats
