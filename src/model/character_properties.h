#pragma once

#include "model/character_formatting_info.h"
#include "model/merged_character_properties.h"
#include "model/properties_container.h"
#include "model/undoable_index_based_object.h"

namespace velmo::model {

/// What each character property change needs redone.
[[nodiscard]] DocumentModelChangeActions characterChangeActions(UsedCharacterFormattingOption option) noexcept;

struct CharacterPropertiesTraits {
    using Formatting = CharacterFormattingBase;
    using Info = CharacterFormattingInfo;
    using Mask = CharacterPropertiesMask;
    using Container = ICharacterPropertiesContainer;
    static constexpr Mask kMaskAll = kCharacterPropertiesMaskAll;
    static constexpr DocumentModelChangeActions kAllChangeActions =
        DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetPrimaryLayout |
        DocumentModelChangeActions::ResetSecondaryLayout | DocumentModelChangeActions::ResetSelectionLayout |
        DocumentModelChangeActions::ResetCaretInputPositionFormatting | DocumentModelChangeActions::ValidateSelectionInterval;

    static bool isAllowed(const DocumentCapabilitiesOptions& capabilities)
    {
        return isCapabilityAllowed(capabilities.characterFormatting);
    }
    static int32_t index(const Container& container) { return container.characterPropertiesIndex(); }
    static PieceTable& pieceTable(const Container& container) { return container.pieceTable(); }
    static UniqueItemsCache<Formatting>& cache(DocumentCache& caches) { return caches.characterFormattingCache(); }
    static void setIndexInitial(Container& container, int32_t index) { container.setCharacterPropertiesIndexInitial(index); }
    static void recordIndexChange(Container& container, int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions)
    {
        container.recordCharacterPropertiesIndexChange(oldIndex, newIndex, actions);
    }
    static void notify(Container& container, DocumentModelChangeActions actions) { container.notifyCharacterPropertiesChanged(actions); }
    static void merge(Formatting& target, const Formatting& source)
    {
        MergedCharacterProperties merged(target);
        merged.merge(source);
        target = Formatting(merged.info(), merged.mask());
    }
};

/// The undoable character formatting of a run or style: one setter per property.
class CharacterProperties : public UndoableIndexBasedObject<CharacterPropertiesTraits> {
public:
    using UndoableIndexBasedObject::UndoableIndexBasedObject;

    [[nodiscard]] bool uses(UsedCharacterFormattingOption option) const { return formatting().uses(option); }

    void setFontName(const std::u16string& value);
    void setDoubleFontSize(int32_t value);
    void setFontBold(bool value);
    void setFontItalic(bool value);
    void setFontUnderlineType(UnderlineType value);
    void setFontStrikeoutType(StrikeoutType value);
    void setAllCaps(bool value);
    void setForeColor(AlphaColor value);
    void setBackColor(AlphaColor value);
    void setUnderlineColor(AlphaColor value);
    void setStrikeoutColor(AlphaColor value);
    void setUnderlineWordsOnly(bool value);
    void setStrikeoutWordsOnly(bool value);
    void setScript(CharacterFormattingScript value);
    void setHidden(bool value);
    void setNoProof(bool value);
};

} // namespace velmo::model
