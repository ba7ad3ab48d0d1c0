#pragma once

#include "model/alpha_color.h"
#include "model/border_info.h"

#include <cstddef>
#include <cstdint>

namespace velmo::model {

enum class ParagraphAlignment : uint8_t { Left, Right, Center, Justify };
/// For Multiple the line spacing is a number of lines; for Exactly and AtLeast a length.
enum class ParagraphLineSpacing : uint8_t { Single, Sesquialteral, Double, Multiple, Exactly, AtLeast };
enum class ParagraphFirstLineIndent : uint8_t { None, Indented, Hanging };

/// One bit per paragraph property: which properties a formatting layer sets. UseLineSpacing
/// covers type and value, UseFirstLineIndent covers type and amount.
enum class UsedParagraphFormattingOption : uint32_t {
    UseAlignment = 1u << 0,
    UseLeftIndent = 1u << 1,
    UseRightIndent = 1u << 2,
    UseSpacingBefore = 1u << 3,
    UseSpacingAfter = 1u << 4,
    UseLineSpacing = 1u << 5,
    UseFirstLineIndent = 1u << 6,
    UseSuppressHyphenation = 1u << 7,
    UseSuppressLineNumbers = 1u << 8,
    UseContextualSpacing = 1u << 9,
    UsePageBreakBefore = 1u << 10,
    UseBeforeAutoSpacing = 1u << 11,
    UseAfterAutoSpacing = 1u << 12,
    UseKeepWithNext = 1u << 13,
    UseKeepLinesTogether = 1u << 14,
    UseWidowOrphanControl = 1u << 15,
    UseOutlineLevel = 1u << 16,
    UseBackColor = 1u << 17,
    UseLeftBorder = 1u << 18,
    UseRightBorder = 1u << 19,
    UseTopBorder = 1u << 20,
    UseBottomBorder = 1u << 21,
};

/// A set of UsedParagraphFormattingOption bits.
using ParagraphPropertiesMask = uint32_t;
inline constexpr ParagraphPropertiesMask kParagraphPropertiesMaskAll = 0x3FFFFF;

[[nodiscard]] constexpr ParagraphPropertiesMask operator|(UsedParagraphFormattingOption a, UsedParagraphFormattingOption b) noexcept
{
    return static_cast<uint32_t>(a) | static_cast<uint32_t>(b);
}

/// The values of every paragraph property. Lengths in twips.
class ParagraphFormattingInfo {
public:
    [[nodiscard]] ParagraphAlignment alignment() const noexcept { return static_cast<ParagraphAlignment>(packed_ >> 5 & 0x3); }
    void setAlignment(ParagraphAlignment value) noexcept { setField(5, 0x3, static_cast<uint32_t>(value)); }
    [[nodiscard]] int32_t leftIndent() const noexcept { return leftIndent_; }
    void setLeftIndent(int32_t value) noexcept { leftIndent_ = value; }
    [[nodiscard]] int32_t rightIndent() const noexcept { return rightIndent_; }
    void setRightIndent(int32_t value) noexcept { rightIndent_ = value; }
    [[nodiscard]] int32_t spacingBefore() const noexcept { return spacingBefore_; }
    /// Throws the invalid-value error naming "SpacingBefore" for a negative value.
    void setSpacingBefore(int32_t value);
    [[nodiscard]] int32_t spacingAfter() const noexcept { return spacingAfter_; }
    void setSpacingAfter(int32_t value);
    [[nodiscard]] ParagraphLineSpacing lineSpacingType() const noexcept { return static_cast<ParagraphLineSpacing>(packed_ & 0x7); }
    void setLineSpacingType(ParagraphLineSpacing value) noexcept { setField(0, 0x7, static_cast<uint32_t>(value)); }
    [[nodiscard]] float lineSpacing() const noexcept { return lineSpacing_; }
    void setLineSpacing(float value);
    [[nodiscard]] ParagraphFirstLineIndent firstLineIndentType() const noexcept
    {
        return static_cast<ParagraphFirstLineIndent>(packed_ >> 3 & 0x3);
    }
    void setFirstLineIndentType(ParagraphFirstLineIndent value) noexcept { setField(3, 0x3, static_cast<uint32_t>(value)); }
    [[nodiscard]] int32_t firstLineIndent() const noexcept { return firstLineIndent_; }
    void setFirstLineIndent(int32_t value);
    [[nodiscard]] int32_t outlineLevel() const noexcept { return static_cast<int32_t>(packed_ >> 7 & 0xF); }
    void setOutlineLevel(int32_t value);
    [[nodiscard]] bool suppressHyphenation() const noexcept { return bit(11); }
    void setSuppressHyphenation(bool value) noexcept { setBit(11, value); }
    [[nodiscard]] bool suppressLineNumbers() const noexcept { return bit(12); }
    void setSuppressLineNumbers(bool value) noexcept { setBit(12, value); }
    [[nodiscard]] bool contextualSpacing() const noexcept { return bit(13); }
    void setContextualSpacing(bool value) noexcept { setBit(13, value); }
    [[nodiscard]] bool pageBreakBefore() const noexcept { return bit(14); }
    void setPageBreakBefore(bool value) noexcept { setBit(14, value); }
    [[nodiscard]] bool beforeAutoSpacing() const noexcept { return bit(15); }
    void setBeforeAutoSpacing(bool value) noexcept { setBit(15, value); }
    [[nodiscard]] bool afterAutoSpacing() const noexcept { return bit(16); }
    void setAfterAutoSpacing(bool value) noexcept { setBit(16, value); }
    [[nodiscard]] bool keepWithNext() const noexcept { return bit(17); }
    void setKeepWithNext(bool value) noexcept { setBit(17, value); }
    [[nodiscard]] bool keepLinesTogether() const noexcept { return bit(18); }
    void setKeepLinesTogether(bool value) noexcept { setBit(18, value); }
    [[nodiscard]] bool widowOrphanControl() const noexcept { return bit(19); }
    void setWidowOrphanControl(bool value) noexcept { setBit(19, value); }
    [[nodiscard]] AlphaColor backColor() const noexcept { return backColor_; }
    void setBackColor(AlphaColor value) noexcept { backColor_ = value; }
    [[nodiscard]] const BorderInfo& leftBorder() const noexcept { return leftBorder_; }
    void setLeftBorder(const BorderInfo& value) noexcept { leftBorder_ = value; }
    [[nodiscard]] const BorderInfo& rightBorder() const noexcept { return rightBorder_; }
    void setRightBorder(const BorderInfo& value) noexcept { rightBorder_ = value; }
    [[nodiscard]] const BorderInfo& topBorder() const noexcept { return topBorder_; }
    void setTopBorder(const BorderInfo& value) noexcept { topBorder_ = value; }
    [[nodiscard]] const BorderInfo& bottomBorder() const noexcept { return bottomBorder_; }
    void setBottomBorder(const BorderInfo& value) noexcept { bottomBorder_ = value; }

    /// Copies the properties named in `mask` from `source`, without checks: the source's values
    /// were checked when they were set.
    void copyProperties(const ParagraphFormattingInfo& source, ParagraphPropertiesMask mask) noexcept;
    /// The properties whose values differ from `other`'s.
    [[nodiscard]] ParagraphPropertiesMask differingProperties(const ParagraphFormattingInfo& other) const noexcept;

    [[nodiscard]] bool operator==(const ParagraphFormattingInfo& other) const noexcept;
    [[nodiscard]] size_t hash() const noexcept;

    /// The document default: 10 pt after, 1.15 lines, widow and orphan control.
    [[nodiscard]] static ParagraphFormattingInfo documentDefault();

private:
    [[nodiscard]] bool bit(int index) const noexcept { return (packed_ >> index & 1u) != 0; }
    void setBit(int index, bool value) noexcept { packed_ = value ? packed_ | 1u << index : packed_ & ~(1u << index); }
    void setField(int shift, uint32_t mask, uint32_t value) noexcept
    {
        packed_ = (packed_ & ~(mask << shift)) | (value & mask) << shift;
    }

    uint32_t packed_ = 0;
    int32_t leftIndent_ = 0;
    int32_t rightIndent_ = 0;
    int32_t spacingBefore_ = 0;
    int32_t spacingAfter_ = 0;
    int32_t firstLineIndent_ = 0;
    float lineSpacing_ = 0.0f;
    AlphaColor backColor_ = kEmptyColor;
    BorderInfo leftBorder_;
    BorderInfo rightBorder_;
    BorderInfo topBorder_;
    BorderInfo bottomBorder_;
};

/// Paragraph values together with the mask of those a layer sets.
class ParagraphFormattingBase {
public:
    ParagraphFormattingBase() = default;
    ParagraphFormattingBase(ParagraphFormattingInfo info, ParagraphPropertiesMask mask) : info_(info), mask_(mask) {}

    [[nodiscard]] const ParagraphFormattingInfo& info() const noexcept { return info_; }
    [[nodiscard]] ParagraphPropertiesMask mask() const noexcept { return mask_; }
    [[nodiscard]] bool uses(UsedParagraphFormattingOption option) const noexcept
    {
        return (mask_ & static_cast<uint32_t>(option)) != 0;
    }
    [[nodiscard]] bool usesAll(ParagraphPropertiesMask mask) const noexcept { return (mask_ & mask) == mask; }

    /// Gives access to the values for one change; `option` is marked as set afterwards.
    template <typename Change>
    void set(UsedParagraphFormattingOption option, Change change)
    {
        change(info_);
        mask_ |= static_cast<uint32_t>(option);
    }
    void resetUse(ParagraphPropertiesMask mask) noexcept { mask_ &= ~mask; }
    /// Takes the properties in `mask` from `source` and marks them as set.
    void setProperties(const ParagraphFormattingInfo& source, ParagraphPropertiesMask mask) noexcept
    {
        info_.copyProperties(source, mask);
        mask_ |= mask;
    }

    [[nodiscard]] bool operator==(const ParagraphFormattingBase& other) const noexcept
    {
        return mask_ == other.mask_ && info_ == other.info_;
    }
    [[nodiscard]] size_t hash() const noexcept { return info_.hash() ^ (static_cast<size_t>(mask_) << 32); }

private:
    ParagraphFormattingInfo info_;
    ParagraphPropertiesMask mask_ = 0;
};

/// Accumulates paragraph layers: a property comes from the first layer that sets it.
class MergedParagraphProperties {
public:
    explicit MergedParagraphProperties(const ParagraphFormattingBase& topLayer) : info_(topLayer.info()), mask_(topLayer.mask()) {}
    void merge(const ParagraphFormattingBase& lowerLayer) noexcept
    {
        info_.copyProperties(lowerLayer.info(), lowerLayer.mask() & ~mask_);
        mask_ |= lowerLayer.mask();
    }
    [[nodiscard]] const ParagraphFormattingInfo& info() const noexcept { return info_; }
    [[nodiscard]] ParagraphPropertiesMask mask() const noexcept { return mask_; }

private:
    ParagraphFormattingInfo info_;
    ParagraphPropertiesMask mask_;
};

} // namespace velmo::model
