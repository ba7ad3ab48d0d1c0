#include "model/character_style.h"

#include "model/character_properties.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"

namespace velmo::model {

PieceTable& CharacterStyle::pieceTable() const
{
    return documentModel_.mainPieceTable();
}

void CharacterStyle::recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions)
{
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        pieceTable(),
        [this, newIndex] {
            characterPropertiesIndex_ = newIndex;
            onStyleChanged();
        },
        [this, oldIndex] {
            characterPropertiesIndex_ = oldIndex;
            onStyleChanged();
        }));
}

void CharacterStyle::notifyCharacterPropertiesChanged(DocumentModelChangeActions)
{
    onStyleChanged();
}

} // namespace velmo::model
