#pragma once

#include <cstdint>

namespace velmo::model {

/// How inserted content is formatted: as it looked in its source, or with the target's styles.
enum class InsertOptions : uint8_t { KeepSourceFormatting = 0, MatchDestinationFormatting = 1 };

/// What the copy manager does with formatting.
enum class FormattingCopyOptions : uint8_t { KeepSourceFormatting = 0, UseDestinationStyles = 1 };

/// When a copied paragraph keeps its list membership.
enum class ParagraphNumerationCopyOptions : uint8_t { CopyAlways = 0, CopyIfWholeSelected = 1 };

struct CopyPasteOptions {
    InsertOptions insertOptions = InsertOptions::MatchDestinationFormatting;
    bool maintainDocumentSectionSettings = false;
};

[[nodiscard]] constexpr FormattingCopyOptions formattingCopyOptionsFor(InsertOptions options) noexcept
{
    return options == InsertOptions::KeepSourceFormatting ? FormattingCopyOptions::KeepSourceFormatting
                                                          : FormattingCopyOptions::UseDestinationStyles;
}

[[nodiscard]] constexpr ParagraphNumerationCopyOptions paragraphNumerationCopyOptionsFor(InsertOptions options) noexcept
{
    return options == InsertOptions::KeepSourceFormatting ? ParagraphNumerationCopyOptions::CopyAlways
                                                          : ParagraphNumerationCopyOptions::CopyIfWholeSelected;
}

} // namespace velmo::model
