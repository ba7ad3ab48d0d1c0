#pragma once

#include "core/positions.h"

#include <cstdint>
#include <vector>

namespace velmo::model {
class DocumentModel;
class Paragraph;
class PieceTable;
class Section;
class TextRunBase;
}

namespace velmo::formats {

/// A writer. The base walks the document in the order every format writes it (sections,
/// paragraphs, runs), filters hidden text and field codes, and calls one callback per element.
class DocumentModelExporter {
public:
    DocumentModelExporter(const model::DocumentModel& documentModel, bool exportHiddenText) noexcept
        : documentModel_(documentModel), exportHiddenText_(exportHiddenText)
    {
    }
    virtual ~DocumentModelExporter() = default;
    DocumentModelExporter(const DocumentModelExporter&) = delete;
    DocumentModelExporter& operator=(const DocumentModelExporter&) = delete;

    /// The whole file.
    [[nodiscard]] virtual std::vector<uint8_t> exportContent() = 0;

protected:
    /// Walks the main story: each section, then its paragraphs.
    void exportDocument();
    /// Walks every paragraph of another story (a note, a header).
    void exportStory(const model::PieceTable& pieceTable);
    [[nodiscard]] bool shouldExportHiddenText() const noexcept { return exportHiddenText_; }

    virtual void exportSection(const model::Section& section);
    virtual void exportParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph);
    void exportRuns(const model::PieceTable& pieceTable, const model::Paragraph& paragraph);

    virtual void exportTextRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportParagraphRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportSectionRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportFieldCodeStartRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportFieldCodeEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportFieldResultEndRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportInlineObjectRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportFloatingObjectAnchorRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    virtual void exportSeparatorRun(const model::PieceTable& pieceTable, RunIndex runIndex) = 0;
    /// A note's reference mark; `number` counts the notes of its kind in the main story, from 1.
    virtual void exportFootNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) = 0;
    virtual void exportEndNoteRun(const model::PieceTable& pieceTable, RunIndex runIndex, int32_t number) = 0;

    const model::DocumentModel& documentModel_; // outlives the exporter

private:
    [[nodiscard]] bool isHidden(const model::PieceTable& pieceTable, RunIndex runIndex) const;
    [[nodiscard]] bool isHiddenParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph) const;
    void exportRun(const model::PieceTable& pieceTable, RunIndex runIndex);

    bool exportHiddenText_;
    int32_t fieldCodeNestingLevel_ = 0; // inside how many field codes the walk currently is
    int32_t footNoteNumber_ = 0;        // the last footnote number given in the main story
    int32_t endNoteNumber_ = 0;
};

} // namespace velmo::formats
