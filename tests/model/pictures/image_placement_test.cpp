#include "model/pictures/image_placement.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(ImagePlacementTest, EachSizingModePlacesThePictureInItsBox)
{
    const Rectangle box{100, 200, 400, 100};
    struct Case {
        const char* name;
        Size natural;
        ImageSizeMode mode;
        Rectangle expected;
    };
    const Case cases[] = {
        {"stretch fills the box", {50, 50}, ImageSizeMode::StretchImage, box},
        {"centre keeps the size", {50, 20}, ImageSizeMode::CenterImage, {275, 240, 50, 20}},
        {"zoom in a wider box fills the height", {50, 50}, ImageSizeMode::ZoomImage, {250, 200, 100, 100}},
        {"zoom in a narrower box fills the width", {800, 100}, ImageSizeMode::ZoomImage, {100, 225, 400, 50}},
        {"squeeze keeps a picture that fits", {50, 20}, ImageSizeMode::Squeeze, {275, 240, 50, 20}},
        {"squeeze shrinks one that does not", {800, 100}, ImageSizeMode::Squeeze, {100, 225, 400, 50}},
        {"normal at the top left", {50, 20}, ImageSizeMode::Normal, {100, 200, 50, 20}},
        {"auto size at the top left", {500, 20}, ImageSizeMode::AutoSize, {100, 200, 500, 20}},
        {"tile keeps the size", {50, 20}, ImageSizeMode::Tile, {100, 200, 50, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeImageInBox(box, c.natural, c.mode), c.expected);
    }
}

} // namespace
} // namespace velmo::model
