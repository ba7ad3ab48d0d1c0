#include "model/document_cache.h"

#include <cassert>

namespace velmo::model {

DocumentCache::DocumentCache()
    : characterFormattingCache_(CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), 0)),
      mergedCharacterFormattingInfoCache_(CharacterFormattingInfo::documentDefault())
{
    [[maybe_unused]] const int32_t defaults = characterFormattingCache_.add(
        CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), kCharacterPropertiesMaskAll));
    assert(defaults == kDefaultPropertiesIndex && "the cache held only the empty item");
}

} // namespace velmo::model
