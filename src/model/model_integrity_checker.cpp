#include "model/model_integrity_checker.h"

#include "core/editor_exception.h"
#include "model/bookmarks/bookmark_integrity.h"
#include "model/document_model.h"
#include "model/fields/field_integrity.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"
#include "model/pictures/picture_integrity.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tables/table.h"

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

/// Every paragraph refers to a list the document has (or to none) at a level 0-8, and every
/// list counts the paragraphs that refer to it.
void checkNumbering(const DocumentModel& documentModel, ProblemList& problems)
{
    const DocumentNumbering& numbering = documentModel.numbering();
    std::vector<int32_t> referring(static_cast<size_t>(numbering.numberingListCount()), 0);
    for (const PieceTable* pieceTable : documentModel.pieceTables(true)) {
        for (int32_t index = 0; index < pieceTable->paragraphCount(); ++index) {
            const Paragraph& paragraph = pieceTable->paragraph(ParagraphIndex(index));
            const int32_t listIndex = paragraph.ownNumberingListIndex();
            if (listIndex == kNumberingListIndexNotSet || listIndex == kNumberingListIndexNoNumbering)
                continue;
            if (!numbering.isValidNumberingListIndex(listIndex)) {
                problems.add("paragraph ", index, " refers to list ", listIndex, " of ", numbering.numberingListCount());
                continue;
            }
            ++referring[static_cast<size_t>(listIndex)];
            if (!isListLevelIndexValid(paragraph.ownListLevelIndex()))
                problems.add("paragraph ", index, " is at list level ", paragraph.ownListLevelIndex());
        }
    }
    for (int32_t index = 0; index < numbering.numberingListCount(); ++index) {
        const NumberingList& list = numbering.numberingList(index);
        if (!numbering.abstractNumberingListOf(index))
            problems.add("list ", index, " refers to abstract list ", list.abstractNumberingListIndex());
        if (list.referringParagraphsCount() != referring[static_cast<size_t>(index)])
            problems.add("list ", index, " counts ", list.referringParagraphsCount(), " paragraphs, ",
                         referring[static_cast<size_t>(index)], " refer to it");
    }
}

} // namespace

void checkTables(const PieceTable& pieceTable, ProblemList& problems)
{
    const TableCellsManager& manager = pieceTable.tableCellsManager();
    for (int32_t tableIndex = 0; tableIndex < manager.tableCount(); ++tableIndex) {
        const Table& table = *manager.tables()[static_cast<size_t>(tableIndex)];
        const std::string name = "table " + std::to_string(tableIndex);
        if (table.index() != tableIndex)
            problems.add(name, " has index ", table.index());
        if (table.rowCount() == 0) {
            problems.add(name, " has no row");
            continue;
        }
        const int32_t expectedLevel = table.parentCell() ? table.parentCell()->table().nestedLevel() + 1 : 0;
        if (table.nestedLevel() != expectedLevel || table.nestedLevel() >= kMaxTableNestingLevel)
            problems.add(name, " has nesting level ", table.nestedLevel(), " instead of ", expectedLevel);
        int32_t expectedStart = table.startParagraphIndex().value();
        table.forEachCell([&](const TableCell& cell) {
            const std::string cellName = name + " cell " + std::to_string(cell.rowIndex()) + "/" + std::to_string(cell.indexInRow());
            const int32_t start = cell.startParagraphIndex().value();
            const int32_t end = cell.endParagraphIndex().value();
            if (start != expectedStart)
                problems.add(cellName, " starts at paragraph ", start, " instead of ", expectedStart);
            if (end < start || end >= pieceTable.paragraphCount())
                problems.add(cellName, " covers paragraphs ", start, "..", end);
            else if (manager.cellByNestingLevel(cell.startParagraphIndex(), table.nestedLevel()) != &cell)
                problems.add(cellName, " is not found from its first paragraph");
            expectedStart = end + 1;
        });
        for (int32_t rowIndex = 0; rowIndex < table.rowCount(); ++rowIndex) {
            if (table.row(rowIndex).cellCount() == 0)
                problems.add(name, " row ", rowIndex, " has no cell");
        }
    }
}

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
    checkTables(pieceTable, problems);
    std::vector<std::string> pictureProblems = findPictureProblems(pieceTable);
    result.insert(result.end(), pictureProblems.begin(), pictureProblems.end());
    std::vector<std::string> bookmarkProblems = findBookmarkProblems(pieceTable);
    result.insert(result.end(), bookmarkProblems.begin(), bookmarkProblems.end());
    std::vector<std::string> fieldProblems = findFieldProblems(pieceTable);
    result.insert(result.end(), fieldProblems.begin(), fieldProblems.end());
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
    checkNumbering(documentModel, problems);
    return result;
}

} // namespace velmo::model
