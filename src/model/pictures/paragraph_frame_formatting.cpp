#include "model/pictures/paragraph_frame_formatting.h"

namespace velmo::model {

uint32_t ParagraphFrameFormattingInfo::packedWord() const noexcept
{
    return uint32_t{static_cast<uint8_t>(horizontalRule)} | uint32_t{static_cast<uint8_t>(textWrapType)} << 2 |
           uint32_t{static_cast<uint8_t>(horizontalPositionType)} << 5 | uint32_t{static_cast<uint8_t>(verticalPositionType)} << 7 |
           uint32_t{static_cast<uint8_t>(horizontalPositionAlignment)} << 9 |
           uint32_t{static_cast<uint8_t>(verticalPositionAlignment)} << 12 | uint32_t{static_cast<uint8_t>(dropCap)} << 16 |
           uint32_t{lockFrameAnchorToParagraph} << 18;
}

uint64_t ParagraphFrameFormattingInfo::hash() const noexcept
{
    const auto bits = [](int32_t value) { return static_cast<uint32_t>(value); };
    return packedWord() ^ bits(horizontalPosition) ^ bits(verticalPosition) ^ bits(horizontalPadding) ^ bits(verticalPadding) ^
           bits(x) ^ bits(y) ^ bits(width) ^ bits(height) ^ bits(dropCapVerticalHeightInLines);
}

} // namespace velmo::model
