#include "model/fields/page_ref_field.h"

#include "model/bookmarks/bookmark.h"
#include "model/document_model.h"
#include "model/fields/field_result_model.h"
#include "model/fields/field_updater.h"
#include "model/fields/instruction_collection.h"
#include "model/piece_table.h"

#include <string>

namespace velmo::model {

const Bookmark* resolveFieldBookmark(const PieceTable& pieceTable, std::u16string_view name)
{
    if (const auto& resolve = pieceTable.documentModel().fieldServices().resolveBookmark)
        return resolve(pieceTable, name);
    return pieceTable.bookmarkCollection().findByName(name);
}

void PageRefField::beforeCalculateFields(PieceTable& pieceTable, Field&)
{
    prepared_ = true;
    pageNumber_ = kNoPage;
    const IDocumentLayoutService* layout = pieceTable.documentModel().fieldServices().layoutService;
    hasLayout_ = layout != nullptr;
    const Bookmark* bookmark = resolveFieldBookmark(pieceTable, bookmarkName());
    if (!layout || !bookmark)
        return;
    pageNumber_ = layout->pageNumber(bookmark->pieceTable(), bookmark->start()).value_or(kNoPage);
}

CalculatedFieldValue PageRefField::getCalculatedValue(const FieldCalculationContext& context)
{
    if (!prepared_)
        beforeCalculateFields(context.pieceTable, context.field);
    if (!hasLayout_) {
        // Pages are not known yet: the number the document was saved with is the best there is.
        CalculatedFieldValue value;
        value.addOptions(FieldResultOptions::KeepOldResult);
        return value;
    }
    if (pageNumber_ == kNoPage)
        return CalculatedFieldValue(std::u16string());
    if (!createsHyperlink())
        return CalculatedFieldValue(static_cast<int64_t>(pageNumber_));
    std::unique_ptr<DocumentModel> result = createFieldResultModel(context.documentModel());
    PieceTable& story = result->mainPieceTable();
    InputPosition position = story.createInputPosition(DocumentLogPosition(0));
    Field& link = insertFieldWithResult(story, position, u"HYPERLINK \\l \"" + bookmarkName() + u"\"", fieldIntegerText(pageNumber_));
    FieldUpdater(story).updateFieldAndNestedFields(link);
    return CalculatedFieldValue(std::move(result));
}

} // namespace velmo::model
