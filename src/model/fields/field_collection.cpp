#include "model/fields/field_collection.h"

#include "core/editor_exception.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field.h"
#include "model/fields/sequential_field_manager.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <algorithm>
#include <cassert>

namespace velmo::model {

FieldCollection::FieldCollection(PieceTable& pieceTable)
    : pieceTable_(pieceTable), sequentialFieldManager_(std::make_unique<SequentialFieldManager>(pieceTable))
{
}

FieldCollection::~FieldCollection() = default;

Field& FieldCollection::operator[](int32_t index) const
{
    if (index < 0 || index >= count())
        throw core::EditorException::invalidValue(index, "fieldIndex");
    return *fields_[static_cast<size_t>(index)];
}

int32_t FieldCollection::lowerBound(RunIndex runIndex) const noexcept
{
    const auto found = std::lower_bound(fields_.begin(), fields_.end(), runIndex,
                                        [](const std::unique_ptr<Field>& field, RunIndex index) {
                                            return field->lastRunIndex() < index;
                                        });
    return static_cast<int32_t>(found - fields_.begin());
}

Field* FieldCollection::findFieldByRunIndex(RunIndex runIndex) const
{
    // The first field ending at or after the run either holds it or lies after it; then the
    // fields holding the run are that field's ancestors, the innermost one first.
    const int32_t position = lowerBound(runIndex);
    if (position >= count())
        return nullptr;
    for (Field* field = fields_[static_cast<size_t>(position)].get(); field; field = field->parent()) {
        if (field->containsRun(runIndex))
            return field;
    }
    return nullptr;
}

Field* FieldCollection::findFieldByResultEnd(RunIndex runIndex) const
{
    const int32_t position = lowerBound(runIndex);
    if (position >= count() || fields_[static_cast<size_t>(position)]->lastRunIndex() != runIndex)
        return nullptr;
    return fields_[static_cast<size_t>(position)].get();
}

Field* FieldCollection::findFieldByCodeStart(RunIndex runIndex) const
{
    Field* field = findFieldByRunIndex(runIndex);
    return field && field->firstRunIndex() == runIndex ? field : nullptr;
}

std::vector<Field*> FieldCollection::childrenOf(const Field* parent) const
{
    std::vector<Field*> result;
    if (!parent) {
        for (const auto& field : fields_) {
            if (!field->parent())
                result.push_back(field.get());
        }
        return result;
    }
    // What is nested in a field comes right before it in the order.
    for (int32_t position = parent->index() - 1; position >= 0; --position) {
        Field& field = *fields_[static_cast<size_t>(position)];
        if (field.lastRunIndex() < parent->firstRunIndex())
            break;
        if (field.parent() == parent)
            result.push_back(&field);
    }
    std::reverse(result.begin(), result.end());
    return result;
}

std::vector<Field*> FieldCollection::fieldsInside(RunIndex first, RunIndex last) const
{
    std::vector<Field*> result;
    for (int32_t position = lowerBound(first); position < count(); ++position) {
        Field& field = *fields_[static_cast<size_t>(position)];
        if (field.lastRunIndex() > last)
            break;
        if (field.firstRunIndex() >= first)
            result.push_back(&field);
    }
    return result;
}

void FieldCollection::clearCounters()
{
    sequentialFieldManager_->clearCounters();
}

Field* FieldCollection::findContainer(int32_t position, const Field& field) const noexcept
{
    // The field after this one in the order either contains it or is a later neighbour whose
    // ancestors include every field that contains this one.
    if (position + 1 >= count())
        return nullptr;
    Field* candidate = fields_[static_cast<size_t>(position + 1)].get();
    while (candidate && !candidate->contains(field))
        candidate = candidate->parent();
    return candidate;
}

void FieldCollection::insertCore(std::unique_ptr<Field> field)
{
    assert(field->firstRunIndex() < field->code().end && field->code().end < field->lastRunIndex() && "marks out of order");
    const int32_t position = lowerBound(field->lastRunIndex());
    Field& inserted = *field;
    fields_.insert(fields_.begin() + position, std::move(field));
    Field* container = findContainer(position, inserted);
    inserted.setParent(container);
    for (int32_t nested = position - 1; nested >= 0; --nested) {
        Field& candidate = *fields_[static_cast<size_t>(nested)];
        if (candidate.lastRunIndex() < inserted.firstRunIndex())
            break;
        if (candidate.parent() == container)
            candidate.setParent(&inserted);
    }
    renumberFrom(position);
    pieceTable_.hyperlinkInfos().recalcKeys(position, 1);
    clearCounters();
}

std::unique_ptr<Field> FieldCollection::removeCore(Field& field)
{
    const int32_t position = field.index();
    if (position < 0 || position >= count() || fields_[static_cast<size_t>(position)].get() != &field)
        throw core::EditorException::internalError();
    for (int32_t nested = position - 1; nested >= 0; --nested) {
        Field& candidate = *fields_[static_cast<size_t>(nested)];
        if (candidate.lastRunIndex() < field.firstRunIndex())
            break;
        if (candidate.parent() == &field)
            candidate.setParent(field.parent());
    }
    std::unique_ptr<Field> removed = std::move(fields_[static_cast<size_t>(position)]);
    fields_.erase(fields_.begin() + position);
    removed->setParent(nullptr);
    removed->setIndex(-1);
    removed->setPreparedCalculatedField(nullptr); // prepared for a pass it no longer takes part in
    renumberFrom(position);
    // A record left on a removed field would pass to the field after it: it goes with its field.
    // Undoable removals take it away first (removeFieldsLosingMarks).
    (void)pieceTable_.hyperlinkInfos().exchange(position, nullptr);
    pieceTable_.hyperlinkInfos().recalcKeys(position + 1, -1);
    clearCounters();
    return removed;
}

void FieldCollection::clear()
{
    fields_.clear();
    clearCounters();
}

void FieldCollection::renumberFrom(int32_t position) noexcept
{
    for (int32_t index = position; index < count(); ++index)
        fields_[static_cast<size_t>(index)]->setIndex(index);
}

void FieldCollection::onRunInserted(RunIndex runIndex)
{
    for (int32_t position = lowerBound(runIndex); position < count(); ++position)
        fields_[static_cast<size_t>(position)]->onRunInserted(runIndex);
}

void FieldCollection::onRunRemoved(RunIndex runIndex)
{
    for (int32_t position = lowerBound(runIndex); position < count(); ++position) {
        Field& field = *fields_[static_cast<size_t>(position)];
        if (field.isMark(runIndex)) {
            // Editing removes a field before its marks; a mark going alone would leave a record
            // pointing at other runs, so the record goes with it.
            assert(false && "a field mark removed while its field is recorded");
            (void)removeCore(field);
            --position;
            continue;
        }
        field.onRunRemoved(runIndex);
    }
}

std::vector<FieldMarks> findFieldMarks(const PieceTable& pieceTable, std::vector<RunIndex>* strayMarks)
{
    struct OpenField {
        RunIndex codeStart;
        RunIndex codeEnd{-1};
    };
    std::vector<FieldMarks> result;
    std::vector<OpenField> open;
    const auto stray = [strayMarks](RunIndex runIndex) {
        if (strayMarks)
            strayMarks->push_back(runIndex);
    };
    for (RunIndex runIndex(0); runIndex.value() < pieceTable.runCount(); ++runIndex) {
        switch (pieceTable.run(runIndex).kind()) {
        case RunKind::FieldCodeStart: open.push_back(OpenField{runIndex}); break;
        case RunKind::FieldCodeEnd:
            if (!open.empty() && open.back().codeEnd.value() < 0)
                open.back().codeEnd = runIndex;
            else
                stray(runIndex);
            break;
        case RunKind::FieldResultEnd:
            if (!open.empty() && open.back().codeEnd.value() >= 0) {
                result.push_back(FieldMarks{open.back().codeStart, open.back().codeEnd, runIndex});
                open.pop_back();
            } else {
                stray(runIndex);
            }
            break;
        default: break;
        }
    }
    for (const OpenField& field : open) {
        stray(field.codeStart);
        if (field.codeEnd.value() >= 0)
            stray(field.codeEnd);
    }
    return result;
}

} // namespace velmo::model
