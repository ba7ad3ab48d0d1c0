#pragma once

#include "model/pictures/used_options_formatting.h"

#include <cstdint>

namespace velmo::model {

/// How the height of a frame is ruled.
enum class ParagraphFrameHorizontalRule : uint8_t { Auto, AtLeast, Exact };
enum class ParagraphFrameTextWrapType : uint8_t { Auto, Around, None, NotBeside, Through, Tight };
enum class ParagraphFrameHorizontalPositionAlignment : uint8_t { None, Left, Center, Right, Inside, Outside };
enum class ParagraphFrameVerticalPositionAlignment : uint8_t { None, Top, Center, Bottom, Inline, Inside, Outside };
enum class ParagraphFrameHorizontalPositionType : uint8_t { Page, Column, Margin };
enum class ParagraphFrameVerticalPositionType : uint8_t { Page, Paragraph, Margin };
enum class DropCapLocation : uint8_t { None, Drop, Margin };

enum class UseParagraphFrameOption : uint8_t {
    UseHorizontalPosition = 0,
    UseVerticalPosition = 1,
    UseHorizontalPadding = 2,
    UseVerticalPadding = 3,
    UseHorizontalRule = 4,
    UseTextWrapType = 5,
    UseX = 6,
    UseY = 7,
    UseWidth = 8,
    UseHeight = 9,
    UseHorizontalPositionAlignment = 10,
    UseVerticalPositionAlignment = 11,
    UseHorizontalPositionType = 12,
    UseVerticalPositionType = 13,
    UseDropCap = 14,
    UseDropCapVerticalHeightInLines = 15,
    UseLockFrameAnchorToParagraph = 16,
};

inline constexpr uint32_t kParagraphFrameUseAll = (uint32_t{1} << 17) - 1;

/// Where a framed paragraph sits on the page, like a box. The enumerated fields are what a file
/// packs into one word; the hash packs them the same way.
struct ParagraphFrameFormattingInfo {
    int32_t horizontalPosition = 0;
    int32_t verticalPosition = 0;
    int32_t horizontalPadding = 0; // model units
    int32_t verticalPadding = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t dropCapVerticalHeightInLines = 0;
    ParagraphFrameHorizontalRule horizontalRule = ParagraphFrameHorizontalRule::Auto;
    ParagraphFrameTextWrapType textWrapType = ParagraphFrameTextWrapType::Auto;
    ParagraphFrameHorizontalPositionAlignment horizontalPositionAlignment = ParagraphFrameHorizontalPositionAlignment::Left;
    ParagraphFrameVerticalPositionAlignment verticalPositionAlignment = ParagraphFrameVerticalPositionAlignment::Inline;
    ParagraphFrameHorizontalPositionType horizontalPositionType = ParagraphFrameHorizontalPositionType::Column;
    ParagraphFrameVerticalPositionType verticalPositionType = ParagraphFrameVerticalPositionType::Margin;
    DropCapLocation dropCap = DropCapLocation::None;
    bool lockFrameAnchorToParagraph = false;

    friend bool operator==(const ParagraphFrameFormattingInfo&, const ParagraphFrameFormattingInfo&) = default;
    /// The enumerated fields in one word: rule bits 0-1, wrap 2-4, horizontal type 5-6, vertical type
    /// 7-8, horizontal alignment 9-11, vertical alignment 12-15, drop cap 16-17, lock 18.
    [[nodiscard]] uint32_t packedWord() const noexcept;
    [[nodiscard]] uint64_t hash() const noexcept;
};

/// A frame record with the mask of what it sets; also the accumulator of a paragraph's effective frame.
using ParagraphFrameFormatting = UsedOptionsFormatting<ParagraphFrameFormattingInfo, UseParagraphFrameOption>;

} // namespace velmo::model
