#include "model/model_integrity_checker.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/section.h"

#include <string>

namespace velmo::model {

namespace {

class ProblemList {
public:
    explicit ProblemList(std::vector<std::string>& problems) : problems_(problems) {}
    template <typename... Parts>
    void add(const Parts&... parts)
    {
        std::string message;
        (message.append(toText(parts)), ...);
        problems_.push_back(std::move(message));
    }

private:
    static std::string toText(const char* text) { return text; }
    static std::string toText(const std::string& text) { return text; }
    static std::string toText(int32_t value) { return std::to_string(value); }
    std::vector<std::string>& problems_;
};

void checkRuns(const PieceTable& pieceTable, ProblemList& problems)
{
    const ChunkedStringBuilder& buffer = pieceTable.textBuffer();
    int32_t expectedRun = 0;
    int32_t expectedPosition = 0;
    for (int32_t index = 0; index < pieceTable.paragraphCount(); ++index) {
        const Paragraph& paragraph = pieceTable.paragraph(ParagraphIndex(index));
        if (paragraph.index().value() != index)
            problems.add("paragraph ", index, " reports index ", paragraph.index().value());
        if (paragraph.firstRunIndex().value() != expectedRun)
            problems.add("paragraph ", index, " starts at run ", paragraph.firstRunIndex().value(), ", expected ", expectedRun);
        if (paragraph.logPosition().value() != expectedPosition)
            problems.add("paragraph ", index, " starts at ", paragraph.logPosition().value(), ", expected ", expectedPosition);
        if (paragraph.runCount() < 1 || paragraph.length() < 1) {
            problems.add("paragraph ", index, " has no runs");
            return;
        }
        int32_t length = 0;
        for (int32_t offset = 0; offset < paragraph.runCount(); ++offset) {
            const int32_t runIndex = expectedRun + offset;
            if (runIndex >= pieceTable.runCount()) {
                problems.add("paragraph ", index, " claims runs past the end of the run array");
                return;
            }
            const TextRunBase& run = pieceTable.run(RunIndex(runIndex));
            if (&run.paragraph() != &paragraph)
                problems.add("run ", runIndex, " points to another paragraph than ", index);
            if (run.length() < 1)
                problems.add("run ", runIndex, " has length ", run.length());
            if (run.startIndex() < 0 || run.startIndex() + run.length() > buffer.length())
                problems.add("run ", runIndex, " lies outside the text buffer");
            const bool isLast = offset == paragraph.runCount() - 1;
            if (run.isMarkRun() != isLast)
                problems.add("run ", runIndex, isLast ? " ends paragraph " : " is a mark inside paragraph ", index);
            const char16_t mark = markCharacter(run.kind());
            if (mark != 0 && (run.length() != 1 || buffer.at(run.startIndex()) != mark))
                problems.add("run ", runIndex, " does not store its mark character");
            if (run.kind() == RunKind::Text) {
                for (int32_t unit = 0; unit < run.length(); ++unit) {
                    const char16_t character = buffer.at(run.startIndex() + unit);
                    if (character == kParagraphMark || character == kSectionMark)
                        problems.add("text run ", runIndex, " holds a mark character");
                }
            }
            length += run.length();
        }
        if (length != paragraph.length())
            problems.add("paragraph ", index, " has length ", paragraph.length(), " but its runs ", length);
        expectedRun += paragraph.runCount();
        expectedPosition += paragraph.length();
    }
    if (expectedRun != pieceTable.runCount())
        problems.add("paragraphs cover ", expectedRun, " runs of ", pieceTable.runCount());
    const TextRunBase& lastMark = pieceTable.run(RunIndex(pieceTable.runCount() - 1));
    if (lastMark.kind() != RunKind::Paragraph)
        problems.add("the story does not end with a paragraph mark");
}

void checkSections(const DocumentModel& documentModel, ProblemList& problems)
{
    const PieceTable& main = documentModel.mainPieceTable();
    int32_t expectedFirst = 0;
    for (int32_t index = 0; index < documentModel.sectionCount(); ++index) {
        const Section& section = documentModel.section(SectionIndex(index));
        const int32_t first = section.firstParagraphIndex().value();
        const int32_t last = section.lastParagraphIndex().value();
        if (first != expectedFirst || last < first || last >= main.paragraphCount()) {
            problems.add("section ", index, " covers paragraphs ", first, "..", last, ", expected to start at ", expectedFirst);
            return;
        }
        const bool isLastSection = index == documentModel.sectionCount() - 1;
        for (int32_t paragraphIndex = first; paragraphIndex <= last; ++paragraphIndex) {
            const Paragraph& paragraph = main.paragraph(ParagraphIndex(paragraphIndex));
            const bool endsWithSectionMark = main.run(paragraph.lastRunIndex()).kind() == RunKind::Section;
            const bool wantsSectionMark = paragraphIndex == last && !isLastSection;
            if (endsWithSectionMark != wantsSectionMark)
                problems.add("paragraph ", paragraphIndex, wantsSectionMark ? " should end section " : " has a stray section mark in section ", index);
        }
        expectedFirst = last + 1;
    }
    if (expectedFirst != main.paragraphCount())
        problems.add("sections cover ", expectedFirst, " paragraphs of ", main.paragraphCount());
}

} // namespace

std::vector<std::string> findIntegrityProblems(const PieceTable& pieceTable)
{
    std::vector<std::string> result;
    ProblemList problems(result);
    if (pieceTable.paragraphCount() < 1) {
        problems.add("the story has no paragraph");
        return result;
    }
    try {
        pieceTable.paragraphs().checkIntegrity();
    } catch (const core::EditorException&) {
        problems.add("the paragraph tree's relative offsets are inconsistent");
        return result;
    }
    checkRuns(pieceTable, problems);
    return result;
}

std::vector<std::string> findIntegrityProblems(const DocumentModel& documentModel)
{
    std::vector<std::string> result;
    for (const PieceTable* pieceTable : documentModel.pieceTables(true)) {
        std::vector<std::string> storyProblems = findIntegrityProblems(*pieceTable);
        result.insert(result.end(), storyProblems.begin(), storyProblems.end());
    }
    if (!result.empty())
        return result;
    ProblemList problems(result);
    checkSections(documentModel, problems);
    return result;
}

} // namespace velmo::model
