#pragma once

#include "core/block_vector.h"
#include "core/positions.h"
#include "model/bookmarks/bookmark_collection.h"
#include "model/character_formatting_info.h"
#include "model/chunked_string_builder.h"
#include "model/paragraph_formatting_info.h"
#include "model/tab_formatting_info.h"
#include "model/document_model_position.h"
#include "model/hyperlinks/hyperlink_info_collection.h"
#include "model/input_position.h"
#include "model/numbering/numbering_list_calculator_cache.h"
#include "model/paragraph.h"
#include "model/paragraph_indexed_tree.h"
#include "model/run_base.h"
#include "model/tables/table_cells_manager.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo::model {

class ContentTypeBase;
class DocumentModel;
class Field;
class FieldCollection;
class NumberingList;
class TextBoxContentType;
class ParagraphPropertyModifierBase;
class RunPropertyModifierBase;

/// The runs of a whole story in order, one entry per run.
using TextRunCollection = core::BlockVector<std::unique_ptr<TextRunBase>>;

/// One story (main body, header, footer, note, text box): its text buffer, its runs and its
/// paragraphs, with the lookups from positions to paragraphs and runs and the editing steps that
/// change them. Every change runs inside a batch update and a history transaction.
class PieceTable {
public:
    PieceTable(DocumentModel& documentModel, ContentTypeBase& contentType);
    ~PieceTable();
    PieceTable(const PieceTable&) = delete;
    PieceTable& operator=(const PieceTable&) = delete;

    [[nodiscard]] DocumentModel& documentModel() const noexcept { return *documentModel_; }
    [[nodiscard]] ContentTypeBase& contentType() const noexcept { return *contentType_; }
    [[nodiscard]] bool isMain() const noexcept;

    [[nodiscard]] const ParagraphIndexedTree& paragraphs() const noexcept { return paragraphs_; }
    [[nodiscard]] int32_t paragraphCount() const noexcept { return paragraphs_.count(); }
    [[nodiscard]] Paragraph& paragraph(ParagraphIndex index) const { return paragraphs_.at(index); }
    [[nodiscard]] int32_t runCount() const noexcept { return runs_.size(); }
    [[nodiscard]] TextRunBase& run(RunIndex index) const;
    [[nodiscard]] const ChunkedStringBuilder& textBuffer() const noexcept { return textBuffer_; }

    [[nodiscard]] DocumentLogPosition documentStartLogPosition() const noexcept { return DocumentLogPosition(0); }
    /// Position of the last paragraph's mark.
    [[nodiscard]] DocumentLogPosition documentEndLogPosition() const;
    /// True when the story holds only its last paragraph mark.
    [[nodiscard]] bool isEmpty() const;

    /// The paragraph holding a position. A position after the end maps to the last paragraph
    /// unless `strict`; a negative one (or, when strict, one after the end) is an error.
    [[nodiscard]] ParagraphIndex findParagraphIndex(DocumentLogPosition logPosition, bool strict = false) const;
    /// The run of `paragraph` holding a position (at a run boundary, the run starting there).
    /// A position outside the paragraph is an error.
    [[nodiscard]] DocumentModelPosition findRunStartLogPosition(const Paragraph& paragraph,
                                                                DocumentLogPosition logPosition) const;
    /// A position resolved to paragraph and run; positions outside the story are an error.
    [[nodiscard]] DocumentModelPosition findPosition(DocumentLogPosition logPosition) const;
    /// Both ends of [start, start + length), clamped to the end of the story.
    [[nodiscard]] RunInfo findRunInfo(DocumentLogPosition start, int32_t length) const;
    /// The range of whole runs first..last (inclusive).
    [[nodiscard]] RunInfo runsInfo(RunIndex first, RunIndex last) const;
    /// Index of `run`, looking only among the runs of its paragraph; `defaultValue` if absent.
    [[nodiscard]] RunIndex calculateRunIndex(const RunBase& run, RunIndex defaultValue) const;
    [[nodiscard]] DocumentLogPosition runLogPosition(RunIndex runIndex) const;

    /// The run's effective character formatting: its own properties over the document defaults.
    /// Computed once and remembered as an index until the run's formatting changes.
    [[nodiscard]] const CharacterFormattingInfo& mergedCharacterFormatting(RunIndex runIndex) const;
    /// The effective formatting the next character typed at `position` gets.
    [[nodiscard]] CharacterFormattingInfo mergedCharacterFormatting(const InputPosition& position) const;

    /// The paragraph's effective formatting: its own properties over the document defaults.
    [[nodiscard]] const ParagraphFormattingInfo& mergedParagraphFormatting(const Paragraph& paragraph) const;

    /// The tab stops in effect: the paragraph's own over its style's, each style's over its parent's.
    [[nodiscard]] TabFormattingInfo mergedTabs(const Paragraph& paragraph) const;

    /// The characters a run stores in the buffer.
    [[nodiscard]] std::u16string runText(RunIndex runIndex) const;
    /// What a run contributes to plain text (a paragraph mark becomes CR LF).
    [[nodiscard]] std::u16string runPlainText(RunIndex runIndex) const;
    /// The stored characters of the whole story, marks included (a mark is one unit).
    [[nodiscard]] std::u16string storyText() const;
    /// The plain text of runs first..last (inclusive).
    [[nodiscard]] std::u16string plainText(RunIndex first, RunIndex last) const;

    /// An input position at `logPosition` carrying the formatting of the text before it.
    [[nodiscard]] InputPosition createInputPosition(DocumentLogPosition logPosition) const;

    /// The story's tables and the lookup of a paragraph's cell.
    [[nodiscard]] TableCellsManager& tableCellsManager() noexcept { return tableCellsManager_; }
    [[nodiscard]] const TableCellsManager& tableCellsManager() const noexcept { return tableCellsManager_; }
    /// Lays a table of rowCount x cellCount cells over the paragraphs from `first` on, one
    /// paragraph per cell, as an undoable step.
    Table& createTable(ParagraphIndex first, int32_t rowCount, int32_t cellCount);
    /// Inserts rowCount x cellCount empty paragraphs before the paragraph holding `logPosition`
    /// (split there first when the position is inside it) and makes them a table.
    Table& insertTable(DocumentLogPosition logPosition, int32_t rowCount, int32_t cellCount);
    /// Takes the table structure away, as an undoable step; its paragraphs stay as they are.
    void removeTableStructure(Table& table);

    // Numbering (piece_table_numbering.cpp).
    /// Makes the paragraph an item of list instance `numberingListIndex` at `levelIndex` (0-8),
    /// as an undoable step. A list the document does not have fails with "NumberingListIndex
    /// refers to a list that does not exist.".
    void addNumberingListToParagraph(ParagraphIndex paragraphIndex, int32_t numberingListIndex, int32_t levelIndex);
    /// The same for a list instance object, which must be one of the document's.
    void addNumberingListToParagraph(ParagraphIndex paragraphIndex, const NumberingList& list, int32_t levelIndex);
    /// Takes the paragraph out of its list, also out of one its style gives, as an undoable step.
    void removeNumberingFromParagraph(ParagraphIndex paragraphIndex);
    [[nodiscard]] bool isValidNumberingListIndex(int32_t numberingListIndex) const noexcept;
    [[nodiscard]] static bool isNumberingListLevelIndexValid(int32_t levelIndex) noexcept;
    /// The paragraph's counters of levels 0 to its level, counted in story order; empty when it
    /// is in no list. Asking for the paragraphs in order costs one pass over the story.
    [[nodiscard]] std::vector<int64_t> rangeListCounters(const Paragraph& paragraph) const;
    /// The number text the paragraph shows; a pre-calculated text when there is one.
    [[nodiscard]] std::u16string numberingListText(const Paragraph& paragraph) const;
    /// Appends the paragraph's number text when `runIndex` is the first run of a list paragraph.
    void appendNumberingListText(RunIndex runIndex, std::u16string& text) const;
    /// Number texts a writer already knows, used instead of counting until they are replaced
    /// (an empty map removes them). Keys are paragraphs of this story.
    void setPreCalculatedNumberingListTexts(std::unordered_map<const Paragraph*, std::u16string> texts);

    // Bookmarks (piece_table_bookmarks.cpp).
    [[nodiscard]] BookmarkCollection& bookmarkCollection() noexcept { return bookmarks_; }
    [[nodiscard]] const BookmarkCollection& bookmarkCollection() const noexcept { return bookmarks_; }
    /// A bookmark over [position, position + length], both ends clamped to the last paragraph
    /// mark, named by validateBookmarkName(), as an undoable step.
    Bookmark& createBookmark(DocumentLogPosition position, int32_t length, std::u16string_view name);
    /// Removes the bookmark at that index of the collection, as an undoable step.
    void deleteBookmark(int32_t index);
    /// The name a new bookmark gets: `name` itself, or, when the document resolves names and the
    /// story already has it (ignoring case), the first of "name_1", "name_2"... it does not have.
    [[nodiscard]] std::u16string validateBookmarkName(std::u16string_view name) const;
    /// The bookmarks in collection order; hidden ones only when asked.
    [[nodiscard]] std::vector<Bookmark*> bookmarks(bool includeHidden) const;
    /// The bookmarks lying wholly in [start, start + length] that start before its end (what a
    /// copy of that range takes along).
    [[nodiscard]] std::vector<Bookmark*> entireBookmarks(DocumentLogPosition start, int32_t length) const;

    // Hyperlink records of the story's fields (piece_table_hyperlinks.cpp).
    [[nodiscard]] HyperlinkInfoCollection& hyperlinkInfos() noexcept { return hyperlinkInfos_; }
    [[nodiscard]] const HyperlinkInfoCollection& hyperlinkInfos() const noexcept { return hyperlinkInfos_; }
    [[nodiscard]] bool isHyperlinkField(int32_t fieldIndex) const noexcept { return hyperlinkInfos_.isHyperlink(fieldIndex); }
    /// The field's record; a shared empty record when the field is no hyperlink.
    [[nodiscard]] const HyperlinkInfo& hyperlinkInfo(int32_t fieldIndex) const noexcept;
    /// Each of these is one undoable step. Insert returns the record now stored for the field.
    const HyperlinkInfo& insertHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info);
    void replaceHyperlinkInfo(int32_t fieldIndex, const HyperlinkInfo& info);
    void removeHyperlinkInfo(int32_t fieldIndex);
    /// Makes [position, position + length) the result of a new HYPERLINK field whose code, built
    /// from `info`, goes in front of it; the field gets the record and the result the "Hyperlink"
    /// style. With `forceVisible` a link over no text gets its address (or bookmark name) as text.
    /// The range must hold whole fields only. One undoable step.
    Field& createHyperlink(DocumentLogPosition position, int32_t length, bool forceVisible, const HyperlinkInfo& info);
    /// Takes the link away: the code and the field marks go, the result text stays with the look
    /// of the code's start instead of the "Hyperlink" style. A field that is no hyperlink fails
    /// naming "AField". One undoable step.
    void deleteHyperlink(Field& field);
    /// Gives the link a new record and rewrites its code from it. One undoable step.
    void modifyHyperlinkCode(Field& field, const HyperlinkInfo& info);
    /// Replaces the link's text and gives it the "Hyperlink" style. One undoable step.
    void modifyHyperlinkResult(Field& field, std::u16string_view text);
    /// Gives the runs of the range (whole runs) the "Hyperlink" style, keeping their look apart from
    /// what the style sets when `applyDefaultHyperlinkStyle`, else keeping it all: the properties of
    /// the style they had become their own. A missing range, or one that ends before it starts,
    /// fails naming "runInfo". Nothing happens when the document has no "Hyperlink" style.
    void applyHyperlinkStyle(const RunInfo* runInfo, bool applyDefaultHyperlinkStyle);
    /// The runs of the range in the "Hyperlink" style return to the default style; for what that
    /// style sets they take `source`'s values unless they set them themselves.
    void replaceHyperlinkStyle(const RunInfo& runInfo, const CharacterFormattingInfo& source);
    // Fields (piece_table_fields.cpp).
    [[nodiscard]] FieldCollection& fields() noexcept { return *fields_; }
    [[nodiscard]] const FieldCollection& fields() const noexcept { return *fields_; }
    /// Makes [logPosition, logPosition + codeLength) the code of a new field and the `resultLength`
    /// characters after it its result, as one undoable step. Both ranges must hold whole fields only.
    Field& createField(DocumentLogPosition logPosition, int32_t codeLength, int32_t resultLength = 0);
    /// Deletes a field with its code and result (and the fields in them), as one undoable step.
    void removeField(Field& field);
    /// Shows the code instead of the result or back, as an undoable step.
    void toggleFieldCodes(Field& field);
    void setFieldLocked(Field& field, bool locked);
    void setFieldDisableUpdate(Field& field, bool disableUpdate);
    /// The mark runs among runs first..last of fields that do not lie wholly inside them: a
    /// deletion of those runs keeps them.
    [[nodiscard]] std::vector<RunIndex> marksOfFieldsCrossing(RunIndex first, RunIndex last) const;

    // Editing. Each call is one batch update and one history transaction of its own unless the
    // caller already holds them.
    void insertText(InputPosition& position, std::u16string_view text);
    void insertText(DocumentLogPosition logPosition, std::u16string_view text);
    /// Text with CR, LF or CR LF breaks becomes several paragraphs.
    void insertPlainText(DocumentLogPosition logPosition, std::u16string_view text);
    /// A new paragraph mark at the position. When the new paragraph starts empty after one whose
    /// style names a next style, it takes that style unless `applyNextStyle` is off (copied content).
    void insertParagraph(InputPosition& position, bool applyNextStyle = true);
    void insertParagraph(DocumentLogPosition logPosition);
    /// A run of a mark or object class (field marks, pictures, anchors, separators).
    void insertObjectRun(InputPosition& position, RunKind kind, char16_t character = 0);
    /// The reference mark of the document's footnote or endnote `noteIndex`.
    void insertNoteReference(InputPosition& position, RunKind kind, int32_t noteIndex);
    /// Deletes [logPosition, logPosition + length); the story's last paragraph mark stays.
    void deleteContent(DocumentLogPosition logPosition, int32_t length);

    /// Gives a paragraph or run another style, as an undoable step.
    void setParagraphStyleIndex(ParagraphIndex paragraphIndex, int32_t styleIndex);
    void setCharacterStyleIndex(RunIndex runIndex, int32_t styleIndex);

    /// Inserts `text` (plain-text line rules) in place of [position, position + length).
    void replaceText(DocumentLogPosition position, int32_t length, std::u16string_view text);

    /// Lets the modifier change every run of [start, start + length) (the runs are split at the
    /// ends first), then joins runs that became equal. The range may include the last mark.
    void applyCharacterFormatting(DocumentLogPosition start, int32_t length, const RunPropertyModifierBase& modifier);
    void applyCharacterStyle(DocumentLogPosition start, int32_t length, int32_t styleIndex);
    /// Lets the modifier change every paragraph that [start, start + length) touches.
    void applyParagraphFormatting(DocumentLogPosition start, int32_t length, const ParagraphPropertyModifierBase& modifier);
    void applyParagraphStyle(DocumentLogPosition start, int32_t length, int32_t styleIndex);

    void splitTextRun(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t offset);
    void joinTextRuns(ParagraphIndex paragraphIndex, RunIndex runIndex);
    /// Joins neighbouring runs inside the range wherever the join rule allows.
    void tryToJoinRuns(const RunInfo& runInfo);
    /// Splits the run off where its font lacks characters and gives those parts a substitute font.
    void splitRunByCharset(RunIndex runIndex);

    // Structural steps used by history items; they keep the paragraph bookkeeping in step but
    // record nothing.
    /// `notificationId` identifies the step that inserts or removes the run (0: none).
    void insertRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex, std::unique_ptr<TextRunBase> run,
                       int32_t notificationId = 0);
    [[nodiscard]] std::unique_ptr<TextRunBase> removeRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex,
                                                             int32_t notificationId = 0);
    void splitRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t offset);
    void joinRunsCore(ParagraphIndex paragraphIndex, RunIndex runIndex);
    void changeRunLengthCore(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t delta);
    /// Splits paragraph `paragraphIndex` after its run `markRunIndex` (a mark just inserted):
    /// `newParagraph` becomes `paragraphIndex` with the runs up to the mark.
    void splitParagraphCore(ParagraphIndex paragraphIndex, RunIndex markRunIndex, std::unique_ptr<Paragraph> newParagraph);
    /// The inverse: joins paragraph `paragraphIndex` into the next one and returns it.
    [[nodiscard]] std::unique_ptr<Paragraph> unsplitParagraphCore(ParagraphIndex paragraphIndex);
    /// Moves the runs of the next paragraph into `paragraphIndex` and removes the next one.
    [[nodiscard]] std::unique_ptr<Paragraph> mergeParagraphsCore(ParagraphIndex paragraphIndex);
    /// The inverse: gives the last `runCount` runs of `paragraphIndex` back to `second`.
    void unmergeParagraphsCore(ParagraphIndex paragraphIndex, std::unique_ptr<Paragraph> second, int32_t runCount);
    /// Sets the list a paragraph itself refers to, keeping the lists' paragraph counts.
    void setParagraphNumberingCore(ParagraphIndex paragraphIndex, int32_t numberingListIndex, int32_t levelIndex);
    /// Replaces a mark run by one of the other mark class and rewrites its buffer unit.
    void replaceMarkRunCore(RunIndex runIndex, RunKind newKind);
    [[nodiscard]] int32_t appendToTextBuffer(std::u16string_view text);

    // Deferred shifting while one paragraph's runs are split many times.
    void onBeginMultipleRunSplit() noexcept { ++multipleRunSplitCount_; }
    void onEndMultipleRunSplit();

    /// Empties the story back to one paragraph with only its mark.
    void clear();

    /// The text boxes whose anchors are in this story, in no particular order (see
    /// anchoredTextBoxes() for story order). Kept by the anchor runs as they enter and leave.
    [[nodiscard]] const std::vector<TextBoxContentType*>& textBoxes() const noexcept { return textBoxes_; }
    void addTextBox(TextBoxContentType& textBox) { textBoxes_.push_back(&textBox); }
    void removeTextBox(TextBoxContentType& textBox) noexcept { std::erase(textBoxes_, &textBox); }

private:
    friend class DocumentModel;

    void createEmptyContent();
    [[nodiscard]] CharacterFormattingInfo mergeCharacterLayers(int32_t propertiesIndex, int32_t characterStyleIndex,
                                                               const Paragraph& paragraph) const;
    /// A paragraph about to be changed, its deferred shift applied first.
    [[nodiscard]] Paragraph& touchParagraph(ParagraphIndex index);
    /// Later paragraphs move by the deltas (deferred while a multiple run split is open).
    void shiftParagraphsAfter(ParagraphIndex paragraphIndex, int32_t deltaRunIndex, int32_t deltaLength);
    void applyPendingShift(int32_t throughParagraph);
    /// Splits the run holding `logPosition` there (when inside it); returns the run that starts there.
    RunIndex splitRunAt(DocumentLogPosition logPosition);
    void insertRunAt(InputPosition& position, RunKind kind, std::u16string_view text, int32_t noteIndex = -1);
    [[nodiscard]] bool tryMergeText(InputPosition& position, std::u16string_view text);
    /// Joins a paragraph with the next one after its content went; `wholeParagraphDeleted` when
    /// the deleted range began before it.
    void mergeParagraphWithNext(ParagraphIndex paragraphIndex, bool wholeParagraphDeleted);
    /// Settles the numbering of two paragraphs about to be joined; true when the first one is
    /// to go instead, the next one keeping its formatting and list.
    bool applyMergeNumberingRules(ParagraphIndex paragraphIndex, bool wholeParagraphDeleted);
    /// A paragraph that refers to a list joins (`added`) or leaves the story: its list counts it.
    void countNumberingReference(const Paragraph& paragraph, bool added);
    /// Takes away the structure of the tables lying wholly in [start, end) before their text goes.
    void removeTablesInside(DocumentLogPosition start, DocumentLogPosition end);
    void applyNextParagraphStyle(ParagraphIndex newParagraphIndex);
    /// Deletes the bookmarks a deletion of [start, end) takes away: those strictly inside, and
    /// collapsed ones anywhere in it, its ends included.
    void deleteBookmarksInside(DocumentLogPosition start, DocumentLogPosition end);
    /// Records the field that a result end mark just inserted at `resultEnd` completes, when its
    /// code start and code end marks precede it; returns it.
    Field* addFieldEndingAt(RunIndex resultEnd);
    void validateInsertPosition(DocumentLogPosition logPosition) const;
    /// Checks a formatting range and returns its end.
    [[nodiscard]] DocumentLogPosition validateFormattingRange(DocumentLogPosition start, int32_t length) const;

    DocumentModel* documentModel_;     // owns the content type that owns this story
    ContentTypeBase* contentType_;     // owner
    ParagraphIndexedTree paragraphs_;
    TextRunCollection runs_;
    ChunkedStringBuilder textBuffer_;
    TableCellsManager tableCellsManager_{*this};
    std::unique_ptr<FieldCollection> fields_;
    mutable NumberingListCalculatorCache numberingListCalculatorCache_;
    std::unordered_map<const Paragraph*, std::u16string> preCalculatedNumberingListTexts_;
    std::vector<TextBoxContentType*> textBoxes_; // owned through the anchor runs' floating objects
    BookmarkCollection bookmarks_;
    HyperlinkInfoCollection hyperlinkInfos_;

    int32_t multipleRunSplitCount_ = 0;
    int32_t lastShiftedParagraphIndex_ = -1; // the paragraph whose later neighbours wait for a shift
    int32_t lastDeltaLength_ = 0;
    int32_t lastDeltaRunIndex_ = 0;
};

} // namespace velmo::model
