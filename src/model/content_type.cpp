#include "model/content_type.h"

#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/run_base.h"
#include "model/section.h"

namespace velmo::model {

ContentTypeBase::ContentTypeBase(DocumentModel& documentModel, ContentTypeKind kind)
    : documentModel_(documentModel), kind_(kind), pieceTable_(std::make_unique<PieceTable>(documentModel, *this))
{
}

ContentTypeBase::~ContentTypeBase() = default;

SectionIndex MainContentType::lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const
{
    return documentModel_.lookupSectionIndexByParagraphIndex(paragraphIndex);
}

bool SectionHeaderFooterBase::isReferenced() const noexcept
{
    return lookupSectionIndexByParagraphIndex(ParagraphIndex(0)).value() >= 0;
}

SectionIndex SectionHeaderFooterBase::lookupSectionIndexByParagraphIndex(ParagraphIndex) const
{
    for (int32_t index = 0; index < documentModel_.sectionCount(); ++index) {
        const Section& section = documentModel_.section(SectionIndex(index));
        const bool shows = isHeader() ? section.header(type_) == this : section.footer(type_) == this;
        if (shows)
            return SectionIndex(index);
    }
    return SectionIndex(-1);
}

SectionIndex NoteContentTypeBase::lookupSectionIndexByParagraphIndex(ParagraphIndex) const
{
    if (!referenceRun_)
        return SectionIndex(-1);
    return documentModel_.lookupSectionIndexByParagraphIndex(referenceRun_->paragraph().index());
}

} // namespace velmo::model
