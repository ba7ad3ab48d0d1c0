#pragma once

#include "model/pictures/paragraph_frame_formatting.h"

#include <cstdint>
#include <optional>

namespace velmo::model {

class Paragraph;
class ParagraphStyle;

/// A paragraph or style frame index meaning "no frame properties of its own".
inline constexpr int32_t kNoFrameProperties = -1;
/// A paragraph frame index meaning "explicitly no frame", whatever its style says.
inline constexpr int32_t kExplicitNoFrame = -2;

/// The paragraph's own frame properties; none when it has none or is marked as having no frame.
[[nodiscard]] std::optional<ParagraphFrameFormatting> frameProperties(const Paragraph& paragraph);
[[nodiscard]] bool hasFrameProperties(const Paragraph& paragraph);
/// Gives the paragraph its own frame properties (none removes them), as an undoable step.
void setFrameProperties(Paragraph& paragraph, const std::optional<ParagraphFrameFormatting>& properties);
/// Marks the paragraph as having no frame even when its style has one, as an undoable step.
void setDefaultFrameProperties(Paragraph& paragraph);
/// Gives `target` (possibly of another document) the frame settings of `source`, as an undoable step.
void copyFrameProperties(const Paragraph& source, Paragraph& target);
/// Gives a style its own frame properties (none removes them), as an undoable step.
void setFrameProperties(ParagraphStyle& style, const std::optional<ParagraphFrameFormatting>& properties);

/// The style's frame: none when it has none of its own, else its own with what its parents set
/// filling the rest (the nearer setting wins). Throws "Error: using deleted style" for a deleted style.
[[nodiscard]] std::optional<ParagraphFrameFormatting> mergedFrameProperties(const ParagraphStyle& style);
/// The paragraph's frame from its own properties and its style's; none for the explicit no-frame mark,
/// and none from the style alone when the paragraph sits in a table that holds a frame of its own.
[[nodiscard]] std::optional<ParagraphFrameFormatting> mergedFrameProperties(const Paragraph& paragraph);
[[nodiscard]] bool hasMergedFrameProperties(const Paragraph& paragraph);
/// The frame the layout uses: none in a text box, none in a table placed as a floating table (unless
/// `ignoreTableFloatingPosition`), else the merged one.
[[nodiscard]] std::optional<ParagraphFrameFormatting> actualFrameProperties(const Paragraph& paragraph,
                                                                           bool ignoreTableFloatingPosition = false);
/// Whether the paragraph is laid out in a frame.
[[nodiscard]] bool hasParagraphFrame(const Paragraph& paragraph);

/// Fills what `target` does not set from `source`.
void mergeFrameProperties(ParagraphFrameFormatting& target, const ParagraphFrameFormatting& source);
/// Whether merged properties describe a real frame rather than an ordinary paragraph.
[[nodiscard]] bool isParagraphFrame(const ParagraphFrameFormatting& properties);
/// Whether two consecutive framed paragraphs share one frame.
[[nodiscard]] bool canMergeFrames(const ParagraphFrameFormatting& first, const ParagraphFrameFormatting& second);

} // namespace velmo::model
