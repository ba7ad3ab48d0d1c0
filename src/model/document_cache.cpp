#include "model/document_cache.h"

#include <cassert>

namespace velmo::model {

DocumentCache::DocumentCache()
    : characterFormattingCache_(CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), 0)),
      mergedCharacterFormattingInfoCache_(CharacterFormattingInfo::documentDefault()),
      paragraphFormattingCache_(ParagraphFormattingBase(ParagraphFormattingInfo::documentDefault(), 0)),
      mergedParagraphFormattingInfoCache_(ParagraphFormattingInfo::documentDefault()),
      tabFormattingInfoCache_(TabFormattingInfo{}), marginsCache_(MarginsInfo::documentDefault()), columnsCache_(ColumnsInfo::documentDefault()), pageCache_(PageInfo{}),
      generalSectionCache_(GeneralSectionInfo{}), pageNumberingCache_(PageNumberingInfo{}), lineNumberingCache_(LineNumberingInfo{}),
      footNoteCache_(FootNoteInfo::footNoteDefault())
{
    [[maybe_unused]] const int32_t endNotes = footNoteCache_.add(FootNoteInfo::endNoteDefault());
    // Each cache held only its empty item, so the defaults land at kDefaultPropertiesIndex.
    [[maybe_unused]] const int32_t characterDefaults = characterFormattingCache_.add(
        CharacterFormattingBase(CharacterFormattingInfo::documentDefault(), kCharacterPropertiesMaskAll));
    [[maybe_unused]] const int32_t paragraphDefaults = paragraphFormattingCache_.add(
        ParagraphFormattingBase(ParagraphFormattingInfo::documentDefault(), kParagraphPropertiesMaskAll));
    assert(characterDefaults == kDefaultPropertiesIndex && paragraphDefaults == kDefaultPropertiesIndex &&
           endNotes == kEndNoteDefaultIndex);
}

} // namespace velmo::model
