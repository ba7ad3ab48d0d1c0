#pragma once

#include "model/properties_container.h"
#include "model/style_base.h"

namespace velmo::model {

/// A style of character formatting for parts of paragraphs.
class CharacterStyle final : public StyleBase, public ICharacterPropertiesContainer {
public:
    using StyleBase::StyleBase;

    [[nodiscard]] StyleType styleType() const noexcept override { return StyleType::CharacterStyle; }
    [[nodiscard]] CharacterStyle* parentStyle() const noexcept { return static_cast<CharacterStyle*>(parent()); }

    [[nodiscard]] PieceTable& pieceTable() const override;
    [[nodiscard]] int32_t characterPropertiesIndex() const noexcept override { return characterPropertiesIndex_; }
    void setCharacterPropertiesIndexInitial(int32_t index) override { characterPropertiesIndex_ = index; }
    void recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) override;
    void notifyCharacterPropertiesChanged(DocumentModelChangeActions actions) override;

private:
    int32_t characterPropertiesIndex_ = 0;
};

} // namespace velmo::model
