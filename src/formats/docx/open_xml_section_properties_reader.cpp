// Section property elements: "sectPr" and its parts.
#include "core/unicode_text.h"
#include "formats/docx/open_xml_property_reader.h"
#include "model/document_cache.h"

#include <algorithm>

namespace velmo::formats {

namespace {

constexpr int32_t kMaxPageLength = 31680 * 4;
constexpr int32_t kMaxColumnCount = 45;

} // namespace

OpenXmlSectionProperties OpenXmlSectionProperties::defaults(model::DocumentCache& cache)
{
    OpenXmlSectionProperties properties;
    properties.margins = cache.marginsCache().defaultItem();
    properties.page = cache.pageCache().defaultItem();
    properties.columns = cache.columnsCache().defaultItem();
    properties.general = cache.generalSectionCache().defaultItem();
    properties.pageNumbering = cache.pageNumberingCache().defaultItem();
    properties.lineNumbering = cache.lineNumberingCache().defaultItem();
    properties.footNote = cache.footNoteCache().defaultItem();
    properties.endNote = cache.footNoteCache()[model::DocumentCache::kEndNoteDefaultIndex];
    return properties;
}

void OpenXmlPropertyReader::readColumns(XmlReader& reader, model::ColumnsInfo& columns) const
{
    columns.equalWidthColumns = attributes_.onOff(reader, "equalWidth", false);
    columns.drawVerticalSeparator = attributes_.onOff(reader, "sep", false);
    if (const std::optional<int32_t> count = attributes_.integer(reader, "num"); count && *count > 0)
        columns.columnCount = std::min(*count, kMaxColumnCount);
    if (const std::optional<int32_t> space = attributes_.integer(reader, "space"))
        columns.space = std::clamp(*space, 0, kMaxPageLength);
    columns.columns.clear();
    forEachChildElement(reader, [&] {
        if (reader.localName() == "col" && static_cast<int32_t>(columns.columns.size()) < kMaxColumnCount) {
            const int32_t width = attributes_.integer(reader, "w", 0);
            if (width > 0)
                columns.columns.push_back({std::min(width, kMaxPageLength), std::clamp(attributes_.integer(reader, "space", 0), 0, kMaxPageLength)});
        }
        reader.skipSubtree();
    });
    if (!columns.equalWidthColumns && columns.columns.empty())
        columns.equalWidthColumns = true;
    if (columns.equalWidthColumns)
        columns.columns.clear();
}

void OpenXmlPropertyReader::readNoteProperties(XmlReader& reader, model::FootNoteInfo& note) const
{
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        const std::string_view word = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or(""));
        if (name == "pos") {
            note.position = valueOf(kNotePositionWords, word).value_or(note.position);
        } else if (name == "numFmt") {
            note.numberingFormat = numberingFormatOf(word).value_or(note.numberingFormat);
        } else if (name == "numStart") {
            note.startingNumber = std::max(attributes_.integer(reader, "val", 1), 0);
        } else if (name == "numRestart") {
            if (word == "eachPage")
                note.numberingRestartType = model::LineNumberingRestart::NewPage;
            else if (word == "eachSect")
                note.numberingRestartType = model::LineNumberingRestart::NewSection;
            else if (word == "continuous")
                note.numberingRestartType = model::LineNumberingRestart::Continuous;
        }
        reader.skipSubtree();
    });
}

void OpenXmlPropertyReader::readSectionProperties(XmlReader& reader, OpenXmlSectionProperties& properties) const
{
    const auto length = [&](std::string_view name, int32_t& target, int32_t minimum) {
        if (const std::optional<int32_t> value = attributes_.integer(reader, name))
            target = std::clamp(*value, minimum, kMaxPageLength);
    };
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (!isWordElement(reader)) {
            reader.skipSubtree();
            return;
        }
        if (name == "pgSz") {
            model::PageInfo& page = properties.page;
            page.width = 0;
            page.height = 0;
            length("w", page.width, 0);
            length("h", page.height, 0);
            if (const std::optional<int32_t> code = attributes_.integer(reader, "code"); code && *code >= 0 && *code < 256)
                page.paperKind = static_cast<model::PaperKind>(*code);
            page.landscape = trimBlanks(OpenXmlAttributes::text(reader, "orient").value_or("")) == "landscape";
            page.validatePaperKind();
        } else if (name == "pgMar") {
            model::MarginsInfo& margins = properties.margins;
            length("left", margins.left, -kMaxPageLength);
            length("right", margins.right, -kMaxPageLength);
            length("top", margins.top, -kMaxPageLength);
            length("bottom", margins.bottom, -kMaxPageLength);
            length("header", margins.headerOffset, 0);
            length("footer", margins.footerOffset, 0);
            length("gutter", margins.gutter, 0);
        } else if (name == "cols") {
            readColumns(reader, properties.columns);
            return;
        } else if (name == "lnNumType") {
            model::LineNumberingInfo& lines = properties.lineNumbering;
            lines.startingLineNumber = std::max(attributes_.integer(reader, "start", 0) + 1, 1);
            lines.step = std::max(attributes_.integer(reader, "countBy", 0), 0);
            length("distance", lines.distance, 0);
            lines.numberingRestartType = valueOf(kLineNumberingRestartWords, trimBlanks(OpenXmlAttributes::text(reader, "restart").value_or("newPage")))
                                             .value_or(model::LineNumberingRestart::NewPage);
        } else if (name == "pgNumType") {
            model::PageNumberingInfo& numbering = properties.pageNumbering;
            if (const std::optional<int32_t> start = attributes_.integer(reader, "start")) {
                numbering.firstPageNumber = std::max(*start, 0);
                numbering.continueNumbering = false;
            }
            if (const std::optional<std::string_view> format = OpenXmlAttributes::text(reader, "fmt"))
                numbering.numberingFormat = numberingFormatOf(trimBlanks(*format)).value_or(numbering.numberingFormat);
            if (const std::optional<std::string_view> separator = OpenXmlAttributes::text(reader, "chapSep")) {
                const std::string_view word = trimBlanks(*separator);
                numbering.chapterSeparator = word == "hyphen" ? u'-' : word == "period" ? u'.' : word == "colon" ? u':'
                                           : word == "emDash" ? u'\u2014' : word == "enDash" ? u'\u2013' : u'.';
            }
        } else if (name == "paperSrc") {
            properties.general.firstPagePaperSource = std::max(attributes_.integer(reader, "first", 0), 0);
            properties.general.otherPagePaperSource = std::max(attributes_.integer(reader, "other", 0), 0);
        } else if (name == "type") {
            properties.general.startType = valueOf(kSectionStartWords, trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("nextPage")))
                                               .value_or(model::SectionStartType::NextPage);
        } else if (name == "vAlign") {
            properties.general.verticalTextAlignment =
                valueOf(kVerticalAlignmentWords, trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("top"))).value_or(model::VerticalAlignment::Top);
        } else if (name == "textDirection" || name == "textFlow") {
            properties.general.textDirection = valueOf(kTextDirectionWords, trimBlanks(OpenXmlAttributes::text(reader, "val").value_or("lrTb")))
                                                   .value_or(model::TextDirection::LeftToRightTopToBottom);
        } else if (name == "titlePg") {
            properties.general.differentFirstPage = attributes_.onOff(reader, "val", true);
        } else if (name == "headerReference" || name == "footerReference") {
            const std::string_view type = trimBlanks(OpenXmlAttributes::text(reader, "type").value_or("default"));
            const std::optional<std::string_view> id = OpenXmlAttributes::relationId(reader);
            if (id && properties.headersFooters.size() < 6) {
                OpenXmlHeaderFooterReference reference;
                reference.kind = name == "headerReference" ? model::ContentTypeKind::Header : model::ContentTypeKind::Footer;
                reference.type = type == "first" ? model::HeaderFooterType::First
                               : type == "even"  ? model::HeaderFooterType::Even
                                                 : model::HeaderFooterType::Odd;
                reference.relationId = std::string(*id);
                properties.headersFooters.push_back(std::move(reference));
            }
        } else if (name == "footnotePr") {
            readNoteProperties(reader, properties.footNote);
            return;
        } else if (name == "endnotePr") {
            readNoteProperties(reader, properties.endNote);
            return;
        }
        reader.skipSubtree();
    });
}

} // namespace velmo::formats
