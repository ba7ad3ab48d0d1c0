#include "model/paragraph_history_items.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/section.h"

namespace velmo::model {

ParagraphInsertedHistoryItem::~ParagraphInsertedHistoryItem() = default;

void ParagraphInsertedHistoryItem::redoCore()
{
    std::unique_ptr<Paragraph> paragraph = paragraph_ ? std::move(paragraph_) : std::make_unique<Paragraph>(pieceTable_);
    pieceTable_.splitParagraphCore(paragraphIndex_, markRunIndex_, std::move(paragraph));
}

void ParagraphInsertedHistoryItem::undoCore()
{
    paragraph_ = pieceTable_.unsplitParagraphCore(paragraphIndex_);
}

MergeParagraphsHistoryItem::~MergeParagraphsHistoryItem() = default;

void MergeParagraphsHistoryItem::redoCore()
{
    Paragraph& first = pieceTable_.paragraph(firstParagraphIndex_);
    const Paragraph& second = pieceTable_.paragraph(firstParagraphIndex_ + 1);
    previousStyleIndex_ = first.paragraphStyleIndex();
    previousFormattingIndex_ = first.paragraphPropertiesIndex();
    previousTabsIndex_ = first.tabsIndex();
    secondRunCount_ = second.runCount();
    if (!useFirstParagraphStyle_)
        first.copyFormattingFrom(second);
    second_ = pieceTable_.mergeParagraphsCore(firstParagraphIndex_);
}

void MergeParagraphsHistoryItem::undoCore()
{
    Paragraph& first = pieceTable_.paragraph(firstParagraphIndex_);
    pieceTable_.unmergeParagraphsCore(firstParagraphIndex_, std::move(second_), secondRunCount_);
    first.setParagraphStyleIndex(previousStyleIndex_);
    first.setParagraphPropertiesIndex(previousFormattingIndex_);
    first.setTabsIndex(previousTabsIndex_);
}

void ParagraphPropertiesIndexChangedHistoryItem::setIndex(int32_t index)
{
    Paragraph& paragraph = pieceTable_.paragraph(paragraphIndex_);
    paragraph.setParagraphPropertiesIndex(index);
    paragraph.notifyParagraphPropertiesChanged(actions_);
}

void MarkRunReplacedHistoryItem::redoCore()
{
    pieceTable_.replaceMarkRunCore(runIndex_, newKind_);
}

void MarkRunReplacedHistoryItem::undoCore()
{
    pieceTable_.replaceMarkRunCore(runIndex_, newKind_ == RunKind::Section ? RunKind::Paragraph : RunKind::Section);
}

SectionInsertedHistoryItem::~SectionInsertedHistoryItem() = default;

void SectionInsertedHistoryItem::redoCore()
{
    DocumentModel& document = pieceTable_.documentModel();
    Section& current = document.section(sectionIndex_);
    if (!section_) {
        // The part split off keeps the page setup, headers and footers of the section it came from.
        section_ = std::make_unique<Section>(document, current.firstParagraphIndex(), lastParagraphIndex_);
        section_->copyPropertiesFrom(current);
        for (const HeaderFooterType type : {HeaderFooterType::First, HeaderFooterType::Odd, HeaderFooterType::Even}) {
            section_->setHeaderFooterCore(ContentTypeKind::Header, type, current.headerFooter(ContentTypeKind::Header, type));
            section_->setHeaderFooterCore(ContentTypeKind::Footer, type, current.headerFooter(ContentTypeKind::Footer, type));
        }
    }
    current.setFirstParagraphIndex(lastParagraphIndex_ + 1);
    document.insertSectionCore(sectionIndex_, std::move(section_));
}

void SectionInsertedHistoryItem::undoCore()
{
    DocumentModel& document = pieceTable_.documentModel();
    section_ = document.removeSectionCore(sectionIndex_);
    document.section(sectionIndex_).setFirstParagraphIndex(section_->firstParagraphIndex());
}

SectionsDeletedHistoryItem::~SectionsDeletedHistoryItem() = default;

void SectionsDeletedHistoryItem::redoCore()
{
    DocumentModel& document = pieceTable_.documentModel();
    if (sectionIndex_.value() + 1 >= document.sectionCount())
        throw core::EditorException::internalError();
    section_ = document.removeSectionCore(sectionIndex_);
    document.section(sectionIndex_).setFirstParagraphIndex(section_->firstParagraphIndex());
}

void SectionsDeletedHistoryItem::undoCore()
{
    DocumentModel& document = pieceTable_.documentModel();
    document.section(sectionIndex_).setFirstParagraphIndex(section_->lastParagraphIndex() + 1);
    document.insertSectionCore(sectionIndex_, std::move(section_));
}

} // namespace velmo::model
