#pragma once

#include "core/positions.h"

#include <cstdint>

namespace velmo::model {

class PieceTable;

/// The recorded low-level steps that readers and editing operations build on; each call executes
/// one history item in one story. A step keeps the bookkeeping of paragraphs, runs and sections
/// but not the model's invariants across steps (a paragraph may lack its mark between a deletion
/// and a merge): the caller restores them before its batch ends.
class UnsafeDocumentModelEditor {
public:
    explicit UnsafeDocumentModelEditor(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}

    /// Removes `count` runs of one paragraph, marks included.
    void deleteRuns(ParagraphIndex paragraphIndex, RunIndex firstRunIndex, int32_t count);
    /// Moves the next paragraph's runs into a paragraph whose mark was deleted.
    void mergeParagraphs(ParagraphIndex firstParagraphIndex, bool useFirstParagraphStyle);
    /// Splits the section holding `lastParagraphIndex` so that a new one ends there.
    void insertSection(SectionIndex sectionIndex, ParagraphIndex lastParagraphIndex);
    /// Removes sections; each following section takes over the removed one's paragraphs.
    void deleteSections(SectionIndex firstSectionIndex, int32_t count);
    void replaceParagraphRunWithSectionRun(RunIndex runIndex);
    void replaceSectionRunWithParagraphRun(RunIndex runIndex);

private:
    PieceTable& pieceTable_; // outlives the editor
};

} // namespace velmo::model
