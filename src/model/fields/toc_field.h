#pragma once

#include "model/fields/calculated_field_base.h"

#include <memory>
#include <vector>

namespace velmo::model {

/// TOC [\o levels] [\u] [\h] [\n levels] [\t styles] [\f group] [\l levels] [\c sequence]
/// [\s sequence] [\d delimiter] [\p separator] [\b bookmark]: a table of contents of the document,
/// built before the update pass calculates it (see TocGenerator).
class TocField final : public CalculatedFieldBase {
public:
    TocField();
    ~TocField() override;

    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"TOC"; }
    [[nodiscard]] bool isSwitchWithArgument(std::u16string_view key) const noexcept override;
    [[nodiscard]] bool canPrepare() const noexcept override { return true; }
    /// Builds the table, placing its bookmarks, and prepares its page references.
    void beforeCalculateFields(PieceTable& pieceTable, Field& field) override;

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;

private:
    std::unique_ptr<DocumentModel> table_; // built by beforeCalculateFields()
    std::vector<Field*> pageReferences_;   // PAGEREF fields of table_ to update
};

} // namespace velmo::model
