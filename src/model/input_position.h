#pragma once

#include "core/positions.h"

#include <cstdint>

namespace velmo::model {

/// The caret's insertion state in one story: where text goes and how it is formatted. Inserting
/// at an input position advances its log position by the inserted length.
struct InputPosition {
    DocumentLogPosition logPosition;
    ParagraphIndex paragraphIndex;
    int32_t characterPropertiesIndex = 0;
    int32_t characterStyleIndex = 0;
};

} // namespace velmo::model
