#pragma once

#include "core/strong_index.h"

namespace velmo {

/// 0-based UTF-16 position within one story; every mark character counts one.
using DocumentLogPosition = core::StrongIndex<struct DocumentLogPositionTag>;
/// Index into a story's run array.
using RunIndex = core::StrongIndex<struct RunIndexTag>;
/// Index of a paragraph within its story.
using ParagraphIndex = core::StrongIndex<struct ParagraphIndexTag>;
/// Index into the document's section list.
using SectionIndex = core::StrongIndex<struct SectionIndexTag>;

} // namespace velmo
