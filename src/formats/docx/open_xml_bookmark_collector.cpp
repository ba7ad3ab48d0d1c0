#include "formats/docx/open_xml_bookmark_collector.h"

#include "model/document_model.h"
#include "model/piece_table.h"

#include <algorithm>

namespace velmo::formats {

OpenXmlBookmarkCollector::Marks* OpenXmlBookmarkCollector::marksOf(std::string_view id)
{
    const auto found = ids_.find(std::string(id));
    if (found != ids_.end())
        return &marks_[found->second];
    if (marks_.size() >= kMaxBookmarks)
        return nullptr;
    ids_.emplace(std::string(id), marks_.size());
    return &marks_.emplace_back();
}

void OpenXmlBookmarkCollector::start(std::string_view id, std::u16string name, DocumentLogPosition position)
{
    Marks* marks = marksOf(id);
    if (!marks || marks->start)
        return;
    marks->start = position;
    marks->name = std::move(name);
}

void OpenXmlBookmarkCollector::end(std::string_view id, DocumentLogPosition position)
{
    Marks* marks = marksOf(id);
    if (marks && !marks->end)
        marks->end = position;
}

void OpenXmlBookmarkCollector::createBookmarks(model::PieceTable& pieceTable) const
{
    if (!model::isCapabilityAllowed(pieceTable.documentModel().capabilities().bookmarks))
        return;
    std::vector<const Marks*> valid;
    for (const Marks& marks : marks_) {
        if (marks.start && marks.end && *marks.start <= *marks.end)
            valid.push_back(&marks);
    }
    // In position order, each bookmark goes to the end of the story's list.
    std::stable_sort(valid.begin(), valid.end(), [](const Marks* a, const Marks* b) {
        return *a->start < *b->start || (*a->start == *b->start && *a->end < *b->end);
    });
    for (const Marks* marks : valid)
        pieceTable.createBookmark(*marks->start, *marks->end - *marks->start, marks->name);
}

} // namespace velmo::formats
