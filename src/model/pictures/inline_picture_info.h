#pragma once

#include "model/alpha_color.h"

#include <cstdint>

namespace velmo::model {

/// How a picture is fitted into the box it is given.
enum class ImageSizeMode : uint8_t { Normal, StretchImage, AutoSize, CenterImage, ZoomImage, Squeeze, Tile };
/// What is drawn while a picture is being resized.
enum class ResizingShadowDisplayMode : uint8_t { Content, WireFrame };

/// The properties of an inline picture, shared through the document's cache.
struct InlinePictureInfo {
    float scaleX = 100; // percent
    float scaleY = 100;
    AlphaColor fillColor = kEmptyColor;
    ImageSizeMode sizing = ImageSizeMode::StretchImage;
    ResizingShadowDisplayMode resizingShadowDisplayMode = ResizingShadowDisplayMode::Content;
    bool lockAspectRatio = true;
    bool pseudoInline = false;

    friend bool operator==(const InlinePictureInfo&, const InlinePictureInfo&) = default;
    [[nodiscard]] uint64_t hash() const noexcept;
};

} // namespace velmo::model
