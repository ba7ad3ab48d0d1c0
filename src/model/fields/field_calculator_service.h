#pragma once

#include "model/fields/calculated_field_value.h"
#include "model/fields/field_options.h"

#include <memory>
#include <optional>
#include <string_view>

namespace velmo::model {

class CalculatedFieldBase;
class DocumentModel;
class Field;
class PieceTable;

/// Calculates fields from their codes. Errors of a type's calculation or formatting go to the
/// caller (the update operation keeps the old result then); parsing alone never fails.
class FieldCalculatorService {
public:
    explicit FieldCalculatorService(DocumentModel& documentModel) noexcept : documentModel_(documentModel) {}

    /// The field's new value and the update types in which it may replace the result; none for a
    /// code that names no calculated type. A formula or EQ field, a locked field and one that may
    /// not be calculated in `updateType` give a value that keeps the old result.
    [[nodiscard]] std::optional<CalculateFieldResult> calculateField(PieceTable& pieceTable, Field& field,
                                                                     MailMergeDataMode mailMergeDataMode,
                                                                     UpdateFieldOperationType updateType);
    /// Builds the field's calculated field ahead of an update pass when its type does work then.
    void prepareField(PieceTable& pieceTable, Field& field, UpdateFieldOperationType updateType);
    /// The calculated field of the field's code; null when the code names no calculated type or
    /// cannot be read. Never throws.
    [[nodiscard]] std::unique_ptr<CalculatedFieldBase> parseField(const PieceTable& pieceTable, const Field& field) const noexcept;
    /// A calculated field of the type, not yet initialised; null for a type that is not calculated.
    [[nodiscard]] static std::unique_ptr<CalculatedFieldBase> createField(std::u16string_view typeName);

    /// While a reader loads a document: which fields may be updated with update type Load.
    void beginUpdateFieldsOnLoad(const FieldUpdateOnLoadOptions& options) noexcept { updateOnLoadOptions_ = options; }
    void endUpdateFieldsOnLoad() noexcept { updateOnLoadOptions_.reset(); }

private:
    [[nodiscard]] std::unique_ptr<CalculatedFieldBase> parse(const PieceTable& pieceTable, const Field& field) const;
    [[nodiscard]] bool mayCalculate(const CalculatedFieldBase& calculated, UpdateFieldOperationTypes allowed,
                                    UpdateFieldOperationType updateType) const;

    DocumentModel& documentModel_; // owns the service
    std::optional<FieldUpdateOnLoadOptions> updateOnLoadOptions_;
};

} // namespace velmo::model
