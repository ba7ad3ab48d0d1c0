#include "model/pictures/inline_picture_info.h"

#include "model/document_model_unit_converter.h"

namespace velmo::model {

uint64_t InlinePictureInfo::hash() const noexcept
{
    // The scales are compared exactly; the hash only needs to agree for equal records.
    const auto scale = [](float value) { return static_cast<uint64_t>(static_cast<uint32_t>(roundHalfToEven(value))); };
    return scale(scaleX) | scale(scaleY) << 12 | uint64_t{static_cast<uint8_t>(sizing)} << 24 |
           uint64_t{static_cast<uint8_t>(resizingShadowDisplayMode)} << 28 | uint64_t{lockAspectRatio} << 29 |
           uint64_t{pseudoInline} << 30 | uint64_t{fillColor} << 31;
}

} // namespace velmo::model
