// Tables laid over a story's paragraphs: creating and removing their structure.
#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/tables/table.h"
#include "model/tables/table_history_items.h"

namespace velmo::model {

namespace {

/// More cells than any document needs at once; keeps a mistaken request from exhausting memory.
constexpr int64_t kMaxInsertedTableCells = 1'000'000;

} // namespace

Table& PieceTable::createTable(ParagraphIndex first, int32_t rowCount, int32_t cellCount)
{
    std::unique_ptr<Table> table = tableCellsManager_.createTableCore(first, rowCount, cellCount);
    Table& created = *table;
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<TableInsertedHistoryItem>(*this, std::move(table)));
    const Paragraph& last = paragraph(created.endParagraphIndex());
    documentModel_->applyChanges(*this, DocumentModelChangeType::InsertParagraph, paragraph(first).firstRunIndex(),
                                 last.lastRunIndex());
    return created;
}

Table& PieceTable::insertTable(DocumentLogPosition logPosition, int32_t rowCount, int32_t cellCount)
{
    validateInsertPosition(logPosition);
    if (rowCount <= 0 || cellCount <= 0 || static_cast<int64_t>(rowCount) * cellCount > kMaxInsertedTableCells)
        throw core::EditorException::invalidValue(static_cast<long long>(rowCount) * cellCount, "cellCount");
    BatchUpdateScope batch(*documentModel_);
    ParagraphIndex first = findParagraphIndex(logPosition);
    if (paragraph(first).logPosition() != logPosition) {
        insertParagraph(logPosition); // the table goes before the rest of the paragraph
        ++first;
    }
    // Each new mark at the paragraph's start adds one empty paragraph before it.
    InputPosition position = createInputPosition(paragraph(first).logPosition());
    for (int32_t count = 0; count < rowCount * cellCount; ++count)
        insertParagraph(position, false);
    return createTable(first, rowCount, cellCount);
}

void PieceTable::removeTableStructure(Table& table)
{
    BatchUpdateScope batch(*documentModel_);
    const RunIndex firstRun = paragraph(table.startParagraphIndex()).firstRunIndex();
    const RunIndex lastRun = paragraph(table.endParagraphIndex()).lastRunIndex();
    documentModel_->history().execute(std::make_unique<TableRemovedHistoryItem>(*this, table));
    documentModel_->applyChanges(*this, DocumentModelChangeType::DeleteContent, firstRun, lastRun);
}

} // namespace velmo::model
