// Bookmark marks of story content.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/docx/open_xml_story_builder.h"

namespace velmo::formats {

bool OpenXmlImporter::readBookmarkMark(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    const std::string_view name = reader.localName();
    const bool isStart = name == "bookmarkStart";
    if (!isStart && name != "bookmarkEnd")
        return false;
    // Both marks need an id to be matched; the name comes with the start.
    if (const std::optional<std::string_view> id = OpenXmlAttributes::text(reader, "id")) {
        if (isStart)
            story.bookmarks().start(trimBlanks(*id), core::utf8ToUtf16(trimBlanks(OpenXmlAttributes::text(reader, "name").value_or(""))),
                                    story.currentLogPosition());
        else
            story.bookmarks().end(trimBlanks(*id), story.currentLogPosition());
    }
    reader.skipSubtree();
    return true;
}

} // namespace velmo::formats
