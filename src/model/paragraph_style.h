#pragma once

#include "model/numbering/numbering_list_index.h"
#include "model/properties_container.h"
#include "model/style_base.h"

namespace velmo::model {

/// A style of paragraph formatting, which also carries character formatting for the paragraph's text.
class ParagraphStyle final : public StyleBase,
                             public ICharacterPropertiesContainer,
                             public IParagraphPropertiesContainer,
                             public ITabPropertiesContainer {
public:
    /// Numbering list index meaning "take the parent's".
    static constexpr int32_t kInheritNumbering = kNumberingListIndexNotSet;
    /// Numbering list index meaning "numbering explicitly removed".
    static constexpr int32_t kNoNumbering = kNumberingListIndexNoNumbering;

    using StyleBase::StyleBase;

    [[nodiscard]] StyleType styleType() const noexcept override { return StyleType::ParagraphStyle; }
    [[nodiscard]] ParagraphStyle* parentStyle() const noexcept { return static_cast<ParagraphStyle*>(parent()); }

    [[nodiscard]] PieceTable& pieceTable() const override;
    [[nodiscard]] int32_t characterPropertiesIndex() const noexcept override { return characterPropertiesIndex_; }
    void setCharacterPropertiesIndexInitial(int32_t index) override { characterPropertiesIndex_ = index; }
    void recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) override;
    void notifyCharacterPropertiesChanged(DocumentModelChangeActions actions) override;
    [[nodiscard]] int32_t paragraphPropertiesIndex() const noexcept override { return paragraphPropertiesIndex_; }
    void setParagraphPropertiesIndexInitial(int32_t index) override { paragraphPropertiesIndex_ = index; }
    void recordParagraphPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) override;
    void notifyParagraphPropertiesChanged(DocumentModelChangeActions actions) override;

    [[nodiscard]] int32_t tabsIndex() const noexcept override { return tabsIndex_; }
    void setTabsIndex(int32_t index) override
    {
        tabsIndex_ = index;
        onStyleChanged();
    }

    /// The style's own frame: an index into the frame formatting cache, -1 for none.
    [[nodiscard]] int32_t frameFormattingIndex() const noexcept { return frameFormattingIndex_; }
    void setFrameFormattingIndex(int32_t index) noexcept { frameFormattingIndex_ = index; }

    /// The style a paragraph started after one of this style gets; null keeps this style.
    [[nodiscard]] ParagraphStyle* nextParagraphStyle() const noexcept { return nextParagraphStyle_; }
    void setNextParagraphStyle(ParagraphStyle* style);
    [[nodiscard]] bool autoUpdate() const noexcept { return autoUpdate_; }
    void setAutoUpdate(bool value) noexcept { autoUpdate_ = value; }

    /// The style's own numbering list: an index, kInheritNumbering or kNoNumbering.
    [[nodiscard]] int32_t ownNumberingListIndex() const noexcept { return numberingListIndex_; }
    [[nodiscard]] int32_t ownListLevelIndex() const noexcept { return listLevelIndex_; }
    /// Each an undoable step. The list need not exist yet (a reader may meet styles before
    /// lists); one that never comes numbers nothing. A level outside 0-8 is an error.
    void setNumberingListIndex(int32_t index);
    void setListLevelIndex(int32_t index);
    /// The numbering list in effect: the own one when set or removed, else the parent's.
    [[nodiscard]] int32_t numberingListIndex() const noexcept;
    [[nodiscard]] int32_t listLevelIndex() const noexcept;

private:
    int32_t characterPropertiesIndex_ = 0;
    int32_t paragraphPropertiesIndex_ = 0;
    int32_t tabsIndex_ = 0;
    int32_t frameFormattingIndex_ = -1;
    ParagraphStyle* nextParagraphStyle_ = nullptr; // same collection
    bool autoUpdate_ = false;
    int32_t numberingListIndex_ = kInheritNumbering;
    int32_t listLevelIndex_ = 0;
};

} // namespace velmo::model
