#include "model/fields/toc_field.h"

#include "model/bookmarks/bookmark.h"
#include "model/document_model.h"
#include "model/fields/field_result_model.h"
#include "model/fields/field_updater.h"
#include "model/fields/toc_generator.h"
#include "model/piece_table.h"

#include <algorithm>
#include <array>

namespace velmo::model {

TocField::TocField() = default;
TocField::~TocField() = default;

bool TocField::isSwitchWithArgument(std::u16string_view key) const noexcept
{
    static constexpr std::array<std::u16string_view, 11> kKeys = {u"\\o", u"\\n", u"\\t", u"\\l", u"\\f", u"\\a",
                                                                  u"\\b", u"\\c", u"\\d", u"\\p", u"\\s"};
    return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

void TocField::beforeCalculateFields(PieceTable& pieceTable, Field& field)
{
    DocumentModel& source = pieceTable.documentModel();
    std::unique_ptr<DocumentModel> table = createFieldResultModel(source);
    pageReferences_ = TocGenerator(pieceTable, field, TocGeneratorOptions::fromInstructions(instructions())).generate(*table);
    table_ = std::move(table);
    if (!source.fieldServices().layoutService || pageReferences_.empty())
        return;
    // The page references name bookmarks of the source document and take its pages.
    DocumentFieldServices& services = table_->fieldServices();
    services = source.fieldServices();
    const PieceTable& sourceStory = source.mainPieceTable();
    services.resolveBookmark = [&sourceStory](const PieceTable&, std::u16string_view name) -> const Bookmark* {
        return sourceStory.bookmarkCollection().findByName(name);
    };
    FieldUpdater(table_->mainPieceTable()).prepareFieldsCore(pageReferences_, UpdateFieldOperationType::Normal);
}

CalculatedFieldValue TocField::getCalculatedValue(const FieldCalculationContext& context)
{
    if (!table_)
        beforeCalculateFields(context.pieceTable, context.field);
    if (table_->fieldServices().layoutService) {
        FieldUpdater updater(table_->mainPieceTable());
        for (Field* reference : pageReferences_)
            updater.updateField(*reference, MailMergeDataMode::None);
    }
    pageReferences_.clear();
    return CalculatedFieldValue(std::move(table_));
}

} // namespace velmo::model
