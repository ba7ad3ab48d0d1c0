#pragma once

#include "model/pictures/floating_object_formatting.h"
#include "model/pictures/inline_picture_info.h"
#include "model/pictures/paragraph_frame_formatting.h"
#include "model/pictures/shape_formatting.h"
#include "model/pictures/text_box_formatting.h"
#include "model/unique_items_cache.h"

namespace velmo::model {

/// The shared records of pictures, floating objects, shapes, text boxes and paragraph frames; item 0
/// of each is the default record.
struct PictureFormattingCaches {
    UniqueItemsCache<InlinePictureInfo> inlinePictureInfoCache{InlinePictureInfo{}};
    UniqueItemsCache<FloatingObjectFormatting> floatingObjectFormattingCache{FloatingObjectFormatting{}};
    UniqueItemsCache<ShapeFormatting> shapeFormattingCache{ShapeFormatting{}};
    UniqueItemsCache<TextBoxFormatting> textBoxFormattingCache{TextBoxFormatting{}};
    UniqueItemsCache<ParagraphFrameFormatting> paragraphFrameFormattingCache{ParagraphFrameFormatting{}};
};

} // namespace velmo::model
