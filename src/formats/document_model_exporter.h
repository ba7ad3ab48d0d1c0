#pragma once

#include "core/positions.h"
#include "model/bookmarks/bookmark_boundaries.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
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
    /// A bookmark of the story starts or ends here; `bookmarkIndex` is its index in the story's
    /// collection. The walk sends them before the run they stand at; one standing inside a text
    /// run comes after that run unless the writer cuts the run (nextBookmarkBoundary()).
    virtual void exportBookmarkStart(const model::PieceTable& /*pieceTable*/, int32_t /*bookmarkIndex*/) {}
    virtual void exportBookmarkEnd(const model::PieceTable& /*pieceTable*/, int32_t /*bookmarkIndex*/) {}

    /// Sends the story's bookmark starts and ends at positions up to `position` not sent yet.
    void exportBookmarksUpTo(const model::PieceTable& pieceTable, DocumentLogPosition position);
    /// The position of the story's next bookmark start or end not sent yet; none when all went.
    [[nodiscard]] std::optional<DocumentLogPosition> nextBookmarkBoundary(const model::PieceTable& pieceTable);
    /// The log position of the run whose callback is running.
    [[nodiscard]] DocumentLogPosition currentRunLogPosition() const noexcept { return currentRunLogPosition_; }

    const model::DocumentModel& documentModel_; // outlives the exporter

private:
    [[nodiscard]] bool isHidden(const model::PieceTable& pieceTable, RunIndex runIndex) const;
    [[nodiscard]] bool isHiddenParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph) const;
    void exportRun(const model::PieceTable& pieceTable, RunIndex runIndex);

    /// A story's bookmark starts and ends in writing order, and how many have been sent.
    struct BookmarkCursor {
        std::vector<model::BookmarkBoundary> boundaries;
        size_t next = 0;
    };
    [[nodiscard]] BookmarkCursor& bookmarkCursor(const model::PieceTable& pieceTable);

    bool exportHiddenText_;
    std::unordered_map<const model::PieceTable*, BookmarkCursor> bookmarkCursors_;
    DocumentLogPosition currentRunLogPosition_;
    int32_t fieldCodeNestingLevel_ = 0; // inside how many field codes the walk currently is
    int32_t footNoteNumber_ = 0;        // the last footnote number given in the main story
    int32_t endNoteNumber_ = 0;
};

} // namespace velmo::formats
