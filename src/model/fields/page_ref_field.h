#pragma once

#include "model/fields/calculated_field_base.h"

#include <cstdint>

namespace velmo::model {

class Bookmark;

/// PAGEREF bookmark [\h] [\p]: the number of the page the bookmark starts on, as the layout
/// knows it. Without the bookmark the result is empty; without a layout the field keeps the number
/// it has (the one the document was saved with). With \h the number is
/// the result of a nested HYPERLINK field leading to the bookmark. \p (relative position) is read
/// and has no effect.
class PageRefField final : public CalculatedFieldBase {
public:
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"PAGEREF"; }
    [[nodiscard]] bool canPrepare() const noexcept override { return true; }
    /// Finds the bookmark and its page.
    void beforeCalculateFields(PieceTable& pieceTable, Field& field) override;

    [[nodiscard]] std::u16string bookmarkName() const { return instructions().argumentText(0); }
    [[nodiscard]] bool createsHyperlink() const { return instructions().hasSwitch(u"\\h"); }

protected:
    [[nodiscard]] CalculatedFieldValue getCalculatedValue(const FieldCalculationContext& context) override;

private:
    static constexpr int32_t kNoPage = -1;

    bool prepared_ = false;
    bool hasLayout_ = false;
    int32_t pageNumber_ = kNoPage;
};

/// The bookmark a field of `pieceTable` refers to by `name`: the one the document's bookmark
/// resolution finds, or the story's own of that name; null when there is none.
[[nodiscard]] const Bookmark* resolveFieldBookmark(const PieceTable& pieceTable, std::u16string_view name);

} // namespace velmo::model
