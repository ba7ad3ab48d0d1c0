#pragma once

#include "model/pictures/used_options_formatting.h"
#include "model/section_properties.h"

#include <cstdint>

namespace velmo::model {

enum class UseTextBoxOption : uint8_t {
    UseLeftMargin = 0,
    UseRightMargin = 1,
    UseTopMargin = 2,
    UseBottomMargin = 3,
    UseResizeShapeToFitText = 4,
    UseWrapText = 5,
    UseVerticalAlignment = 6,
    UseUpright = 7,
};

/// The inner margins of a text box and how its text sits in it.
struct TextBoxInfo {
    int32_t leftMargin = 144; // model units: 30 document units
    int32_t rightMargin = 144;
    int32_t topMargin = 72; // 15 document units
    int32_t bottomMargin = 72;
    bool resizeShapeToFitText = false;
    bool wrapText = true;
    bool upright = false;
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;

    friend bool operator==(const TextBoxInfo&, const TextBoxInfo&) = default;
    [[nodiscard]] uint64_t hash() const noexcept
    {
        return static_cast<uint64_t>(static_cast<uint32_t>(leftMargin)) ^ static_cast<uint64_t>(static_cast<uint32_t>(rightMargin)) << 16 ^
               static_cast<uint64_t>(static_cast<uint32_t>(topMargin)) << 32 ^ static_cast<uint64_t>(static_cast<uint32_t>(bottomMargin)) << 40 ^
               (uint64_t{resizeShapeToFitText} | uint64_t{wrapText} << 1 | uint64_t{upright} << 2 |
                uint64_t{static_cast<uint8_t>(verticalAlignment)} << 3);
    }
};

using TextBoxFormatting = UsedOptionsFormatting<TextBoxInfo, UseTextBoxOption>;

} // namespace velmo::model
