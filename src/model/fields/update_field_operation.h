#pragma once

#include "core/positions.h"
#include "model/fields/calculated_field_value.h"
#include "model/fields/field_options.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

class Field;
class PieceTable;

/// Calculates one field and puts the value in place of its result, as one history transaction.
/// A calculation or an insertion that fails leaves the document as it was (what was done is
/// rolled back, also inside a transaction the caller holds) and reports FieldNotUpdated. Undoing
/// the transaction brings the old result back.
class UpdateFieldOperation {
public:
    UpdateFieldOperation(PieceTable& pieceTable, Field& field, MailMergeDataMode mailMergeDataMode,
                         UpdateFieldOperationType updateType) noexcept
        : pieceTable_(pieceTable), field_(field), mailMergeDataMode_(mailMergeDataMode), updateType_(updateType)
    {
    }

    [[nodiscard]] UpdateFieldOperationResult execute();

private:
    /// The character formatting of some characters of the story.
    struct RunFormatting {
        int32_t length = 0;
        int32_t propertiesIndex = 0;
        int32_t styleIndex = 0;
    };
    struct ParagraphFormatting {
        int32_t propertiesIndex = 0;
        int32_t styleIndex = 0;
    };

    [[nodiscard]] UpdateFieldOperationResult replaceResult(CalculatedFieldValue& value);
    /// Inserts the value at the position; returns the number of characters inserted.
    int32_t insertValue(DocumentLogPosition position, CalculatedFieldValue& value);
    void formatNewResult(DocumentLogPosition start, int32_t length, const CalculatedFieldValue& value,
                         const std::vector<RunFormatting>& oldRuns, const std::vector<ParagraphFormatting>& oldParagraphs);
    void setRunFormatting(DocumentLogPosition start, int32_t length, const RunFormatting& formatting);
    /// The formatting of the first character of the code that is not white space.
    [[nodiscard]] RunFormatting codeFormatting() const;
    void adjustSelection(DocumentLogPosition start, int32_t oldLength, int32_t newLength);

    PieceTable& pieceTable_;
    Field& field_;
    MailMergeDataMode mailMergeDataMode_;
    UpdateFieldOperationType updateType_;
};

} // namespace velmo::model
