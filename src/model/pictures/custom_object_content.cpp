#include "model/pictures/custom_object_content.h"

#include "core/editor_exception.h"

#include <string>

namespace velmo::model {

void CustomObjectContent::setOriginalSize(Size size)
{
    if (size.width <= 0 || size.height <= 0)
        throw core::EditorException::invalidValue(
            "(cx: " + std::to_string(size.width) + ", cy: " + std::to_string(size.height) + ")", "OriginalSize");
    originalSize_ = size;
}

} // namespace velmo::model
