#include "model/bookmarks/bookmark_boundaries.h"

#include "model/piece_table.h"

#include <algorithm>
#include <tuple>

namespace velmo::model {

std::vector<BookmarkBoundary> bookmarkBoundaries(const PieceTable& pieceTable, bool includeHidden)
{
    const BookmarkCollection& bookmarks = pieceTable.bookmarkCollection();
    std::vector<BookmarkBoundary> result;
    result.reserve(static_cast<size_t>(bookmarks.count()) * 2);
    for (int32_t index = 0; index < bookmarks.count(); ++index) {
        const Bookmark& bookmark = bookmarks[index];
        if (!includeHidden && bookmark.isHidden())
            continue;
        result.push_back({bookmark.start(), BookmarkBoundary::Kind::Start, index});
        result.push_back({bookmark.end(), BookmarkBoundary::Kind::End, index});
    }
    const auto rank = [&bookmarks](const BookmarkBoundary& boundary) {
        if (boundary.kind == BookmarkBoundary::Kind::Start)
            return 1;
        return bookmarks[boundary.bookmarkIndex].length() == 0 ? 2 : 0;
    };
    std::sort(result.begin(), result.end(), [&](const BookmarkBoundary& a, const BookmarkBoundary& b) {
        return std::make_tuple(a.position, rank(a), a.bookmarkIndex) < std::make_tuple(b.position, rank(b), b.bookmarkIndex);
    });
    return result;
}

} // namespace velmo::model
