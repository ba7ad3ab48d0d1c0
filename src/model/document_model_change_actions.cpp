#include "model/document_model_change_actions.h"

#include <array>
#include <cstddef>

namespace velmo::model {

namespace {

using A = DocumentModelChangeActions;

constexpr A kContentEdit = A::Redraw | A::ResetPrimaryLayout | A::ResetSecondaryLayout | A::ResetSelectionLayout |
                           A::RaiseContentChanged | A::RaiseSelectionChanged | A::ResetUncheckedIntervals |
                           A::ValidateSelectionInterval;
constexpr A kStructureEdit = kContentEdit | A::ResetRuler;
constexpr A kWholeDocument = A::Redraw | A::ResetAllPrimaryLayout | A::ResetPrimaryLayout | A::ResetSecondaryLayout |
                             A::ResetSelectionLayout | A::RaiseContentChanged | A::RaiseSelectionChanged |
                             A::ScrollToBeginOfDocument | A::ResetUncheckedIntervals | A::ResetIgnoredList |
                             A::ResetRuler | A::ForceResize | A::ValidateSelectionInterval;

// Indexed by DocumentModelChangeType.
constexpr std::array<A, 16> kActionsByChangeType = {
    /* None */ A::None,
    /* InsertParagraph */ kStructureEdit | A::ResetCaretInputPositionFormatting,
    /* InsertText */ kContentEdit | A::SplitRunByCharset | A::ApplyAutoCorrect,
    /* InsertInlinePicture */ kContentEdit,
    /* InsertInlineCustomObject */ kContentEdit,
    /* InsertFloatingObjectAnchor */ kContentEdit | A::ResetAllPrimaryLayout,
    /* InsertSection */ kStructureEdit | A::ResetAllPrimaryLayout | A::ForceResize,
    /* ModifySection */ kStructureEdit | A::ResetAllPrimaryLayout | A::ForceResize,
    /* CreateEmptyDocument */ kWholeDocument | A::RaiseEmptyDocumentCreated,
    /* LoadNewDocument */ kWholeDocument | A::RaiseDocumentLoaded,
    /* DeleteContent */ kStructureEdit | A::ResetCaretInputPositionFormatting,
    /* JoinRun */ A::Redraw | A::ResetPrimaryLayout | A::ResetSecondaryLayout | A::RaiseContentChanged,
    /* SplitRun */ A::Redraw | A::ResetPrimaryLayout | A::ResetSecondaryLayout | A::RaiseContentChanged,
    /* ToggleFieldCodes */ kContentEdit | A::Fields,
    /* ToggleFieldLocked */ A::Redraw | A::RaiseContentChanged | A::Fields,
    /* Fields */ kContentEdit | A::Fields,
};

} // namespace

DocumentModelChangeActions changeActionsFor(DocumentModelChangeType type) noexcept
{
    return kActionsByChangeType[static_cast<size_t>(type)];
}

} // namespace velmo::model
