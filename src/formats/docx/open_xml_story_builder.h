#pragma once

#include "core/positions.h"
#include "formats/docx/open_xml_bookmark_collector.h"
#include "model/input_position.h"
#include "model/numbering/numbering_list_index.h"
#include "model/pictures/paragraph_frames.h"
#include "model/run_base.h"
#include "model/tables/table_properties_info.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velmo::model {
class DocumentModel;
class PieceTable;
class Table;
}

namespace velmo::formats {

/// How a paragraph read from a part ends: its style and formatting (cache indices) and whether
/// its mark ends a section.
struct OpenXmlParagraphEnd {
    int32_t styleIndex = 0;
    int32_t propertiesIndex = 0;
    int32_t tabsIndex = 0;
    int32_t markPropertiesIndex = 0;
    int32_t markStyleIndex = 0;
    /// The paragraph's own frame in the frame formatting cache, or the no-frame mark.
    int32_t frameIndex = model::kNoFrameProperties;
    bool endsSection = false;
    /// The list the paragraph itself is an item of (an index of the document's lists, or the
    /// not-set and no-numbering marks) and its level.
    int32_t numberingListIndex = model::kNumberingListIndexNotSet;
    int32_t listLevelIndex = 0;
};

/// Fills one story from the start: text, marks, paragraphs, section breaks, fields and tables in
/// reading order. A paragraph's mark is inserted only when more content follows, so the last
/// paragraph read becomes the story's own last paragraph instead of leaving an empty one behind
/// (a table at the end of a story keeps the empty paragraph after it).
class OpenXmlStoryBuilder {
public:
    /// Fields nest at most this deep; deeper field characters are ignored in pairs.
    static constexpr int32_t kMaxFieldDepth = 64;
    /// Table cells one story, and one row, hold at most; rows and cells beyond go in as plain
    /// paragraphs. (Repairs of a row cost time that grows with the square of its cells.)
    static constexpr int64_t kMaxTableCells = 1'000'000;
    static constexpr size_t kMaxCellsPerRow = 1'000;

    explicit OpenXmlStoryBuilder(model::PieceTable& pieceTable);
    ~OpenXmlStoryBuilder();
    OpenXmlStoryBuilder(const OpenXmlStoryBuilder&) = delete;
    OpenXmlStoryBuilder& operator=(const OpenXmlStoryBuilder&) = delete;

    [[nodiscard]] model::PieceTable& pieceTable() const noexcept { return *pieceTable_; }
    /// The formatting of the text and marks inserted next.
    void setCharacterFormatting(int32_t propertiesIndex, int32_t styleIndex) noexcept
    {
        position_.characterPropertiesIndex = propertiesIndex;
        position_.characterStyleIndex = styleIndex;
    }
    void insertText(std::u16string_view text);
    /// A mark or object run (field marks, separators).
    void insertMark(model::RunKind kind);
    void insertNoteReference(model::RunKind kind, int32_t noteIndex);
    /// Where an object (a picture, a floating-object anchor) goes in next, for callers that insert
    /// it themselves; the position moves past what they insert.
    [[nodiscard]] model::InputPosition& objectInsertionPosition();

    /// Where content read next goes (after the mark of a paragraph waiting for one).
    [[nodiscard]] DocumentLogPosition currentLogPosition() const noexcept
    {
        return position_.logPosition + (pending_ ? 1 : 0);
    }
    /// The story's bookmark marks, made into bookmarks by finish().
    [[nodiscard]] OpenXmlBookmarkCollector& bookmarks() noexcept { return bookmarks_; }

    void beginField();
    void separateField();
    void endField();
    /// Inside a field's code (between its begin and separator).
    [[nodiscard]] bool isInFieldCode() const noexcept { return !fields_.empty() && !fields_.back(); }

    /// Whether a paragraph ending here may end a section: main story, outside tables.
    [[nodiscard]] bool canEndSection() const noexcept;
    void endParagraph(const OpenXmlParagraphEnd& end);
    /// Ends an empty paragraph of its own where content that comes later (an alternative-format
    /// chunk) is to go, and returns the position of its start.
    DocumentLogPosition insertPlaceholderParagraph();

    /// False when the table would nest too deep: its content then goes in as plain paragraphs of
    /// the enclosing cell, and the row and cell calls up to the matching endTable() do nothing.
    bool beginTable();
    void beginRow(int32_t propertiesIndex, int32_t exceptionIndex);
    void beginCell(const model::TableCellPropertiesInfo& properties);
    void endCell();
    void endRow();
    /// `grid` holds the column widths; with a fixed layout cells without a width get the sum of
    /// the grid columns they span.
    void endTable(int32_t styleIndex, int32_t propertiesIndex, const std::vector<int32_t>& grid);

    /// Closes open fields, gives the story's last paragraph the last paragraph's formatting and
    /// creates the bookmarks read. Returns whether that paragraph wanted to end a section (its
    /// section is then the last one).
    bool finish();

private:
    struct CellInProgress {
        ParagraphIndex start;
        ParagraphIndex end;
        model::TableCellPropertiesInfo properties;
        int64_t paragraphsBefore = 0;
    };
    struct RowInProgress {
        int32_t propertiesIndex = 0;
        int32_t exceptionIndex = 0;
        std::vector<CellInProgress> cells;
    };
    struct TableInProgress {
        std::vector<RowInProgress> rows;
        bool full = false;     // no more rows or cells are taken (kMaxTableCells, kMaxCellsPerRow)
        bool cellOpen = false; // a cell taken is being read
    };

    /// Inserts the mark of the paragraph waiting for one.
    void flushPendingParagraph();
    void applyParagraphEnd(ParagraphIndex paragraphIndex, const OpenXmlParagraphEnd& end);
    [[nodiscard]] bool isRecordingCells() const noexcept { return flattenedTables_ == 0 && !tables_.empty(); }

    model::PieceTable* pieceTable_;
    model::DocumentModel* documentModel_;
    model::InputPosition position_;
    std::optional<OpenXmlParagraphEnd> pending_;
    ParagraphIndex lastEndedParagraph_{-1};
    int64_t paragraphsEnded_ = 0;
    size_t lastParagraphTableDepth_ = 0; // the table depth the last ended paragraph was read at
    std::vector<bool> fields_;            // open fields: whether each has passed its separator
    int32_t ignoredFields_ = 0;
    std::vector<TableInProgress> tables_;
    int32_t flattenedTables_ = 0;
    int64_t tableCells_ = 0;
    /// Tables read, innermost first, handed to the story at the end: a story that knows its
    /// tables pays for them at every paragraph inserted.
    std::vector<std::unique_ptr<model::Table>> finishedTables_;
    OpenXmlBookmarkCollector bookmarks_;
};

} // namespace velmo::formats
