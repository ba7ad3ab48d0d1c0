#pragma once

#include "formats/docx/open_xml_numbering_values.h"

#include <optional>

namespace velmo::model {
class Paragraph;
class ParagraphStyle;
}

namespace velmo::formats {

/// The "numPr" of a paragraph that is itself an item of a list ("numId" = list index + 1) or
/// takes the list of its style away ("numId" 0); none otherwise.
[[nodiscard]] std::optional<OpenXmlNumberingReference> numberingReferenceOf(const model::Paragraph& paragraph);
/// The "numPr" of a paragraph style with a list, a level or "no list" of its own; the level is
/// given only when above 0.
[[nodiscard]] std::optional<OpenXmlNumberingReference> numberingReferenceOf(const model::ParagraphStyle& style);

} // namespace velmo::formats
