#include "model/piece_table.h"

#include "core/editor_exception.h"
#include "model/content_type.h"
#include "model/character_properties.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/fields/field_collection.h"
#include "model/functional_history_item.h"
#include "model/numbering/document_numbering.h"
#include "model/paragraph_properties.h"
#include "model/merged_character_properties.h"
#include "model/runs.h"
#include "model/tables/table_style_resolution.h"

#include <cassert>

namespace velmo::model {

namespace {

bool isNoteReference(const TextRunBase& run) noexcept
{
    return run.kind() == RunKind::FootNote || run.kind() == RunKind::EndNote;
}

} // namespace

PieceTable::PieceTable(DocumentModel& documentModel, ContentTypeBase& contentType)
    : documentModel_(&documentModel), contentType_(&contentType), fields_(std::make_unique<FieldCollection>(*this))
{
    createEmptyContent();
}

PieceTable::~PieceTable() = default;

bool PieceTable::isMain() const noexcept
{
    return contentType_->isMain();
}

void PieceTable::createEmptyContent()
{
    auto paragraph = std::make_unique<Paragraph>(*this);
    Paragraph& created = *paragraph;
    paragraphs_.insert(ParagraphIndex(0), std::move(paragraph), RunIndex(0), DocumentLogPosition(0));
    const int32_t start = appendToTextBuffer(std::u16string_view(&kParagraphMark, 1));
    runs_.insert(0, createRun(RunKind::Paragraph, created, start, 1));
    created.runCount_ = 1;
    created.length_ = 1;
}

void PieceTable::clear()
{
    for (int32_t index = 0; index < paragraphs_.count(); ++index)
        countNumberingReference(paragraphs_.at(ParagraphIndex(index)), false);
    preCalculatedNumberingListTexts_.clear();
    tableCellsManager_.clear();
    bookmarks_.clear();
    hyperlinkInfos_.clear();
    fields_->clear();
    textBoxes_.clear(); // the runs going now own them
    paragraphs_.clear();
    runs_.clear();
    textBuffer_.clear();
    multipleRunSplitCount_ = 0;
    lastShiftedParagraphIndex_ = -1;
    lastDeltaLength_ = 0;
    lastDeltaRunIndex_ = 0;
    createEmptyContent();
}

TextRunBase& PieceTable::run(RunIndex index) const
{
    if (index.value() < 0 || index.value() >= runs_.size())
        throw core::EditorException::invalidValue(index.value(), "runIndex");
    return *runs_[index.value()];
}

DocumentLogPosition PieceTable::documentEndLogPosition() const
{
    return paragraphs_.at(ParagraphIndex(paragraphs_.count() - 1)).endLogPosition();
}

bool PieceTable::isEmpty() const
{
    return documentEndLogPosition() - documentStartLogPosition() < 1;
}

ParagraphIndex PieceTable::findParagraphIndex(DocumentLogPosition logPosition, bool strict) const
{
    const int32_t found = paragraphs_.searchByLogPosition(logPosition.value());
    if (found >= 0)
        return ParagraphIndex(found);
    if (found == -1 || strict)
        throw core::EditorException::invalidValue(logPosition.value(), "logPosition");
    return ParagraphIndex(paragraphs_.count() - 1);
}

DocumentModelPosition PieceTable::findRunStartLogPosition(const Paragraph& paragraph, DocumentLogPosition logPosition) const
{
    DocumentModelPosition result;
    result.pieceTable = this;
    result.logPosition = logPosition;
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(paragraph);
    result.paragraphIndex = ParagraphIndex(offsets.index);
    const int32_t paragraphStart = offsets.logPosition;
    const int32_t paragraphEnd = paragraphStart + paragraph.length() - 1;
    if (logPosition.value() == paragraphEnd) {
        result.runIndex = RunIndex(offsets.runIndex + paragraph.runCount() - 1);
        result.runStartLogPosition = logPosition;
        return result;
    }
    if (logPosition.value() < paragraphStart || logPosition.value() > paragraphEnd)
        throw core::EditorException::invalidValue(logPosition.value(), "logPosition");
    int32_t runStart = paragraphStart;
    for (int32_t runIndex = offsets.runIndex;; ++runIndex) {
        const int32_t runLength = runs_[runIndex]->length();
        if (logPosition.value() < runStart + runLength) {
            result.runIndex = RunIndex(runIndex);
            result.runStartLogPosition = DocumentLogPosition(runStart);
            return result;
        }
        runStart += runLength;
    }
}

DocumentModelPosition PieceTable::findPosition(DocumentLogPosition logPosition) const
{
    const ParagraphIndex paragraphIndex = findParagraphIndex(logPosition, true);
    return findRunStartLogPosition(paragraphs_.at(paragraphIndex), logPosition);
}

RunInfo PieceTable::findRunInfo(DocumentLogPosition start, int32_t length) const
{
    const DocumentLogPosition end = documentEndLogPosition();
    const auto resolve = [&](DocumentLogPosition logPosition) {
        DocumentModelPosition position = findPosition(std::min(logPosition, end));
        position.logPosition = logPosition;
        return position;
    };
    RunInfo info;
    info.start = resolve(start);
    info.end = resolve(start + (length - 1));
    const bool ordered = info.start.logPosition <= info.end.logPosition;
    info.normalizedStart = ordered ? info.start : info.end;
    info.normalizedEnd = ordered ? info.end : info.start;
    return info;
}

RunInfo PieceTable::runsInfo(RunIndex first, RunIndex last) const
{
    RunInfo info;
    info.start = findPosition(runLogPosition(first));
    info.start.runIndex = first;
    info.end = findPosition(runLogPosition(last) + (run(last).length() - 1));
    info.normalizedStart = info.start;
    info.normalizedEnd = info.end;
    return info;
}

RunIndex PieceTable::calculateRunIndex(const RunBase& run, RunIndex defaultValue) const
{
    const Paragraph& paragraph = run.paragraph();
    if (&paragraph.pieceTable() != this)
        return defaultValue;
    const RunIndex first = paragraph.firstRunIndex();
    for (int32_t offset = 0; offset < paragraph.runCount(); ++offset) {
        if (runs_[first.value() + offset].get() == &run)
            return first + offset;
    }
    return defaultValue;
}

DocumentLogPosition PieceTable::runLogPosition(RunIndex runIndex) const
{
    const Paragraph& paragraph = run(runIndex).paragraph();
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(paragraph);
    int32_t position = offsets.logPosition;
    for (int32_t index = offsets.runIndex; index < runIndex.value(); ++index)
        position += runs_[index]->length();
    return DocumentLogPosition(position);
}

const CharacterFormattingInfo& PieceTable::mergedCharacterFormatting(RunIndex runIndex) const
{
    const TextRunBase& target = run(runIndex);
    DocumentCache& cache = documentModel_->cache();
    if (target.mergedCharacterFormattingCacheIndex() < 0) {
        const CharacterFormattingInfo merged =
            mergeCharacterLayers(target.characterPropertiesIndex(), target.characterStyleIndex(), target.paragraph());
        target.setMergedCharacterFormattingCacheIndex(cache.mergedCharacterFormattingInfoCache().add(merged));
    }
    return cache.mergedCharacterFormattingInfoCache()[target.mergedCharacterFormattingCacheIndex()];
}

CharacterFormattingInfo PieceTable::mergedCharacterFormatting(const InputPosition& position) const
{
    return mergeCharacterLayers(position.characterPropertiesIndex, position.characterStyleIndex,
                                paragraph(position.paragraphIndex));
}

CharacterFormattingInfo PieceTable::mergeCharacterLayers(int32_t propertiesIndex, int32_t characterStyleIndex,
                                                         const Paragraph& paragraph) const
{
    // Layers, first set wins: the run, its character style chain, its paragraph style chain, the
    // styles of the table cell it is in, the defaults.
    const int32_t paragraphStyleIndex = paragraph.paragraphStyleIndex();
    const auto& properties = documentModel_->cache().characterFormattingCache();
    MergedCharacterProperties merged(properties[propertiesIndex]);
    const DocumentStyles& styles = documentModel_->styles();
    if (styles.characterStyles().isIndexValid(characterStyleIndex)) {
        for (const CharacterStyle* style = &styles.characterStyles()[characterStyleIndex]; style; style = style->parentStyle())
            merged.merge(properties[style->characterPropertiesIndex()]);
    }
    if (styles.paragraphStyles().isIndexValid(paragraphStyleIndex)) {
        for (const ParagraphStyle* style = &styles.paragraphStyles()[paragraphStyleIndex]; style; style = style->parentStyle())
            merged.merge(properties[style->characterPropertiesIndex()]);
    }
    if (const TableCell* cell = tableCellsManager_.cell(paragraph.index()))
        mergeTableStyleCharacterProperties(merged, *cell);
    merged.merge(properties[DocumentCache::kDefaultPropertiesIndex]);
    return merged.info();
}

const ParagraphFormattingInfo& PieceTable::mergedParagraphFormatting(const Paragraph& paragraph) const
{
    DocumentCache& cache = documentModel_->cache();
    if (paragraph.mergedParagraphFormattingCacheIndex() < 0) {
        const auto& properties = cache.paragraphFormattingCache();
        MergedParagraphProperties merged(properties[paragraph.paragraphPropertiesIndex()]);
        // A list the paragraph itself is in comes before its style, one it is in through its
        // style after the style.
        const ListLevel* listLevel =
            documentModel_->numbering().listLevel(paragraph.numberingListIndex(), paragraph.listLevelIndex());
        const bool ownList = paragraph.ownNumberingListIndex() >= 0;
        if (listLevel && ownList)
            merged.merge(properties[listLevel->paragraphPropertiesIndex]);
        const auto& styles = documentModel_->styles().paragraphStyles();
        if (styles.isIndexValid(paragraph.paragraphStyleIndex())) {
            for (const ParagraphStyle* style = &styles[paragraph.paragraphStyleIndex()]; style; style = style->parentStyle())
                merged.merge(properties[style->paragraphPropertiesIndex()]);
        }
        if (listLevel && !ownList)
            merged.merge(properties[listLevel->paragraphPropertiesIndex]);
        if (const TableCell* cell = tableCellsManager_.cell(paragraph.index()))
            mergeTableStyleParagraphProperties(merged, *cell);
        merged.merge(properties[DocumentCache::kDefaultPropertiesIndex]);
        paragraph.setMergedParagraphFormattingCacheIndex(cache.mergedParagraphFormattingInfoCache().add(merged.info()));
    }
    return cache.mergedParagraphFormattingInfoCache()[paragraph.mergedParagraphFormattingCacheIndex()];
}

TabFormattingInfo PieceTable::mergedTabs(const Paragraph& paragraph) const
{
    const auto& tabs = documentModel_->cache().tabFormattingInfoCache();
    const auto& styles = documentModel_->styles().paragraphStyles();
    std::vector<const ParagraphStyle*> chain;
    if (styles.isIndexValid(paragraph.paragraphStyleIndex())) {
        for (const ParagraphStyle* style = &styles[paragraph.paragraphStyleIndex()]; style; style = style->parentStyle())
            chain.push_back(style);
    }
    // From the root style down, each layer laid over the one below.
    TabFormattingInfo result;
    for (auto style = chain.rbegin(); style != chain.rend(); ++style)
        result = tabs[(*style)->tabsIndex()].merge(result);
    return tabs[paragraph.tabsIndex()].merge(result);
}

std::u16string PieceTable::runText(RunIndex runIndex) const
{
    const TextRunBase& target = run(runIndex);
    return textBuffer_.substring(target.startIndex(), target.length());
}

std::u16string PieceTable::runPlainText(RunIndex runIndex) const
{
    std::u16string result;
    run(runIndex).appendPlainText(result, textBuffer_);
    return result;
}

std::u16string PieceTable::storyText() const
{
    std::u16string result;
    result.reserve(static_cast<size_t>(documentEndLogPosition().value() + 1));
    for (int32_t index = 0; index < runs_.size(); ++index)
        textBuffer_.appendTo(result, runs_[index]->startIndex(), runs_[index]->length());
    return result;
}

std::u16string PieceTable::plainText(RunIndex first, RunIndex last) const
{
    std::u16string result;
    for (RunIndex index = first; index <= last; ++index)
        run(index).appendPlainText(result, textBuffer_);
    return result;
}

InputPosition PieceTable::createInputPosition(DocumentLogPosition logPosition) const
{
    const DocumentModelPosition position = findPosition(logPosition);
    const Paragraph& paragraph = paragraphs_.at(position.paragraphIndex);
    // Text typed at a position continues the formatting of the text before it.
    const bool atParagraphStart = logPosition == paragraph.logPosition();
    const bool atRunStart = position.runStartLogPosition == logPosition;
    const TextRunBase& source = run(!atParagraphStart && atRunStart ? position.runIndex - 1 : position.runIndex);
    InputPosition result;
    result.logPosition = logPosition;
    result.paragraphIndex = position.paragraphIndex;
    result.characterPropertiesIndex = source.characterPropertiesIndex();
    result.characterStyleIndex = source.characterStyleIndex();
    return result;
}

int32_t PieceTable::appendToTextBuffer(std::u16string_view text)
{
    const int32_t start = textBuffer_.length();
    if (static_cast<int64_t>(start) + static_cast<int64_t>(text.size()) > INT32_MAX)
        throw core::EditorException::invalidValue(static_cast<long long>(text.size()), "length");
    textBuffer_.append(text);
    return start;
}

Paragraph& PieceTable::touchParagraph(ParagraphIndex index)
{
    applyPendingShift(index.value());
    return paragraphs_.at(index);
}

void PieceTable::applyPendingShift(int32_t throughParagraph)
{
    if (lastShiftedParagraphIndex_ < 0)
        return;
    if (throughParagraph < lastShiftedParagraphIndex_) {
        // An earlier paragraph: settle everything first.
        paragraphs_.shift(ParagraphIndex(lastShiftedParagraphIndex_ + 1), ParagraphIndex(paragraphs_.count() - 1),
                          lastDeltaRunIndex_, lastDeltaLength_);
        lastShiftedParagraphIndex_ = -1;
        lastDeltaRunIndex_ = 0;
        lastDeltaLength_ = 0;
        return;
    }
    paragraphs_.shift(ParagraphIndex(lastShiftedParagraphIndex_ + 1), ParagraphIndex(throughParagraph),
                      lastDeltaRunIndex_, lastDeltaLength_);
    lastShiftedParagraphIndex_ = throughParagraph;
}

void PieceTable::shiftParagraphsAfter(ParagraphIndex paragraphIndex, int32_t deltaRunIndex, int32_t deltaLength)
{
    if (multipleRunSplitCount_ == 0) {
        paragraphs_.shift(paragraphIndex + 1, ParagraphIndex(paragraphs_.count() - 1), deltaRunIndex, deltaLength);
        return;
    }
    applyPendingShift(paragraphIndex.value());
    lastShiftedParagraphIndex_ = paragraphIndex.value();
    lastDeltaRunIndex_ += deltaRunIndex;
    lastDeltaLength_ += deltaLength;
}

void PieceTable::onEndMultipleRunSplit()
{
    assert(multipleRunSplitCount_ > 0 && "unbalanced multiple run split");
    if (--multipleRunSplitCount_ > 0)
        return;
    applyPendingShift(-1);
}

void PieceTable::insertRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex, std::unique_ptr<TextRunBase> run,
                               int32_t notificationId)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    assert(&run->paragraph() == &paragraph && "a run must belong to the paragraph it is inserted into");
    const int32_t length = run->length();
    TextRunBase& inserted = *run;
    runs_.insert(runIndex.value(), std::move(run));
    paragraph.length_ += length;
    ++paragraph.runCount_;
    shiftParagraphsAfter(paragraphIndex, 1, length);
    bookmarks_.onRunInserted(runIndex, length, notificationId);
    fields_->onRunInserted(runIndex);
    documentModel_->onRunInserted(*this, runIndex);
    inserted.afterRunInserted();
    if (isNoteReference(inserted))
        documentModel_->onNoteReferenceChanged(*this, static_cast<const FootNoteRunBase&>(inserted), true);
}

std::unique_ptr<TextRunBase> PieceTable::removeRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t notificationId)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    run(runIndex).beforeRunRemoved();
    std::vector<std::unique_ptr<TextRunBase>> removed;
    runs_.erase(runIndex.value(), 1, &removed);
    const int32_t length = removed.front()->length();
    paragraph.length_ -= length;
    --paragraph.runCount_;
    shiftParagraphsAfter(paragraphIndex, -1, -length);
    bookmarks_.onRunRemoved(runIndex, length, notificationId);
    fields_->onRunRemoved(runIndex);
    documentModel_->onRunRemoved(*this, runIndex);
    if (isNoteReference(*removed.front()))
        documentModel_->onNoteReferenceChanged(*this, static_cast<const FootNoteRunBase&>(*removed.front()), false);
    return std::move(removed.front());
}

void PieceTable::splitRunCore(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t offset)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    TextRunBase& head = run(runIndex);
    if (offset <= 0 || offset >= head.length())
        throw core::EditorException::invalidValue(offset, "offset");
    std::unique_ptr<RunBase> tail = head.clone(paragraph, head.startIndex() + offset, head.length() - offset);
    head.setLength(offset);
    runs_.insert(runIndex.value() + 1, std::unique_ptr<TextRunBase>(static_cast<TextRunBase*>(tail.release())));
    ++paragraph.runCount_;
    shiftParagraphsAfter(paragraphIndex, 1, 0);
    bookmarks_.onRunSplit(runIndex, offset);
    fields_->onRunInserted(runIndex + 1);
    documentModel_->onRunInserted(*this, runIndex + 1);
}

void PieceTable::joinRunsCore(ParagraphIndex paragraphIndex, RunIndex runIndex)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    TextRunBase& head = run(runIndex);
    const int32_t headLength = head.length();
    const int32_t tailLength = run(runIndex + 1).length();
    runs_.erase(runIndex.value() + 1, 1);
    head.setLength(headLength + tailLength);
    --paragraph.runCount_;
    shiftParagraphsAfter(paragraphIndex, -1, 0);
    bookmarks_.onRunJoined(runIndex, headLength);
    fields_->onRunRemoved(runIndex + 1);
    documentModel_->onRunRemoved(*this, runIndex + 1);
}

void PieceTable::changeRunLengthCore(ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t delta)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    TextRunBase& target = run(runIndex);
    target.setLength(target.length() + delta);
    paragraph.length_ += delta;
    shiftParagraphsAfter(paragraphIndex, 0, delta);
    bookmarks_.onRunLengthChanged(runIndex, delta, target.length());
}

void PieceTable::splitParagraphCore(ParagraphIndex paragraphIndex, RunIndex markRunIndex,
                                    std::unique_ptr<Paragraph> newParagraph)
{
    Paragraph& paragraph = touchParagraph(paragraphIndex);
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(paragraph);
    const int32_t movedRuns = markRunIndex.value() - offsets.runIndex + 1;
    if (movedRuns < 1 || movedRuns >= paragraph.runCount_ || !runs_[markRunIndex.value()]->isMarkRun())
        throw core::EditorException::internalError();
    int32_t movedLength = 0;
    for (int32_t index = offsets.runIndex; index <= markRunIndex.value(); ++index) {
        movedLength += runs_[index]->length();
        runs_[index]->moveToParagraph(*newParagraph);
    }
    newParagraph->copyFormattingFrom(paragraph);
    // Both parts of a list item stay items of the list.
    newParagraph->numberingListIndex_ = paragraph.numberingListIndex_;
    newParagraph->listLevelIndex_ = paragraph.listLevelIndex_;
    countNumberingReference(*newParagraph, true);
    newParagraph->runCount_ = movedRuns;
    newParagraph->length_ = movedLength;
    paragraphs_.insert(paragraphIndex, std::move(newParagraph), RunIndex(offsets.runIndex),
                       DocumentLogPosition(offsets.logPosition));
    paragraphs_.shift(paragraphIndex + 1, paragraphIndex + 1, movedRuns, movedLength);
    paragraph.runCount_ -= movedRuns;
    paragraph.length_ -= movedLength;
    documentModel_->onParagraphInserted(*this, paragraphIndex);
}

std::unique_ptr<Paragraph> PieceTable::unsplitParagraphCore(ParagraphIndex paragraphIndex)
{
    Paragraph& removed = touchParagraph(paragraphIndex);
    Paragraph& next = touchParagraph(paragraphIndex + 1);
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(removed);
    for (int32_t index = 0; index < removed.runCount_; ++index)
        runs_[offsets.runIndex + index]->moveToParagraph(next);
    next.runCount_ += removed.runCount_;
    next.length_ += removed.length_;
    paragraphs_.shift(paragraphIndex + 1, paragraphIndex + 1, -removed.runCount_, -removed.length_);
    countNumberingReference(removed, false);
    std::unique_ptr<Paragraph> result = paragraphs_.remove(paragraphIndex);
    documentModel_->onParagraphRemoved(*this, paragraphIndex);
    return result;
}

std::unique_ptr<Paragraph> PieceTable::mergeParagraphsCore(ParagraphIndex paragraphIndex)
{
    Paragraph& first = touchParagraph(paragraphIndex);
    Paragraph& second = touchParagraph(paragraphIndex + 1);
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(second);
    for (int32_t index = 0; index < second.runCount_; ++index)
        runs_[offsets.runIndex + index]->moveToParagraph(first);
    first.runCount_ += second.runCount_;
    first.length_ += second.length_;
    countNumberingReference(second, false);
    std::unique_ptr<Paragraph> result = paragraphs_.remove(paragraphIndex + 1);
    documentModel_->onParagraphRemoved(*this, paragraphIndex + 1);
    return result;
}

void PieceTable::unmergeParagraphsCore(ParagraphIndex paragraphIndex, std::unique_ptr<Paragraph> second, int32_t runCount)
{
    Paragraph& first = touchParagraph(paragraphIndex);
    const TreeOffsets offsets = paragraphs_.absoluteOffsets(first);
    const int32_t secondFirstRun = offsets.runIndex + first.runCount_ - runCount;
    int32_t secondLength = 0;
    for (int32_t index = secondFirstRun; index < offsets.runIndex + first.runCount_; ++index) {
        secondLength += runs_[index]->length();
        runs_[index]->moveToParagraph(*second);
    }
    first.runCount_ -= runCount;
    first.length_ -= secondLength;
    second->runCount_ = runCount;
    second->length_ = secondLength;
    countNumberingReference(*second, true);
    paragraphs_.insert(paragraphIndex + 1, std::move(second), RunIndex(secondFirstRun),
                       DocumentLogPosition(offsets.logPosition + first.length_));
    documentModel_->onParagraphInserted(*this, paragraphIndex + 1, true);
}

void PieceTable::setParagraphStyleIndex(ParagraphIndex paragraphIndex, int32_t styleIndex)
{
    if (!documentModel_->styles().paragraphStyles().isIndexValid(styleIndex))
        throw core::EditorException::invalidValue(styleIndex, "paragraphStyleIndex");
    const int32_t oldIndex = paragraph(paragraphIndex).paragraphStyleIndex();
    if (oldIndex == styleIndex)
        return;
    const auto apply = [this, paragraphIndex](int32_t index) {
        Paragraph& target = paragraph(paragraphIndex);
        target.setParagraphStyleIndex(index);
        target.setMergedParagraphFormattingCacheIndex(-1);
        for (RunIndex run = target.firstRunIndex(); run <= target.lastRunIndex(); ++run)
            this->run(run).setMergedCharacterFormattingCacheIndex(-1);
        target.notifyParagraphPropertiesChanged(ParagraphPropertiesTraits::kAllChangeActions);
    };
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<FunctionalHistoryItem>(
        *this, [apply, styleIndex] { apply(styleIndex); }, [apply, oldIndex] { apply(oldIndex); }));
}

void PieceTable::setCharacterStyleIndex(RunIndex runIndex, int32_t styleIndex)
{
    if (!documentModel_->styles().characterStyles().isIndexValid(styleIndex))
        throw core::EditorException::invalidValue(styleIndex, "characterStyleIndex");
    const int32_t oldIndex = run(runIndex).characterStyleIndex();
    if (oldIndex == styleIndex)
        return;
    const auto apply = [this, runIndex](int32_t index) {
        TextRunBase& target = run(runIndex);
        target.setCharacterStyleIndex(index);
        target.setMergedCharacterFormattingCacheIndex(-1);
        documentModel_->resetMerging();
        documentModel_->applyChangesCore(*this, CharacterPropertiesTraits::kAllChangeActions, runIndex, runIndex);
    };
    BatchUpdateScope batch(*documentModel_);
    documentModel_->history().execute(std::make_unique<FunctionalHistoryItem>(
        *this, [apply, styleIndex] { apply(styleIndex); }, [apply, oldIndex] { apply(oldIndex); }));
}

void PieceTable::replaceMarkRunCore(RunIndex runIndex, RunKind newKind)
{
    TextRunBase& old = run(runIndex);
    if (!old.isMarkRun() || (newKind != RunKind::Paragraph && newKind != RunKind::Section))
        throw core::EditorException::internalError();
    std::unique_ptr<TextRunBase> replacement = createRun(newKind, old.paragraph(), old.startIndex(), 1);
    replacement->takeFormattingFrom(old);
    textBuffer_.replaceUnit(old.startIndex(), markCharacter(newKind));
    runs_[runIndex.value()] = std::move(replacement);
}

} // namespace velmo::model
