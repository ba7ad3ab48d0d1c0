#pragma once

#include "core/positions.h"
#include "model/history_item.h"
#include "model/paragraph.h"
#include "model/run_base.h"
#include "model/section.h"

#include <memory>

namespace velmo::model {

/// Splits a paragraph after a mark run just inserted into it; the part up to the mark becomes a
/// new paragraph at the same index.
class ParagraphInsertedHistoryItem final : public HistoryItem {
public:
    ParagraphInsertedHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, RunIndex markRunIndex) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), markRunIndex_(markRunIndex)
    {
    }
    ~ParagraphInsertedHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    RunIndex markRunIndex_;
    std::unique_ptr<Paragraph> paragraph_; // the new paragraph while it is undone
};

/// Moves the runs of the next paragraph into a paragraph whose mark was deleted, and removes it.
class MergeParagraphsHistoryItem final : public HistoryItem {
public:
    MergeParagraphsHistoryItem(PieceTable& pieceTable, ParagraphIndex firstParagraphIndex,
                               bool useFirstParagraphStyle) noexcept
        : HistoryItem(pieceTable), firstParagraphIndex_(firstParagraphIndex), useFirstParagraphStyle_(useFirstParagraphStyle)
    {
    }
    ~MergeParagraphsHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex firstParagraphIndex_;
    bool useFirstParagraphStyle_;
    int32_t previousStyleIndex_ = 0;
    int32_t previousFormattingIndex_ = 0;
    int32_t previousTabsIndex_ = 0;
    int32_t secondRunCount_ = 0;
    std::unique_ptr<Paragraph> second_; // the removed paragraph while the merge is done
};

/// A paragraph's formatting replaced by another cached record.
class ParagraphPropertiesIndexChangedHistoryItem final : public HistoryItem {
public:
    ParagraphPropertiesIndexChangedHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, int32_t oldIndex,
                                               int32_t newIndex, DocumentModelChangeActions actions) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), oldIndex_(oldIndex), newIndex_(newIndex), actions_(actions)
    {
    }
    /// A formatting change leaves the text where it was: the selection needs no restoring.
    [[nodiscard]] bool needsStoreSelection() const override { return false; }

protected:
    void undoCore() override { setIndex(oldIndex_); }
    void redoCore() override { setIndex(newIndex_); }

private:
    void setIndex(int32_t index);

    ParagraphIndex paragraphIndex_;
    int32_t oldIndex_;
    int32_t newIndex_;
    DocumentModelChangeActions actions_;
};

/// Turns a paragraph mark into a section mark or back.
class MarkRunReplacedHistoryItem final : public HistoryItem {
public:
    MarkRunReplacedHistoryItem(PieceTable& pieceTable, RunIndex runIndex, RunKind newKind) noexcept
        : HistoryItem(pieceTable), runIndex_(runIndex), newKind_(newKind)
    {
    }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    RunIndex runIndex_;
    RunKind newKind_;
};

/// Splits the section holding `lastParagraphIndex`: a new section, inserted before it, ends there.
class SectionInsertedHistoryItem final : public HistoryItem {
public:
    SectionInsertedHistoryItem(PieceTable& pieceTable, SectionIndex sectionIndex, ParagraphIndex lastParagraphIndex) noexcept
        : HistoryItem(pieceTable), sectionIndex_(sectionIndex), lastParagraphIndex_(lastParagraphIndex)
    {
    }
    ~SectionInsertedHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    SectionIndex sectionIndex_;
    ParagraphIndex lastParagraphIndex_;
    std::unique_ptr<Section> section_; // while undone
};

/// Removes a section whose mark is being deleted; the next section takes over its paragraphs.
class SectionsDeletedHistoryItem final : public HistoryItem {
public:
    SectionsDeletedHistoryItem(PieceTable& pieceTable, SectionIndex sectionIndex) noexcept
        : HistoryItem(pieceTable), sectionIndex_(sectionIndex)
    {
    }
    ~SectionsDeletedHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    SectionIndex sectionIndex_;
    std::unique_ptr<Section> section_; // while the deletion is done
};

} // namespace velmo::model
