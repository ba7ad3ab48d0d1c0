// The field steps of a story: fields made over mark runs, removed with their content, and their
// undoable flags.
#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_history_items.h"
#include "model/functional_history_item.h"
#include "model/runs.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// Whether the runs of the range hold whole fields only: every mark has its partners inside.
bool holdsWholeFields(const PieceTable& pieceTable, RunIndex first, RunIndex last)
{
    std::vector<bool> codeEnded; // per open field
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        switch (pieceTable.run(runIndex).kind()) {
        case RunKind::FieldCodeStart: codeEnded.push_back(false); break;
        case RunKind::FieldCodeEnd:
            if (codeEnded.empty() || codeEnded.back())
                return false;
            codeEnded.back() = true;
            break;
        case RunKind::FieldResultEnd:
            if (codeEnded.empty() || !codeEnded.back())
                return false;
            codeEnded.pop_back();
            break;
        default: break;
        }
    }
    return codeEnded.empty();
}

} // namespace

Field& PieceTable::createField(DocumentLogPosition logPosition, int32_t codeLength, int32_t resultLength)
{
    validateInsertPosition(logPosition);
    if (codeLength < 0 || logPosition + codeLength > documentEndLogPosition())
        throw core::EditorException::invalidValue(codeLength, "codeLength");
    if (resultLength < 0 || logPosition + codeLength + resultLength > documentEndLogPosition())
        throw core::EditorException::invalidValue(resultLength, "resultLength");
    // The new marks may not cut another field in two.
    const auto holdsWholeFieldsOnly = [this](DocumentLogPosition start, int32_t length) {
        if (length == 0)
            return true;
        const RunInfo range = findRunInfo(start, length);
        return holdsWholeFields(*this, range.normalizedStart.runIndex, range.normalizedEnd.runIndex);
    };
    if (!holdsWholeFieldsOnly(logPosition, codeLength))
        throw core::EditorException::invalidValue(codeLength, "codeLength");
    if (!holdsWholeFieldsOnly(logPosition + codeLength, resultLength))
        throw core::EditorException::invalidValue(resultLength, "resultLength");
    BatchUpdateScope batch(*documentModel_);
    InputPosition start = createInputPosition(logPosition);
    insertObjectRun(start, RunKind::FieldCodeStart);
    InputPosition codeEnd = createInputPosition(logPosition + 1 + codeLength);
    insertObjectRun(codeEnd, RunKind::FieldCodeEnd);
    // An empty result: the end mark goes right after the code end mark, with the same input position.
    InputPosition resultEnd = resultLength == 0 ? codeEnd : createInputPosition(codeEnd.logPosition + resultLength);
    insertObjectRun(resultEnd, RunKind::FieldResultEnd);
    Field* field = fields_->findFieldByResultEnd(findPosition(resultEnd.logPosition - 1).runIndex);
    if (!field)
        throw core::EditorException::internalError();
    return *field;
}

void PieceTable::removeField(Field& field)
{
    if (&field.pieceTable() != this || field.index() < 0)
        throw core::EditorException::invalidValue("a field of another story", "field");
    BatchUpdateScope batch(*documentModel_);
    deleteContent(field.startLogPosition(), field.totalLength());
}

Field* PieceTable::addFieldEndingAt(RunIndex resultEnd)
{
    // Back from the result end: the fields nested in the result and the code are recorded
    // already and are skipped whole; the first code end and code start left are this field's.
    RunIndex codeEnd(-1);
    for (RunIndex runIndex = resultEnd - 1; runIndex.value() >= 0; --runIndex) {
        switch (run(runIndex).kind()) {
        case RunKind::FieldResultEnd: {
            const Field* nested = fields_->findFieldByResultEnd(runIndex);
            if (!nested)
                return nullptr;
            runIndex = nested->firstRunIndex();
            break;
        }
        case RunKind::FieldCodeEnd:
            if (codeEnd.value() >= 0)
                return nullptr;
            codeEnd = runIndex;
            break;
        case RunKind::FieldCodeStart: {
            if (codeEnd.value() < 0)
                return nullptr;
            auto* item = static_cast<AddFieldHistoryItem*>(documentModel_->history().execute(
                std::make_unique<AddFieldHistoryItem>(*this, FieldMarks{runIndex, codeEnd, resultEnd})));
            return item ? item->field() : fields_->findFieldByResultEnd(resultEnd);
        }
        default: break;
        }
    }
    return nullptr;
}

std::vector<RunIndex> PieceTable::marksOfFieldsCrossing(RunIndex first, RunIndex last) const
{
    std::vector<RunIndex> result;
    if (fields_->isEmpty())
        return result;
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        if (!run(runIndex).isFieldRun())
            continue;
        const Field* field = fields_->findFieldByRunIndex(runIndex);
        if (field && field->isMark(runIndex) && (field->firstRunIndex() < first || field->lastRunIndex() > last))
            result.push_back(runIndex);
    }
    return result;
}

void PieceTable::toggleFieldCodes(Field& field)
{
    const bool value = !field.isCodeView();
    BatchUpdateScope batch(*documentModel_);
    const auto apply = [this, &field](bool codeView) {
        field.setCodeViewCore(codeView);
        documentModel_->applyChanges(*this, DocumentModelChangeType::ToggleFieldCodes, field.firstRunIndex(),
                                     field.lastRunIndex());
    };
    documentModel_->history().execute(std::make_unique<FunctionalHistoryItem>(
        *this, [apply, value] { apply(value); }, [apply, value] { apply(!value); }));
}

void PieceTable::setFieldLocked(Field& field, bool locked)
{
    if (field.isLocked() == locked)
        return;
    BatchUpdateScope batch(*documentModel_);
    const auto apply = [this, &field](bool value) {
        field.setLockedCore(value);
        documentModel_->applyChanges(*this, DocumentModelChangeType::ToggleFieldLocked, field.firstRunIndex(),
                                     field.lastRunIndex());
    };
    documentModel_->history().execute(std::make_unique<FunctionalHistoryItem>(
        *this, [apply, locked] { apply(locked); }, [apply, locked] { apply(!locked); }));
}

void PieceTable::setFieldDisableUpdate(Field& field, bool disableUpdate)
{
    if (field.disableUpdate() == disableUpdate)
        return;
    BatchUpdateScope batch(*documentModel_);
    Field* target = &field;
    documentModel_->history().execute(std::make_unique<FunctionalHistoryItem>(
        *this, [target, disableUpdate] { target->setDisableUpdateCore(disableUpdate); },
        [target, disableUpdate] { target->setDisableUpdateCore(!disableUpdate); }));
}

} // namespace velmo::model
