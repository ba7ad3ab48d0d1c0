#include "model/bookmarks/bookmark_history_items.h"

#include "model/bookmarks/bookmark_collection.h"
#include "model/document_model.h"
#include "model/piece_table.h"

namespace velmo::model {

namespace {

/// The view redraws the bookmark's runs. Typing merge ends, so that text typed right after a
/// bookmark's end never slips into it by growing the run before it.
void noteBookmarkChange(PieceTable& pieceTable, const Bookmark& bookmark)
{
    DocumentModel& document = pieceTable.documentModel();
    document.resetMerging();
    document.applyChangesCore(pieceTable, DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetSecondaryLayout,
                              bookmark.startBoundary().runIndex(), bookmark.endBoundary().runIndex());
}

} // namespace

InsertBookmarkHistoryItem::InsertBookmarkHistoryItem(PieceTable& pieceTable, std::unique_ptr<Bookmark> bookmark) noexcept
    : HistoryItem(pieceTable), bookmark_(bookmark.get()), undone_(std::move(bookmark))
{
}

InsertBookmarkHistoryItem::~InsertBookmarkHistoryItem() = default;

void InsertBookmarkHistoryItem::redoCore()
{
    BookmarkCollection& bookmarks = pieceTable_.bookmarkCollection();
    if (index_ < 0)
        index_ = bookmarks.insert(std::move(undone_));
    else
        bookmarks.insertAt(index_, std::move(undone_));
    noteBookmarkChange(pieceTable_, *bookmark_);
}

void InsertBookmarkHistoryItem::undoCore()
{
    noteBookmarkChange(pieceTable_, *bookmark_);
    index_ = pieceTable_.bookmarkCollection().indexOf(*bookmark_);
    undone_ = pieceTable_.bookmarkCollection().take(index_);
}

DeleteBookmarkHistoryItem::~DeleteBookmarkHistoryItem() = default;

void DeleteBookmarkHistoryItem::redoCore()
{
    noteBookmarkChange(pieceTable_, pieceTable_.bookmarkCollection()[index_]);
    deleted_ = pieceTable_.bookmarkCollection().take(index_);
}

void DeleteBookmarkHistoryItem::undoCore()
{
    const Bookmark& restored = *deleted_;
    pieceTable_.bookmarkCollection().insertAt(index_, std::move(deleted_));
    noteBookmarkChange(pieceTable_, restored);
}

} // namespace velmo::model
