#pragma once

#include "model/document_model.h"
#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "platform/codecs/standard_image_codec.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace velmo::model {

/// The codec the document models of the tests read pictures with.
inline const platform::IImageCodec& testCodec()
{
    static const platform::StandardImageCodec codec;
    return codec;
}

/// A PNG of width x height pixels at `dpi`, filled with one colour (0xRRGGBBAA) so that pictures of
/// different colours have different bytes.
inline std::vector<uint8_t> pngBytes(int32_t width, int32_t height, double dpi = 96, uint32_t rgba = 0x336699FF)
{
    platform::RgbaImage image;
    image.width = width;
    image.height = height;
    image.resolution = {dpi, dpi};
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t index = 0; index < image.pixels.size(); index += 4) {
        image.pixels[index] = static_cast<uint8_t>(rgba >> 24);
        image.pixels[index + 1] = static_cast<uint8_t>(rgba >> 16);
        image.pixels[index + 2] = static_cast<uint8_t>(rgba >> 8);
        image.pixels[index + 3] = static_cast<uint8_t>(rgba);
    }
    return testCodec().encodePng(image);
}

/// A reference, in `document`, to a PNG picture read from its bytes.
inline std::unique_ptr<OfficeImageReference> pngPicture(DocumentModel& document, int32_t width, int32_t height,
                                                        double dpi = 96, uint32_t rgba = 0x336699FF)
{
    return document.images().createImage(pngBytes(width, height, dpi, rgba));
}

} // namespace velmo::model
