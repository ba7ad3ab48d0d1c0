#include "formats/docx/open_xml_exporter.h"

#include "formats/docx/open_xml_numbering_writer.h"
#include "formats/docx/open_xml_drawing_values.h"
#include "formats/docx/open_xml_property_writer.h"
#include "formats/docx/open_xml_values.h"
#include "model/content_type.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/paragraph_frames.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tables/table.h"

#include <algorithm>

namespace velmo::formats {

namespace {

constexpr std::string_view kContentTypePrefix = "application/vnd.openxmlformats-officedocument.wordprocessingml.";
constexpr std::string_view kRelationshipsContentType = "application/vnd.openxmlformats-package.relationships+xml";
/// The main document's relation id in the package relations: "R" and eight hexadecimal digits.
constexpr std::string_view kMainDocumentRelationId = "R00000001";
/// A grid column's width when no cell tells it.
constexpr int32_t kDefaultGridColumnWidth = 2000;

std::string contentType(std::string_view suffix)
{
    return std::string(kContentTypePrefix) + std::string(suffix);
}

std::string styleId(char kind, int32_t index)
{
    return std::string(1, kind) + std::to_string(index);
}

std::string_view headerFooterTypeWord(model::HeaderFooterType type) noexcept
{
    switch (type) {
    case model::HeaderFooterType::First: return "first";
    case model::HeaderFooterType::Odd: return "default";
    case model::HeaderFooterType::Even: return "even";
    }
    return "default";
}

} // namespace

OpenXmlExporter::OpenXmlExporter(const model::DocumentModel& documentModel, const DocumentExporterOptions& options)
    : DocumentModelExporter(documentModel, true),
      drawings_(package_, [this](const model::PieceTable& pieceTable) { writeTextBoxStory(pieceTable); })
{
    if (const auto* openXmlOptions = dynamic_cast<const OpenXmlDocumentExporterOptions*>(&options))
        limitBookmarkNameTo40Chars_ = openXmlOptions->limitBookmarkNameTo40Chars;
}

std::vector<uint8_t> OpenXmlExporter::exportContent()
{
    writeDocumentPart();
    writeStylesPart();
    writeNumberingPart();
    writeSettingsPart();
    if (!footNotes_.empty())
        writeNotesPart(true);
    if (!endNotes_.empty())
        writeNotesPart(false);
    writePackageParts();
    return package_.finish();
}

void OpenXmlExporter::addPart(const std::string& name, std::string_view partContentType, XmlWriter& writer)
{
    const std::string xml = writer.finish();
    package_.addFile(name, xml);
    if (!partContentType.empty())
        overrides_.emplace_back("/" + name, std::string(partContentType));
}

void OpenXmlExporter::startStoryRoot(std::string_view name)
{
    writer_->startElement(name);
    writer_->namespaceDeclaration("w", kWordNamespace);
    writer_->namespaceDeclaration("r", kRelationshipsNamespace);
    // What drawings are written with.
    writer_->namespaceDeclaration("wps", kWordprocessingShapeNamespace);
    writer_->namespaceDeclaration("mc", kMarkupCompatibilityNamespace);
    writer_->namespaceDeclaration("w10", kVmlWordNamespace);
    writer_->namespaceDeclaration("v", kVmlNamespace);
    writer_->namespaceDeclaration("o", kVmlOfficeNamespace);
    writer_->namespaceDeclaration("wp", kWordprocessingDrawingNamespace);
    writer_->namespaceDeclaration("wp14", kWordprocessingDrawing2010Namespace);
    writer_->namespaceDeclaration("a", kDrawingMainNamespace);
    writer_->namespaceDeclaration("pic", kDrawingPictureNamespace);
    writer_->attribute("mc:Ignorable", "wp14");
}

void OpenXmlExporter::writeDocumentPart()
{
    XmlWriter writer;
    writer_ = &writer;
    drawings_.beginPart();
    startStoryRoot("w:document");
    const model::AlphaColor background = documentModel_.documentInfo().pageBackColor;
    if (model::isValidColor(background)) {
        writer.startElement("w:background");
        writer.attribute("w:color", colorWord(background));
        writer.endElement();
    }
    writer.startElement("w:body");
    const model::PieceTable& main = documentModel_.mainPieceTable();
    (void)bookmarkId(main, 0); // the main story's ids are its bookmarks' indices
    sectionCursor_ = 0;
    fields_.clear();
    fieldsInCode_ = 0;
    writeBlocks(main, ParagraphIndex(0), ParagraphIndex(main.paragraphCount() - 1), 0);
    writeSectionProperties(documentModel_.sectionCount() - 1);
    writer.endElement();
    writer.endElement();
    writer_ = &writer;
    addPart("word/document.xml", contentType("document.main+xml"), writer);
    writer_ = nullptr;
    // The pictures' relations come first.
    std::vector<std::tuple<std::string, std::string, std::string>> relations;
    for (const OpenXmlDrawingWriter::ImageRelation& relation : drawings_.endPart())
        relations.emplace_back(relation.id, "image", relation.target);
    relations_.insert(relations_.begin(), relations.begin(), relations.end());
}

void OpenXmlExporter::writeBlocks(const model::PieceTable& pieceTable, ParagraphIndex first, ParagraphIndex last, int32_t level)
{
    const model::TableCellsManager& cells = pieceTable.tableCellsManager();
    for (ParagraphIndex index = first; index <= last;) {
        if (const model::TableCell* cell = cells.cellByNestingLevel(index, level)) {
            const model::Table& table = cell->table();
            writeTable(table, level);
            index = std::max(table.endParagraphIndex() + 1, index + 1);
            continue;
        }
        writeParagraph(pieceTable, index);
        ++index;
    }
}

void OpenXmlExporter::writeTable(const model::Table& table, int32_t level)
{
    XmlWriter& writer = *writer_;
    const model::DocumentCache& cache = documentModel_.cache();
    writer.startElement("w:tbl");
    OpenXmlPropertyWriter::writeTableProperties(writer, "tblPr", table.properties(), styleId('T', table.styleIndex()), false);
    writeTableGrid(table);
    for (int32_t rowIndex = 0; rowIndex < table.rowCount(); ++rowIndex) {
        const model::TableRow& row = table.row(rowIndex);
        writer.startElement("w:tr");
        if (row.tablePropertiesExceptionIndex() != 0)
            OpenXmlPropertyWriter::writeTableProperties(writer, "tblPrEx", cache.tablePropertiesCache()[row.tablePropertiesExceptionIndex()], "", true);
        OpenXmlPropertyWriter::writeRowProperties(writer, row.properties());
        for (int32_t cellIndex = 0; cellIndex < row.cellCount(); ++cellIndex) {
            const model::TableCell& cell = row.cell(cellIndex);
            writer.startElement("w:tc");
            OpenXmlPropertyWriter::writeCellProperties(writer, cell.properties());
            writeBlocks(table.pieceTable(), cell.startParagraphIndex(), cell.endParagraphIndex(), level + 1);
            writer.endElement();
        }
        writer.endElement();
    }
    writer.endElement();
}

void OpenXmlExporter::writeTableGrid(const model::Table& table)
{
    // The model lays tables out from the cells' widths; the grid only helps other readers.
    std::vector<int32_t> widths;
    for (int32_t rowIndex = 0; rowIndex < table.rowCount(); ++rowIndex) {
        const model::TableRow& row = table.row(rowIndex);
        size_t column = static_cast<size_t>(std::max(row.gridBefore(), 0));
        for (int32_t cellIndex = 0; cellIndex < row.cellCount(); ++cellIndex) {
            const model::TableCellPropertiesInfo& cell = row.cell(cellIndex).properties();
            const auto span = static_cast<size_t>(std::max(cell.columnSpan, 1));
            if (widths.size() < column + span)
                widths.resize(column + span, 0);
            if (cell.preferredWidth.type == model::WidthUnitType::ModelUnits && cell.preferredWidth.value > 0) {
                const int32_t share = cell.preferredWidth.value / static_cast<int32_t>(span);
                for (size_t index = column; index < column + span; ++index) {
                    if (widths[index] == 0)
                        widths[index] = share;
                }
            }
            column += span;
        }
        widths.resize(std::max(widths.size(), column + static_cast<size_t>(std::max(row.gridAfter(), 0))), 0);
    }
    XmlWriter& writer = *writer_;
    writer.startElement("w:tblGrid");
    for (const int32_t width : widths) {
        writer.startElement("w:gridCol");
        writer.attribute("w:w", width > 0 ? width : kDefaultGridColumnWidth);
        writer.endElement();
    }
    writer.endElement();
}

void OpenXmlExporter::writeParagraph(const model::PieceTable& pieceTable, ParagraphIndex index)
{
    XmlWriter& writer = *writer_;
    const model::DocumentCache& cache = documentModel_.cache();
    const model::Paragraph& paragraph = pieceTable.paragraph(index);
    const model::ParagraphFormattingBase& formatting = cache.paragraphFormattingCache()[paragraph.paragraphPropertiesIndex()];
    const model::TabFormattingInfo& tabs = cache.tabFormattingInfoCache()[paragraph.tabsIndex()];
    const std::string paragraphStyle = paragraph.paragraphStyleIndex() != 0 ? styleId('P', paragraph.paragraphStyleIndex()) : std::string();
    const model::TextRunBase& mark = pieceTable.run(paragraph.lastRunIndex());
    const model::CharacterFormattingBase& markFormatting = cache.characterFormattingCache()[mark.characterPropertiesIndex()];
    const std::string markStyle = mark.characterStyleIndex() != 0 ? styleId('C', mark.characterStyleIndex()) : std::string();

    bool endsSection = false;
    if (pieceTable.isMain()) {
        while (sectionCursor_ < documentModel_.sectionCount() - 1 &&
               documentModel_.section(SectionIndex(sectionCursor_)).lastParagraphIndex() < index)
            ++sectionCursor_;
        endsSection = sectionCursor_ < documentModel_.sectionCount() - 1 &&
                      documentModel_.section(SectionIndex(sectionCursor_)).lastParagraphIndex() == index;
    }

    writer.startElement("w:p");
    const bool hasMarkProperties = OpenXmlPropertyWriter::hasRunProperties(markFormatting, markStyle);
    const std::optional<OpenXmlNumberingReference> numbering = numberingReferenceOf(paragraph);
    const std::optional<model::ParagraphFrameFormatting> frame = model::frameProperties(paragraph);
    if (OpenXmlPropertyWriter::hasParagraphProperties(paragraphStyle, formatting, tabs) || hasMarkProperties || endsSection ||
        numbering || frame) {
        writer.startElement("w:pPr");
        OpenXmlPropertyWriter::writeParagraphPropertiesBody(writer, paragraphStyle, formatting, tabs, numbering, frame);
        OpenXmlPropertyWriter::writeRunProperties(writer, markFormatting, markStyle);
        if (endsSection)
            writeSectionProperties(sectionCursor_);
        writer.endElement();
    }
    if (!pendingNoteMark_.empty()) {
        writer.startElement("w:r");
        writer.startElement("w:rPr");
        writeValueElement(writer, "vertAlign", "superscript");
        writer.endElement();
        writer.startElement("w:" + std::string(pendingNoteMark_));
        writer.endElement();
        writer.endElement();
        pendingNoteMark_ = {};
    }
    exportRuns(pieceTable, paragraph);
    writer.endElement();
}

void OpenXmlExporter::writeSectionProperties(int32_t sectionIndex)
{
    XmlWriter& writer = *writer_;
    const model::Section& section = documentModel_.section(SectionIndex(sectionIndex));
    writer.startElement("w:sectPr");
    for (const model::ContentTypeKind kind : {model::ContentTypeKind::Header, model::ContentTypeKind::Footer}) {
        for (const model::HeaderFooterType type : {model::HeaderFooterType::First, model::HeaderFooterType::Odd, model::HeaderFooterType::Even}) {
            const model::SectionHeaderFooterBase* story = section.headerFooter(kind, type);
            if (!story)
                continue;
            // A section that shows what the section before it shows says nothing: readers carry it over.
            if (sectionIndex > 0 && documentModel_.section(SectionIndex(sectionIndex - 1)).headerFooter(kind, type) == story)
                continue;
            const std::string relationId = headerFooterRelation(*story);
            writer.startElement(kind == model::ContentTypeKind::Header ? "w:headerReference" : "w:footerReference");
            writer.attribute("w:type", headerFooterTypeWord(type));
            writer.attribute("r:id", relationId);
            writer.endElement();
        }
    }
    OpenXmlPropertyWriter::writeSectionSettings(writer, section.margins(), section.page(), section.columns(), section.generalSettings(),
                                                section.pageNumbering(), section.lineNumbering(), section.footNote(), section.endNote());
    writer.endElement();
}

std::string OpenXmlExporter::headerFooterRelation(const model::SectionHeaderFooterBase& story)
{
    if (const auto found = headerFooterRelations_.find(&story); found != headerFooterRelations_.end())
        return found->second;
    const bool isHeader = story.isHeader();
    const int32_t number = isHeader ? ++headerCount_ : ++footerCount_;
    const std::string fileName = (isHeader ? "header" : "footer") + std::to_string(number) + ".xml";
    const std::string relationId = (isHeader ? "RelHdr" : "RelFtr") + std::to_string(number);

    // The part is written now, in the middle of the main document: keep that document's state.
    XmlWriter* const mainWriter = writer_;
    const std::vector<bool> mainFields = std::move(fields_);
    const int32_t mainFieldsInCode = fieldsInCode_;
    const int32_t mainSectionCursor = sectionCursor_;
    fields_.clear();
    fieldsInCode_ = 0;
    XmlWriter writer;
    writer_ = &writer;
    drawings_.beginPart();
    startStoryRoot(isHeader ? "w:hdr" : "w:ftr");
    const model::PieceTable& pieceTable = story.pieceTable();
    writeBlocks(pieceTable, ParagraphIndex(0), ParagraphIndex(pieceTable.paragraphCount() - 1), 0);
    addPart("word/" + fileName, contentType(isHeader ? "header+xml" : "footer+xml"), writer);
    writeImageRelations(fileName, drawings_.endPart());
    writer_ = mainWriter;
    fields_ = mainFields;
    fieldsInCode_ = mainFieldsInCode;
    sectionCursor_ = mainSectionCursor;

    relations_.emplace_back(relationId, isHeader ? "header" : "footer", fileName);
    headerFooterRelations_.emplace(&story, relationId);
    return relationId;
}

void OpenXmlExporter::writeNotesPart(bool footNotes)
{
    XmlWriter writer;
    writer_ = &writer;
    drawings_.beginPart();
    const std::string_view noteName = footNotes ? "w:footnote" : "w:endnote";
    startStoryRoot(footNotes ? "w:footnotes" : "w:endnotes");
    // The separators word processors draw between the text and the notes.
    for (const auto& [id, type] : {std::pair<int32_t, std::string_view>{-1, "separator"}, {0, "continuationSeparator"}}) {
        writer.startElement(noteName);
        writer.attribute("w:type", type);
        writer.attribute("w:id", id);
        writer.startElement("w:p");
        writer.startElement("w:r");
        writer.startElement("w:" + std::string(type));
        writer.endElement();
        writer.endElement();
        writer.endElement();
        writer.endElement();
    }
    for (const int32_t index : footNotes ? footNotes_ : endNotes_) {
        const model::PieceTable& pieceTable =
            footNotes ? documentModel_.footNote(index).pieceTable() : documentModel_.endNote(index).pieceTable();
        writer.startElement(noteName);
        writer.attribute("w:id", index + 1);
        fields_.clear();
        fieldsInCode_ = 0;
        pendingNoteMark_ = footNotes ? "footnoteRef" : "endnoteRef";
        writeBlocks(pieceTable, ParagraphIndex(0), ParagraphIndex(pieceTable.paragraphCount() - 1), 0);
        pendingNoteMark_ = {};
        writer.endElement();
    }
    const std::string fileName = footNotes ? "footnotes.xml" : "endnotes.xml";
    addPart("word/" + fileName, contentType(footNotes ? "footnotes+xml" : "endnotes+xml"), writer);
    writeImageRelations(fileName, drawings_.endPart());
    relations_.emplace_back(footNotes ? "RelFnt1" : "RelEnt1", footNotes ? "footnotes" : "endnotes", fileName);
    writer_ = nullptr;
}

void OpenXmlExporter::startRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    const model::TextRunBase& run = pieceTable.run(runIndex);
    writer_->startElement("w:r");
    const std::string characterStyle = run.characterStyleIndex() != 0 ? styleId('C', run.characterStyleIndex()) : std::string();
    OpenXmlPropertyWriter::writeRunProperties(*writer_, documentModel_.cache().characterFormattingCache()[run.characterPropertiesIndex()],
                                              characterStyle);
}

void OpenXmlExporter::writeText(std::u16string_view text)
{
    XmlWriter& writer = *writer_;
    size_t pieceStart = 0;
    const auto flush = [&](size_t end) {
        if (end > pieceStart) {
            const std::u16string_view piece = text.substr(pieceStart, end - pieceStart);
            writer.startElement(fieldsInCode_ > 0 ? "w:instrText" : "w:t");
            if (piece.front() == u' ' || piece.back() == u' ' || piece.find(u"  ") != std::u16string_view::npos)
                writer.attribute("xml:space", "preserve");
            writer.text(piece);
            writer.endElement();
        }
        pieceStart = end + 1;
    };
    for (size_t index = 0; index < text.size(); ++index) {
        const char16_t character = text[index];
        if (character >= 0x20 && character != model::kNonBreakingHyphen)
            continue;
        flush(index);
        if (character == model::kNonBreakingHyphen) {
            writer.startElement("w:noBreakHyphen");
            writer.endElement();
        } else if (character == model::kOptionalHyphen) {
            writer.startElement("w:softHyphen");
            writer.endElement();
        } else if (character == model::kTab) {
            writer.startElement("w:tab");
            writer.endElement();
        } else if (character == model::kLineBreak || character == u'\f' || character == u'\x0E') {
            writer.startElement("w:br");
            if (character == u'\f')
                writer.attribute("w:type", "page");
            else if (character == u'\x0E')
                writer.attribute("w:type", "column");
            writer.endElement();
        }
        // Other control characters cannot be written in XML and are dropped.
    }
    flush(text.size());
}

void OpenXmlExporter::writeRunText(const model::PieceTable& pieceTable, RunIndex runIndex, std::u16string_view text)
{
    if (text.empty())
        return;
    startRun(pieceTable, runIndex);
    writeText(text);
    writer_->endElement();
}

void OpenXmlExporter::exportTextRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    if (pieceTable.run(runIndex).kind() == model::RunKind::LayoutDependentText) {
        // Its number is known only when a page shows it; readers recalculate page fields, so
        // the first page's number stands in, and the run keeps its look.
        writeRunText(pieceTable, runIndex, u"1");
        return;
    }
    const std::u16string text = pieceTable.runText(runIndex);
    const DocumentLogPosition runStart = currentRunLogPosition();
    // A bookmark starting or ending inside the run cuts it there.
    size_t written = 0;
    for (std::optional<DocumentLogPosition> boundary = nextBookmarkBoundary(pieceTable);
         boundary && *boundary - runStart < static_cast<int32_t>(text.size()); boundary = nextBookmarkBoundary(pieceTable)) {
        const auto cut = static_cast<size_t>(*boundary - runStart);
        writeRunText(pieceTable, runIndex, std::u16string_view(text).substr(written, cut - written));
        written = cut;
        exportBookmarksUpTo(pieceTable, *boundary);
    }
    writeRunText(pieceTable, runIndex, std::u16string_view(text).substr(written));
}

void OpenXmlExporter::writeFieldCharacter(const model::PieceTable& pieceTable, RunIndex runIndex, std::string_view type)
{
    startRun(pieceTable, runIndex);
    writer_->startElement("w:fldChar");
    writer_->attribute("w:fldCharType", type);
    writer_->endElement();
    writer_->endElement();
}

void OpenXmlExporter::exportFieldCodeStartRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    writeFieldCharacter(pieceTable, runIndex, "begin");
    fields_.push_back(false);
    ++fieldsInCode_;
}

void OpenXmlExporter::exportFieldCodeEndRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    writeFieldCharacter(pieceTable, runIndex, "separate");
    if (!fields_.empty() && !fields_.back()) {
        fields_.back() = true;
        --fieldsInCode_;
    }
}

void OpenXmlExporter::exportFieldResultEndRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    writeFieldCharacter(pieceTable, runIndex, "end");
    if (fields_.empty())
        return;
    if (!fields_.back())
        --fieldsInCode_;
    fields_.pop_back();
}

void OpenXmlExporter::writeNoteReference(const model::PieceTable& pieceTable, RunIndex runIndex, bool footNote)
{
    if (!pieceTable.isMain())
        return;
    const int32_t noteIndex = static_cast<const model::FootNoteRunBase&>(pieceTable.run(runIndex)).noteIndex();
    const int32_t count = footNote ? documentModel_.footNoteCount() : documentModel_.endNoteCount();
    if (noteIndex < 0 || noteIndex >= count)
        return;
    (footNote ? footNotes_ : endNotes_).insert(noteIndex);
    startRun(pieceTable, runIndex);
    writer_->startElement(footNote ? "w:footnoteReference" : "w:endnoteReference");
    writer_->attribute("w:id", noteIndex + 1);
    writer_->endElement();
    writer_->endElement();
}

void OpenXmlExporter::exportFootNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t)
{
    writeNoteReference(pieceTable, runIndex, true);
}

void OpenXmlExporter::exportEndNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t)
{
    writeNoteReference(pieceTable, runIndex, false);
}

void OpenXmlExporter::exportInlineObjectRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    const model::TextRunBase& run = pieceTable.run(runIndex);
    if (run.kind() != model::RunKind::InlinePicture)
        return;
    const auto& picture = static_cast<const model::InlinePictureRun&>(run);
    if (!drawings_.canWrite(picture))
        return;
    startRun(pieceTable, runIndex);
    drawings_.writeInlinePicture(*writer_, picture);
    writer_->endElement();
}

void OpenXmlExporter::exportFloatingObjectAnchorRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    const auto& anchor = static_cast<const model::FloatingObjectAnchorRun&>(pieceTable.run(runIndex));
    if (!drawings_.canWrite(anchor))
        return;
    startRun(pieceTable, runIndex);
    drawings_.writeFloatingObject(*writer_, anchor);
    writer_->endElement();
}

void OpenXmlExporter::writeTextBoxStory(const model::PieceTable& pieceTable)
{
    const std::vector<bool> outerFields = std::move(fields_);
    const int32_t outerFieldsInCode = fieldsInCode_;
    const std::string_view outerNoteMark = pendingNoteMark_;
    fields_.clear();
    fieldsInCode_ = 0;
    pendingNoteMark_ = {};
    writeBlocks(pieceTable, ParagraphIndex(0), ParagraphIndex(pieceTable.paragraphCount() - 1), 0);
    fields_ = outerFields;
    fieldsInCode_ = outerFieldsInCode;
    pendingNoteMark_ = outerNoteMark;
}

void OpenXmlExporter::writeImageRelations(const std::string& partName, const std::vector<OpenXmlDrawingWriter::ImageRelation>& relations)
{
    if (relations.empty())
        return;
    XmlWriter writer;
    writer.startElement("Relationships");
    writer.namespaceDeclaration("", kPackageRelationshipsNamespace);
    for (const OpenXmlDrawingWriter::ImageRelation& relation : relations) {
        writer.startElement("Relationship");
        writer.attribute("Id", relation.id);
        writer.attribute("Type", std::string(kRelationshipTypePrefix) + "image");
        writer.attribute("Target", relation.target);
        writer.endElement();
    }
    addPart("word/_rels/" + partName + ".rels", {}, writer);
}

void OpenXmlExporter::writePackageParts()
{
    relations_.emplace_back("RelStyle1", "styles", "styles.xml");
    relations_.emplace_back("RelNum1", "numbering", "numbering.xml");
    relations_.emplace_back("RelSettings1", "settings", "settings.xml");

    XmlWriter packageRelations;
    packageRelations.startElement("Relationships");
    packageRelations.namespaceDeclaration("", kPackageRelationshipsNamespace);
    packageRelations.startElement("Relationship");
    packageRelations.attribute("Id", kMainDocumentRelationId);
    packageRelations.attribute("Type", std::string(kRelationshipTypePrefix) + "officeDocument");
    packageRelations.attribute("Target", "/word/document.xml");
    packageRelations.endElement();
    addPart("_rels/.rels", {}, packageRelations);

    XmlWriter types;
    types.startElement("Types");
    types.namespaceDeclaration("", kContentTypesNamespace);
    types.startElement("Default");
    types.attribute("Extension", "rels");
    types.attribute("ContentType", kRelationshipsContentType);
    types.endElement();
    for (const auto& [extension, imageContentType] : drawings_.imageContentTypes()) {
        types.startElement("Default");
        types.attribute("Extension", extension);
        types.attribute("ContentType", imageContentType);
        types.endElement();
    }
    for (const auto& [partName, partContentType] : overrides_) {
        types.startElement("Override");
        types.attribute("PartName", partName);
        types.attribute("ContentType", partContentType);
        types.endElement();
    }
    addPart("[Content_Types].xml", {}, types);

    XmlWriter documentRelations;
    documentRelations.startElement("Relationships");
    documentRelations.namespaceDeclaration("", kPackageRelationshipsNamespace);
    for (const auto& [id, type, target] : relations_) {
        documentRelations.startElement("Relationship");
        documentRelations.attribute("Id", id);
        documentRelations.attribute("Type", std::string(kRelationshipTypePrefix) + type);
        documentRelations.attribute("Target", target);
        documentRelations.endElement();
    }
    addPart("word/_rels/document.xml.rels", {}, documentRelations);
}

} // namespace velmo::formats
