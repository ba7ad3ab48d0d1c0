#pragma once

#include "core/positions.h"

#include <memory>

namespace velmo::model {

class DocumentModel;
class PieceTable;

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

/// The main body of the document.
class MainContentType final : public ContentTypeBase {
public:
    explicit MainContentType(DocumentModel& documentModel) : ContentTypeBase(documentModel, ContentTypeKind::Main) {}
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const override;
};

} // namespace velmo::model
