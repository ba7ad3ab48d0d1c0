#include "model/fields/field_history_items.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/hyperlinks/hyperlink_info_history_items.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <algorithm>

namespace velmo::model {

namespace {

void reportFieldsChanged(PieceTable& pieceTable, const FieldMarks& marks)
{
    pieceTable.documentModel().applyChanges(pieceTable, DocumentModelChangeType::Fields, marks.codeStart, marks.resultEnd);
}

} // namespace

AddFieldHistoryItem::~AddFieldHistoryItem() = default;

void AddFieldHistoryItem::redoCore()
{
    std::unique_ptr<Field> field = std::move(undoneField_);
    if (!field) {
        field = std::make_unique<Field>(pieceTable_);
        field->setMarks(marks_.codeStart, marks_.codeEnd, marks_.resultEnd);
    }
    field_ = field.get();
    pieceTable_.fields().insertCore(std::move(field));
    reportFieldsChanged(pieceTable_, marks_);
}

void AddFieldHistoryItem::undoCore()
{
    undoneField_ = pieceTable_.fields().removeCore(*field_);
    reportFieldsChanged(pieceTable_, marks_);
}

RemoveFieldHistoryItem::~RemoveFieldHistoryItem() = default;

void RemoveFieldHistoryItem::redoCore()
{
    const FieldMarks marks{field_->firstRunIndex(), field_->code().end, field_->lastRunIndex()};
    removed_ = pieceTable_.fields().removeCore(*field_);
    reportFieldsChanged(pieceTable_, marks);
}

void RemoveFieldHistoryItem::undoCore()
{
    const FieldMarks marks{field_->firstRunIndex(), field_->code().end, field_->lastRunIndex()};
    pieceTable_.fields().insertCore(std::move(removed_));
    reportFieldsChanged(pieceTable_, marks);
}

void removeFieldsLosingMarks(PieceTable& pieceTable, RunIndex first, RunIndex last)
{
    const FieldCollection& fields = pieceTable.fields();
    if (fields.isEmpty())
        return;
    std::vector<Field*> losing;
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        if (!pieceTable.run(runIndex).isFieldRun())
            continue;
        Field* field = fields.findFieldByRunIndex(runIndex);
        while (field && !field->isMark(runIndex))
            field = field->parent();
        if (field && std::find(losing.begin(), losing.end(), field) == losing.end())
            losing.push_back(field);
    }
    DocumentHistory& history = pieceTable.documentModel().history();
    for (Field* field : losing) {
        // The hyperlink record goes first, so that undo brings the field back before its record.
        if (pieceTable.isHyperlinkField(field->index()))
            history.execute(std::make_unique<DeleteHyperlinkInfoHistoryItem>(pieceTable, field->index()));
        history.execute(std::make_unique<RemoveFieldHistoryItem>(pieceTable, *field));
    }
}

} // namespace velmo::model
