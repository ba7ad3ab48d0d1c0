#pragma once

#include "model/character_formatting_info.h"

namespace velmo::model {

/// Accumulates formatting layers into effective values: a property is taken from the first
/// layer, in priority order, that sets it.
class MergedCharacterProperties {
public:
    explicit MergedCharacterProperties(const CharacterFormattingBase& topLayer)
        : info_(topLayer.info()), mask_(topLayer.mask())
    {
    }

    /// Fills the properties no higher layer set from `lowerLayer`.
    void merge(const CharacterFormattingBase& lowerLayer)
    {
        const auto missing = static_cast<CharacterPropertiesMask>(lowerLayer.mask() & ~mask_);
        info_.copyProperties(lowerLayer.info(), missing);
        mask_ = static_cast<CharacterPropertiesMask>(mask_ | lowerLayer.mask());
    }

    [[nodiscard]] const CharacterFormattingInfo& info() const noexcept { return info_; }
    [[nodiscard]] CharacterPropertiesMask mask() const noexcept { return mask_; }

private:
    CharacterFormattingInfo info_;
    CharacterPropertiesMask mask_;
};

} // namespace velmo::model
