#include "model/document_model_copy_manager.h"

#include "model/character_properties.h"
#include "model/content_type.h"
#include "model/document_model.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/paragraph_frames.h"
#include "model/pictures/picture_copy.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/tab_properties.h"
#include "model/document_history.h"
#include "model/tables/table.h"
#include "model/tables/table_history_items.h"

#include <algorithm>

namespace velmo::model {

DocumentModelCopyManager::DocumentModelCopyManager(const PieceTable& source, PieceTable& target,
                                                   DocumentLogPosition targetPosition, InsertOptions options)
    : source_(source), target_(target), sourceDocument_(source.documentModel()), targetDocument_(target.documentModel()),
      position_(target.createInputPosition(targetPosition)), formattingCopyOptions_(formattingCopyOptionsFor(options)),
      paragraphNumerationCopyOptions_(paragraphNumerationCopyOptionsFor(options)), insertOptions_(options),
      numberingLists_(sourceDocument_, targetDocument_)
{
}

void DocumentModelCopyManager::copyRuns(RunIndex first, RunIndex last)
{
    copyRunsCore(first, last, 0, -1);
}

void DocumentModelCopyManager::copyRange(DocumentLogPosition start, int32_t length)
{
    if (length <= 0)
        return;
    const RunInfo range = source_.findRunInfo(start, length);
    const int32_t firstOffset = start - range.normalizedStart.runStartLogPosition;
    const int32_t lastEnd = (start + length) - range.normalizedEnd.runStartLogPosition;
    copyRunsCore(range.normalizedStart.runIndex, range.normalizedEnd.runIndex, firstOffset, lastEnd);
}

void DocumentModelCopyManager::copyRunsCore(RunIndex first, RunIndex last, int32_t firstOffset, int32_t lastEnd)
{
    BatchUpdateScope batch(targetDocument_);
    sourceParagraphCopiedFromStart_ = source_.run(first).paragraph().firstRunIndex() == first;
    // Part of a field comes over as its text: its marks alone would make no field.
    const std::vector<RunIndex> partialFieldMarks = source_.marksOfFieldsCrossing(first, last);
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        // Every source run becomes a run of its own: nothing merges into the run typed before.
        targetDocument_.resetMerging();
        const int32_t offset = runIndex == first ? firstOffset : 0;
        const int32_t end = runIndex == last && lastEnd >= 0 ? lastEnd : source_.run(runIndex).length();
        const DocumentLogPosition targetStart = position_.logPosition;
        if (!std::binary_search(partialFieldMarks.begin(), partialFieldMarks.end(), runIndex))
            copyRun(runIndex, offset, runIndex == last ? lastEnd : -1);
        copiedRuns_.push_back({source_.runLogPosition(runIndex) + offset, end - offset, targetStart, position_.logPosition});
        if (source_.run(runIndex).isMarkRun())
            sourceParagraphCopiedFromStart_ = true;
    }
    targetDocument_.resetMerging();
    copyHyperlinkInfos(first, last);
    // A paragraph copied without its mark lands in the target paragraph at the end; only with
    // CopyAlways does that paragraph take its list.
    const TextRunBase& lastRun = source_.run(last);
    if (!lastRun.isMarkRun() && paragraphNumerationCopyOptions_ == ParagraphNumerationCopyOptions::CopyAlways)
        copyNumbering(lastRun.paragraph(), position_.paragraphIndex);
}

void DocumentModelCopyManager::copyRun(RunIndex runIndex, int32_t offset, int32_t end)
{
    const TextRunBase& run = source_.run(runIndex);
    takeRunFormatting(runIndex);
    switch (run.kind()) {
    case RunKind::Text: copyTextRun(runIndex, offset, end); return;
    case RunKind::Paragraph: copyParagraphMark(runIndex); return;
    case RunKind::Section: copySectionMark(runIndex); return;
    case RunKind::FootNote:
    case RunKind::EndNote: copyNoteReference(runIndex); return;
    case RunKind::FieldSymbol: target_.insertObjectRun(position_, run.kind(), source_.runText(runIndex).front()); return;
    case RunKind::InlinePicture: copyInlinePictureRun(static_cast<const InlinePictureRun&>(run), target_, position_); return;
    case RunKind::FloatingObjectAnchor:
        copyFloatingObjectAnchorRun(static_cast<const FloatingObjectAnchorRun&>(run), target_, position_);
        return;
    case RunKind::LayoutDependentText: copyLayoutDependentRun(runIndex); return;
    case RunKind::FieldCodeStart:
    case RunKind::FieldCodeEnd:
    case RunKind::FieldResultEnd:
    case RunKind::Separator:
    case RunKind::InlineCustomObject: target_.insertObjectRun(position_, run.kind()); return;
    }
}

void DocumentModelCopyManager::takeRunFormatting(RunIndex sourceRun)
{
    const TextRunBase& run = source_.run(sourceRun);
    position_.characterPropertiesIndex = targetCharacterProperties(run.characterPropertiesIndex());
    position_.characterStyleIndex = targetCharacterStyle(run.characterStyleIndex());
}

void DocumentModelCopyManager::copyTextRun(RunIndex runIndex, int32_t offset, int32_t end)
{
    std::u16string text = source_.runText(runIndex);
    text = text.substr(static_cast<size_t>(offset), end < 0 ? std::u16string::npos : static_cast<size_t>(end - offset));
    if (text.empty())
        return;
    if (!target_.isMain()) // a page break means nothing outside the main text
        std::replace(text.begin(), text.end(), u'\f', u'\v');
    target_.insertText(position_, text);
    keepSourceLook(runIndex, target_.findPosition(position_.logPosition - 1).runIndex);
}

void DocumentModelCopyManager::copyLayoutDependentRun(RunIndex runIndex)
{
    target_.insertObjectRun(position_, RunKind::LayoutDependentText);
    // What a page-number field's run shows is part of the run, not a step of its own.
    auto& copied = static_cast<LayoutDependentTextRun&>(target_.run(target_.findPosition(position_.logPosition - 1).runIndex));
    copied.setFieldFormatting(static_cast<const LayoutDependentTextRun&>(source_.run(runIndex)).fieldFormatting());
}

void DocumentModelCopyManager::copyParagraphMark(RunIndex runIndex)
{
    target_.insertParagraph(position_, false);
    copiedParagraphs_[source_.run(runIndex).paragraph().index().value()] = position_.paragraphIndex.value() - 1;
    copyParagraphFormatting(source_.run(runIndex).paragraph(), position_.paragraphIndex - 1);
}

void DocumentModelCopyManager::copySectionMark(RunIndex runIndex)
{
    if (!target_.isMain()) {
        copyParagraphMark(runIndex);
        return;
    }
    const Paragraph& sourceParagraph = source_.run(runIndex).paragraph();
    targetDocument_.insertSection(position_.logPosition);
    position_.logPosition += 1;
    position_.paragraphIndex += 1;
    copiedParagraphs_[sourceParagraph.index().value()] = position_.paragraphIndex.value() - 1;
    copyParagraphFormatting(sourceParagraph, position_.paragraphIndex - 1);
    const Section& sourceSection =
        sourceDocument_.section(sourceDocument_.lookupSectionIndexByParagraphIndex(sourceParagraph.index()));
    copySectionProperties(sourceSection, targetDocument_.section(targetDocument_.findSectionIndex(position_.logPosition - 1)));
}

void DocumentModelCopyManager::copyNoteReference(RunIndex runIndex)
{
    if (!target_.isMain())
        return; // notes live only in the main text
    const auto& reference = static_cast<const FootNoteRunBase&>(source_.run(runIndex));
    const bool isFootNote = reference.kind() == RunKind::FootNote;
    const PieceTable& sourceNote = isFootNote ? sourceDocument_.footNote(reference.noteIndex()).pieceTable()
                                              : sourceDocument_.endNote(reference.noteIndex()).pieceTable();
    PieceTable& targetNote = targetDocument_.insertNote(position_, reference.kind()).pieceTable();
    if (sourceNote.runCount() > 1) {
        DocumentModelCopyManager noteCopy(sourceNote, targetNote, DocumentLogPosition(0), insertOptions_);
        noteCopy.copyRuns(RunIndex(0), RunIndex(sourceNote.runCount() - 2));
    }
}

void DocumentModelCopyManager::copyParagraphFormatting(const Paragraph& source, ParagraphIndex targetIndex)
{
    Paragraph& target = target_.paragraph(targetIndex);
    if (isCapabilityAllowed(targetDocument_.capabilities().paragraphStyle))
        target_.setParagraphStyleIndex(targetIndex, targetParagraphStyle(source.paragraphStyleIndex()));
    if (isCapabilityAllowed(targetDocument_.capabilities().paragraphFormatting)) {
        ParagraphProperties(target).setIndex(targetParagraphProperties(source.paragraphPropertiesIndex()),
                                             ParagraphPropertiesTraits::kAllChangeActions);
        TabProperties(target).setInfo(sourceDocument_.cache().tabFormattingInfoCache()[source.tabsIndex()]);
        copyFrameProperties(source, target);
    }
    copyNumbering(source, targetIndex);
    if (formattingCopyOptions_ != FormattingCopyOptions::KeepSourceFormatting)
        return;
    const ParagraphFormattingInfo& wanted = source_.mergedParagraphFormatting(source);
    const ParagraphPropertiesMask differing = target_.mergedParagraphFormatting(target).differingProperties(wanted);
    if (differing != 0)
        ParagraphProperties(target).change([&](ParagraphFormattingBase& f) { f.setProperties(wanted, differing); },
                                           ParagraphPropertiesTraits::kAllChangeActions);
}

void DocumentModelCopyManager::copyNumbering(const Paragraph& source, ParagraphIndex targetIndex)
{
    const int32_t sourceList = source.ownNumberingListIndex();
    if (sourceList == kNumberingListIndexNotSet || !sourceParagraphCopiedFromStart_)
        return;
    if (sourceList == kNumberingListIndexNoNumbering) {
        target_.removeNumberingFromParagraph(targetIndex);
        return;
    }
    const int32_t targetList = numberingLists_.targetNumberingListIndex(sourceList);
    if (targetList >= 0)
        target_.addNumberingListToParagraph(targetIndex, targetList, source.ownListLevelIndex());
}

void DocumentModelCopyManager::keepSourceLook(RunIndex sourceRun, RunIndex targetRun)
{
    if (formattingCopyOptions_ != FormattingCopyOptions::KeepSourceFormatting)
        return;
    const CharacterFormattingInfo& wanted = source_.mergedCharacterFormatting(sourceRun);
    const CharacterPropertiesMask differing = target_.mergedCharacterFormatting(targetRun).differingProperties(wanted);
    if (differing != 0)
        CharacterProperties(target_.run(targetRun))
            .change([&](CharacterFormattingBase& f) { f.setProperties(wanted, differing); },
                    CharacterPropertiesTraits::kAllChangeActions);
}

int32_t DocumentModelCopyManager::targetCharacterProperties(int32_t sourceIndex)
{
    if (!isCapabilityAllowed(targetDocument_.capabilities().characterFormatting))
        return position_.characterPropertiesIndex;
    const auto [entry, inserted] = characterProperties_.try_emplace(sourceIndex, 0);
    if (inserted)
        entry->second = targetDocument_.cache().characterFormattingCache().add(
            sourceDocument_.cache().characterFormattingCache()[sourceIndex]);
    return entry->second;
}

int32_t DocumentModelCopyManager::targetParagraphProperties(int32_t sourceIndex)
{
    const auto [entry, inserted] = paragraphProperties_.try_emplace(sourceIndex, 0);
    if (inserted)
        entry->second = targetDocument_.cache().paragraphFormattingCache().add(
            sourceDocument_.cache().paragraphFormattingCache()[sourceIndex]);
    return entry->second;
}

int32_t DocumentModelCopyManager::targetCharacterStyle(int32_t sourceIndex)
{
    if (!isCapabilityAllowed(targetDocument_.capabilities().characterStyle))
        return position_.characterStyleIndex;
    const auto [entry, inserted] = characterStyles_.try_emplace(sourceIndex, 0);
    if (inserted)
        entry->second = targetDocument_.styles().copyCharacterStyleFrom(sourceDocument_.styles().characterStyles()[sourceIndex]);
    return entry->second;
}

int32_t DocumentModelCopyManager::targetParagraphStyle(int32_t sourceIndex)
{
    const auto [entry, inserted] = paragraphStyles_.try_emplace(sourceIndex, 0);
    if (inserted)
        entry->second = targetDocument_.styles().copyParagraphStyleFrom(sourceDocument_.styles().paragraphStyles()[sourceIndex],
                                                                        &numberingLists_);
    return entry->second;
}

void DocumentModelCopyManager::copyTables()
{
    std::vector<const Table*> tables;
    for (const auto& table : source_.tableCellsManager().tables())
        tables.push_back(table.get());
    // Outer tables first, so that a nested copy finds its parent cell.
    std::stable_sort(tables.begin(), tables.end(), [](const Table* a, const Table* b) { return a->nestedLevel() < b->nestedLevel(); });
    const auto targetOf = [this](ParagraphIndex index) {
        const auto found = copiedParagraphs_.find(index.value());
        return found == copiedParagraphs_.end() ? -1 : found->second;
    };
    const DocumentCache& from = sourceDocument_.cache();
    DocumentCache& to = targetDocument_.cache();
    BatchUpdateScope batch(targetDocument_);
    for (const Table* table : tables) {
        const int32_t first = targetOf(table->startParagraphIndex());
        const int32_t last = targetOf(table->endParagraphIndex());
        // Copied whole: both ends landed, and the paragraphs in between with them.
        if (first < 0 || last < 0 || last - first != table->endParagraphIndex() - table->startParagraphIndex())
            continue;
        TableCell* parent = target_.tableCellsManager().cell(ParagraphIndex(first));
        if (parent && parent->table().nestedLevel() + 1 >= kMaxTableNestingLevel)
            continue;
        const int32_t offset = first - table->startParagraphIndex().value();
        auto copy = std::make_unique<Table>(target_, parent);
        copy->setPropertiesIndexCore(to.tablePropertiesCache().add(from.tablePropertiesCache()[table->propertiesIndex()]));
        const auto& sourceStyles = sourceDocument_.styles().tableStyles();
        const int32_t style = sourceStyles.isIndexValid(table->styleIndex())
                                  ? targetDocument_.styles().tableStyles().styleIndexByName(sourceStyles[table->styleIndex()].styleName())
                                  : -1;
        copy->setStyleIndexCore(std::max(style, 0));
        table->forEachRow([&](const TableRow& row) {
            TableRow& copiedRow = copy->appendRow();
            copiedRow.setPropertiesIndexCore(to.tableRowPropertiesCache().add(from.tableRowPropertiesCache()[row.propertiesIndex()]));
            copiedRow.setTablePropertiesExceptionIndexCore(
                to.tablePropertiesCache().add(from.tablePropertiesCache()[row.tablePropertiesExceptionIndex()]));
            for (int32_t index = 0; index < row.cellCount(); ++index) {
                const TableCell& cell = row.cell(index);
                TableCell& copiedCell = copiedRow.appendCell(cell.startParagraphIndex() + offset, cell.endParagraphIndex() + offset);
                copiedCell.setPropertiesIndexCore(
                    to.tableCellPropertiesCache().add(from.tableCellPropertiesCache()[cell.propertiesIndex()]));
            }
        });
        targetDocument_.history().execute(std::make_unique<TableInsertedHistoryItem>(target_, std::move(copy)));
    }
}

void copyStoryContent(const PieceTable& source, PieceTable& target)
{
    BatchUpdateScope batch(target.documentModel());
    DocumentModelCopyManager manager(source, target, target.documentEndLogPosition(), InsertOptions::MatchDestinationFormatting);
    if (source.runCount() > 1)
        manager.copyRuns(RunIndex(0), RunIndex(source.runCount() - 2));
    manager.copyTables();
    // The final mark is not copied: the target's own last paragraph takes its formatting.
    manager.copyParagraphFormatting(source.paragraph(ParagraphIndex(source.paragraphCount() - 1)),
                                    ParagraphIndex(target.paragraphCount() - 1));
}

void copySectionProperties(const Section& source, Section& target)
{
    target.changeMargins([&](auto& value) { value = source.margins(); });
    target.changeColumns([&](auto& value) { value = source.columns(); });
    target.changePage([&](auto& value) { value = source.page(); });
    target.changeGeneralSettings([&](auto& value) { value = source.generalSettings(); });
    target.changePageNumbering([&](auto& value) { value = source.pageNumbering(); });
    target.changeLineNumbering([&](auto& value) { value = source.lineNumbering(); });
    target.changeFootNote([&](auto& value) { value = source.footNote(); });
    target.changeEndNote([&](auto& value) { value = source.endNote(); });
}

} // namespace velmo::model
