#pragma once

#include "core/positions.h"
#include "model/copy_paste_options.h"
#include "model/input_position.h"
#include "model/numbering/numbering_list_copier.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velmo::model {

class DocumentModel;
class Paragraph;
class PieceTable;
class Section;

/// Copies runs of a story of one document into a story of another (or the same) document, at a
/// target position that advances past what was copied. Equal source formattings become one
/// target formatting; styles are matched by name or copied. A paragraph copied from its start keeps
/// its own list: the source's lists come over as new lists of the target. Whole fields come over as
/// fields, links with their records.
class DocumentModelCopyManager {
public:
    DocumentModelCopyManager(const PieceTable& source, PieceTable& target, DocumentLogPosition targetPosition,
                             InsertOptions options);

    [[nodiscard]] FormattingCopyOptions formattingCopyOptions() const noexcept { return formattingCopyOptions_; }
    [[nodiscard]] ParagraphNumerationCopyOptions paragraphNumerationCopyOptions() const noexcept
    {
        return paragraphNumerationCopyOptions_;
    }
    [[nodiscard]] DocumentLogPosition targetPosition() const noexcept { return position_.logPosition; }
    /// Copies the source runs first..last (inclusive), each as a run of its own.
    void copyRuns(RunIndex first, RunIndex last);
    /// Copies the source characters [start, start + length): a text run cut by an end gives the
    /// part inside.
    void copyRange(DocumentLogPosition start, int32_t length);
    /// Lays tables over the copied paragraphs wherever a source table was copied whole (after
    /// copyRuns); the paragraphs of a table copied in part stay plain paragraphs.
    void copyTables();
    /// Gives a target paragraph the source paragraph's style, formatting and own list.
    void copyParagraphFormatting(const Paragraph& source, ParagraphIndex targetIndex);
    /// Creates in the target the source bookmarks lying wholly in what copyRuns() copied (after
    /// it), at the places their text went, named as the target's name rules say
    /// (bookmarks/bookmark_copy.cpp).
    void copyBookmarks();

private:
    /// Where a copied source run went in the target.
    struct CopiedRun {
        DocumentLogPosition sourceStart;
        int32_t sourceLength = 0;
        DocumentLogPosition targetStart;
        DocumentLogPosition targetEnd; // equal to the start when nothing was inserted for it
    };

    /// Where the text at a source position went; positions are inside or at the end of what was copied.
    [[nodiscard]] DocumentLogPosition targetPositionOf(DocumentLogPosition sourcePosition) const;
    /// Copies runs first..last, of the first text run only its characters from `firstOffset` on
    /// and of the last only those before `lastEnd` (-1: all).
    void copyRunsCore(RunIndex first, RunIndex last, int32_t firstOffset, int32_t lastEnd);
    void copyRun(RunIndex runIndex, int32_t offset, int32_t end);
    void copyTextRun(RunIndex runIndex, int32_t offset, int32_t end);
    void copyLayoutDependentRun(RunIndex runIndex);
    void copyParagraphMark(RunIndex runIndex);
    void copySectionMark(RunIndex runIndex);
    void copyNoteReference(RunIndex runIndex);
    /// Gives the copies of the source's whole link fields among runs first..last the links'
    /// records (hyperlinks/hyperlink_copy.cpp).
    void copyHyperlinkInfos(RunIndex first, RunIndex last);
    void copyNumbering(const Paragraph& source, ParagraphIndex targetIndex);
    /// With KeepSourceFormatting, sets directly what the target's styles show differently.
    void keepSourceLook(RunIndex sourceRun, RunIndex targetRun);
    void takeRunFormatting(RunIndex sourceRun);

    [[nodiscard]] int32_t targetCharacterProperties(int32_t sourceIndex);
    [[nodiscard]] int32_t targetParagraphProperties(int32_t sourceIndex);
    [[nodiscard]] int32_t targetCharacterStyle(int32_t sourceIndex);
    [[nodiscard]] int32_t targetParagraphStyle(int32_t sourceIndex);

    const PieceTable& source_;
    PieceTable& target_;
    const DocumentModel& sourceDocument_;
    DocumentModel& targetDocument_;
    InputPosition position_;
    FormattingCopyOptions formattingCopyOptions_;
    ParagraphNumerationCopyOptions paragraphNumerationCopyOptions_;
    InsertOptions insertOptions_;
    std::unordered_map<int32_t, int32_t> characterProperties_;
    std::unordered_map<int32_t, int32_t> paragraphProperties_;
    std::unordered_map<int32_t, int32_t> characterStyles_;
    std::unordered_map<int32_t, int32_t> paragraphStyles_;
    std::unordered_map<int32_t, int32_t> copiedParagraphs_; // source paragraph -> target paragraph, whole ones
    NumberingListCopier numberingLists_;
    /// Whether the source paragraph being copied was taken from its first run on.
    bool sourceParagraphCopiedFromStart_ = true;
    std::vector<CopiedRun> copiedRuns_; // in source order

};

/// Appends the content of `source` to `target`, a story of the same document (for instance a
/// header made separate from the one it was linked to), as undoable steps.
void copyStoryContent(const PieceTable& source, PieceTable& target);

/// Takes over every page-setup record of `source` (possibly of another document) as undoable steps.
void copySectionProperties(const Section& source, Section& target);

} // namespace velmo::model
