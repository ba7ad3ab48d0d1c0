#pragma once

#include "core/positions.h"
#include "model/history_item.h"
#include "model/numbering/abstract_numbering_list.h"
#include "model/numbering/numbering_list.h"

#include <cstdint>
#include <memory>

namespace velmo::model {

class DocumentNumbering;

/// Appends an abstract list to the document's lists; undo takes it back.
class AddAbstractNumberingListHistoryItem final : public HistoryItem {
public:
    AddAbstractNumberingListHistoryItem(PieceTable& pieceTable, std::unique_ptr<AbstractNumberingList> list) noexcept
        : HistoryItem(pieceTable), list_(std::move(list))
    {
    }
    ~AddAbstractNumberingListHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    std::unique_ptr<AbstractNumberingList> list_; // while not in the document
};

/// Appends a list instance to the document's lists; undo takes it back.
class AddNumberingListHistoryItem final : public HistoryItem {
public:
    AddNumberingListHistoryItem(PieceTable& pieceTable, std::unique_ptr<NumberingList> list) noexcept
        : HistoryItem(pieceTable), list_(std::move(list))
    {
    }
    ~AddNumberingListHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    std::unique_ptr<NumberingList> list_; // while not in the document
};

/// The list and level a paragraph itself refers to.
struct ParagraphNumberingReference {
    int32_t numberingListIndex = kNumberingListIndexNotSet;
    int32_t listLevelIndex = 0;
};

/// Adds a paragraph to a list, moves it to another list or level, or takes it out.
class ParagraphNumberingChangedHistoryItem final : public HistoryItem {
public:
    ParagraphNumberingChangedHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex,
                                         ParagraphNumberingReference oldReference,
                                         ParagraphNumberingReference newReference) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), oldReference_(oldReference), newReference_(newReference)
    {
    }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    ParagraphNumberingReference oldReference_;
    ParagraphNumberingReference newReference_;
};

} // namespace velmo::model
