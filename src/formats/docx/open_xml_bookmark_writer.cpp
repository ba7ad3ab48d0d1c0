// Bookmark starts and ends in the parts that hold text.
#include "formats/docx/open_xml_exporter.h"

#include "model/piece_table.h"

#include <string>

namespace velmo::formats {

namespace {

/// Word processors take bookmark names up to this many characters.
constexpr size_t kMaxBookmarkNameLength = 40;

/// The first `length` units of `name`, not ending inside a surrogate pair.
std::u16string headOf(const std::u16string& name, size_t length)
{
    if (length > 0 && length < name.size() && name[length - 1] >= 0xD800 && name[length - 1] <= 0xDBFF)
        --length;
    return name.substr(0, length);
}

} // namespace

int32_t OpenXmlExporter::bookmarkId(const model::PieceTable& pieceTable, int32_t bookmarkIndex)
{
    const auto [base, added] = bookmarkIdBases_.try_emplace(&pieceTable, nextBookmarkIdBase_);
    if (added)
        nextBookmarkIdBase_ += pieceTable.bookmarkCollection().count();
    return base->second + bookmarkIndex;
}

std::u16string OpenXmlExporter::bookmarkName(const std::u16string& name)
{
    if (!limitBookmarkNameTo40Chars_ || name.size() <= kMaxBookmarkNameLength) {
        bookmarkNames_.insert(name);
        return name;
    }
    std::u16string candidate = headOf(name, kMaxBookmarkNameLength);
    for (int64_t number = 1; bookmarkNames_.contains(candidate); ++number) {
        std::u16string suffix = u"_";
        for (const char digit : std::to_string(number))
            suffix.push_back(static_cast<char16_t>(digit));
        candidate = headOf(name, kMaxBookmarkNameLength - suffix.size()) + suffix;
    }
    bookmarkNames_.insert(candidate);
    return candidate;
}

void OpenXmlExporter::exportBookmarkStart(const model::PieceTable& pieceTable, int32_t bookmarkIndex)
{
    writer_->startElement("w:bookmarkStart");
    writer_->attribute("w:id", bookmarkId(pieceTable, bookmarkIndex));
    writer_->attribute("w:name", bookmarkName(pieceTable.bookmarkCollection()[bookmarkIndex].name()));
    writer_->endElement();
}

void OpenXmlExporter::exportBookmarkEnd(const model::PieceTable& pieceTable, int32_t bookmarkIndex)
{
    writer_->startElement("w:bookmarkEnd");
    writer_->attribute("w:id", bookmarkId(pieceTable, bookmarkIndex));
    writer_->endElement();
}

} // namespace velmo::formats
