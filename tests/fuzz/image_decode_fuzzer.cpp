// libFuzzer entry: any bytes must give a picture, a size or core::EditorException from the image codec,
// and decoded pixels must fill exactly the buffer their size promises.
#include "core/editor_exception.h"
#include "platform/codecs/standard_image_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const velmo::platform::StandardImageCodec codec;
    const std::span<const uint8_t> bytes(data, size);
    try {
        const velmo::platform::ImageInfo info = codec.readInfo(bytes);
        if (velmo::platform::isMetafileFormat(info.format))
            return 0;
        const velmo::platform::RgbaImage image = codec.decode(bytes);
        if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4)
            std::abort();
    } catch (const velmo::core::EditorException&) {
    }
    return 0;
}
