#include "model/pictures/image_placement.h"

#include <algorithm>
#include <cstdint>

namespace velmo::model {

namespace {

Rectangle zoomed(Rectangle box, Size natural) noexcept
{
    const int64_t naturalWidth = std::max(1, natural.width);
    const int64_t naturalHeight = std::max(1, natural.height);
    // The box is relatively wider than the picture: the height fills it.
    if (int64_t{box.width} * naturalHeight > naturalWidth * box.height) {
        const auto width = static_cast<int32_t>(naturalWidth * box.height / naturalHeight);
        return {box.x + (box.width - width) / 2, box.y, width, box.height};
    }
    const auto height = static_cast<int32_t>(naturalHeight * box.width / naturalWidth);
    return {box.x, box.y + (box.height - height) / 2, box.width, height};
}

} // namespace

Rectangle placeImageInBox(Rectangle box, Size natural, ImageSizeMode mode) noexcept
{
    switch (mode) {
    case ImageSizeMode::StretchImage: return box;
    case ImageSizeMode::CenterImage:
        return {box.x + (box.width - natural.width) / 2, box.y + (box.height - natural.height) / 2, natural.width, natural.height};
    case ImageSizeMode::ZoomImage: return zoomed(box, natural);
    case ImageSizeMode::Squeeze:
        if (natural.width <= box.width && natural.height <= box.height)
            return placeImageInBox(box, natural, ImageSizeMode::CenterImage);
        return zoomed(box, natural);
    case ImageSizeMode::Normal:
    case ImageSizeMode::AutoSize:
    case ImageSizeMode::Tile: return {box.x, box.y, natural.width, natural.height};
    }
    return box;
}

} // namespace velmo::model
