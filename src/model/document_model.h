#pragma once

#include "core/positions.h"
#include "model/bookmarks/bookmark_options.h"
#include "model/document_cache.h"
#include "model/document_capabilities.h"
#include "model/document_format.h"
#include "model/document_info.h"
#include "model/document_model_change_actions.h"
#include "model/document_model_deferred_changes.h"
#include "model/document_save_options.h"
#include "model/document_styles.h"
#include "model/editing_options.h"
#include "model/fields/document_field_services.h"
#include "model/fields/document_variable_collection.h"
#include "model/fields/field_options.h"
#include "model/input_position.h"
#include "model/last_inserted_run_info.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace velmo::platform {
class IFontCoverage;
class IImageCodec;
}

namespace velmo::model {

class Bookmark;
class ContentTypeBase;
class DocumentHistory;
class DocumentNumbering;
class DocumentImages;
class EndNote;
class FieldCalculatorService;
class FootNote;
class FootNoteRunBase;
class IDocumentModelListener;
class MainContentType;
class NoteContentTypeBase;
class PieceTable;
class Section;
class Selection;
class SectionFooter;
class SectionHeader;
class SectionHeaderFooterBase;
enum class ContentTypeKind : uint8_t;
enum class HeaderFooterType : uint8_t;
enum class RunKind : uint8_t;

/// The in-memory document: its stories, sections, shared formatting and undo history, and the
/// batch-update cycle through which every change is made and reported.
class DocumentModel {
public:
    /// `fontCoverage` (optional, must outlive the document) drives font substitution; `imageCodec`
    /// (optional, must outlive the document) reads pictures.
    explicit DocumentModel(const platform::IFontCoverage* fontCoverage = nullptr,
                           const platform::IImageCodec* imageCodec = nullptr);
    ~DocumentModel();
    DocumentModel(const DocumentModel&) = delete;
    DocumentModel& operator=(const DocumentModel&) = delete;

    // Batch updates: nestable; observers hear of changes once, at the last endUpdate().
    void beginUpdate();
    void endUpdate();
    /// Ends a batch after a failure: rolls the open outermost transaction back, then ends it.
    void cancelUpdate();
    [[nodiscard]] bool isUpdateLocked() const noexcept { return batchUpdateCount_ > 0; }

    [[nodiscard]] PieceTable& mainPieceTable() const noexcept;
    [[nodiscard]] MainContentType& mainContentType() const noexcept { return *mainContentType_; }
    [[nodiscard]] PieceTable& activePieceTable() const noexcept { return *activePieceTable_; }
    void setActivePieceTable(PieceTable& pieceTable) noexcept { activePieceTable_ = &pieceTable; }
    [[nodiscard]] Selection& selection() noexcept { return *selection_; }
    [[nodiscard]] const Selection& selection() const noexcept { return *selection_; }
    /// All stories, each once: the main one, then each section's headers and footers (first,
    /// odd, even headers, then footers), then the footnotes and the endnotes; each story is followed
    /// by the text boxes anchored in it. Stories nothing refers to are left out unless asked for.
    [[nodiscard]] std::vector<PieceTable*> pieceTables(bool includeUnreferenced = false) const;

    /// A new empty header or footer shown on the section's pages of that type (undoable).
    SectionHeader& createHeader(SectionIndex sectionIndex, HeaderFooterType type);
    SectionFooter& createFooter(SectionIndex sectionIndex, HeaderFooterType type);
    /// A new empty header or footer story in the document's list, shown nowhere yet; `kind` is
    /// ContentTypeKind::Header or ContentTypeKind::Footer. The lists never shrink.
    SectionHeaderFooterBase& createHeaderFooter(ContentTypeKind kind, HeaderFooterType type);

    [[nodiscard]] const DocumentInfo& documentInfo() const noexcept { return documentInfo_; }
    [[nodiscard]] DocumentCapabilitiesOptions& capabilities() noexcept { return capabilities_; }
    [[nodiscard]] const DocumentCapabilitiesOptions& capabilities() const noexcept { return capabilities_; }
    /// Applies `change` to the document settings as one undoable step.
    void changeDocumentInfo(const std::function<void(DocumentInfo&)>& change);
    /// A new empty note whose reference mark is inserted at a main-story position; `kind` is
    /// RunKind::FootNote or RunKind::EndNote.
    NoteContentTypeBase& insertNote(InputPosition& position, RunKind kind);
    /// A new empty note appended to the footnotes or endnotes (`kind` as above) with no reference
    /// mark yet; a reader inserts its mark with PieceTable::insertNoteReference. Not undoable.
    NoteContentTypeBase& createNote(RunKind kind);
    [[nodiscard]] int32_t footNoteCount() const noexcept { return static_cast<int32_t>(footNotes_.size()); }
    [[nodiscard]] int32_t endNoteCount() const noexcept { return static_cast<int32_t>(endNotes_.size()); }
    [[nodiscard]] FootNote& footNote(int32_t index) const;
    [[nodiscard]] EndNote& endNote(int32_t index) const;

    [[nodiscard]] int32_t sectionCount() const noexcept { return static_cast<int32_t>(sections_.size()); }
    [[nodiscard]] Section& section(SectionIndex index) const;
    /// The section holding a main-story position; after the last section gives the last index,
    /// any other miss -1.
    [[nodiscard]] SectionIndex findSectionIndex(DocumentLogPosition logPosition) const;
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const;
    /// Inserts a section break at a main-story position: the text before it ends a new section.
    void insertSection(DocumentLogPosition logPosition);
    /// Lets the modifier change every section that [start, start + length) touches (at least the
    /// one holding `start`), as one undoable step.
    void applySectionFormatting(DocumentLogPosition start, int32_t length,
                                const std::function<void(Section&, SectionIndex)>& modifier);

    /// The pictures: their cache, the codec and the fetching of linked ones.
    [[nodiscard]] DocumentImages& images() noexcept { return *images_; }
    [[nodiscard]] const DocumentImages& images() const noexcept { return *images_; }
    /// Switches linked pictures whose fetch has finished to their real images (document thread).
    void processCompletedImageLoads();

    [[nodiscard]] DocumentCache& cache() noexcept { return cache_; }
    [[nodiscard]] const DocumentCache& cache() const noexcept { return cache_; }
    [[nodiscard]] DocumentStyles& styles() noexcept { return styles_; }
    [[nodiscard]] const DocumentStyles& styles() const noexcept { return styles_; }
    /// Forgets every run's and paragraph's effective formatting (after a style changed) and
    /// marks the whole main text for layout.
    void resetFormattingCaches();
    [[nodiscard]] const platform::IFontCoverage* fontCoverage() const noexcept { return fontCoverage_; }
    [[nodiscard]] bool useFontSubstitution() const noexcept { return useFontSubstitution_; }
    void setUseFontSubstitution(bool value) noexcept { useFontSubstitution_ = value; }

    /// The abstract lists, list instances and numbering list styles.
    [[nodiscard]] DocumentNumbering& numbering() noexcept { return *numbering_; }
    [[nodiscard]] const DocumentNumbering& numbering() const noexcept { return *numbering_; }
    [[nodiscard]] EditingOptions& editingOptions() noexcept { return editingOptions_; }
    [[nodiscard]] const EditingOptions& editingOptions() const noexcept { return editingOptions_; }
    [[nodiscard]] BookmarkOptions& bookmarkOptions() noexcept { return bookmarkOptions_; }
    [[nodiscard]] const BookmarkOptions& bookmarkOptions() const noexcept { return bookmarkOptions_; }
    /// The bookmarks of every story, story by story in pieceTables() order, each story's in
    /// position order; hidden ones only when asked.
    [[nodiscard]] std::vector<Bookmark*> bookmarks(bool includeHidden) const;
    /// Grows with every change reported; what is computed from the content (list counters)
    /// stays valid while it does not.
    [[nodiscard]] uint64_t contentRevision() const noexcept { return contentRevision_; }

    // Fields.
    [[nodiscard]] FieldOptions& fieldOptions() noexcept { return fieldOptions_; }
    [[nodiscard]] const FieldOptions& fieldOptions() const noexcept { return fieldOptions_; }
    /// The document variables DOCVARIABLE fields show; a new or loaded document starts without.
    [[nodiscard]] DocumentVariableCollection& variables() noexcept { return variables_; }
    [[nodiscard]] const DocumentVariableCollection& variables() const noexcept { return variables_; }
    /// The collaborators fields use (clock, culture, mail merge, layout, picture files) and the
    /// calculate-document-variable handler.
    [[nodiscard]] DocumentFieldServices& fieldServices() noexcept { return fieldServices_; }
    [[nodiscard]] const DocumentFieldServices& fieldServices() const noexcept { return fieldServices_; }
    [[nodiscard]] FieldCalculatorService& fieldCalculatorService() const noexcept { return *fieldCalculatorService_; }

    [[nodiscard]] DocumentHistory& history() const noexcept { return *history_; }
    [[nodiscard]] bool isModified() const noexcept;
    void setModified(bool modified);

    /// Ends typing merge.
    void resetMerging() noexcept;
    /// The typing-merge record, reset first when it belonged to another story.
    [[nodiscard]] LastInsertedRunInfo& lastInsertedRunInfo(const PieceTable& pieceTable) noexcept;

    void applyChanges(PieceTable& pieceTable, DocumentModelChangeType type, RunIndex startRunIndex, RunIndex endRunIndex);
    void applyChangesCore(PieceTable& pieceTable, DocumentModelChangeActions actions, RunIndex startRunIndex,
                          RunIndex endRunIndex);
    /// The open batch's record; null outside a batch.
    [[nodiscard]] const DocumentModelDeferredChanges* deferredChanges() const noexcept { return deferredChanges_.get(); }

    /// A reader fills the model between these: nothing is undoable, the document starts empty,
    /// and at the end the history is fresh and the document unmodified. With `updateFields` the
    /// fields of every story are updated as loaded ones (dates and times as the options say)
    /// before that end.
    void beginSetContent();
    void endSetContent(DocumentModelChangeType changeType, bool updateFields = true,
                       const FieldUpdateOnLoadOptions& updateOnLoadOptions = {});
    [[nodiscard]] bool isSetContentMode() const noexcept { return deferredChanges_ && deferredChanges_->isSetContentMode; }

    /// Empties every story back to one empty paragraph in one section, with a fresh history.
    void clearDocument();
    /// A new empty document: content, file name and format reset.
    void createNewDocument();

    [[nodiscard]] DocumentSaveOptions& saveOptions() noexcept { return saveOptions_; }
    [[nodiscard]] const DocumentSaveOptions& saveOptions() const noexcept { return saveOptions_; }
    /// The format the document was loaded from.
    [[nodiscard]] DocumentFormat documentFormat() const noexcept { return documentFormat_; }
    void setDocumentFormat(DocumentFormat format) noexcept { documentFormat_ = format; }

    void addListener(IDocumentModelListener& listener);
    void removeListener(IDocumentModelListener& listener);

    // Bookkeeping steps used by history items.
    /// A paragraph inserted at `paragraphIndex` joins the section of the paragraph after it, or,
    /// with `joinsPreviousSection`, the section of the one before it.
    void onParagraphInserted(PieceTable& pieceTable, ParagraphIndex paragraphIndex, bool joinsPreviousSection = false);
    void onParagraphRemoved(PieceTable& pieceTable, ParagraphIndex paragraphIndex);
    void onRunInserted(PieceTable& pieceTable, RunIndex runIndex);
    void onRunRemoved(PieceTable& pieceTable, RunIndex runIndex);
    /// A note's reference mark entered or left a story.
    void onNoteReferenceChanged(const PieceTable& pieceTable, const FootNoteRunBase& run, bool inserted);
    /// A field became a hyperlink or stopped being one: the listeners hear of it.
    void onHyperlinkInfoInserted(const PieceTable& pieceTable, int32_t fieldIndex);
    void onHyperlinkInfoDeleted(const PieceTable& pieceTable, int32_t fieldIndex);
    void insertSectionCore(SectionIndex index, std::unique_ptr<Section> section);
    [[nodiscard]] std::unique_ptr<Section> removeSectionCore(SectionIndex index);

private:
    void lastEndUpdate();
    void updateFieldsOnLoad(const FieldUpdateOnLoadOptions& options);
    void clearContent();
    /// Moves the section bounds past `lastUnmoved` by `delta` paragraphs.
    void shiftSectionBounds(ParagraphIndex lastUnmoved, int32_t delta);
    void splitPendingRunsByCharset();
    void addPieceTable(std::vector<PieceTable*>& result, PieceTable& pieceTable) const;
    void raiseModifiedChangedIfNeeded();

    std::unique_ptr<DocumentImages> images_; // first: the pictures outlive every story and step that shows them
    std::unique_ptr<MainContentType> mainContentType_;
    std::vector<std::unique_ptr<SectionHeader>> headers_;
    std::vector<std::unique_ptr<SectionFooter>> footers_;
    std::vector<std::unique_ptr<FootNote>> footNotes_;
    std::vector<std::unique_ptr<EndNote>> endNotes_;
    PieceTable* activePieceTable_ = nullptr;
    std::unique_ptr<Selection> selection_;
    std::vector<std::unique_ptr<Section>> sections_;
    DocumentCache cache_;
    DocumentStyles styles_; // after cache_: the built-in styles use it
    std::unique_ptr<DocumentNumbering> numbering_;
    EditingOptions editingOptions_;
    BookmarkOptions bookmarkOptions_;
    uint64_t contentRevision_ = 0;
    std::unique_ptr<DocumentHistory> history_;
    LastInsertedRunInfo lastInsertedRunInfo_;
    const platform::IFontCoverage* fontCoverage_;
    bool useFontSubstitution_ = true;

    int32_t batchUpdateCount_ = 0;
    std::unique_ptr<DocumentModelDeferredChanges> deferredChanges_;
    bool lastReportedModified_ = false;

    DocumentSaveOptions saveOptions_;
    DocumentFormat documentFormat_ = DocumentFormat::Rtf;
    DocumentInfo documentInfo_;
    DocumentCapabilitiesOptions capabilities_;
    FieldOptions fieldOptions_;
    DocumentVariableCollection variables_;
    DocumentFieldServices fieldServices_;
    std::unique_ptr<FieldCalculatorService> fieldCalculatorService_;
    std::vector<IDocumentModelListener*> listeners_; // not owned; they unregister before they die
};

/// Holds a batch update for a scope; a scope left by an exception cancels the batch.
class BatchUpdateScope {
public:
    explicit BatchUpdateScope(DocumentModel& documentModel) : documentModel_(documentModel), exceptions_(std::uncaught_exceptions())
    {
        documentModel_.beginUpdate();
    }
    ~BatchUpdateScope() noexcept(false)
    {
        if (std::uncaught_exceptions() > exceptions_)
            documentModel_.cancelUpdate();
        else
            documentModel_.endUpdate();
    }
    BatchUpdateScope(const BatchUpdateScope&) = delete;
    BatchUpdateScope& operator=(const BatchUpdateScope&) = delete;

private:
    DocumentModel& documentModel_;
    int exceptions_;
};

} // namespace velmo::model
