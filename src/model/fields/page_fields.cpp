#include "model/fields/page_fields.h"

#include "model/content_type.h"
#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_result_model.h"
#include "model/fields/layout_dependent_field_formatting.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/text_box_stories.h"
#include "model/runs.h"

namespace velmo::model {

namespace {

/// A fragment holding one layout-dependent run with `formatting`.
CalculatedFieldValue layoutDependentValue(const DocumentModel& documentModel,
                                          std::shared_ptr<const LayoutDependentFieldFormatting> formatting)
{
    std::unique_ptr<DocumentModel> result = createFieldResultModel(documentModel);
    PieceTable& story = result->mainPieceTable();
    InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    story.insertObjectRun(position, RunKind::LayoutDependentText);
    static_cast<LayoutDependentTextRun&>(story.run(RunIndex(0))).setFieldFormatting(std::move(formatting));
    return CalculatedFieldValue(std::move(result));
}

/// The story a text box's story is anchored in, followed to the end; the story itself otherwise.
const PieceTable& topLevelStory(const PieceTable& pieceTable)
{
    const PieceTable* story = &pieceTable;
    while (const FloatingObjectAnchorRun* anchor = textBoxAnchor(*story))
        story = &anchor->pieceTable();
    return *story;
}

} // namespace

UpdateFieldOperationTypes PageField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return UpdateFieldOperationTypes::all();
}

CalculatedFieldValue PageField::getCalculatedValue(const FieldCalculationContext& context)
{
    const DocumentModel& documentModel = context.documentModel();
    if (const IDocumentLayoutService* layout = documentModel.fieldServices().layoutService; layout && context.pieceTable.isMain()) {
        if (std::optional<std::u16string> number = layout->pageNumberText(context.field.startLogPosition()))
            return CalculatedFieldValue(std::move(*number));
    }
    return layoutDependentValue(documentModel, std::make_shared<PageFieldResultFormatting>(numericPicture(), generalFormats()));
}

void PageField::applyFieldFormatting(CalculatedFieldValue&, const DocumentModel&) const {}

UpdateFieldOperationTypes NumPagesField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    return UpdateFieldOperationTypes::all();
}

CalculatedFieldValue NumPagesField::getCalculatedValue(const FieldCalculationContext& context)
{
    const DocumentModel& documentModel = context.documentModel();
    if (topLevelStory(context.pieceTable).contentType().isHeaderFooter())
        return layoutDependentValue(documentModel, std::make_shared<NumPagesFieldResultFormatting>(numericPicture(), generalFormats()));
    return CalculatedFieldValue(static_cast<int64_t>(documentModel.fieldServices().documentPageCount));
}

void NumPagesField::applyFieldFormatting(CalculatedFieldValue& value, const DocumentModel& documentModel) const
{
    if (!value.documentModel())
        CalculatedFieldBase::applyFieldFormatting(value, documentModel);
}

} // namespace velmo::model
