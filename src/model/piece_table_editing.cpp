// The editing steps of a story: inserting text, marks and objects, deleting ranges, and
// splitting and joining runs. Each records history items and reports its change.
#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/character_properties.h"
#include "model/content_type.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/paragraph_history_items.h"
#include "model/paragraph_properties.h"
#include "model/property_modifiers.h"
#include "model/run_history_items.h"
#include "model/runs.h"
#include "model/tables/table.h"
#include "model/unsafe_document_model_editor.h"
#include "platform/font_coverage.h"

#include <unicode/utf16.h>

namespace velmo::model {

namespace {

DocumentModelChangeType changeTypeFor(RunKind kind) noexcept
{
    switch (kind) {
    case RunKind::Paragraph: return DocumentModelChangeType::InsertParagraph;
    case RunKind::Section: return DocumentModelChangeType::InsertSection;
    case RunKind::InlinePicture: return DocumentModelChangeType::InsertInlinePicture;
    case RunKind::InlineCustomObject: return DocumentModelChangeType::InsertInlineCustomObject;
    case RunKind::FloatingObjectAnchor: return DocumentModelChangeType::InsertFloatingObjectAnchor;
    case RunKind::FieldCodeStart: return DocumentModelChangeType::Fields;
    case RunKind::FieldCodeEnd: return DocumentModelChangeType::Fields;
    case RunKind::FieldResultEnd: return DocumentModelChangeType::Fields;
    case RunKind::Text: return DocumentModelChangeType::InsertText;
    case RunKind::FieldSymbol: return DocumentModelChangeType::InsertText;
    case RunKind::Separator: return DocumentModelChangeType::InsertText;
    case RunKind::LayoutDependentText: return DocumentModelChangeType::InsertText;
    case RunKind::FootNote: return DocumentModelChangeType::InsertText;
    case RunKind::EndNote: return DocumentModelChangeType::InsertText;
    }
    return DocumentModelChangeType::InsertText;
}

bool isMarkCharacter(char16_t character) noexcept
{
    return character == kParagraphMark || character == kSectionMark;
}

} // namespace

void PieceTable::validateInsertPosition(DocumentLogPosition logPosition) const
{
    if (logPosition.value() < 0 || logPosition > documentEndLogPosition())
        throw core::EditorException::invalidValue(logPosition.value(), "logPosition");
}

void PieceTable::insertText(DocumentLogPosition logPosition, std::u16string_view text)
{
    validateInsertPosition(logPosition);
    InputPosition position = createInputPosition(logPosition);
    insertText(position, text);
}

void PieceTable::insertText(InputPosition& position, std::u16string_view text)
{
    if (text.empty())
        return;
    validateInsertPosition(position.logPosition);
    for (const char16_t character : text) {
        if (isMarkCharacter(character))
            throw core::EditorException::invalidValue("paragraph or section mark", "text");
    }
    BatchUpdateScope batch(*documentModel_);
    if (!tryMergeText(position, text))
        insertRunAt(position, RunKind::Text, text);
}

bool PieceTable::tryMergeText(InputPosition& position, std::u16string_view text)
{
    LastInsertedRunInfo& info = documentModel_->lastInsertedRunInfo(*this);
    if (!info.run || info.logPosition != position.logPosition)
        return false;
    const int32_t runIndex = info.runIndex.value();
    const bool sameRun = runIndex >= 0 && runIndex < runs_.size() && runs_[runIndex].get() == info.run;
    if (!sameRun || info.run->kind() != RunKind::Text) {
        documentModel_->resetMerging();
        return false;
    }
    const TextRunBase& run = *runs_[runIndex];
    // Extending works only while the run's characters end where the new ones are appended.
    const bool formattingMatches = run.characterPropertiesIndex() == position.characterPropertiesIndex &&
                                   run.characterStyleIndex() == position.characterStyleIndex;
    if (!formattingMatches || run.startIndex() + run.length() != textBuffer_.length()) {
        documentModel_->resetMerging();
        return false;
    }
    (void)appendToTextBuffer(text);
    const auto length = static_cast<int32_t>(text.size());
    const ParagraphIndex paragraphIndex = run.paragraph().index();
    documentModel_->history().execute(std::make_unique<TextRunAppendTextHistoryItem>(
        *this, paragraphIndex, info.runIndex, length, info.historyItem));
    info.logPosition += length;
    position.logPosition += length;
    documentModel_->applyChanges(*this, DocumentModelChangeType::InsertText, info.runIndex, info.runIndex);
    return true;
}

void PieceTable::insertRunAt(InputPosition& position, RunKind kind, std::u16string_view text, int32_t noteIndex)
{
    const int32_t start = appendToTextBuffer(text);
    const auto length = static_cast<int32_t>(text.size());
    const RunIndex runIndex = splitRunAt(position.logPosition);
    const ParagraphIndex paragraphIndex = findParagraphIndex(position.logPosition);
    TextRunInsertedHistoryItem::Params params;
    params.kind = kind;
    params.paragraphIndex = paragraphIndex;
    params.runIndex = runIndex;
    params.startIndex = start;
    params.length = length;
    params.characterPropertiesIndex = position.characterPropertiesIndex;
    params.characterStyleIndex = position.characterStyleIndex;
    params.noteIndex = noteIndex;
    DocumentHistory& history = documentModel_->history();
    auto* item = static_cast<TextRunInsertedHistoryItem*>(
        history.execute(std::make_unique<TextRunInsertedHistoryItem>(*this, params)));
    if (kind == RunKind::Text) {
        LastInsertedRunInfo& info = documentModel_->lastInsertedRunInfo(*this);
        info.run = runs_[runIndex.value()].get();
        info.runIndex = runIndex;
        info.logPosition = position.logPosition + length;
        info.historyItem = item;
    } else {
        documentModel_->resetMerging();
    }
    position.logPosition += length;
    position.paragraphIndex = paragraphIndex;
    documentModel_->applyChanges(*this, changeTypeFor(kind), runIndex, runIndex);
}

void PieceTable::insertParagraph(DocumentLogPosition logPosition)
{
    validateInsertPosition(logPosition);
    InputPosition position = createInputPosition(logPosition);
    insertParagraph(position);
}

void PieceTable::insertParagraph(InputPosition& position, bool applyNextStyle)
{
    validateInsertPosition(position.logPosition);
    BatchUpdateScope batch(*documentModel_);
    documentModel_->resetMerging();
    const RunIndex markRunIndex = splitRunAt(position.logPosition);
    insertRunAt(position, RunKind::Paragraph, std::u16string_view(&kParagraphMark, 1));
    documentModel_->history().execute(
        std::make_unique<ParagraphInsertedHistoryItem>(*this, position.paragraphIndex, markRunIndex));
    position.paragraphIndex += 1;
    if (applyNextStyle)
        applyNextParagraphStyle(position.paragraphIndex);
}

void PieceTable::applyNextParagraphStyle(ParagraphIndex newParagraphIndex)
{
    // A paragraph started after the end of one whose style names a next style takes that style,
    // without the direct paragraph formatting it inherited.
    Paragraph& started = paragraph(newParagraphIndex);
    if (started.length() != 1)
        return;
    const auto& styles = documentModel_->styles().paragraphStyles();
    const int32_t styleIndex = paragraph(newParagraphIndex - 1).paragraphStyleIndex();
    if (!styles.isIndexValid(styleIndex))
        return;
    const ParagraphStyle* next = styles[styleIndex].nextParagraphStyle();
    const int32_t nextIndex = styles.indexOf(next);
    if (!next || nextIndex == styleIndex)
        return;
    setParagraphStyleIndex(newParagraphIndex, nextIndex);
    ParagraphProperties(started).resetAllUse();
}

void PieceTable::insertObjectRun(InputPosition& position, RunKind kind, char16_t character)
{
    if (kind == RunKind::Text || kind == RunKind::Paragraph || kind == RunKind::Section || kind == RunKind::FootNote ||
        kind == RunKind::EndNote)
        throw core::EditorException::invalidValue(runKindName(kind), "kind");
    // Floating objects inside a text box are not supported.
    if (kind == RunKind::FloatingObjectAnchor && contentType_->isTextBox())
        throw core::EditorException::internalError();
    validateInsertPosition(position.logPosition);
    const char16_t stored = character ? character : markCharacter(kind);
    if (stored == 0 || isMarkCharacter(stored))
        throw core::EditorException::invalidValue(static_cast<long long>(stored), "character");
    BatchUpdateScope batch(*documentModel_);
    insertRunAt(position, kind, std::u16string_view(&stored, 1));
    // A result end mark completes the field that the marks before it began.
    if (kind == RunKind::FieldResultEnd)
        (void)addFieldEndingAt(findPosition(position.logPosition - 1).runIndex);
}

void PieceTable::insertNoteReference(InputPosition& position, RunKind kind, int32_t noteIndex)
{
    if (kind != RunKind::FootNote && kind != RunKind::EndNote)
        throw core::EditorException::invalidValue(runKindName(kind), "kind");
    if (noteIndex < 0)
        throw core::EditorException::invalidValue(noteIndex, "noteIndex");
    validateInsertPosition(position.logPosition);
    BatchUpdateScope batch(*documentModel_);
    insertRunAt(position, kind, std::u16string_view(&kLayoutDependentMark, 1), noteIndex);
}

void PieceTable::insertPlainText(DocumentLogPosition logPosition, std::u16string_view text)
{
    validateInsertPosition(logPosition);
    BatchUpdateScope batch(*documentModel_);
    InputPosition position = createInputPosition(logPosition);
    size_t lineStart = 0;
    for (size_t index = 0; index <= text.size(); ++index) {
        const bool atEnd = index == text.size();
        if (!atEnd && text[index] != u'\r' && text[index] != u'\n' && text[index] != kSectionMark)
            continue;
        insertText(position, text.substr(lineStart, index - lineStart));
        if (atEnd)
            break;
        if (text[index] == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n')
            ++index;
        insertParagraph(position);
        lineStart = index + 1;
    }
}

RunIndex PieceTable::splitRunAt(DocumentLogPosition logPosition)
{
    const DocumentModelPosition position = findPosition(logPosition);
    if (position.runStartLogPosition == logPosition)
        return position.runIndex;
    splitTextRun(position.paragraphIndex, position.runIndex, logPosition - position.runStartLogPosition);
    return position.runIndex + 1;
}

void PieceTable::splitTextRun(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t offset)
{
    const TextRunBase& target = run(runIndex);
    if (offset <= 0 || offset >= target.length())
        throw core::EditorException::invalidValue(offset, "offset");
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<TextRunSplitHistoryItem>(*this, paragraphIndex, runIndex, offset));
    documentModel_->applyChanges(*this, DocumentModelChangeType::SplitRun, runIndex, runIndex + 1);
}

void PieceTable::joinTextRuns(ParagraphIndex paragraphIndex, RunIndex runIndex)
{
    const TextRunBase& head = run(runIndex);
    const TextRunBase& tail = run(runIndex + 1);
    if (head.kind() != RunKind::Text || tail.kind() != RunKind::Text || &head.paragraph() != &tail.paragraph())
        throw core::EditorException::internalError();
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<TextRunsJoinedHistoryItem>(*this, paragraphIndex, runIndex));
    documentModel_->applyChanges(*this, DocumentModelChangeType::JoinRun, runIndex, runIndex);
}

void PieceTable::tryToJoinRuns(const RunInfo& runInfo)
{
    BatchUpdateScope batch(*documentModel_);
    const ParagraphIndex firstParagraph = runInfo.normalizedStart.paragraphIndex;
    for (ParagraphIndex paragraphIndex = runInfo.normalizedEnd.paragraphIndex; paragraphIndex >= firstParagraph;
         --paragraphIndex) {
        const Paragraph& paragraph = this->paragraph(paragraphIndex);
        const RunIndex first = std::max(paragraph.firstRunIndex(), runInfo.normalizedStart.runIndex);
        // Never past the paragraph's mark.
        const RunIndex last = std::min(paragraph.lastRunIndex() - 1, runInfo.normalizedEnd.runIndex);
        for (RunIndex runIndex = last - 1; runIndex >= first; --runIndex) {
            if (run(runIndex).canJoinWith(&run(runIndex + 1)))
                joinTextRuns(paragraphIndex, runIndex);
        }
    }
}

void PieceTable::deleteContent(DocumentLogPosition logPosition, int32_t length)
{
    const DocumentLogPosition end = documentEndLogPosition();
    if (logPosition.value() < 0 || logPosition > end)
        throw core::EditorException::invalidValue(logPosition.value(), "logPosition");
    if (length < 0 || static_cast<int64_t>(logPosition.value()) + length > static_cast<int64_t>(end.value()) + 1)
        throw core::EditorException::invalidValue(length, "length");
    length = std::min(length, end - logPosition); // the story's last mark stays
    if (length == 0)
        return;
    BatchUpdateScope batch(*documentModel_);
    documentModel_->resetMerging();
    const DocumentLogPosition rangeEnd = logPosition + length; // exclusive
    removeTablesInside(logPosition, rangeEnd);
    (void)splitRunAt(rangeEnd);
    const RunIndex firstRun = splitRunAt(logPosition);
    deleteBookmarksInside(logPosition, rangeEnd);
    const ParagraphIndex firstParagraph = findParagraphIndex(logPosition);
    // A field that lies only partly inside the range keeps its marks (and so stays a field).
    const std::vector<RunIndex> keptMarks = marksOfFieldsCrossing(firstRun, findPosition(rangeEnd - 1).runIndex);
    for (ParagraphIndex paragraphIndex = findParagraphIndex(rangeEnd - 1); paragraphIndex >= firstParagraph;
         --paragraphIndex) {
        const Paragraph& paragraph = this->paragraph(paragraphIndex);
        const DocumentLogPosition from = std::max(logPosition, paragraph.logPosition());
        const DocumentLogPosition to = std::min(rangeEnd, paragraph.endLogPosition());
        const bool deletesMark = paragraph.endLogPosition() < rangeEnd;
        if (from < to) {
            const RunIndex fromRun = findRunStartLogPosition(paragraph, from).runIndex;
            int32_t runCount = 0;
            for (int32_t covered = 0; covered < to - from; ++runCount)
                covered += run(fromRun + runCount).length();
            // From the back, so that the kept marks before a deleted piece keep their indices.
            RunIndex pieceEnd = fromRun + runCount; // exclusive
            for (auto kept = keptMarks.rbegin(); kept != keptMarks.rend(); ++kept) {
                if (*kept >= pieceEnd || *kept < fromRun)
                    continue;
                if (*kept + 1 < pieceEnd)
                    UnsafeDocumentModelEditor(*this).deleteRuns(paragraphIndex, *kept + 1, pieceEnd - (*kept + 1));
                pieceEnd = *kept;
            }
            if (fromRun < pieceEnd)
                UnsafeDocumentModelEditor(*this).deleteRuns(paragraphIndex, fromRun, pieceEnd - fromRun);
        }
        // A mark between two cells (or a cell and the text around its table) stays, so that
        // tables keep their shape; only the content before it goes.
        if (deletesMark && tableCellsManager_.cell(paragraphIndex) == tableCellsManager_.cell(paragraphIndex + 1))
            mergeParagraphWithNext(paragraphIndex, paragraphIndex > firstParagraph);
    }
    documentModel_->applyChanges(*this, DocumentModelChangeType::DeleteContent, firstRun, firstRun);
}

void PieceTable::removeTablesInside(DocumentLogPosition start, DocumentLogPosition end)
{
    std::vector<Table*> inside;
    for (const auto& table : tableCellsManager_.tables()) {
        const DocumentLogPosition tableStart = paragraph(table->startParagraphIndex()).logPosition();
        const DocumentLogPosition tableEnd = paragraph(table->endParagraphIndex()).endLogPosition() + 1;
        if (start <= tableStart && tableEnd <= end)
            inside.push_back(table.get());
    }
    for (Table* table : inside)
        removeTableStructure(*table);
}

void PieceTable::replaceText(DocumentLogPosition position, int32_t length, std::u16string_view text)
{
    if (position.value() < 0)
        throw core::EditorException::invalidPosition(position.value());
    BatchUpdateScope batch(*documentModel_);
    // Inserted after the replaced text, the new text takes that text's formatting.
    insertPlainText(position + length, text);
    deleteContent(position, length);
}

DocumentLogPosition PieceTable::validateFormattingRange(DocumentLogPosition start, int32_t length) const
{
    const DocumentLogPosition end = documentEndLogPosition();
    if (start.value() < 0 || start > end)
        throw core::EditorException::invalidValue(start.value(), "logPositionStart");
    // The range may take in the story's last paragraph mark, nothing after it.
    if (length <= 0 || static_cast<int64_t>(start.value()) + length > static_cast<int64_t>(end.value()) + 1)
        throw core::EditorException::invalidValue(length, "length");
    return start + length;
}

void PieceTable::applyCharacterFormatting(DocumentLogPosition start, int32_t length, const RunPropertyModifierBase& modifier)
{
    const DocumentLogPosition rangeEnd = validateFormattingRange(start, length);
    BatchUpdateScope batch(*documentModel_);
    documentModel_->resetMerging();
    if (rangeEnd <= documentEndLogPosition())
        (void)splitRunAt(rangeEnd);
    const RunIndex firstRun = splitRunAt(start);
    RunIndex lastRun = firstRun;
    for (int32_t covered = 0;; ++lastRun) {
        modifier.modifyTextRun(*this, lastRun);
        covered += run(lastRun).length();
        if (covered >= length)
            break;
    }
    // Neighbours outside the range may now match too.
    const RunIndex joinFirst(std::max(firstRun.value() - 1, 0));
    const RunIndex joinLast(std::min(lastRun.value() + 1, runCount() - 1));
    RunInfo joinRange;
    joinRange.normalizedStart = findPosition(runLogPosition(joinFirst));
    joinRange.normalizedStart.runIndex = joinFirst;
    joinRange.normalizedEnd = findPosition(runLogPosition(joinLast));
    joinRange.normalizedEnd.runIndex = joinLast;
    tryToJoinRuns(joinRange);
}

void PieceTable::applyCharacterStyle(DocumentLogPosition start, int32_t length, int32_t styleIndex)
{
    applyCharacterFormatting(start, length, RunCharacterStyleModifier(styleIndex));
}

void PieceTable::applyParagraphFormatting(DocumentLogPosition start, int32_t length,
                                          const ParagraphPropertyModifierBase& modifier)
{
    const DocumentLogPosition rangeEnd = validateFormattingRange(start, length);
    BatchUpdateScope batch(*documentModel_);
    const ParagraphIndex last = findParagraphIndex(rangeEnd - 1);
    for (ParagraphIndex paragraphIndex = findParagraphIndex(start); paragraphIndex <= last; ++paragraphIndex)
        modifier.modifyParagraph(*this, paragraphIndex);
}

void PieceTable::applyParagraphStyle(DocumentLogPosition start, int32_t length, int32_t styleIndex)
{
    applyParagraphFormatting(start, length, ParagraphStyleModifier(styleIndex));
}

void PieceTable::mergeParagraphWithNext(ParagraphIndex paragraphIndex, bool wholeParagraphDeleted)
{
    UnsafeDocumentModelEditor editor(*this);
    const bool firstGoes = applyMergeNumberingRules(paragraphIndex, wholeParagraphDeleted);
    const RunIndex markRunIndex = paragraph(paragraphIndex).lastRunIndex();
    if (run(markRunIndex).kind() == RunKind::Section)
        editor.deleteSections(documentModel_->lookupSectionIndexByParagraphIndex(paragraphIndex), 1);
    editor.deleteRuns(paragraphIndex, markRunIndex, 1);
    editor.mergeParagraphs(paragraphIndex, !firstGoes);
}

void PieceTable::splitRunByCharset(RunIndex runIndex)
{
    const platform::IFontCoverage* coverage = documentModel_->fontCoverage();
    if (!coverage || !documentModel_->useFontSubstitution() || runIndex.value() >= runs_.size())
        return;
    const TextRunBase& target = run(runIndex);
    if (target.kind() != RunKind::Text)
        return;
    auto& cache = documentModel_->cache().characterFormattingCache();
    const int32_t propertiesIndex = target.characterPropertiesIndex();
    const std::u16string fontName = mergedCharacterFormatting(runIndex).fontName();
    const std::u16string text = runText(runIndex);

    // Where the chosen font changes, and which font each part gets.
    struct Part {
        int32_t offset;
        std::u16string fontName;
    };
    std::vector<Part> parts;
    bool lacksAny = false;
    for (int32_t offset = 0; offset < static_cast<int32_t>(text.size());) {
        const int32_t start = offset;
        UChar32 character = 0;
        U16_NEXT(text.data(), offset, static_cast<int32_t>(text.size()), character);
        std::u16string chosen = fontName;
        if (!coverage->containsCharacter(fontName, static_cast<char32_t>(character))) {
            lacksAny = true;
            std::u16string substitute = coverage->substituteFont(fontName, static_cast<char32_t>(character));
            if (!substitute.empty())
                chosen = std::move(substitute);
        }
        if (parts.empty() || parts.back().fontName != chosen)
            parts.push_back(Part{start, std::move(chosen)});
    }
    if (!lacksAny || (parts.size() == 1 && parts.front().fontName == fontName))
        return;

    BatchUpdateScope batch(*documentModel_);
    const ParagraphIndex paragraphIndex = target.paragraph().index();
    onBeginMultipleRunSplit();
    // Right to left, so that part k ends up at runIndex + k.
    for (size_t part = parts.size() - 1; part > 0; --part)
        splitTextRun(paragraphIndex, runIndex, parts[part].offset);
    onEndMultipleRunSplit();
    for (size_t part = 0; part < parts.size(); ++part) {
        if (parts[part].fontName == fontName)
            continue;
        CharacterFormattingBase properties = cache[propertiesIndex];
        properties.setFontName(parts[part].fontName);
        const RunIndex partRun = runIndex + static_cast<int32_t>(part);
        documentModel_->history().execute(std::make_unique<CharacterPropertiesIndexChangedHistoryItem>(
            *this, partRun, propertiesIndex, cache.add(properties), CharacterPropertiesTraits::kAllChangeActions));
    }
}

} // namespace velmo::model
