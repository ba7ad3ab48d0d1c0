#pragma once

#include "core/positions.h"
#include "model/fields/toc_generator_options.h"
#include "model/tab_formatting_info.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velmo::model {

class DocumentModel;
class Field;
class PieceTable;
class Paragraph;
struct InputPosition;

/// Builds the table of contents of a TOC field: collects the entries of the document's main
/// story (headings by outline level or listed style, TC fields, captions), places a hidden
/// "_Toc" bookmark on the paragraph of each entry (reusing one an earlier table placed there) and
/// writes one paragraph per entry into a result document: list number, text, separator and a
/// nested PAGEREF field to the bookmark, in the "TOC n" style of the entry's level.
class TocGenerator {
public:
    /// `field` is the TOC field, held by `pieceTable` of the document to list; what lies inside
    /// the field (its old table) is not listed. The story outlives the generator.
    TocGenerator(PieceTable& pieceTable, const Field& field, TocGeneratorOptions options);

    /// Writes the table into `target`, an empty document, and returns the PAGEREF fields written
    /// there. The bookmarks go into the source document as undoable steps; a failure takes them
    /// away again.
    std::vector<Field*> generate(DocumentModel& target);

    /// What a table of contents without entries shows.
    static constexpr std::u16string_view kNoEntriesText = u"No table of contents entries found.";

private:
    struct Entry {
        int32_t level = 1;
        std::u16string numberText; ///< list number and separator
        std::optional<TabInfo> numberTab;
        std::u16string text;
        ParagraphIndex paragraphIndex;
        bool showsPageNumber = true;
        std::u16string pageNumberPrefix; ///< \s sequence number and delimiter
    };
    [[nodiscard]] std::vector<Entry> collectEntries();
    /// The entries the paragraph's TC fields and caption give; notes the paragraph's \s sequence
    /// number.
    [[nodiscard]] std::vector<Entry> scanParagraphFields(const Paragraph& paragraph);
    /// The level the paragraph is listed at; 0 when it is not listed as a heading.
    [[nodiscard]] int32_t headingLevel(const Paragraph& paragraph);
    [[nodiscard]] Entry paragraphEntry(const Paragraph& paragraph, int32_t level) const;
    [[nodiscard]] bool showsPageNumber(int32_t level) const;
    [[nodiscard]] bool liesInsideTheField(RunIndex runIndex) const;

    void writeEntry(PieceTable& target, InputPosition& position, const Entry& entry, std::vector<Field*>& pageReferences);
    /// The name of the bookmark over the entry's paragraph, placed when there is none yet.
    [[nodiscard]] std::u16string bookmarkFor(ParagraphIndex paragraphIndex);
    [[nodiscard]] std::u16string unusedBookmarkName();
    /// The target's "TOC n" style, else a copy of the source's, else a new one.
    [[nodiscard]] int32_t tocStyleIndex(DocumentModel& target, int32_t level);
    /// Where the right tab before page numbers goes: the width between the page margins.
    [[nodiscard]] int32_t rightTabPosition() const;

    PieceTable& source_; // the main story of the document listed
    const PieceTable& fieldStory_;
    const Field& field_;
    TocGeneratorOptions options_;
    std::unordered_set<std::u16string> usedBookmarkNames_;
    /// "_Toc" bookmarks by the paragraph they cover.
    std::unordered_map<int32_t, std::u16string> paragraphBookmarks_;
    std::unordered_map<int32_t, int32_t> tocStyles_; // level -> style index in the target
    std::unordered_map<int32_t, int32_t> styleOutlineLevels_; // paragraph style index -> its outline level
    /// The \s sequence number and delimiter of the paragraphs reached so far.
    std::u16string pageNumberPrefix_;
};

} // namespace velmo::model
