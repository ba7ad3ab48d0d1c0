// The settings part.
#include "formats/docx/open_xml_importer.h"
#include "model/document_model.h"

#include <algorithm>

namespace velmo::formats {

void OpenXmlImporter::readSettings(XmlReader& reader)
{
    model::DocumentInfo info = documentModel_.documentInfo();
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (name == "defaultTabStop") {
            const int32_t width = attributes_.integer(reader, "val", 0);
            if (width > 0)
                info.defaultTabWidth = std::min(width, 31680);
        } else if (name == "autoHyphenation") {
            info.hyphenateDocument = attributes_.onOff(reader, "val", true);
        } else if (name == "evenAndOddHeaders") {
            info.differentOddAndEvenPages = attributes_.onOff(reader, "val", true);
        } else if (name == "displayBackgroundShape") {
            info.displayBackgroundShape = attributes_.onOff(reader, "val", true);
        }
        reader.skipSubtree();
    });
    documentModel_.changeDocumentInfo([&](model::DocumentInfo& target) { target = info; });
}

} // namespace velmo::formats
