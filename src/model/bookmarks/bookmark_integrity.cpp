#include "model/bookmarks/bookmark_integrity.h"

#include "model/piece_table.h"

namespace velmo::model {

namespace {

void checkBoundary(const PieceTable& pieceTable, const DocumentIntervalBoundary& boundary, const std::string& name,
                   std::vector<std::string>& problems)
{
    const RunIndex runIndex = boundary.runIndex();
    if (runIndex.value() < 0 || runIndex.value() >= pieceTable.runCount()) {
        problems.push_back(name + " names run " + std::to_string(runIndex.value()) + ", which the story lacks");
        return;
    }
    if (pieceTable.runLogPosition(runIndex) != boundary.runStartLogPosition())
        problems.push_back(name + " has a stale run start " + std::to_string(boundary.runStartLogPosition().value()));
    if (boundary.offset() < 0 || boundary.offset() >= pieceTable.run(runIndex).length())
        problems.push_back(name + " lies outside its run (offset " + std::to_string(boundary.offset()) + ")");
}

} // namespace

std::vector<std::string> findBookmarkProblems(const PieceTable& pieceTable)
{
    std::vector<std::string> problems;
    const BookmarkCollection& bookmarks = pieceTable.bookmarkCollection();
    for (int32_t index = 0; index < bookmarks.count(); ++index) {
        const Bookmark& bookmark = bookmarks[index];
        const std::string name = "bookmark " + std::to_string(index);
        if (&bookmark.pieceTable() != &pieceTable)
            problems.push_back(name + " belongs to another story");
        checkBoundary(pieceTable, bookmark.startBoundary(), name + " start", problems);
        checkBoundary(pieceTable, bookmark.endBoundary(), name + " end", problems);
        if (bookmark.end() < bookmark.start() || bookmark.end() > pieceTable.documentEndLogPosition())
            problems.push_back(name + " spans " + std::to_string(bookmark.start().value()) + ".." +
                               std::to_string(bookmark.end().value()) + " in a story ending at " +
                               std::to_string(pieceTable.documentEndLogPosition().value()));
        // Ends may fall out of order when a deletion pulls starts together; starts never do.
        if (index > 0 && bookmarks[index - 1].start() > bookmark.start())
            problems.push_back(name + " is out of position order");
    }
    return problems;
}

} // namespace velmo::model
