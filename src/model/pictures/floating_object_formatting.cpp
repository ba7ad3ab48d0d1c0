#include "model/pictures/floating_object_formatting.h"

#include "core/hash_combine.h"

namespace velmo::model {

namespace {

bool wrapsAround(FloatingObjectTextWrapType type) noexcept
{
    return type == FloatingObjectTextWrapType::Square || type == FloatingObjectTextWrapType::Through ||
           type == FloatingObjectTextWrapType::Tight;
}

} // namespace

uint64_t FloatingObjectInfo::hash() const noexcept
{
    using core::hashOf;
    const size_t flags = size_t{allowOverlap} | size_t{hidden} << 1 | size_t{layoutInTableCell} << 2 | size_t{locked} << 3 |
                         size_t{lockAspectRatio} << 4 | size_t{isBehindDoc} << 5 | size_t{pseudoInline} << 6 |
                         size_t{static_cast<uint8_t>(textWrapType)} << 8 | size_t{static_cast<uint8_t>(textWrapSide)} << 12 |
                         size_t{static_cast<uint8_t>(horizontalPositionType)} << 16 |
                         size_t{static_cast<uint8_t>(horizontalPositionAlignment)} << 20 |
                         size_t{static_cast<uint8_t>(verticalPositionType)} << 24 |
                         size_t{static_cast<uint8_t>(verticalPositionAlignment)} << 28;
    return core::hashCombine({flags, hashOf(leftDistance), hashOf(rightDistance), hashOf(topDistance), hashOf(bottomDistance),
                              hashOf(zOrder), hashOf(actualSize.width), hashOf(actualSize.height), hashOf(relativeWidth.width),
                              hashOf(relativeHeight.height), hashOf(offset.x), hashOf(offset.y), hashOf(percentOffset.x),
                              hashOf(percentOffset.y)});
}

void FloatingObjectFormatting::setActualSize(Size size)
{
    set(&FloatingObjectInfo::actualSize, size, UseFloatingObjectOption::UseActualSize);
    resetUse(bit(UseFloatingObjectOption::UseRelativeWidth) | bit(UseFloatingObjectOption::UseRelativeHeight));
}

bool FloatingObjectFormatting::canPutTextAtLeft() const noexcept
{
    return wrapsAround(info().textWrapType) && info().textWrapSide != FloatingObjectTextWrapSide::Right;
}

bool FloatingObjectFormatting::canPutTextAtRight() const noexcept
{
    return wrapsAround(info().textWrapType) && info().textWrapSide != FloatingObjectTextWrapSide::Left;
}

bool FloatingObjectFormatting::putTextAtLargestSide() const noexcept
{
    return wrapsAround(info().textWrapType) && info().textWrapSide == FloatingObjectTextWrapSide::Largest;
}

} // namespace velmo::model
