#include "model/paragraph_style.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"

namespace velmo::model {

PieceTable& ParagraphStyle::pieceTable() const
{
    return documentModel_.mainPieceTable();
}

void ParagraphStyle::recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions)
{
    recordIndexChange(characterPropertiesIndex_, oldIndex, newIndex);
}

void ParagraphStyle::notifyCharacterPropertiesChanged(DocumentModelChangeActions)
{
    onStyleChanged();
}

void ParagraphStyle::recordParagraphPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions)
{
    recordIndexChange(paragraphPropertiesIndex_, oldIndex, newIndex);
}

void ParagraphStyle::notifyParagraphPropertiesChanged(DocumentModelChangeActions)
{
    onStyleChanged();
}

void ParagraphStyle::setNextParagraphStyle(ParagraphStyle* style)
{
    if (style == nextParagraphStyle_)
        return;
    ParagraphStyle* const old = nextParagraphStyle_;
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        pieceTable(), [this, style] { nextParagraphStyle_ = style; }, [this, old] { nextParagraphStyle_ = old; }));
}

void ParagraphStyle::setNumberingListIndex(int32_t index)
{
    if (index < kNumberingListIndexNoNumbering)
        throw core::EditorException::invalidValue(index, "NumberingListIndex");
    if (index == numberingListIndex_)
        return;
    BatchUpdateScope batch(documentModel_);
    recordIndexChange(numberingListIndex_, numberingListIndex_, index);
}

void ParagraphStyle::setListLevelIndex(int32_t index)
{
    if (!isListLevelIndexValid(index))
        throw core::EditorException::invalidValue(index, "ListLevelIndex");
    if (index == listLevelIndex_)
        return;
    BatchUpdateScope batch(documentModel_);
    recordIndexChange(listLevelIndex_, listLevelIndex_, index);
}

int32_t ParagraphStyle::numberingListIndex() const noexcept
{
    if (numberingListIndex_ >= 0 || numberingListIndex_ == kNoNumbering || !parentStyle())
        return numberingListIndex_;
    return parentStyle()->numberingListIndex();
}

int32_t ParagraphStyle::listLevelIndex() const noexcept
{
    if (numberingListIndex_ >= 0)
        return listLevelIndex_;
    if (numberingListIndex_ == kNoNumbering || !parentStyle())
        return 0;
    if (listLevelIndex_ > 0 && parentStyle()->numberingListIndex() >= 0)
        return listLevelIndex_;
    return parentStyle()->listLevelIndex();
}

} // namespace velmo::model
