#pragma once

#include <cstdint>

namespace velmo::model {

/// A width and a height in model units (twips) unless a name says otherwise.
struct Size {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

/// A place or an offset in model units unless a name says otherwise.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

/// An axis-aligned box: its top-left corner and its size.
struct Rectangle {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Rectangle&, const Rectangle&) = default;
};

} // namespace velmo::model
