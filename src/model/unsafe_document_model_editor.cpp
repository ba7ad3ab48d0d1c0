#include "model/unsafe_document_model_editor.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/fields/field_history_items.h"
#include "model/paragraph_history_items.h"
#include "model/piece_table.h"
#include "model/run_history_items.h"

namespace velmo::model {

void UnsafeDocumentModelEditor::deleteRuns(ParagraphIndex paragraphIndex, RunIndex firstRunIndex, int32_t count)
{
    removeFieldsLosingMarks(pieceTable_, firstRunIndex, firstRunIndex + (count - 1));
    pieceTable_.documentModel().history().execute(
        std::make_unique<SimpleTextRunsDeletedHistoryItem>(pieceTable_, paragraphIndex, firstRunIndex, count));
}

void UnsafeDocumentModelEditor::mergeParagraphs(ParagraphIndex firstParagraphIndex, bool useFirstParagraphStyle)
{
    pieceTable_.documentModel().history().execute(
        std::make_unique<MergeParagraphsHistoryItem>(pieceTable_, firstParagraphIndex, useFirstParagraphStyle));
}

void UnsafeDocumentModelEditor::insertSection(SectionIndex sectionIndex, ParagraphIndex lastParagraphIndex)
{
    pieceTable_.documentModel().history().execute(
        std::make_unique<SectionInsertedHistoryItem>(pieceTable_, sectionIndex, lastParagraphIndex));
}

void UnsafeDocumentModelEditor::deleteSections(SectionIndex firstSectionIndex, int32_t count)
{
    for (int32_t deleted = 0; deleted < count; ++deleted)
        pieceTable_.documentModel().history().execute(std::make_unique<SectionsDeletedHistoryItem>(pieceTable_, firstSectionIndex));
}

void UnsafeDocumentModelEditor::replaceParagraphRunWithSectionRun(RunIndex runIndex)
{
    pieceTable_.documentModel().history().execute(std::make_unique<MarkRunReplacedHistoryItem>(pieceTable_, runIndex, RunKind::Section));
}

void UnsafeDocumentModelEditor::replaceSectionRunWithParagraphRun(RunIndex runIndex)
{
    pieceTable_.documentModel().history().execute(std::make_unique<MarkRunReplacedHistoryItem>(pieceTable_, runIndex, RunKind::Paragraph));
}

} // namespace velmo::model
