#pragma once

#include <string>

namespace velmo::model {

/// What makes a HYPERLINK field a link: where it leads and how it shows.
struct HyperlinkInfo {
    /// A bookmark name: the place in the document (the field's \l switch).
    std::u16string anchor;
    /// The address (the field's first argument).
    std::u16string navigateUri;
    /// The frame to open the address in (the \t switch).
    std::u16string target;
    /// The tip shown over the link (the \o switch).
    std::u16string toolTip;
    /// Set once the link has been followed.
    bool visited = false;

    bool operator==(const HyperlinkInfo&) const = default;

    /// "address#anchor", the address alone without an anchor, empty without an address.
    [[nodiscard]] std::u16string createUrl() const;
    /// The tip to show: the tool tip when set; else "address#anchor" without leading and
    /// trailing "#"; an anchor to a hidden bookmark with no address shows "Current Document".
    [[nodiscard]] std::u16string actualToolTip() const;
};

} // namespace velmo::model
