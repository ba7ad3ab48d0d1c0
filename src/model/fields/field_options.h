#pragma once

#include "model/alpha_color.h"

#include <cstdint>

namespace velmo::model {

enum class FieldsHighlightMode : uint8_t { Auto, Never, Always };

/// How a document shows and updates its fields.
struct FieldOptions {
    FieldsHighlightMode highlightMode = FieldsHighlightMode::Auto;
    AlphaColor highlightColor = 0xFFC0C0C0;
    /// Dates and times without a picture use the culture's patterns instead of "M/d/yyyy" and "h:mm am/pm".
    bool useCurrentCultureDateTimeFormat = false;
    bool updateDocVariablesBeforePrint = true;
    bool updateDocVariablesBeforeCopy = true;
    /// Fields of pasted content are updated (update type Copy) only when set.
    bool updateFieldsOnPaste = true;
    /// The printing options' own setting of the same name.
    bool printingUpdateDocVariablesBeforePrint = true;
};

/// What mail-merge fields show: their field names, the data of the current record, or (while the
/// merged documents are made) the data with the fields themselves removed.
enum class MailMergeDataMode : uint8_t { None, ViewMergedData, FinalMerging };

/// Which fields a reader has updated while it loads a document.
struct FieldUpdateOnLoadOptions {
    bool updateDateField = false;
    bool updateTimeField = false;
};

} // namespace velmo::model
