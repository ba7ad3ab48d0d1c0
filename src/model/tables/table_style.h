#pragma once

#include "model/style_base.h"
#include "model/tables/table_properties_info.h"

#include <array>
#include <functional>
#include <optional>

namespace velmo::model {

/// The formatting one part of a table style sets: indices into the document's caches (0: nothing).
struct TableStyleFormatting {
    int32_t tablePropertiesIndex = 0;
    int32_t rowPropertiesIndex = 0;
    int32_t cellPropertiesIndex = 0;
    int32_t paragraphPropertiesIndex = 0;
    int32_t characterPropertiesIndex = 0;
};

/// A style for whole tables, with conditional parts for first and last rows and columns,
/// banding and corner cells.
class TableStyle final : public StyleBase {
public:
    using StyleBase::StyleBase;

    [[nodiscard]] StyleType styleType() const noexcept override { return StyleType::TableStyle; }
    [[nodiscard]] TableStyle* parentStyle() const noexcept { return static_cast<TableStyle*>(parent()); }

    [[nodiscard]] const TableStyleFormatting& formatting() const noexcept { return formatting_; }
    /// The conditional part of that type; null when the style has none.
    [[nodiscard]] const TableStyleFormatting* conditionalStyle(ConditionalTableStyleFormattingType type) const noexcept
    {
        const auto& part = conditionalStyles_[static_cast<size_t>(type)];
        return part ? &*part : nullptr;
    }
    [[nodiscard]] bool hasConditionalStyle(ConditionalTableStyleFormattingType type) const noexcept
    {
        return conditionalStyles_[static_cast<size_t>(type)].has_value();
    }
    /// Whether the style has any conditional part at all.
    [[nodiscard]] bool hasConditionalStyles() const noexcept { return conditionalPartCount_ > 0; }

    /// Setters for the style's own part, or for a conditional part (made when first set); each
    /// is one undoable step. Readers use the Core forms, which record nothing.
    void changeTableProperties(const std::function<void(TablePropertiesInfo&)>& change,
                               std::optional<ConditionalTableStyleFormattingType> part = std::nullopt);
    void changeCellProperties(const std::function<void(TableCellPropertiesInfo&)>& change,
                              std::optional<ConditionalTableStyleFormattingType> part = std::nullopt);
    [[nodiscard]] TableStyleFormatting& formattingCore(std::optional<ConditionalTableStyleFormattingType> part = std::nullopt);

private:
    std::optional<TableStyleFormatting>& slot(ConditionalTableStyleFormattingType type) noexcept
    {
        return conditionalStyles_[static_cast<size_t>(type)];
    }

    TableStyleFormatting formatting_;
    std::array<std::optional<TableStyleFormatting>, kConditionalTableStyleFormattingTypeCount> conditionalStyles_;
    int32_t conditionalPartCount_ = 0;
};

/// A style for single cells.
class TableCellStyle final : public StyleBase {
public:
    using StyleBase::StyleBase;

    [[nodiscard]] StyleType styleType() const noexcept override { return StyleType::TableCellStyle; }
    [[nodiscard]] TableCellStyle* parentStyle() const noexcept { return static_cast<TableCellStyle*>(parent()); }
    [[nodiscard]] const TableStyleFormatting& formatting() const noexcept { return formatting_; }
    [[nodiscard]] TableStyleFormatting& formattingCore() noexcept { return formatting_; }

private:
    TableStyleFormatting formatting_;
};

} // namespace velmo::model
