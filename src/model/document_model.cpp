#include "model/document_model.h"

#include "core/editor_exception.h"
#include "model/content_type.h"
#include "model/document_history.h"
#include "model/document_model_listener.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_updater.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_stories.h"
#include "model/runs.h"
#include "model/functional_history_item.h"
#include "model/numbering/document_numbering.h"
#include "model/section.h"
#include "model/section_headers_footers.h"
#include "model/selection.h"
#include "model/unsafe_document_model_editor.h"

#include <algorithm>
#include <set>

namespace velmo::model {

namespace {

constexpr DocumentModelChangeActions kLayoutResetActions = DocumentModelChangeActions::ResetPrimaryLayout |
                                                           DocumentModelChangeActions::ResetAllPrimaryLayout |
                                                           DocumentModelChangeActions::ResetSecondaryLayout;
constexpr DocumentModelChangeActions kStructuralChangeActions =
    DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetPrimaryLayout |
    DocumentModelChangeActions::ResetSecondaryLayout;

/// Keeps a stored run index pointing at the same run when a run is inserted or removed before it.
void adjustForInsertedRun(RunIndex& stored, RunIndex inserted) noexcept
{
    // INT32_MAX marks "no change recorded yet" and stays.
    if (stored >= inserted && stored.value() != INT32_MAX)
        ++stored;
}

void adjustForRemovedRun(RunIndex& stored, RunIndex removed) noexcept
{
    if (stored > removed)
        --stored;
}

} // namespace

DocumentModel::DocumentModel(const platform::IFontCoverage* fontCoverage, const platform::IImageCodec* imageCodec)
    : images_(std::make_unique<DocumentImages>(imageCodec)), styles_(*this), numbering_(std::make_unique<DocumentNumbering>(*this)),
      history_(std::make_unique<DocumentHistory>(*this)),
      fontCoverage_(fontCoverage), fieldCalculatorService_(std::make_unique<FieldCalculatorService>(*this))
{
    mainContentType_ = std::make_unique<MainContentType>(*this);
    activePieceTable_ = &mainContentType_->pieceTable();
    selection_ = std::make_unique<Selection>(*activePieceTable_);
    sections_.push_back(std::make_unique<Section>(*this, ParagraphIndex(0), ParagraphIndex(0)));
}

DocumentModel::~DocumentModel() = default;

PieceTable& DocumentModel::mainPieceTable() const noexcept
{
    return mainContentType_->pieceTable();
}

void DocumentModel::addPieceTable(std::vector<PieceTable*>& result, PieceTable& pieceTable) const
{
    result.push_back(&pieceTable);
    for (TextBoxContentType* textBox : anchoredTextBoxes(pieceTable))
        addPieceTable(result, textBox->pieceTable());
}

std::vector<PieceTable*> DocumentModel::pieceTables(bool includeUnreferenced) const
{
    std::vector<PieceTable*> result;
    addPieceTable(result, mainPieceTable());
    std::set<const ContentTypeBase*> listed;
    const auto add = [&](const ContentTypeBase* contentType) {
        if (contentType && (includeUnreferenced || contentType->isReferenced()) && listed.insert(contentType).second)
            addPieceTable(result, contentType->pieceTable());
    };
    constexpr HeaderFooterType kTypes[] = {HeaderFooterType::First, HeaderFooterType::Odd, HeaderFooterType::Even};
    for (const auto& section : sections_) {
        for (const HeaderFooterType type : kTypes)
            add(section->header(type));
        for (const HeaderFooterType type : kTypes)
            add(section->footer(type));
    }
    for (const auto& header : headers_)
        add(header.get());
    for (const auto& footer : footers_)
        add(footer.get());
    for (const auto& note : footNotes_)
        add(note.get());
    for (const auto& note : endNotes_)
        add(note.get());
    return result;
}

SectionHeader& DocumentModel::createHeader(SectionIndex sectionIndex, HeaderFooterType type)
{
    return static_cast<SectionHeader&>(SectionHeadersFooters(*this, sectionIndex, ContentTypeKind::Header).add(type));
}

SectionFooter& DocumentModel::createFooter(SectionIndex sectionIndex, HeaderFooterType type)
{
    return static_cast<SectionFooter&>(SectionHeadersFooters(*this, sectionIndex, ContentTypeKind::Footer).add(type));
}

SectionHeaderFooterBase& DocumentModel::createHeaderFooter(ContentTypeKind kind, HeaderFooterType type)
{
    if (kind == ContentTypeKind::Header) {
        headers_.push_back(std::make_unique<SectionHeader>(*this, type));
        return *headers_.back();
    }
    footers_.push_back(std::make_unique<SectionFooter>(*this, type));
    return *footers_.back();
}

void DocumentModel::changeDocumentInfo(const std::function<void(DocumentInfo&)>& change)
{
    DocumentInfo changed = documentInfo_;
    change(changed);
    if (changed == documentInfo_)
        return;
    const DocumentInfo old = documentInfo_;
    BatchUpdateScope batch(*this);
    history_->execute(std::make_unique<FunctionalHistoryItem>(
        mainPieceTable(),
        [this, changed] {
            documentInfo_ = changed;
            applyChangesCore(mainPieceTable(), DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetAllPrimaryLayout,
                             RunIndex(0), RunIndex(mainPieceTable().runCount() - 1));
        },
        [this, old] {
            documentInfo_ = old;
            applyChangesCore(mainPieceTable(), DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetAllPrimaryLayout,
                             RunIndex(0), RunIndex(mainPieceTable().runCount() - 1));
        }));
}

NoteContentTypeBase& DocumentModel::insertNote(InputPosition& position, RunKind kind)
{
    NoteContentTypeBase& note = createNote(kind);
    const int32_t noteIndex = (kind == RunKind::FootNote ? footNoteCount() : endNoteCount()) - 1;
    mainPieceTable().insertNoteReference(position, kind, noteIndex);
    return note;
}

NoteContentTypeBase& DocumentModel::createNote(RunKind kind)
{
    if (kind == RunKind::FootNote) {
        footNotes_.push_back(std::make_unique<FootNote>(*this));
        return *footNotes_.back();
    }
    if (kind == RunKind::EndNote) {
        endNotes_.push_back(std::make_unique<EndNote>(*this));
        return *endNotes_.back();
    }
    throw core::EditorException::invalidValue(runKindName(kind), "kind");
}

FootNote& DocumentModel::footNote(int32_t index) const
{
    if (index < 0 || index >= footNoteCount())
        throw core::EditorException::invalidValue(index, "noteIndex");
    return *footNotes_[static_cast<size_t>(index)];
}

EndNote& DocumentModel::endNote(int32_t index) const
{
    if (index < 0 || index >= endNoteCount())
        throw core::EditorException::invalidValue(index, "noteIndex");
    return *endNotes_[static_cast<size_t>(index)];
}

void DocumentModel::onNoteReferenceChanged(const PieceTable& pieceTable, const FootNoteRunBase& run, bool inserted)
{
    if (!pieceTable.isMain())
        return;
    const int32_t index = run.noteIndex();
    NoteContentTypeBase* note = nullptr;
    if (run.kind() == RunKind::FootNote && index >= 0 && index < footNoteCount())
        note = footNotes_[static_cast<size_t>(index)].get();
    else if (run.kind() == RunKind::EndNote && index >= 0 && index < endNoteCount())
        note = endNotes_[static_cast<size_t>(index)].get();
    if (!note)
        return;
    if (inserted)
        note->setReferenceRun(&run);
    else if (note->referenceRun() == &run)
        note->setReferenceRun(nullptr);
}

void DocumentModel::beginUpdate()
{
    if (batchUpdateCount_ == 0) {
        deferredChanges_ = std::make_unique<DocumentModelDeferredChanges>();
        for (IDocumentModelListener* listener : listeners_)
            listener->onBeginDocumentUpdate();
    }
    ++batchUpdateCount_;
    history_->beginTransaction();
}

void DocumentModel::endUpdate()
{
    if (batchUpdateCount_ == 0)
        throw core::EditorException::internalError();
    if (batchUpdateCount_ > 1) {
        history_->endTransaction();
        --batchUpdateCount_;
        return;
    }
    lastEndUpdate();
}

void DocumentModel::cancelUpdate()
{
    if (batchUpdateCount_ == 0)
        return;
    try {
        history_->rollBackTransaction();
    } catch (...) {
        // The model is past repair here; what matters is that the batch still closes.
    }
    history_->endTransaction();
    if (--batchUpdateCount_ > 0)
        return;
    const DocumentModelChangeActions actions = deferredChanges_->changeActions;
    deferredChanges_.reset();
    resetMerging();
    for (IDocumentModelListener* listener : listeners_)
        listener->onEndDocumentUpdate(actions);
}

void DocumentModel::lastEndUpdate()
{
    splitPendingRunsByCharset();
    const bool suppressContentChanged = hasAny(
        deferredChanges_->changeActions,
        DocumentModelChangeActions::SuppressRaiseContentChangedCalculationByCurrentTransactionChanges);
    if (history_->transactionChangedContent() && !suppressContentChanged)
        deferredChanges_->changeActions |= DocumentModelChangeActions::RaiseContentChanged;
    selection_->keepWithinStory();
    history_->endTransaction();
    batchUpdateCount_ = 0;
    const std::unique_ptr<DocumentModelDeferredChanges> changes = std::move(deferredChanges_);
    if (hasAny(changes->changeActions, DocumentModelChangeActions::RaiseContentChanged)) {
        for (IDocumentModelListener* listener : listeners_)
            listener->onContentChanged();
    }
    for (IDocumentModelListener* listener : listeners_)
        listener->onEndDocumentUpdate(changes->changeActions);
    raiseModifiedChangedIfNeeded();
}

void DocumentModel::splitPendingRunsByCharset()
{
    // Splitting may queue nothing new (it records SplitRun changes only), so one pass suffices.
    auto pending = std::move(deferredChanges_->runIndicesToSplitByCharset);
    deferredChanges_->runIndicesToSplitByCharset.clear();
    for (auto& [pieceTable, runIndices] : pending) {
        // From the back, so that splitting a run does not move the runs still to be visited.
        for (auto runIndex = runIndices.rbegin(); runIndex != runIndices.rend(); ++runIndex)
            pieceTable->splitRunByCharset(RunIndex(*runIndex));
    }
}

void DocumentModel::raiseModifiedChangedIfNeeded()
{
    const bool modified = isModified();
    if (modified == lastReportedModified_)
        return;
    lastReportedModified_ = modified;
    for (IDocumentModelListener* listener : listeners_)
        listener->onModifiedChanged();
}

bool DocumentModel::isModified() const noexcept
{
    return history_->isModified();
}

void DocumentModel::setModified(bool modified)
{
    if (!modified)
        resetMerging(); // text typed from now on must be a step of its own, after the saved state
    history_->setModified(modified);
    if (deferredChanges_)
        deferredChanges_->changeActions |= DocumentModelChangeActions::RaiseModifiedChanged;
    else
        raiseModifiedChangedIfNeeded();
}

Section& DocumentModel::section(SectionIndex index) const
{
    if (index.value() < 0 || index.value() >= sectionCount())
        throw core::EditorException::invalidValue(index.value(), "sectionIndex");
    return *sections_[static_cast<size_t>(index.value())];
}

SectionIndex DocumentModel::findSectionIndex(DocumentLogPosition logPosition) const
{
    const PieceTable& main = mainPieceTable();
    if (logPosition.value() < 0)
        return SectionIndex(-1);
    if (logPosition > main.documentEndLogPosition())
        return SectionIndex(sectionCount() - 1);
    // The last section whose first paragraph starts at or before the position.
    int32_t low = 0;
    int32_t high = sectionCount() - 1;
    while (low < high) {
        const int32_t middle = (low + high + 1) / 2;
        const Paragraph& first = main.paragraph(sections_[static_cast<size_t>(middle)]->firstParagraphIndex());
        if (first.logPosition() <= logPosition)
            low = middle;
        else
            high = middle - 1;
    }
    return SectionIndex(low);
}

SectionIndex DocumentModel::lookupSectionIndexByParagraphIndex(ParagraphIndex paragraphIndex) const
{
    const auto found = std::lower_bound(sections_.begin(), sections_.end(), paragraphIndex,
                                        [](const std::unique_ptr<Section>& section, ParagraphIndex index) {
                                            return section->lastParagraphIndex() < index;
                                        });
    if (found == sections_.end() || (*found)->firstParagraphIndex() > paragraphIndex)
        return SectionIndex(-1);
    return SectionIndex(static_cast<int32_t>(found - sections_.begin()));
}

void DocumentModel::applySectionFormatting(DocumentLogPosition start, int32_t length,
                                           const std::function<void(Section&, SectionIndex)>& modifier)
{
    const SectionIndex first = findSectionIndex(start);
    const SectionIndex last = findSectionIndex(start + std::max(length, 1) - 1);
    if (start.value() < 0 || first.value() < 0)
        throw core::EditorException::invalidValue(start.value(), "logPositionStart");
    if (last.value() < 0)
        throw core::EditorException::invalidValue(length, "length");
    BatchUpdateScope batch(*this);
    for (SectionIndex index = first; index <= last; ++index)
        modifier(section(index), index);
}

void DocumentModel::insertSection(DocumentLogPosition logPosition)
{
    PieceTable& main = mainPieceTable();
    if (logPosition.value() < 0 || logPosition > main.documentEndLogPosition())
        throw core::EditorException::invalidValue(logPosition.value(), "logPosition");
    BatchUpdateScope batch(*this);
    InputPosition position = main.createInputPosition(logPosition);
    const ParagraphIndex paragraphIndex = main.findParagraphIndex(logPosition);
    const SectionIndex sectionIndex = lookupSectionIndexByParagraphIndex(paragraphIndex);
    main.insertParagraph(position);
    const RunIndex markRunIndex = main.paragraph(paragraphIndex).lastRunIndex();
    UnsafeDocumentModelEditor editor(main);
    editor.replaceParagraphRunWithSectionRun(markRunIndex);
    editor.insertSection(sectionIndex, paragraphIndex);
    applyChanges(main, DocumentModelChangeType::InsertSection, markRunIndex, markRunIndex);
}

void DocumentModel::insertSectionCore(SectionIndex index, std::unique_ptr<Section> section)
{
    sections_.insert(sections_.begin() + index.value(), std::move(section));
    for (IDocumentModelListener* listener : listeners_)
        listener->onSectionInserted(index);
}

std::unique_ptr<Section> DocumentModel::removeSectionCore(SectionIndex index)
{
    std::unique_ptr<Section> removed = std::move(sections_[static_cast<size_t>(index.value())]);
    sections_.erase(sections_.begin() + index.value());
    for (IDocumentModelListener* listener : listeners_)
        listener->onSectionRemoved(index);
    return removed;
}

void DocumentModel::onHyperlinkInfoInserted(const PieceTable& pieceTable, int32_t fieldIndex)
{
    for (IDocumentModelListener* listener : listeners_)
        listener->onHyperlinkInfoInserted(pieceTable, fieldIndex);
}

void DocumentModel::onHyperlinkInfoDeleted(const PieceTable& pieceTable, int32_t fieldIndex)
{
    for (IDocumentModelListener* listener : listeners_)
        listener->onHyperlinkInfoDeleted(pieceTable, fieldIndex);
}

void DocumentModel::onParagraphInserted(PieceTable& pieceTable, ParagraphIndex paragraphIndex, bool joinsPreviousSection)
{
    const ParagraphIndex anchor = joinsPreviousSection ? paragraphIndex - 1 : paragraphIndex;
    pieceTable.tableCellsManager().onParagraphInserted(anchor);
    if (pieceTable.isMain())
        shiftSectionBounds(anchor, 1);
}

void DocumentModel::onParagraphRemoved(PieceTable& pieceTable, ParagraphIndex paragraphIndex)
{
    pieceTable.tableCellsManager().onParagraphRemoved(paragraphIndex);
    if (pieceTable.isMain())
        shiftSectionBounds(paragraphIndex, -1);
}

void DocumentModel::shiftSectionBounds(ParagraphIndex lastUnmoved, int32_t delta)
{
    // Sections are in paragraph order: only those at the end move, so the walk starts there.
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
        if ((*section)->lastParagraphIndex() < lastUnmoved)
            break;
        if ((*section)->firstParagraphIndex() > lastUnmoved)
            (*section)->setFirstParagraphIndex((*section)->firstParagraphIndex() + delta);
        (*section)->setLastParagraphIndex((*section)->lastParagraphIndex() + delta);
    }
}

void DocumentModel::onRunInserted(PieceTable& pieceTable, RunIndex runIndex)
{
    if (!deferredChanges_)
        return;
    if (pieceTable.isMain()) {
        adjustForInsertedRun(deferredChanges_->changeStart, runIndex);
        adjustForInsertedRun(deferredChanges_->changeEnd, runIndex);
    }
    const auto pending = deferredChanges_->runIndicesToSplitByCharset.find(&pieceTable);
    if (pending != deferredChanges_->runIndicesToSplitByCharset.end()) {
        std::set<int32_t> shifted;
        for (const int32_t index : pending->second)
            shifted.insert(index >= runIndex.value() ? index + 1 : index);
        pending->second = std::move(shifted);
    }
    applyChangesCore(pieceTable, kStructuralChangeActions, runIndex, runIndex);
}

void DocumentModel::onRunRemoved(PieceTable& pieceTable, RunIndex runIndex)
{
    if (!deferredChanges_)
        return;
    if (pieceTable.isMain()) {
        adjustForRemovedRun(deferredChanges_->changeStart, runIndex);
        adjustForRemovedRun(deferredChanges_->changeEnd, runIndex);
    }
    const auto pending = deferredChanges_->runIndicesToSplitByCharset.find(&pieceTable);
    if (pending != deferredChanges_->runIndicesToSplitByCharset.end()) {
        std::set<int32_t> shifted;
        for (const int32_t index : pending->second) {
            if (index != runIndex.value())
                shifted.insert(index > runIndex.value() ? index - 1 : index);
        }
        pending->second = std::move(shifted);
    }
    const RunIndex changed(std::min(runIndex.value(), pieceTable.runCount() - 1));
    applyChangesCore(pieceTable, kStructuralChangeActions, changed, changed);
}

void DocumentModel::resetMerging() noexcept
{
    lastInsertedRunInfo_.reset(lastInsertedRunInfo_.pieceTable);
}

LastInsertedRunInfo& DocumentModel::lastInsertedRunInfo(const PieceTable& pieceTable) noexcept
{
    if (lastInsertedRunInfo_.pieceTable != &pieceTable)
        lastInsertedRunInfo_.reset(&pieceTable);
    return lastInsertedRunInfo_;
}

void DocumentModel::applyChanges(PieceTable& pieceTable, DocumentModelChangeType type, RunIndex startRunIndex,
                                 RunIndex endRunIndex)
{
    applyChangesCore(pieceTable, changeActionsFor(type), startRunIndex, endRunIndex);
}

void DocumentModel::applyChangesCore(PieceTable& pieceTable, DocumentModelChangeActions actions, RunIndex startRunIndex,
                                     RunIndex endRunIndex)
{
    ++contentRevision_;
    if (!deferredChanges_) {
        BatchUpdateScope batch(*this);
        applyChangesCore(pieceTable, actions, startRunIndex, endRunIndex);
        return;
    }
    DocumentModelDeferredChanges& changes = *deferredChanges_;
    if (const FloatingObjectAnchorRun* anchor = textBoxAnchor(pieceTable)) {
        // A text box is laid out with the paragraph of its anchor: the change is that paragraph's.
        // Only the splitting by character set concerns the box's own runs.
        if (hasAny(actions, DocumentModelChangeActions::SplitRunByCharset) && !changes.isSetContentMode)
            changes.runIndicesToSplitByCharset[&pieceTable].insert(startRunIndex.value());
        const Paragraph& paragraph = anchor->paragraph();
        applyChangesCore(anchor->pieceTable(), actions & ~DocumentModelChangeActions::SplitRunByCharset,
                         paragraph.firstRunIndex(), paragraph.lastRunIndex());
        return;
    }
    changes.changeActions |= actions;
    if (hasAny(actions, DocumentModelChangeActions::SplitRunByCharset) && !changes.isSetContentMode)
        changes.runIndicesToSplitByCharset[&pieceTable].insert(startRunIndex.value());
    if (!hasAny(actions, kLayoutResetActions))
        return;
    if (!pieceTable.isMain()) {
        changes.additionalChangedPieceTables.insert(&pieceTable);
        return;
    }
    changes.changeStart = std::min(changes.changeStart, startRunIndex);
    changes.changeEnd = std::max(changes.changeEnd, std::min(endRunIndex, RunIndex(pieceTable.runCount() - 1)));
}

void DocumentModel::beginSetContent()
{
    if (isSetContentMode())
        throw core::EditorException::internalError();
    beginUpdate();
    deferredChanges_->isSetContentMode = true;
    history_ = std::make_unique<EmptyHistory>(*this);
    for (int32_t level = 0; level < batchUpdateCount_; ++level)
        history_->beginTransaction();
    clearContent();
}

void DocumentModel::endSetContent(DocumentModelChangeType changeType, bool updateFields,
                                  const FieldUpdateOnLoadOptions& updateOnLoadOptions)
{
    if (!isSetContentMode())
        throw core::EditorException::internalError();
    if (updateFields)
        updateFieldsOnLoad(updateOnLoadOptions);
    history_ = std::make_unique<DocumentHistory>(*this);
    for (int32_t level = 0; level < batchUpdateCount_; ++level)
        history_->beginTransaction();
    PieceTable& main = mainPieceTable();
    applyChanges(main, changeType, RunIndex(0), RunIndex(main.runCount() - 1));
    deferredChanges_->isSetContentMode = false;
    endUpdate();
}

void DocumentModel::updateFieldsOnLoad(const FieldUpdateOnLoadOptions& options)
{
    // Still in set-content mode: what the updates change is part of the loaded content.
    fieldCalculatorService_->beginUpdateFieldsOnLoad(options);
    try {
        for (PieceTable* story : pieceTables(true))
            FieldUpdater(*story).updateFields(UpdateFieldOperationType::Load);
    } catch (...) {
        fieldCalculatorService_->endUpdateFieldsOnLoad();
        throw;
    }
    fieldCalculatorService_->endUpdateFieldsOnLoad();
}

void DocumentModel::clearDocument()
{
    beginSetContent();
    endSetContent(DocumentModelChangeType::CreateEmptyDocument);
}

void DocumentModel::clearContent()
{
    headers_.clear();
    footers_.clear();
    footNotes_.clear();
    endNotes_.clear();
    mainPieceTable().clear();
    images_->clear(); // nothing shows the pictures any more
    activePieceTable_ = &mainPieceTable();
    selection_->setRange(mainPieceTable(), DocumentLogPosition(0), DocumentLogPosition(0));
    sections_.clear();
    sections_.push_back(std::make_unique<Section>(*this, ParagraphIndex(0), ParagraphIndex(0)));
    numbering_->clear();
    styles_.createBuiltInStyles();
    documentInfo_ = DocumentInfo{};
    variables_.clear();
    lastInsertedRunInfo_ = LastInsertedRunInfo{};
    for (IDocumentModelListener* listener : listeners_)
        listener->onDocumentCleared();
}

void DocumentModel::createNewDocument()
{
    beginSetContent();
    documentFormat_ = DocumentFormat::Rtf;
    saveOptions_.resetCurrent();
    endSetContent(DocumentModelChangeType::CreateEmptyDocument);
}

void DocumentModel::resetFormattingCaches()
{
    for (PieceTable* story : pieceTables(true)) {
        for (int32_t run = 0; run < story->runCount(); ++run)
            story->run(RunIndex(run)).setMergedCharacterFormattingCacheIndex(-1);
        for (int32_t paragraph = 0; paragraph < story->paragraphCount(); ++paragraph)
            story->paragraph(ParagraphIndex(paragraph)).setMergedParagraphFormattingCacheIndex(-1);
        story->tableCellsManager().resetCachedTableLayoutInfo();
    }
    PieceTable& main = mainPieceTable();
    applyChangesCore(main,
                     DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetAllPrimaryLayout |
                         DocumentModelChangeActions::ResetPrimaryLayout | DocumentModelChangeActions::ResetSecondaryLayout,
                     RunIndex(0), RunIndex(main.runCount() - 1));
}

void DocumentModel::processCompletedImageLoads()
{
    images_->processCompletedImageLoads();
}

void DocumentModel::addListener(IDocumentModelListener& listener)
{
    listeners_.push_back(&listener);
}

void DocumentModel::removeListener(IDocumentModelListener& listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
}

} // namespace velmo::model
