#pragma once

#include "platform/image_codec.h"

namespace velmo::platform {

/// The engine's image codec: PNG through libpng, JPEG through libjpeg, GIF through giflib, TIFF through
/// libtiff, and readers of its own for BMP, bare DIBs, icons and the sizes of WMF and EMF metafiles.
/// It holds no state, so one instance may serve every thread.
class StandardImageCodec final : public IImageCodec {
public:
    [[nodiscard]] OfficeImageFormat detectFormat(std::span<const uint8_t> bytes) const override;
    [[nodiscard]] ImageInfo readInfo(std::span<const uint8_t> bytes) const override;
    [[nodiscard]] RgbaImage decode(std::span<const uint8_t> bytes) const override;
    [[nodiscard]] std::vector<uint8_t> encodePng(const RgbaImage& image) const override;
    [[nodiscard]] std::vector<uint8_t> encodeJpeg(const RgbaImage& image, int quality) const override;
};

} // namespace velmo::platform
