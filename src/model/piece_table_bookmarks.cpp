// Bookmarks of a story: creating, deleting, naming and listing them.
#include "model/piece_table.h"

#include "core/case_insensitive.h"
#include "core/editor_exception.h"
#include "model/bookmarks/bookmark_history_items.h"
#include "model/document_history.h"
#include "model/document_model.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace velmo::model {

Bookmark& PieceTable::createBookmark(DocumentLogPosition position, int32_t length, std::u16string_view name)
{
    if (position.value() < 0)
        throw core::EditorException::invalidValue(position.value(), "position");
    if (length < 0)
        throw core::EditorException::invalidValue(length, "length");
    const DocumentLogPosition storyEnd = documentEndLogPosition();
    const DocumentLogPosition start = std::min(position, storyEnd);
    const DocumentLogPosition end(static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(position.value()) + length, storyEnd.value())));
    auto bookmark = std::make_unique<Bookmark>(*this, start, end, validateBookmarkName(name));
    Bookmark& created = *bookmark;
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<InsertBookmarkHistoryItem>(*this, std::move(bookmark)));
    return created;
}

void PieceTable::deleteBookmark(int32_t index)
{
    if (index < 0 || index >= bookmarks_.count())
        throw core::EditorException::invalidValue(index, "index");
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<DeleteBookmarkHistoryItem>(*this, index));
}

std::u16string PieceTable::validateBookmarkName(std::u16string_view name) const
{
    if (!documentModel_->bookmarkOptions().allowNameResolution)
        return std::u16string(name);
    std::unordered_set<std::u16string_view, core::IgnoreCaseHash, core::IgnoreCaseEqual> used;
    for (int32_t index = 0; index < bookmarks_.count(); ++index)
        used.insert(bookmarks_[index].name());
    if (!used.contains(name))
        return std::u16string(name);
    for (int64_t number = 1;; ++number) {
        std::u16string candidate(name);
        for (const char digit : "_" + std::to_string(number))
            candidate.push_back(static_cast<char16_t>(digit));
        if (!used.contains(candidate))
            return candidate;
    }
}

std::vector<Bookmark*> PieceTable::bookmarks(bool includeHidden) const
{
    std::vector<Bookmark*> result;
    for (int32_t index = 0; index < bookmarks_.count(); ++index) {
        Bookmark& bookmark = bookmarks_[index];
        if (includeHidden || !bookmark.isHidden())
            result.push_back(&bookmark);
    }
    return result;
}

std::vector<Bookmark*> PieceTable::entireBookmarks(DocumentLogPosition start, int32_t length) const
{
    const DocumentLogPosition end = start + length;
    std::vector<Bookmark*> result;
    for (int32_t index = 0; index < bookmarks_.count(); ++index) {
        Bookmark& bookmark = bookmarks_[index];
        if (bookmark.start() >= start && bookmark.end() <= end && bookmark.start() < end)
            result.push_back(&bookmark);
    }
    return result;
}

void PieceTable::deleteBookmarksInside(DocumentLogPosition start, DocumentLogPosition end)
{
    // From the last: the indices of those not yet looked at stay valid.
    for (int32_t index = bookmarks_.count() - 1; index >= 0; --index) {
        const Bookmark& bookmark = bookmarks_[index];
        const bool strictlyInside = bookmark.start() > start && bookmark.end() < end;
        const bool collapsedInside = bookmark.length() == 0 && bookmark.start() >= start && bookmark.end() <= end;
        if (strictlyInside || collapsedInside)
            deleteBookmark(index);
    }
}

std::vector<Bookmark*> DocumentModel::bookmarks(bool includeHidden) const
{
    std::vector<Bookmark*> result;
    for (const PieceTable* pieceTable : pieceTables()) {
        std::vector<Bookmark*> story = pieceTable->bookmarks(includeHidden);
        result.insert(result.end(), story.begin(), story.end());
    }
    return result;
}

} // namespace velmo::model
