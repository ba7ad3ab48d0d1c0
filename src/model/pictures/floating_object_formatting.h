#pragma once

#include "model/pictures/geometry.h"
#include "model/pictures/used_options_formatting.h"

#include <cstdint>

namespace velmo::model {

enum class FloatingObjectTextWrapType : uint8_t { None, TopAndBottom, Tight, Through, Square, Inline };
enum class FloatingObjectTextWrapSide : uint8_t { Both, Left, Right, Largest };
/// What a floating object's horizontal position is measured from.
enum class ShapeRelativeHorizontalPosition : uint8_t {
    Page, Character, Column, Margin, LeftMargin, RightMargin, InsideMargin, OutsideMargin
};
enum class ShapeHorizontalAlignment : uint8_t { None, Left, Center, Right, Inside, Outside };
enum class ShapeRelativeVerticalPosition : uint8_t {
    Page, Line, Paragraph, Margin, TopMargin, BottomMargin, InsideMargin, OutsideMargin
};
enum class ShapeVerticalAlignment : uint8_t { None, Top, Center, Bottom, Inside, Outside };
enum class FloatingObjectRelativeFromHorizontal : uint8_t { Margin, Page, LeftMargin, RightMargin, InsideMargin, OutsideMargin };
enum class FloatingObjectRelativeFromVertical : uint8_t { Margin, Page, TopMargin, BottomMargin, InsideMargin, OutsideMargin };

/// A width relative to a part of the page, in 1/1000 percent.
struct FloatingObjectRelativeWidth {
    int32_t width = 0;
    FloatingObjectRelativeFromHorizontal from = FloatingObjectRelativeFromHorizontal::Margin;
    friend bool operator==(const FloatingObjectRelativeWidth&, const FloatingObjectRelativeWidth&) = default;
};

struct FloatingObjectRelativeHeight {
    int32_t height = 0;
    FloatingObjectRelativeFromVertical from = FloatingObjectRelativeFromVertical::Margin;
    friend bool operator==(const FloatingObjectRelativeHeight&, const FloatingObjectRelativeHeight&) = default;
};

/// The use bits of FloatingObjectInfo's fields.
enum class UseFloatingObjectOption : uint8_t {
    UseAllowOverlap = 0,
    UseHidden = 1,
    UseLayoutInTableCell = 2,
    UseLocked = 3,
    UseLeftDistance = 4,
    UseRightDistance = 5,
    UseTopDistance = 6,
    UseBottomDistance = 7,
    UseZOrder = 8,
    UseActualSize = 9,
    UseTextWrapType = 10,
    UseTextWrapSide = 11,
    UseHorizontalPositionType = 12,
    UseHorizontalPositionAlignment = 13,
    UseVerticalPositionType = 14,
    UseVerticalPositionAlignment = 15,
    UseOffset = 16,
    UseLockAspectRatio = 17,
    UseIsBehindDoc = 18,
    UsePseudoInline = 19,
    UseRelativeWidth = 20,
    UseRelativeHeight = 21,
    UsePercentOffset = 22,
};

/// Where and how a floating object sits on the page. Every field's default is zero or false.
struct FloatingObjectInfo {
    bool allowOverlap = false;
    bool hidden = false;
    bool layoutInTableCell = false;
    bool locked = false;
    bool lockAspectRatio = false;
    int32_t leftDistance = 0; // model units kept free around the object
    int32_t rightDistance = 0;
    int32_t topDistance = 0;
    int32_t bottomDistance = 0;
    int32_t zOrder = 0;
    Size actualSize;
    FloatingObjectRelativeWidth relativeWidth;
    FloatingObjectRelativeHeight relativeHeight;
    FloatingObjectTextWrapType textWrapType = FloatingObjectTextWrapType::None;
    FloatingObjectTextWrapSide textWrapSide = FloatingObjectTextWrapSide::Both;
    ShapeRelativeHorizontalPosition horizontalPositionType = ShapeRelativeHorizontalPosition::Page;
    ShapeHorizontalAlignment horizontalPositionAlignment = ShapeHorizontalAlignment::None;
    ShapeRelativeVerticalPosition verticalPositionType = ShapeRelativeVerticalPosition::Page;
    ShapeVerticalAlignment verticalPositionAlignment = ShapeVerticalAlignment::None;
    Point offset;        // model units from the position type's origin
    Point percentOffset; // 1/1000 percent
    bool isBehindDoc = false;
    bool pseudoInline = false;

    friend bool operator==(const FloatingObjectInfo&, const FloatingObjectInfo&) = default;
    [[nodiscard]] uint64_t hash() const noexcept;
};

/// A floating object's record with the mask of what it sets. Setting the actual size lets the
/// relative width and height go.
class FloatingObjectFormatting : public UsedOptionsFormatting<FloatingObjectInfo, UseFloatingObjectOption> {
public:
    using UsedOptionsFormatting::UsedOptionsFormatting;
    void setActualSize(Size size);

    /// Whether text may flow at the object's left, at its right, or only on its larger side.
    [[nodiscard]] bool canPutTextAtLeft() const noexcept;
    [[nodiscard]] bool canPutTextAtRight() const noexcept;
    [[nodiscard]] bool putTextAtLargestSide() const noexcept;
};

} // namespace velmo::model
