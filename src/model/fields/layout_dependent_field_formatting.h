#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::core {
class Culture;
}

namespace velmo::model {

/// How the layout writes the number a PAGE or NUMPAGES field shows on each page: the field's
/// numeric picture and general formats, kept with the layout-dependent run of its result.
class LayoutDependentFieldFormatting {
public:
    LayoutDependentFieldFormatting(std::optional<std::u16string> numericPicture, std::vector<std::u16string> generalFormats)
        : numericPicture_(std::move(numericPicture)), generalFormats_(std::move(generalFormats))
    {
    }
    virtual ~LayoutDependentFieldFormatting() = default;
    LayoutDependentFieldFormatting(const LayoutDependentFieldFormatting&) = delete;
    LayoutDependentFieldFormatting& operator=(const LayoutDependentFieldFormatting&) = delete;

    /// The field type whose result this is ("PAGE").
    [[nodiscard]] virtual std::u16string_view fieldTypeName() const noexcept = 0;
    /// Whether the number changes when later pages are laid out (a page count), so the run is
    /// measured again on secondary formatting.
    [[nodiscard]] virtual bool recalculatesOnSecondaryFormatting() const noexcept = 0;

    /// `numberText` (the number already in the page numbering's format) with the field's picture
    /// and formats applied; `value` is the number itself. Throws FieldFormatError as the field
    /// formatting does.
    [[nodiscard]] std::u16string format(int32_t value, std::u16string_view numberText, const core::Culture& culture) const;

private:
    std::optional<std::u16string> numericPicture_;
    std::vector<std::u16string> generalFormats_;
};

class PageFieldResultFormatting final : public LayoutDependentFieldFormatting {
public:
    using LayoutDependentFieldFormatting::LayoutDependentFieldFormatting;
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"PAGE"; }
    [[nodiscard]] bool recalculatesOnSecondaryFormatting() const noexcept override { return false; }
};

class NumPagesFieldResultFormatting final : public LayoutDependentFieldFormatting {
public:
    using LayoutDependentFieldFormatting::LayoutDependentFieldFormatting;
    [[nodiscard]] std::u16string_view fieldTypeName() const noexcept override { return u"NUMPAGES"; }
    [[nodiscard]] bool recalculatesOnSecondaryFormatting() const noexcept override { return true; }
};

} // namespace velmo::model
