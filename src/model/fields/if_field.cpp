#include "model/fields/if_field.h"

#include "core/culture.h"
#include "model/document_model.h"
#include "model/document_model_copy_manager.h"
#include "model/fields/field_result_model.h"
#include "model/piece_table.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// Whether a comparison that came out as `order` (negative, zero, positive) satisfies `op`.
bool satisfies(std::u16string_view op, int order) noexcept
{
    if (op == u"=")
        return order == 0;
    if (op == u"<>")
        return order != 0;
    if (op == u">=")
        return order >= 0;
    if (op == u">")
        return order > 0;
    if (op == u"<")
        return order < 0;
    if (op == u"<=")
        return order <= 0;
    return false;
}

} // namespace

bool IfField::evaluateCondition(const core::Culture& culture) const
{
    const std::u16string left = instructions().argumentText(0);
    const std::u16string op = instructions().argumentText(1);
    const std::u16string right = instructions().argumentText(2);
    const std::optional<double> leftNumber = culture.parseNumber(left);
    const std::optional<double> rightNumber = culture.parseNumber(right);
    if (leftNumber && rightNumber) {
        const double difference = *leftNumber - *rightNumber;
        return satisfies(op, difference < 0 ? -1 : (difference > 0 ? 1 : 0));
    }
    // A pattern is compared as it is written: wildcards are not expanded.
    const bool pattern = right.find_first_of(u"*?") != std::u16string::npos;
    if (pattern && (op == u"=" || op == u"<>"))
        return satisfies(op, left == right ? 0 : 1);
    const int order = left.compare(right);
    return satisfies(op, order < 0 ? -1 : (order > 0 ? 1 : 0));
}

CalculatedFieldValue IfField::getCalculatedValue(const FieldCalculationContext& context)
{
    const DocumentModel& documentModel = context.documentModel();
    const int32_t chosen = evaluateCondition(fieldCulture(documentModel)) ? 3 : 4;
    const std::optional<DocumentLogInterval> text = instructions().argumentInterval(chosen);
    if (!text || text->length == 0)
        return CalculatedFieldValue(std::u16string());
    std::unique_ptr<DocumentModel> result = createFieldResultModel(documentModel);
    DocumentModelCopyManager copier(context.pieceTable, result->mainPieceTable(), DocumentLogPosition(0),
                                    InsertOptions::MatchDestinationFormatting);
    copier.copyRange(text->start, text->length);
    return CalculatedFieldValue(std::move(result));
}

FieldResultOptions IfField::typeResultOptions() const noexcept
{
    const bool resultKeyword = std::any_of(generalFormats().begin(), generalFormats().end(),
                                           [](const std::u16string& keyword) { return isResultFormattingKeyword(keyword); });
    return resultKeyword ? FieldResultOptions::None : FieldResultOptions::DoNotApplyFieldCodeFormatting;
}

} // namespace velmo::model
