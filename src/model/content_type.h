#pragma once

#include "core/positions.h"

#include <memory>

namespace velmo::model {

class DocumentModel;
class PieceTable;
class RunBase;

enum class ContentTypeKind : uint8_t { Main, Header, Footer, FootNote, EndNote, TextBox };

/// The owner of one story, and what kind of story it is.
class ContentTypeBase {
public:
    ContentTypeBase(DocumentModel& documentModel, ContentTypeKind kind);
    virtual ~ContentTypeBase();
    ContentTypeBase(const ContentTypeBase&) = delete;
    ContentTypeBase& operator=(const ContentTypeBase&) = delete;

    [[nodiscard]] ContentTypeKind kind() const noexcept { return kind_; }
    [[nodiscard]] PieceTable& pieceTable() const noexcept { return *pieceTable_; }

    [[nodiscard]] bool isMain() const noexcept { return kind_ == ContentTypeKind::Main; }
    [[nodiscard]] bool isHeader() const noexcept { return kind_ == ContentTypeKind::Header; }
    [[nodiscard]] bool isFooter() const noexcept { return kind_ == ContentTypeKind::Footer; }
    [[nodiscard]] bool isHeaderFooter() const noexcept { return isHeader() || isFooter(); }
    [[nodiscard]] bool isFootNote() const noexcept { return kind_ == ContentTypeKind::FootNote; }
    [[nodiscard]] bool isEndNote() const noexcept { return kind_ == ContentTypeKind::EndNote; }
    [[nodiscard]] bool isNote() const noexcept { return isFootNote() || isEndNote(); }
    [[nodiscard]] bool isTextBox() const noexcept { return kind_ == ContentTypeKind::TextBox; }
    /// Whether anything in the document still refers to the story.
    [[nodiscard]] virtual bool isReferenced() const noexcept { return true; }
    /// The section a paragraph of this story belongs to.
    [[nodiscard]] virtual SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const = 0;

protected:
    DocumentModel& documentModel_; // owns this content type

private:
    ContentTypeKind kind_;
    std::unique_ptr<PieceTable> pieceTable_;
};

/// Which pages of a section a header or footer belongs to.
enum class HeaderFooterType : uint8_t { First, Odd, Even };

/// A header or footer story; sections refer to it by type.
class SectionHeaderFooterBase : public ContentTypeBase {
public:
    SectionHeaderFooterBase(DocumentModel& documentModel, ContentTypeKind kind, HeaderFooterType type)
        : ContentTypeBase(documentModel, kind), type_(type)
    {
    }
    [[nodiscard]] HeaderFooterType type() const noexcept { return type_; }
    /// Referenced while some section shows it.
    [[nodiscard]] bool isReferenced() const noexcept override;
    /// The first section that shows it; -1 when none does.
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const override;

private:
    HeaderFooterType type_;
};

class SectionHeader final : public SectionHeaderFooterBase {
public:
    SectionHeader(DocumentModel& documentModel, HeaderFooterType type)
        : SectionHeaderFooterBase(documentModel, ContentTypeKind::Header, type)
    {
    }
};

class SectionFooter final : public SectionHeaderFooterBase {
public:
    SectionFooter(DocumentModel& documentModel, HeaderFooterType type)
        : SectionHeaderFooterBase(documentModel, ContentTypeKind::Footer, type)
    {
    }
};

/// The text of a footnote or endnote; referenced while its reference mark is in the main story.
class NoteContentTypeBase : public ContentTypeBase {
public:
    using ContentTypeBase::ContentTypeBase;
    [[nodiscard]] bool isReferenced() const noexcept override { return referenceRun_ != nullptr; }
    /// The section of the reference mark; -1 while there is none.
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const override;
    [[nodiscard]] const RunBase* referenceRun() const noexcept { return referenceRun_; }
    void setReferenceRun(const RunBase* run) noexcept { referenceRun_ = run; }

private:
    const RunBase* referenceRun_ = nullptr; // owned by the main story
};

class FootNote final : public NoteContentTypeBase {
public:
    explicit FootNote(DocumentModel& documentModel) : NoteContentTypeBase(documentModel, ContentTypeKind::FootNote) {}
};

class EndNote final : public NoteContentTypeBase {
public:
    explicit EndNote(DocumentModel& documentModel) : NoteContentTypeBase(documentModel, ContentTypeKind::EndNote) {}
};

/// The main body of the document.
class MainContentType final : public ContentTypeBase {
public:
    explicit MainContentType(DocumentModel& documentModel) : ContentTypeBase(documentModel, ContentTypeKind::Main) {}
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const override;
};

} // namespace velmo::model
