#include "model/style_link_manager.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "model/character_style.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/paragraph_style.h"
#include "model/undoable_index_based_object.h"

namespace velmo::model {

void StyleLinkManager::createLink(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle)
{
    if (linkedCharacterStyle(paragraphStyle) || linkedParagraphStyle(characterStyle))
        return;
    if (paragraphStyle.deleted() || characterStyle.deleted())
        throw core::EditorException("Error: cannot link deleted style");
    DocumentModel& document = paragraphStyle.documentModel();
    BatchUpdateScope batch(document);
    // The character style takes the paragraph style's character formatting.
    const int32_t characterIndex = paragraphStyle.characterPropertiesIndex();
    if (characterStyle.characterPropertiesIndex() != characterIndex)
        characterStyle.recordCharacterPropertiesIndexChange(characterStyle.characterPropertiesIndex(), characterIndex,
                                                            DocumentModelChangeActions::None);
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        document.mainPieceTable(), [this, &paragraphStyle, &characterStyle] { addLinkCore(paragraphStyle, characterStyle); },
        [this, &paragraphStyle, &characterStyle] { removeLinkCore(paragraphStyle, characterStyle); }));
}

void StyleLinkManager::deleteLink(ParagraphStyle& paragraphStyle)
{
    CharacterStyle* characterStyle = linkedCharacterStyle(paragraphStyle);
    if (!characterStyle)
        throw core::EditorException::invalidValue(core::utf16ToUtf8(paragraphStyle.styleName()), "ParagraphStyle");
    DocumentModel& document = paragraphStyle.documentModel();
    BatchUpdateScope batch(document);
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        document.mainPieceTable(), [this, &paragraphStyle, characterStyle] { removeLinkCore(paragraphStyle, *characterStyle); },
        [this, &paragraphStyle, characterStyle] { addLinkCore(paragraphStyle, *characterStyle); }));
}

void StyleLinkManager::deleteLink(CharacterStyle& characterStyle)
{
    ParagraphStyle* paragraphStyle = linkedParagraphStyle(characterStyle);
    if (!paragraphStyle)
        throw core::EditorException::invalidValue(core::utf16ToUtf8(characterStyle.styleName()), "CharacterStyle");
    deleteLink(*paragraphStyle);
}

CharacterStyle* StyleLinkManager::linkedCharacterStyle(const ParagraphStyle& paragraphStyle) const noexcept
{
    const auto found = characterByParagraph_.find(&paragraphStyle);
    return found == characterByParagraph_.end() ? nullptr : found->second;
}

ParagraphStyle* StyleLinkManager::linkedParagraphStyle(const CharacterStyle& characterStyle) const noexcept
{
    const auto found = paragraphByCharacter_.find(&characterStyle);
    return found == paragraphByCharacter_.end() ? nullptr : found->second;
}

void StyleLinkManager::clear() noexcept
{
    characterByParagraph_.clear();
    paragraphByCharacter_.clear();
}

void StyleLinkManager::addLinkCore(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle)
{
    characterByParagraph_[&paragraphStyle] = &characterStyle;
    paragraphByCharacter_[&characterStyle] = &paragraphStyle;
}

void StyleLinkManager::removeLinkCore(ParagraphStyle& paragraphStyle, CharacterStyle& characterStyle)
{
    characterByParagraph_.erase(&paragraphStyle);
    paragraphByCharacter_.erase(&characterStyle);
}

} // namespace velmo::model
