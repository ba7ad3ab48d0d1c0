#include "model/document_cache.h"

#include <cassert>

namespace velmo::model {

DocumentCache::DocumentCache()
    : characterFormattingCache_(CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), 0)),
      mergedCharacterFormattingInfoCache_(CharacterFormattingInfo::documentDefault()),
      paragraphFormattingCache_(ParagraphFormattingBase(ParagraphFormattingInfo::documentDefault(), 0)),
      mergedParagraphFormattingInfoCache_(ParagraphFormattingInfo::documentDefault())
{
    // Each cache held only its empty item, so the defaults land at kDefaultPropertiesIndex.
    [[maybe_unused]] const int32_t characterDefaults = characterFormattingCache_.add(
        CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), kCharacterPropertiesMaskAll));
    [[maybe_unused]] const int32_t paragraphDefaults = paragraphFormattingCache_.add(
        ParagraphFormattingBase(ParagraphFormattingInfo::documentDefault(), kParagraphPropertiesMaskAll));
    assert(characterDefaults == kDefaultPropertiesIndex && paragraphDefaults == kDefaultPropertiesIndex);
}

} // namespace velmo::model
