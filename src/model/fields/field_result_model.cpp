#include "model/fields/field_result_model.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/runs.h"

namespace velmo::model {

std::unique_ptr<DocumentModel> createFieldResultModel(const DocumentModel& source)
{
    auto model = std::make_unique<DocumentModel>(nullptr, source.images().codec());
    // The target splits runs by font coverage when the content arrives there.
    model->setUseFontSubstitution(false);
    model->variables() = source.variables();
    return model;
}

Field& insertFieldWithResult(PieceTable& pieceTable, InputPosition& position, std::u16string_view code, std::u16string_view result)
{
    BatchUpdateScope batch(pieceTable.documentModel());
    pieceTable.insertObjectRun(position, RunKind::FieldCodeStart);
    if (!code.empty())
        pieceTable.insertText(position, code);
    pieceTable.insertObjectRun(position, RunKind::FieldCodeEnd);
    if (!result.empty())
        pieceTable.insertText(position, result);
    pieceTable.insertObjectRun(position, RunKind::FieldResultEnd);
    Field* field = pieceTable.fields().findFieldByResultEnd(pieceTable.findPosition(position.logPosition - 1).runIndex);
    if (!field)
        throw core::EditorException::internalError();
    return *field;
}

} // namespace velmo::model
