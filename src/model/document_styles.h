#pragma once

#include "model/character_formatting_info.h"
#include "model/character_style.h"
#include "model/paragraph_formatting_info.h"
#include "model/paragraph_style.h"
#include "model/style_collection.h"
#include "model/style_link_manager.h"
#include "model/tables/table_style.h"

#include <memory>
#include <string>

namespace velmo::model {

class DocumentModel;
class NumberingListCopier;

/// The document's paragraph and character styles, their links, the built-in styles and the
/// operations that add and delete styles as undoable steps.
class DocumentStyles {
public:
    explicit DocumentStyles(DocumentModel& documentModel);
    DocumentStyles(const DocumentStyles&) = delete;
    DocumentStyles& operator=(const DocumentStyles&) = delete;

    [[nodiscard]] StyleCollection<CharacterStyle>& characterStyles() noexcept { return characterStyles_; }
    [[nodiscard]] const StyleCollection<CharacterStyle>& characterStyles() const noexcept { return characterStyles_; }
    [[nodiscard]] StyleCollection<ParagraphStyle>& paragraphStyles() noexcept { return paragraphStyles_; }
    [[nodiscard]] const StyleCollection<ParagraphStyle>& paragraphStyles() const noexcept { return paragraphStyles_; }
    [[nodiscard]] StyleLinkManager& links() noexcept { return links_; }
    [[nodiscard]] StyleCollection<TableStyle>& tableStyles() noexcept { return tableStyles_; }
    [[nodiscard]] const StyleCollection<TableStyle>& tableStyles() const noexcept { return tableStyles_; }
    [[nodiscard]] StyleCollection<TableCellStyle>& tableCellStyles() noexcept { return tableCellStyles_; }
    [[nodiscard]] const StyleCollection<TableCellStyle>& tableCellStyles() const noexcept { return tableCellStyles_; }

    /// Replaces every style by the built-in ones of a new document: "Normal"; "Default Paragraph
    /// Font", "Line Number" and "Hyperlink"; "Normal Table" and "Table Simple 1". Not undoable
    /// (new document, reader start).
    void createBuiltInStyles();

    /// Appends a style as an undoable step; its parent must already be in the collection.
    int32_t addCharacterStyle(std::unique_ptr<CharacterStyle> style);
    int32_t addParagraphStyle(std::unique_ptr<ParagraphStyle> style);
    /// Marks a style deleted as one undoable step: its children keep their look under its parent,
    /// and whatever used it falls back to the default style. The default style stays.
    void deleteCharacterStyle(CharacterStyle& style);
    void deleteParagraphStyle(ParagraphStyle& style);

    /// A style's look: its own formatting over its parent chain and the document defaults.
    [[nodiscard]] CharacterFormattingInfo mergedWithDefaultCharacterProperties(const CharacterStyle& style) const;
    [[nodiscard]] CharacterFormattingInfo mergedWithDefaultCharacterProperties(const ParagraphStyle& style) const;
    [[nodiscard]] ParagraphFormattingInfo mergedWithDefaultParagraphProperties(const ParagraphStyle& style) const;

    /// The index of a style of this document that looks like `source`, a style of another document:
    /// an existing style of the same name, or a copy (with its parent and next style copied the
    /// same way) adjusted so that it looks the same despite other document defaults. A copied
    /// paragraph style keeps its own numbering list when `lists` brings the lists over.
    int32_t copyCharacterStyleFrom(const CharacterStyle& source);
    int32_t copyParagraphStyleFrom(const ParagraphStyle& source, NumberingListCopier* lists = nullptr);

    /// "Heading N", made on first use with its linked "Heading N Char".
    int32_t headingParagraphStyle(int32_t level);
    /// "TOC N" looked up ignoring case; -1 when there is none.
    [[nodiscard]] int32_t tocStyle(int32_t level) const;
    int32_t createTocStyle(int32_t level);

private:
    void createBuiltInTableStyles();

    DocumentModel& documentModel_; // owner
    StyleCollection<CharacterStyle> characterStyles_;
    StyleCollection<ParagraphStyle> paragraphStyles_;
    StyleLinkManager links_;
    StyleCollection<TableStyle> tableStyles_;
    StyleCollection<TableCellStyle> tableCellStyles_;
};

} // namespace velmo::model
