#include "formats/document_model_exporter.h"

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/section.h"

namespace velmo::formats {

using model::RunKind;

void DocumentModelExporter::exportDocument()
{
    fieldCodeNestingLevel_ = 0;
    footNoteNumber_ = 0;
    endNoteNumber_ = 0;
    for (int32_t index = 0; index < documentModel_.sectionCount(); ++index)
        exportSection(documentModel_.section(SectionIndex(index)));
}

void DocumentModelExporter::exportStory(const model::PieceTable& pieceTable)
{
    fieldCodeNestingLevel_ = 0;
    for (int32_t index = 0; index < pieceTable.paragraphCount(); ++index) {
        const model::Paragraph& paragraph = pieceTable.paragraph(ParagraphIndex(index));
        if (!exportHiddenText_ && isHiddenParagraph(pieceTable, paragraph))
            continue;
        exportParagraph(pieceTable, paragraph);
    }
}

void DocumentModelExporter::exportSection(const model::Section& section)
{
    const model::PieceTable& main = documentModel_.mainPieceTable();
    for (ParagraphIndex index = section.firstParagraphIndex(); index <= section.lastParagraphIndex(); ++index) {
        const model::Paragraph& paragraph = main.paragraph(index);
        if (!exportHiddenText_ && isHiddenParagraph(main, paragraph))
            continue;
        exportParagraph(main, paragraph);
    }
}

void DocumentModelExporter::exportParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph)
{
    exportRuns(pieceTable, paragraph);
}

void DocumentModelExporter::exportRuns(const model::PieceTable& pieceTable, const model::Paragraph& paragraph)
{
    DocumentLogPosition runStart = paragraph.logPosition();
    for (RunIndex index = paragraph.firstRunIndex(); index <= paragraph.lastRunIndex(); ++index) {
        exportBookmarksUpTo(pieceTable, runStart);
        currentRunLogPosition_ = runStart;
        exportRun(pieceTable, index);
        runStart += pieceTable.run(index).length();
    }
}

DocumentModelExporter::BookmarkCursor& DocumentModelExporter::bookmarkCursor(const model::PieceTable& pieceTable)
{
    auto [cursor, created] = bookmarkCursors_.try_emplace(&pieceTable);
    if (created)
        cursor->second.boundaries = model::bookmarkBoundaries(pieceTable, true); // hidden ones are saved too
    return cursor->second;
}

void DocumentModelExporter::exportBookmarksUpTo(const model::PieceTable& pieceTable, DocumentLogPosition position)
{
    if (pieceTable.bookmarkCollection().isEmpty())
        return;
    BookmarkCursor& cursor = bookmarkCursor(pieceTable);
    for (; cursor.next < cursor.boundaries.size() && cursor.boundaries[cursor.next].position <= position; ++cursor.next) {
        const model::BookmarkBoundary& boundary = cursor.boundaries[cursor.next];
        if (boundary.kind == model::BookmarkBoundary::Kind::Start)
            exportBookmarkStart(pieceTable, boundary.bookmarkIndex);
        else
            exportBookmarkEnd(pieceTable, boundary.bookmarkIndex);
    }
}

std::optional<DocumentLogPosition> DocumentModelExporter::nextBookmarkBoundary(const model::PieceTable& pieceTable)
{
    if (pieceTable.bookmarkCollection().isEmpty())
        return std::nullopt;
    const BookmarkCursor& cursor = bookmarkCursor(pieceTable);
    if (cursor.next == cursor.boundaries.size())
        return std::nullopt;
    return cursor.boundaries[cursor.next].position;
}

bool DocumentModelExporter::isHidden(const model::PieceTable& pieceTable, RunIndex runIndex) const
{
    return pieceTable.mergedCharacterFormatting(runIndex).hidden();
}

bool DocumentModelExporter::isHiddenParagraph(const model::PieceTable& pieceTable, const model::Paragraph& paragraph) const
{
    for (RunIndex index = paragraph.firstRunIndex(); index <= paragraph.lastRunIndex(); ++index) {
        if (!isHidden(pieceTable, index))
            return false;
    }
    return true;
}

void DocumentModelExporter::exportRun(const model::PieceTable& pieceTable, RunIndex runIndex)
{
    const model::TextRunBase& run = pieceTable.run(runIndex);
    // Field marks always reach their callbacks: they keep the nesting level.
    const RunKind kind = run.kind();
    if (kind == RunKind::FieldCodeStart) {
        ++fieldCodeNestingLevel_;
        exportFieldCodeStartRun(pieceTable, runIndex);
        return;
    }
    if (kind == RunKind::FieldCodeEnd) {
        if (fieldCodeNestingLevel_ > 0)
            --fieldCodeNestingLevel_;
        exportFieldCodeEndRun(pieceTable, runIndex);
        return;
    }
    if (kind == RunKind::FieldResultEnd) {
        exportFieldResultEndRun(pieceTable, runIndex);
        return;
    }
    if (!exportHiddenText_ && (fieldCodeNestingLevel_ > 0 || isHidden(pieceTable, runIndex)))
        return;
    switch (kind) {
    case RunKind::Paragraph: exportParagraphRun(pieceTable, runIndex); return;
    case RunKind::Section: exportSectionRun(pieceTable, runIndex); return;
    case RunKind::InlinePicture: exportInlineObjectRun(pieceTable, runIndex); return;
    case RunKind::InlineCustomObject: exportInlineObjectRun(pieceTable, runIndex); return;
    case RunKind::FloatingObjectAnchor: exportFloatingObjectAnchorRun(pieceTable, runIndex); return;
    case RunKind::Separator: exportSeparatorRun(pieceTable, runIndex); return;
    case RunKind::Text: exportTextRun(pieceTable, runIndex); return;
    case RunKind::FieldSymbol: exportTextRun(pieceTable, runIndex); return;
    case RunKind::LayoutDependentText: exportTextRun(pieceTable, runIndex); return;
    case RunKind::FootNote:
        exportFootNoteRun(pieceTable, runIndex, pieceTable.isMain() ? ++footNoteNumber_ : 0);
        return;
    case RunKind::EndNote:
        exportEndNoteRun(pieceTable, runIndex, pieceTable.isMain() ? ++endNoteNumber_ : 0);
        return;
    case RunKind::FieldCodeStart: return;
    case RunKind::FieldCodeEnd: return;
    case RunKind::FieldResultEnd: return;
    }
}

} // namespace velmo::formats
