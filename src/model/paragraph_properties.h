#pragma once

#include "model/paragraph_formatting_info.h"
#include "model/properties_container.h"
#include "model/undoable_index_based_object.h"

namespace velmo::model {

/// What each paragraph property change needs redone.
[[nodiscard]] DocumentModelChangeActions paragraphChangeActions(UsedParagraphFormattingOption option) noexcept;

struct ParagraphPropertiesTraits {
    using Formatting = ParagraphFormattingBase;
    using Info = ParagraphFormattingInfo;
    using Mask = ParagraphPropertiesMask;
    using Container = IParagraphPropertiesContainer;
    static constexpr Mask kMaskAll = kParagraphPropertiesMaskAll;
    static constexpr DocumentModelChangeActions kAllChangeActions =
        DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetPrimaryLayout |
        DocumentModelChangeActions::ResetAllPrimaryLayout | DocumentModelChangeActions::ResetSecondaryLayout |
        DocumentModelChangeActions::ResetSelectionLayout | DocumentModelChangeActions::ResetRuler |
        DocumentModelChangeActions::ForceResetHorizontalRuler;

    static bool isAllowed(const DocumentCapabilitiesOptions& capabilities)
    {
        return isCapabilityAllowed(capabilities.paragraphFormatting);
    }
    static int32_t index(const Container& container) { return container.paragraphPropertiesIndex(); }
    static PieceTable& pieceTable(const Container& container) { return container.pieceTable(); }
    static UniqueItemsCache<Formatting>& cache(DocumentCache& caches) { return caches.paragraphFormattingCache(); }
    static void setIndexInitial(Container& container, int32_t index) { container.setParagraphPropertiesIndexInitial(index); }
    static void recordIndexChange(Container& container, int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions)
    {
        container.recordParagraphPropertiesIndexChange(oldIndex, newIndex, actions);
    }
    static void notify(Container& container, DocumentModelChangeActions actions) { container.notifyParagraphPropertiesChanged(actions); }
    static void merge(Formatting& target, const Formatting& source)
    {
        MergedParagraphProperties merged(target);
        merged.merge(source);
        target = Formatting(merged.info(), merged.mask());
    }
};

/// The undoable paragraph formatting of a paragraph or style: one setter per property.
class ParagraphProperties : public UndoableIndexBasedObject<ParagraphPropertiesTraits> {
public:
    using UndoableIndexBasedObject::UndoableIndexBasedObject;

    [[nodiscard]] bool uses(UsedParagraphFormattingOption option) const { return formatting().uses(option); }

    void setAlignment(ParagraphAlignment value);
    void setLeftIndent(int32_t value);
    void setRightIndent(int32_t value);
    void setSpacingBefore(int32_t value);
    void setSpacingAfter(int32_t value);
    void setLineSpacingType(ParagraphLineSpacing value);
    void setLineSpacing(float value);
    void setFirstLineIndentType(ParagraphFirstLineIndent value);
    void setFirstLineIndent(int32_t value);
    void setSuppressHyphenation(bool value);
    void setSuppressLineNumbers(bool value);
    void setContextualSpacing(bool value);
    void setPageBreakBefore(bool value);
    void setBeforeAutoSpacing(bool value);
    void setAfterAutoSpacing(bool value);
    void setKeepWithNext(bool value);
    void setKeepLinesTogether(bool value);
    void setWidowOrphanControl(bool value);
    void setOutlineLevel(int32_t value);
    void setBackColor(AlphaColor value);
    void setLeftBorder(const BorderInfo& value);
    void setRightBorder(const BorderInfo& value);
    void setTopBorder(const BorderInfo& value);
    void setBottomBorder(const BorderInfo& value);
};

} // namespace velmo::model
