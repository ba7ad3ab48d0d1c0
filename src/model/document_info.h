#pragma once

#include "model/alpha_color.h"

#include <cstdint>

namespace velmo::model {

enum class UpdateDocVariablesBeforePrint : uint8_t { Auto, Always, Never };

/// Settings of the whole document.
struct DocumentInfo {
    int32_t defaultTabWidth = 720; // twips
    bool hyphenateDocument = false;
    bool differentOddAndEvenPages = false;
    AlphaColor pageBackColor = kEmptyColor;
    bool displayBackgroundShape = false;
    UpdateDocVariablesBeforePrint updateDocVariablesBeforePrint = UpdateDocVariablesBeforePrint::Auto;

    bool operator==(const DocumentInfo&) const = default;
};

} // namespace velmo::model
