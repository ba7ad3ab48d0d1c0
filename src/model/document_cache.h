#pragma once

#include "model/character_formatting_info.h"
#include "model/paragraph_formatting_info.h"
#include "model/pictures/picture_formatting_caches.h"
#include "model/section_properties.h"
#include "model/tab_formatting_info.h"
#include "model/tables/table_properties_info.h"
#include "model/unique_items_cache.h"

namespace velmo::model {

/// The document's shared formatting values. Runs, paragraphs and styles store indices into these.
class DocumentCache {
public:
    /// Index of the item that sets nothing (a new run's formatting).
    static constexpr int32_t kEmptyPropertiesIndex = 0;
    /// Index of the item that sets everything to the document defaults.
    static constexpr int32_t kDefaultPropertiesIndex = 1;

    DocumentCache();
    DocumentCache(const DocumentCache&) = delete;
    DocumentCache& operator=(const DocumentCache&) = delete;

    [[nodiscard]] UniqueItemsCache<CharacterFormattingBase>& characterFormattingCache() noexcept { return characterFormattingCache_; }
    [[nodiscard]] const UniqueItemsCache<CharacterFormattingBase>& characterFormattingCache() const noexcept
    {
        return characterFormattingCache_;
    }
    /// Effective run formatting, so that layout compares two runs' looks by index.
    [[nodiscard]] UniqueItemsCache<CharacterFormattingInfo>& mergedCharacterFormattingInfoCache() noexcept
    {
        return mergedCharacterFormattingInfoCache_;
    }

    [[nodiscard]] UniqueItemsCache<ParagraphFormattingBase>& paragraphFormattingCache() noexcept { return paragraphFormattingCache_; }
    [[nodiscard]] const UniqueItemsCache<ParagraphFormattingBase>& paragraphFormattingCache() const noexcept
    {
        return paragraphFormattingCache_;
    }
    [[nodiscard]] UniqueItemsCache<ParagraphFormattingInfo>& mergedParagraphFormattingInfoCache() noexcept
    {
        return mergedParagraphFormattingInfoCache_;
    }

    /// Tab stop lists; item 0 is the empty list.
    [[nodiscard]] UniqueItemsCache<TabFormattingInfo>& tabFormattingInfoCache() noexcept { return tabFormattingInfoCache_; }
    [[nodiscard]] const UniqueItemsCache<TabFormattingInfo>& tabFormattingInfoCache() const noexcept { return tabFormattingInfoCache_; }

    // Section page setup; item 0 of each is the default (of the footnote cache: footnotes, item 1 endnotes).
    [[nodiscard]] UniqueItemsCache<MarginsInfo>& marginsCache() noexcept { return marginsCache_; }
    [[nodiscard]] UniqueItemsCache<ColumnsInfo>& columnsCache() noexcept { return columnsCache_; }
    [[nodiscard]] UniqueItemsCache<PageInfo>& pageCache() noexcept { return pageCache_; }
    [[nodiscard]] UniqueItemsCache<GeneralSectionInfo>& generalSectionCache() noexcept { return generalSectionCache_; }
    [[nodiscard]] UniqueItemsCache<PageNumberingInfo>& pageNumberingCache() noexcept { return pageNumberingCache_; }
    [[nodiscard]] UniqueItemsCache<LineNumberingInfo>& lineNumberingCache() noexcept { return lineNumberingCache_; }
    [[nodiscard]] UniqueItemsCache<FootNoteInfo>& footNoteCache() noexcept { return footNoteCache_; }
    static constexpr int32_t kEndNoteDefaultIndex = 1;
    /// Table, row and cell records; item 0 sets nothing.
    [[nodiscard]] UniqueItemsCache<TablePropertiesInfo>& tablePropertiesCache() noexcept { return tablePropertiesCache_; }
    [[nodiscard]] const UniqueItemsCache<TablePropertiesInfo>& tablePropertiesCache() const noexcept { return tablePropertiesCache_; }
    [[nodiscard]] UniqueItemsCache<TableRowPropertiesInfo>& tableRowPropertiesCache() noexcept { return tableRowPropertiesCache_; }
    [[nodiscard]] const UniqueItemsCache<TableRowPropertiesInfo>& tableRowPropertiesCache() const noexcept
    {
        return tableRowPropertiesCache_;
    }
    [[nodiscard]] UniqueItemsCache<TableCellPropertiesInfo>& tableCellPropertiesCache() noexcept { return tableCellPropertiesCache_; }
    [[nodiscard]] const UniqueItemsCache<TableCellPropertiesInfo>& tableCellPropertiesCache() const noexcept
    {
        return tableCellPropertiesCache_;
    }

    /// Pictures, floating objects, shapes, text boxes and paragraph frames.
    [[nodiscard]] PictureFormattingCaches& pictureCaches() noexcept { return pictureCaches_; }
    [[nodiscard]] const PictureFormattingCaches& pictureCaches() const noexcept { return pictureCaches_; }

private:
    UniqueItemsCache<CharacterFormattingBase> characterFormattingCache_;
    UniqueItemsCache<CharacterFormattingInfo> mergedCharacterFormattingInfoCache_;
    UniqueItemsCache<ParagraphFormattingBase> paragraphFormattingCache_;
    UniqueItemsCache<ParagraphFormattingInfo> mergedParagraphFormattingInfoCache_;
    UniqueItemsCache<TabFormattingInfo> tabFormattingInfoCache_;
    UniqueItemsCache<MarginsInfo> marginsCache_;
    UniqueItemsCache<ColumnsInfo> columnsCache_;
    UniqueItemsCache<PageInfo> pageCache_;
    UniqueItemsCache<GeneralSectionInfo> generalSectionCache_;
    UniqueItemsCache<PageNumberingInfo> pageNumberingCache_;
    UniqueItemsCache<LineNumberingInfo> lineNumberingCache_;
    UniqueItemsCache<FootNoteInfo> footNoteCache_;
    UniqueItemsCache<TablePropertiesInfo> tablePropertiesCache_{TablePropertiesInfo{}};
    UniqueItemsCache<TableRowPropertiesInfo> tableRowPropertiesCache_{TableRowPropertiesInfo{}};
    UniqueItemsCache<TableCellPropertiesInfo> tableCellPropertiesCache_{TableCellPropertiesInfo{}};
    PictureFormattingCaches pictureCaches_;
};

} // namespace velmo::model
