#include "model/fields/shape_field.h"

#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"

namespace velmo::model {

UpdateFieldOperationTypes ShapeField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return {UpdateFieldOperationType::Load};
}

CalculatedFieldValue ShapeField::update(const FieldCalculationContext& context)
{
    PieceTable& story = context.pieceTable;
    const FieldRunInterval result = context.field.result();
    if (result.end - result.start == 2) {
        const TextRunBase& first = story.run(result.start);
        const TextRunBase& second = story.run(result.start + 1);
        if (first.kind() == RunKind::FloatingObjectAnchor && second.kind() == RunKind::InlinePicture &&
            static_cast<const FloatingObjectAnchorRun&>(first).floatingObject().info().pseudoInline &&
            static_cast<const InlinePictureRun&>(second).pictureInfo().pseudoInline)
            story.deleteContent(story.runLogPosition(result.start + 1), 1);
    }
    return getCalculatedValue(context);
}

CalculatedFieldValue ShapeField::getCalculatedValue(const FieldCalculationContext&)
{
    CalculatedFieldValue value;
    value.addOptions(FieldResultOptions::KeepOldResult);
    return value;
}

} // namespace velmo::model
