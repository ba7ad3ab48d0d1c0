#pragma once

#include <cstdint>

namespace velmo::model {

/// What one change of the model needs from its observers; a set of bit flags.
enum class DocumentModelChangeActions : uint32_t {
    None = 0,
    Redraw = 1u << 0,
    ResetPrimaryLayout = 1u << 1,
    ResetAllPrimaryLayout = 1u << 2,
    ResetSecondaryLayout = 1u << 3,
    ResetSelectionLayout = 1u << 4,
    ResetCaretInputPositionFormatting = 1u << 5,
    RaiseSelectionChanged = 1u << 6,
    RaiseContentChanged = 1u << 7,
    ScrollToBeginOfDocument = 1u << 8,
    RaiseEmptyDocumentCreated = 1u << 9,
    RaiseDocumentLoaded = 1u << 10,
    RaiseModifiedChanged = 1u << 11,
    ResetUncheckedIntervals = 1u << 12,
    ResetIgnoredList = 1u << 13,
    ForceResize = 1u << 14,
    ValidateSelectionInterval = 1u << 15,
    PerformActionsOnIdle = 1u << 16,
    SplitRunByCharset = 1u << 17,
    ResetRuler = 1u << 18,
    SuppressBindingsNotifications = 1u << 19,
    ActivePieceTableChanged = 1u << 20,
    RaiseDocumentProtectionChanged = 1u << 21,
    ForceResetHorizontalRuler = 1u << 22,
    ForceResetVerticalRuler = 1u << 23,
    ForceSyntaxHighlight = 1u << 24,
    ApplyAutoCorrect = 1u << 25,
    SuppressRaiseContentChangedCalculationByCurrentTransactionChanges = 1u << 26,
    Fields = 1u << 27,
};

constexpr DocumentModelChangeActions operator|(DocumentModelChangeActions a, DocumentModelChangeActions b) noexcept
{
    return static_cast<DocumentModelChangeActions>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}
constexpr DocumentModelChangeActions operator&(DocumentModelChangeActions a, DocumentModelChangeActions b) noexcept
{
    return static_cast<DocumentModelChangeActions>(static_cast<uint32_t>(a) & static_cast<uint32_t>(b));
}
constexpr DocumentModelChangeActions operator~(DocumentModelChangeActions a) noexcept
{
    return static_cast<DocumentModelChangeActions>(~static_cast<uint32_t>(a));
}
constexpr DocumentModelChangeActions& operator|=(DocumentModelChangeActions& a, DocumentModelChangeActions b) noexcept
{
    return a = a | b;
}
/// Whether any of `flags` is in `actions`.
constexpr bool hasAny(DocumentModelChangeActions actions, DocumentModelChangeActions flags) noexcept
{
    return (actions & flags) != DocumentModelChangeActions::None;
}

/// The kinds of change the model reports.
enum class DocumentModelChangeType : uint8_t {
    None,
    InsertParagraph,
    InsertText,
    InsertInlinePicture,
    InsertInlineCustomObject,
    InsertFloatingObjectAnchor,
    InsertSection,
    ModifySection,
    CreateEmptyDocument,
    LoadNewDocument,
    DeleteContent,
    JoinRun,
    SplitRun,
    ToggleFieldCodes,
    ToggleFieldLocked,
    Fields,
};

/// The fixed actions each change type requests.
[[nodiscard]] DocumentModelChangeActions changeActionsFor(DocumentModelChangeType type) noexcept;

} // namespace velmo::model
