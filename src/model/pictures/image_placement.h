#pragma once

#include "model/pictures/geometry.h"
#include "model/pictures/inline_picture_info.h"

namespace velmo::model {

/// Where a picture of `natural` size is drawn in `box` under a sizing mode: stretched over the box,
/// centred, zoomed to fit proportionally and centred on the other axis, squeezed (centred at its
/// natural size when it fits, else zoomed), or at its natural size at the top-left corner (Normal, AutoSize, Tile).
[[nodiscard]] Rectangle placeImageInBox(Rectangle box, Size natural, ImageSizeMode mode) noexcept;

} // namespace velmo::model
