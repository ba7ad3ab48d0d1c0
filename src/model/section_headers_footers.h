#pragma once

#include "core/positions.h"
#include "model/content_type.h"

#include <string>

namespace velmo::model {

class DocumentModel;
class Section;

/// The headers (or the footers) of one section, by type, and how they are shared with the
/// neighbouring sections: a section is linked to the previous one for a type when both show the
/// same header. Every change is undoable.
class SectionHeadersFooters {
public:
    /// `kind` is ContentTypeKind::Header or ContentTypeKind::Footer.
    SectionHeadersFooters(DocumentModel& documentModel, SectionIndex sectionIndex, ContentTypeKind kind) noexcept
        : documentModel_(documentModel), sectionIndex_(sectionIndex), kind_(kind)
    {
    }

    [[nodiscard]] SectionHeaderFooterBase* object(HeaderFooterType type) const;
    /// A new empty header or footer of the type for this section.
    SectionHeaderFooterBase& add(HeaderFooterType type);
    /// The section shows none of the type.
    void remove(HeaderFooterType type);
    /// The object a page shows: the first-page one on the section's first page when it has a
    /// different first page, the even one on even pages when the document has different odd and
    /// even pages, else the odd one. May be none.
    [[nodiscard]] SectionHeaderFooterBase* calculateActualObject(bool firstPageOfSection, bool isEvenPage) const;

    [[nodiscard]] bool canLinkToPrevious(HeaderFooterType type) const noexcept;
    [[nodiscard]] bool isLinkedToPrevious(HeaderFooterType type) const;
    [[nodiscard]] bool isLinkedToNext(HeaderFooterType type) const;
    /// Shows the previous section's object; following sections that shared the old one follow.
    void linkToPrevious(HeaderFooterType type);
    /// Gives the section its own copy of the shared object; a following section that shared it
    /// links to the copy.
    void unlinkFromPrevious(HeaderFooterType type);
    void linkToNext(HeaderFooterType type);
    void unlinkFromNext(HeaderFooterType type);

    /// "First Page Header", "Header", "Odd Page Header", "Even Page Footer"...
    [[nodiscard]] static std::u16string caption(ContentTypeKind kind, HeaderFooterType type, bool differentOddAndEvenPages);

private:
    [[nodiscard]] Section& section() const;
    [[nodiscard]] SectionHeaderFooterBase* objectOf(int32_t sectionIndex, HeaderFooterType type) const;
    void setObject(HeaderFooterType type, SectionHeaderFooterBase* object);

    DocumentModel& documentModel_;
    SectionIndex sectionIndex_;
    ContentTypeKind kind_;
};

} // namespace velmo::model
