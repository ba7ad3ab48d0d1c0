#pragma once

namespace velmo::model {

/// Settings the editing operations read.
struct EditingOptions {
    /// When two list paragraphs are joined, the joined one stays in the first one's list; when
    /// off, it takes the second one's list and level.
    bool mergeUseFirstParagraphStyle = true;
};

} // namespace velmo::model
