#pragma once

#include "core/positions.h"
#include "model/numbering/numbering_list_index.h"
#include "model/paragraph_indexed_tree.h"
#include "model/properties_container.h"

#include <cstdint>
#include <string>

namespace velmo::model {

class PieceTable;

/// A paragraph of a story: a contiguous range of runs ending with its mark run. Index, first run
/// index and log position are not stored absolutely but derived from the paragraph tree.
class Paragraph final : public IParagraphPropertiesContainer, public ITabPropertiesContainer {
public:
    explicit Paragraph(PieceTable& pieceTable) noexcept : pieceTable_(&pieceTable) {}
    Paragraph(const Paragraph&) = delete;
    Paragraph& operator=(const Paragraph&) = delete;

    [[nodiscard]] PieceTable& pieceTable() const noexcept override { return *pieceTable_; }

    /// Number of positions, the mark included (at least 1).
    [[nodiscard]] int32_t length() const noexcept { return length_; }
    [[nodiscard]] int32_t runCount() const noexcept { return runCount_; }

    [[nodiscard]] ParagraphIndex index() const;
    [[nodiscard]] DocumentLogPosition logPosition() const;
    /// Position of the paragraph's mark.
    [[nodiscard]] DocumentLogPosition endLogPosition() const;
    [[nodiscard]] RunIndex firstRunIndex() const;
    /// Always the paragraph's mark run.
    [[nodiscard]] RunIndex lastRunIndex() const;

    [[nodiscard]] int32_t paragraphStyleIndex() const noexcept { return paragraphStyleIndex_; }
    void setParagraphStyleIndex(int32_t index) noexcept { paragraphStyleIndex_ = index; }
    /// The paragraph's own formatting: an index into the document's paragraph formatting cache.
    [[nodiscard]] int32_t paragraphPropertiesIndex() const noexcept override { return paragraphPropertiesIndex_; }
    void setParagraphPropertiesIndexInitial(int32_t index) override { setParagraphPropertiesIndex(index); }
    void recordParagraphPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) override;
    void notifyParagraphPropertiesChanged(DocumentModelChangeActions actions) override;
    void setParagraphPropertiesIndex(int32_t index) noexcept
    {
        paragraphPropertiesIndex_ = index;
        mergedParagraphFormattingCacheIndex_ = -1;
    }
    /// The effective formatting's index in the merged cache; -1 until computed.
    [[nodiscard]] int32_t mergedParagraphFormattingCacheIndex() const noexcept { return mergedParagraphFormattingCacheIndex_; }
    void setMergedParagraphFormattingCacheIndex(int32_t index) const noexcept { mergedParagraphFormattingCacheIndex_ = index; }

    [[nodiscard]] int32_t tabsIndex() const noexcept override { return tabsIndex_; }
    void setTabsIndex(int32_t index) override;

    /// The paragraph's own frame: an index into the frame formatting cache, or one of the markers of
    /// model/pictures/paragraph_frames.h (-1: none of its own, -2: explicitly no frame).
    [[nodiscard]] int32_t frameFormattingIndex() const noexcept { return frameFormattingIndex_; }
    void setFrameFormattingIndex(int32_t index) noexcept { frameFormattingIndex_ = index; }

    /// Takes over style and formatting of another paragraph (a split or merge keeps them).
    void copyFormattingFrom(const Paragraph& other) noexcept
    {
        paragraphStyleIndex_ = other.paragraphStyleIndex_;
        setParagraphPropertiesIndex(other.paragraphPropertiesIndex_);
        tabsIndex_ = other.tabsIndex_;
        frameFormattingIndex_ = other.frameFormattingIndex_;
    }

    /// The paragraph's own numbering list: an index into the document's list instances,
    /// kNumberingListIndexNotSet (its style's list applies) or kNumberingListIndexNoNumbering.
    [[nodiscard]] int32_t ownNumberingListIndex() const noexcept { return numberingListIndex_; }
    [[nodiscard]] int32_t ownListLevelIndex() const noexcept { return listLevelIndex_; }
    /// The list in effect: the own one when set or removed, otherwise the style's.
    [[nodiscard]] int32_t numberingListIndex() const;
    [[nodiscard]] int32_t listLevelIndex() const;
    /// Whether the paragraph is an item of one of the document's lists, directly or through its style.
    [[nodiscard]] bool isInList() const;
    /// The number text the paragraph shows ("2.1.", a bullet); empty when it is in no list.
    [[nodiscard]] std::u16string numberingListText() const;

private:
    friend class ParagraphIndexedTree;
    friend struct ParagraphTreeAccess;
    friend class PieceTable;

    PieceTable* pieceTable_;                            // owner; outlives the paragraph
    ParagraphIndexedTree::LeafNode* parent_ = nullptr;  // null while the paragraph is not in a tree
    TreeOffsets relative_;
    int32_t runCount_ = 0;
    int32_t length_ = 0;
    int32_t paragraphStyleIndex_ = 0;
    int32_t paragraphPropertiesIndex_ = 0;
    int32_t tabsIndex_ = 0;
    int32_t numberingListIndex_ = kNumberingListIndexNotSet;
    int32_t listLevelIndex_ = 0;
    int32_t frameFormattingIndex_ = -1;
    mutable int32_t mergedParagraphFormattingCacheIndex_ = -1; // reset whenever the formatting changes
};

} // namespace velmo::model
