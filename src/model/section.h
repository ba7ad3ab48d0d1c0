#pragma once

#include "core/positions.h"
#include "model/content_type.h"
#include "model/document_cache.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/section_properties.h"

#include <array>
#include <memory>

namespace velmo::model {

/// The page-setup records a section refers to by cache index.
enum class SectionRecordKind : uint8_t { Margins, Columns, Page, GeneralSettings, PageNumbering, LineNumbering, FootNote, EndNote };

/// A section of the main story: a run of whole paragraphs, the last of which ends with a section
/// mark unless the section is the document's last, with its own page setup and its headers and
/// footers. Page-setup changes are undoable.
class Section {
public:
    Section(DocumentModel& documentModel, ParagraphIndex firstParagraphIndex, ParagraphIndex lastParagraphIndex) noexcept;
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    [[nodiscard]] ParagraphIndex firstParagraphIndex() const noexcept { return firstParagraphIndex_; }
    [[nodiscard]] ParagraphIndex lastParagraphIndex() const noexcept { return lastParagraphIndex_; }
    void setFirstParagraphIndex(ParagraphIndex index) noexcept { firstParagraphIndex_ = index; }
    void setLastParagraphIndex(ParagraphIndex index) noexcept { lastParagraphIndex_ = index; }

    [[nodiscard]] const MarginsInfo& margins() const { return cache().marginsCache()[index(SectionRecordKind::Margins)]; }
    [[nodiscard]] const ColumnsInfo& columns() const { return cache().columnsCache()[index(SectionRecordKind::Columns)]; }
    [[nodiscard]] const PageInfo& page() const { return cache().pageCache()[index(SectionRecordKind::Page)]; }
    [[nodiscard]] const GeneralSectionInfo& generalSettings() const
    {
        return cache().generalSectionCache()[index(SectionRecordKind::GeneralSettings)];
    }
    [[nodiscard]] const PageNumberingInfo& pageNumbering() const
    {
        return cache().pageNumberingCache()[index(SectionRecordKind::PageNumbering)];
    }
    [[nodiscard]] const LineNumberingInfo& lineNumbering() const
    {
        return cache().lineNumberingCache()[index(SectionRecordKind::LineNumbering)];
    }
    [[nodiscard]] const FootNoteInfo& footNote() const { return cache().footNoteCache()[index(SectionRecordKind::FootNote)]; }
    [[nodiscard]] const FootNoteInfo& endNote() const { return cache().footNoteCache()[index(SectionRecordKind::EndNote)]; }

    /// Each applies `change` to a copy of the record and stores the result as one undoable step.
    template <typename Change> void changeMargins(Change change) { changeRecord(SectionRecordKind::Margins, cache().marginsCache(), change); }
    template <typename Change> void changeColumns(Change change) { changeRecord(SectionRecordKind::Columns, cache().columnsCache(), change); }
    template <typename Change> void changePage(Change change) { changeRecord(SectionRecordKind::Page, cache().pageCache(), change); }
    template <typename Change> void changeGeneralSettings(Change change)
    {
        changeRecord(SectionRecordKind::GeneralSettings, cache().generalSectionCache(), change);
    }
    template <typename Change> void changePageNumbering(Change change)
    {
        changeRecord(SectionRecordKind::PageNumbering, cache().pageNumberingCache(), change);
    }
    template <typename Change> void changeLineNumbering(Change change)
    {
        changeRecord(SectionRecordKind::LineNumbering, cache().lineNumberingCache(), change);
    }
    template <typename Change> void changeFootNote(Change change) { changeRecord(SectionRecordKind::FootNote, cache().footNoteCache(), change); }
    template <typename Change> void changeEndNote(Change change) { changeRecord(SectionRecordKind::EndNote, cache().footNoteCache(), change); }

    /// Every record back to its default, as one undoable step.
    void reset();
    /// Takes over another section's page setup without history (a section just split off).
    void copyPropertiesFrom(const Section& other) noexcept { indices_ = other.indices_; }
    [[nodiscard]] int32_t actualColumnCount() const { return columns().actualColumnCount(); }
    /// True when the section holds no paragraph or only hidden ones.
    [[nodiscard]] bool isHidden() const;

    /// The header or footer shown on the section's pages of that type; null for none.
    [[nodiscard]] SectionHeader* header(HeaderFooterType type) const noexcept
    {
        return static_cast<SectionHeader*>(headers_[static_cast<size_t>(type)]);
    }
    [[nodiscard]] SectionFooter* footer(HeaderFooterType type) const noexcept
    {
        return static_cast<SectionFooter*>(footers_[static_cast<size_t>(type)]);
    }
    /// `kind` is ContentTypeKind::Header or ContentTypeKind::Footer.
    [[nodiscard]] SectionHeaderFooterBase* headerFooter(ContentTypeKind kind, HeaderFooterType type) const noexcept
    {
        return (kind == ContentTypeKind::Header ? headers_ : footers_)[static_cast<size_t>(type)];
    }
    void setHeaderFooterCore(ContentTypeKind kind, HeaderFooterType type, SectionHeaderFooterBase* value) noexcept
    {
        (kind == ContentTypeKind::Header ? headers_ : footers_)[static_cast<size_t>(type)] = value;
    }

    [[nodiscard]] int32_t index(SectionRecordKind kind) const noexcept { return indices_[static_cast<size_t>(kind)]; }
    void setIndexCore(SectionRecordKind kind, int32_t index) noexcept { indices_[static_cast<size_t>(kind)] = index; }

private:
    [[nodiscard]] DocumentCache& cache() const noexcept { return documentModel_.cache(); }
    void recordIndexChange(SectionRecordKind kind, int32_t oldIndex, int32_t newIndex);

    template <typename Info, typename Change>
    void changeRecord(SectionRecordKind kind, UniqueItemsCache<Info>& records, Change change)
    {
        Info changed = records[index(kind)];
        change(changed);
        const int32_t newIndex = records.add(changed);
        if (newIndex != index(kind))
            recordIndexChange(kind, index(kind), newIndex);
    }

    DocumentModel& documentModel_; // owns the section
    ParagraphIndex firstParagraphIndex_;
    ParagraphIndex lastParagraphIndex_;
    std::array<int32_t, 8> indices_{}; // by SectionRecordKind
    std::array<SectionHeaderFooterBase*, 3> headers_{}; // owned by the document, by HeaderFooterType
    std::array<SectionHeaderFooterBase*, 3> footers_{};
};

} // namespace velmo::model
