#include "model/section_headers_footers.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/piece_table.h"
#include "model/section.h"
#include "model/document_model_copy_manager.h"

namespace velmo::model {

Section& SectionHeadersFooters::section() const
{
    return documentModel_.section(sectionIndex_);
}

SectionHeaderFooterBase* SectionHeadersFooters::objectOf(int32_t sectionIndex, HeaderFooterType type) const
{
    if (sectionIndex < 0 || sectionIndex >= documentModel_.sectionCount())
        return nullptr;
    return documentModel_.section(SectionIndex(sectionIndex)).headerFooter(kind_, type);
}

SectionHeaderFooterBase* SectionHeadersFooters::object(HeaderFooterType type) const
{
    return section().headerFooter(kind_, type);
}

void SectionHeadersFooters::setObject(HeaderFooterType type, SectionHeaderFooterBase* object)
{
    Section& target = section();
    SectionHeaderFooterBase* const old = target.headerFooter(kind_, type);
    if (old == object)
        return;
    const ContentTypeKind kind = kind_;
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        documentModel_.mainPieceTable(), [&target, kind, type, object] { target.setHeaderFooterCore(kind, type, object); },
        [&target, kind, type, old] { target.setHeaderFooterCore(kind, type, old); }));
}

SectionHeaderFooterBase& SectionHeadersFooters::add(HeaderFooterType type)
{
    SectionHeaderFooterBase& created = documentModel_.createHeaderFooter(kind_, type);
    setObject(type, &created);
    return created;
}

void SectionHeadersFooters::remove(HeaderFooterType type)
{
    setObject(type, nullptr);
}

SectionHeaderFooterBase* SectionHeadersFooters::calculateActualObject(bool firstPageOfSection, bool isEvenPage) const
{
    if (firstPageOfSection && section().generalSettings().differentFirstPage)
        return object(HeaderFooterType::First);
    if (isEvenPage && documentModel_.documentInfo().differentOddAndEvenPages)
        return object(HeaderFooterType::Even);
    return object(HeaderFooterType::Odd);
}

bool SectionHeadersFooters::canLinkToPrevious(HeaderFooterType) const noexcept
{
    return sectionIndex_.value() > 0;
}

bool SectionHeadersFooters::isLinkedToPrevious(HeaderFooterType type) const
{
    return canLinkToPrevious(type) && objectOf(sectionIndex_.value() - 1, type) == object(type);
}

bool SectionHeadersFooters::isLinkedToNext(HeaderFooterType type) const
{
    const int32_t next = sectionIndex_.value() + 1;
    return next < documentModel_.sectionCount() && objectOf(next, type) == object(type);
}

void SectionHeadersFooters::linkToPrevious(HeaderFooterType type)
{
    if (!canLinkToPrevious(type) || isLinkedToPrevious(type))
        return;
    const bool nextShared = isLinkedToNext(type);
    BatchUpdateScope batch(documentModel_);
    setObject(type, objectOf(sectionIndex_.value() - 1, type));
    if (nextShared)
        SectionHeadersFooters(documentModel_, sectionIndex_ + 1, kind_).linkToPrevious(type);
}

void SectionHeadersFooters::unlinkFromPrevious(HeaderFooterType type)
{
    if (!isLinkedToPrevious(type))
        return;
    const bool nextShared = isLinkedToNext(type);
    SectionHeaderFooterBase* const shared = object(type);
    BatchUpdateScope batch(documentModel_);
    SectionHeaderFooterBase& copy = add(type);
    if (shared)
        copyStoryContent(shared->pieceTable(), copy.pieceTable());
    if (nextShared)
        SectionHeadersFooters(documentModel_, sectionIndex_ + 1, kind_).linkToPrevious(type);
}

void SectionHeadersFooters::linkToNext(HeaderFooterType type)
{
    if (sectionIndex_.value() + 1 < documentModel_.sectionCount())
        SectionHeadersFooters(documentModel_, sectionIndex_ + 1, kind_).linkToPrevious(type);
}

void SectionHeadersFooters::unlinkFromNext(HeaderFooterType type)
{
    if (sectionIndex_.value() + 1 < documentModel_.sectionCount())
        SectionHeadersFooters(documentModel_, sectionIndex_ + 1, kind_).unlinkFromPrevious(type);
}

std::u16string SectionHeadersFooters::caption(ContentTypeKind kind, HeaderFooterType type, bool differentOddAndEvenPages)
{
    const std::u16string noun = kind == ContentTypeKind::Header ? u"Header" : u"Footer";
    switch (type) {
    case HeaderFooterType::First: return u"First Page " + noun;
    case HeaderFooterType::Odd: return differentOddAndEvenPages ? u"Odd Page " + noun : noun;
    case HeaderFooterType::Even: return u"Even Page " + noun;
    }
    return noun;
}

} // namespace velmo::model
