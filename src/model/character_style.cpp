#include "model/character_style.h"

#include "model/character_properties.h"
#include "model/document_model.h"

namespace velmo::model {

PieceTable& CharacterStyle::pieceTable() const
{
    return documentModel_.mainPieceTable();
}

void CharacterStyle::recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions)
{
    recordIndexChange(characterPropertiesIndex_, oldIndex, newIndex);
}

void CharacterStyle::notifyCharacterPropertiesChanged(DocumentModelChangeActions)
{
    onStyleChanged();
}

} // namespace velmo::model
