#pragma once

#include "core/case_insensitive.h"
#include "formats/document_exporter_options.h"
#include "formats/document_model_exporter.h"
#include "formats/docx/open_xml_drawing_writer.h"
#include "formats/xml/xml_writer.h"
#include "formats/zip/zip_stream_writer.h"

#include <map>
#include <tuple>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace velmo::model {
class SectionHeaderFooterBase;
class Table;
}

namespace velmo::formats {

/// Settings of the word-processing package writer.
struct OpenXmlDocumentExporterOptions : DocumentExporterOptions {
    /// Bookmark names longer than word processors take (40 characters) are cut to 40, each kept
    /// unique.
    bool limitBookmarkNameTo40Chars = true;
};

/// Writes a document as a word-processing package (DOCX): the main document with its sections,
/// tables, headers and footers, the styles, settings and the notes the text refers to. Hidden
/// text is written (as hidden text); elements follow the schema's order.
class OpenXmlExporter final : public DocumentModelExporter {
public:
    /// OpenXmlDocumentExporterOptions are taken when given; other options change nothing yet.
    OpenXmlExporter(const model::DocumentModel& documentModel, const DocumentExporterOptions& options);

    [[nodiscard]] std::vector<uint8_t> exportContent() override;

private:
    void writeDocumentPart();
    void writeStylesPart();
    void writeNumberingPart();
    void writeSettingsPart();
    void writeNotesPart(bool footNotes);
    void writePackageParts();
    /// Starts the root of a part that holds text, with the namespaces text needs.
    void startStoryRoot(std::string_view name);
    void addPart(const std::string& name, std::string_view contentType, XmlWriter& writer);

    /// The paragraphs [first, last] of a story at a table nesting level, tables included.
    void writeBlocks(const model::PieceTable& pieceTable, ParagraphIndex first, ParagraphIndex last, int32_t level);
    void writeTable(const model::Table& table, int32_t level);
    void writeTableGrid(const model::Table& table);
    void writeParagraph(const model::PieceTable& pieceTable, ParagraphIndex index);
    void writeSectionProperties(int32_t sectionIndex);
    /// The relation id of a header or footer, writing its part the first time.
    std::string headerFooterRelation(const model::SectionHeaderFooterBase& story);
    void startRun(const model::PieceTable& pieceTable, RunIndex runIndex);
    void writeText(std::u16string_view text);
    /// A "r" with the run's properties holding part of its text; nothing for an empty part.
    void writeRunText(const model::PieceTable& pieceTable, RunIndex runIndex, std::u16string_view text);

    // Bookmarks (open_xml_bookmark_writer.cpp).
    void exportBookmarkStart(const model::PieceTable& pieceTable, int32_t bookmarkIndex) override;
    void exportBookmarkEnd(const model::PieceTable& pieceTable, int32_t bookmarkIndex) override;
    /// The bookmark's index in its story, plus a base that keeps the ids of all parts apart
    /// (the main story's base is 0).
    [[nodiscard]] int32_t bookmarkId(const model::PieceTable& pieceTable, int32_t bookmarkIndex);
    /// The name written: cut to 40 characters, and made unique among the names written, when
    /// longer and limitBookmarkNameTo40Chars is set.
    [[nodiscard]] std::u16string bookmarkName(const std::u16string& name);

    void exportTextRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportParagraphRun(const model::PieceTable&, RunIndex) override {}
    void exportSectionRun(const model::PieceTable&, RunIndex) override {}
    void exportFieldCodeStartRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFieldCodeEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFieldResultEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportInlineObjectRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    void exportFloatingObjectAnchorRun(const model::PieceTable& pieceTable, RunIndex runIndex) override;
    /// The paragraphs of a text box, in the middle of the story that anchors it.
    void writeTextBoxStory(const model::PieceTable& pieceTable);
    /// The relations part of `partName` (in "word") for the pictures it shows, when it shows any.
    void writeImageRelations(const std::string& partName, const std::vector<OpenXmlDrawingWriter::ImageRelation>& relations);
    void exportSeparatorRun(const model::PieceTable&, RunIndex) override {}
    void exportFootNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) override;
    void exportEndNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) override;
    void writeFieldCharacter(const model::PieceTable& pieceTable, RunIndex runIndex, std::string_view type);
    void writeNoteReference(const model::PieceTable& pieceTable, RunIndex runIndex, bool footNote);

    ZIPStreamWriter package_;
    OpenXmlDrawingWriter drawings_;
    XmlWriter* writer_ = nullptr; // the part being written
    /// Open fields of the story being written: whether each has passed its separator.
    std::vector<bool> fields_;
    int32_t fieldsInCode_ = 0;
    /// Relations of the main document part: id, type word, target.
    std::vector<std::tuple<std::string, std::string, std::string>> relations_;
    /// Parts besides the fixed ones, for the content types: part name, content type.
    std::vector<std::pair<std::string, std::string>> overrides_;
    std::map<const model::SectionHeaderFooterBase*, std::string> headerFooterRelations_;
    int32_t headerCount_ = 0;
    int32_t footerCount_ = 0;
    std::set<int32_t> footNotes_; // indices of the notes the main story refers to
    std::set<int32_t> endNotes_;
    /// The note mark ("footnoteRef", "endnoteRef") the next paragraph written starts with.
    std::string_view pendingNoteMark_;
    /// The section whose paragraphs the main story walk is in.
    int32_t sectionCursor_ = 0;
    bool limitBookmarkNameTo40Chars_ = true;
    std::unordered_map<const model::PieceTable*, int32_t> bookmarkIdBases_;
    int32_t nextBookmarkIdBase_ = 0;
    std::unordered_set<std::u16string, core::IgnoreCaseHash, core::IgnoreCaseEqual> bookmarkNames_; // written so far
};

} // namespace velmo::formats
