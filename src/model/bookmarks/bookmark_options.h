#pragma once

#include "model/alpha_color.h"

#include <cstdint>

namespace velmo::model {

/// Whether the editing surface marks where bookmarks start and end.
enum class BookmarkVisibility : uint8_t { Auto, Visible, Hidden };

/// The document's bookmark settings.
struct BookmarkOptions {
    BookmarkVisibility visibility = BookmarkVisibility::Auto;
    /// The colour of the marks; automatic lets the view choose.
    AlphaColor color = kEmptyColor;
    /// A new bookmark whose name the story already uses (ignoring case) gets "name_1", "name_2"...
    bool allowNameResolution = false;
};

} // namespace velmo::model
