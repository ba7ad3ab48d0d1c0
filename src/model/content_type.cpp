#include "model/content_type.h"

#include "model/document_model.h"
#include "model/piece_table.h"

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

} // namespace velmo::model
