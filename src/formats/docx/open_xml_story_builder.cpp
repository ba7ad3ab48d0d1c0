#include "formats/docx/open_xml_story_builder.h"

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/tables/table.h"
#include "model/tables/table_normalization.h"

#include <algorithm>

namespace velmo::formats {

OpenXmlStoryBuilder::OpenXmlStoryBuilder(model::PieceTable& pieceTable)
    : pieceTable_(&pieceTable), documentModel_(&pieceTable.documentModel()),
      position_(pieceTable.createInputPosition(DocumentLogPosition(0)))
{
}

OpenXmlStoryBuilder::~OpenXmlStoryBuilder() = default;

void OpenXmlStoryBuilder::insertText(std::u16string_view text)
{
    if (text.empty())
        return;
    flushPendingParagraph();
    pieceTable_->insertText(position_, text);
}

void OpenXmlStoryBuilder::insertMark(model::RunKind kind)
{
    flushPendingParagraph();
    pieceTable_->insertObjectRun(position_, kind);
}

void OpenXmlStoryBuilder::insertNoteReference(model::RunKind kind, int32_t noteIndex)
{
    flushPendingParagraph();
    pieceTable_->insertNoteReference(position_, kind, noteIndex);
}

model::InputPosition& OpenXmlStoryBuilder::objectInsertionPosition()
{
    flushPendingParagraph();
    return position_;
}

void OpenXmlStoryBuilder::beginField()
{
    if (ignoredFields_ > 0 || static_cast<int32_t>(fields_.size()) >= kMaxFieldDepth) {
        ++ignoredFields_;
        return;
    }
    insertMark(model::RunKind::FieldCodeStart);
    fields_.push_back(false);
}

void OpenXmlStoryBuilder::separateField()
{
    if (ignoredFields_ > 0 || fields_.empty() || fields_.back())
        return;
    insertMark(model::RunKind::FieldCodeEnd);
    fields_.back() = true;
}

void OpenXmlStoryBuilder::endField()
{
    if (ignoredFields_ > 0) {
        --ignoredFields_;
        return;
    }
    if (fields_.empty())
        return; // an end without a begin
    separateField();
    insertMark(model::RunKind::FieldResultEnd);
    fields_.pop_back();
}

bool OpenXmlStoryBuilder::canEndSection() const noexcept
{
    return pieceTable_->isMain() && tables_.empty() && flattenedTables_ == 0;
}

void OpenXmlStoryBuilder::applyParagraphEnd(ParagraphIndex paragraphIndex, const OpenXmlParagraphEnd& end)
{
    model::Paragraph& paragraph = pieceTable_->paragraph(paragraphIndex);
    paragraph.setParagraphStyleIndex(end.styleIndex);
    paragraph.setParagraphPropertiesIndex(end.propertiesIndex);
    if (end.tabsIndex != paragraph.tabsIndex())
        paragraph.setTabsIndex(end.tabsIndex);
    paragraph.setFrameFormattingIndex(end.frameIndex);
    model::TextRunBase& mark = pieceTable_->run(paragraph.lastRunIndex());
    mark.setCharacterPropertiesIndex(end.markPropertiesIndex);
    mark.setCharacterStyleIndex(end.markStyleIndex);
    if (end.numberingListIndex != model::kNumberingListIndexNotSet)
        pieceTable_->setParagraphNumberingCore(paragraphIndex, end.numberingListIndex, end.listLevelIndex);
}

void OpenXmlStoryBuilder::flushPendingParagraph()
{
    if (!pending_)
        return;
    const OpenXmlParagraphEnd end = *pending_;
    pending_.reset();
    const ParagraphIndex finished = position_.paragraphIndex;
    if (end.endsSection) {
        documentModel_->insertSection(position_.logPosition);
        position_.logPosition += 1;
        position_.paragraphIndex += 1;
    } else {
        pieceTable_->insertParagraph(position_, false);
    }
    applyParagraphEnd(finished, end);
}

void OpenXmlStoryBuilder::endParagraph(const OpenXmlParagraphEnd& end)
{
    flushPendingParagraph();
    pending_ = end;
    pending_->endsSection = end.endsSection && canEndSection();
    lastEndedParagraph_ = position_.paragraphIndex;
    ++paragraphsEnded_;
    lastParagraphTableDepth_ = tables_.size();
}

DocumentLogPosition OpenXmlStoryBuilder::insertPlaceholderParagraph()
{
    flushPendingParagraph();
    const DocumentLogPosition start = position_.logPosition;
    endParagraph(OpenXmlParagraphEnd{});
    return start;
}

bool OpenXmlStoryBuilder::beginTable()
{
    if (flattenedTables_ > 0 || static_cast<int32_t>(tables_.size()) >= model::kMaxTableNestingLevel - 1) {
        ++flattenedTables_;
        return false;
    }
    tables_.emplace_back();
    return true;
}

void OpenXmlStoryBuilder::beginRow(int32_t propertiesIndex, int32_t exceptionIndex)
{
    if (!isRecordingCells() || tables_.back().full)
        return;
    if (tableCells_ >= kMaxTableCells) {
        tables_.back().full = true;
        return;
    }
    RowInProgress& row = tables_.back().rows.emplace_back();
    row.propertiesIndex = propertiesIndex;
    row.exceptionIndex = exceptionIndex;
}

void OpenXmlStoryBuilder::beginCell(const model::TableCellPropertiesInfo& properties)
{
    if (!isRecordingCells() || tables_.back().full)
        return;
    if (tables_.back().rows.empty())
        beginRow(0, 0);
    if (tableCells_ >= kMaxTableCells || tables_.back().rows.empty() || tables_.back().rows.back().cells.size() >= kMaxCellsPerRow) {
        tables_.back().full = true;
        return;
    }
    ++tableCells_;
    tables_.back().cellOpen = true;
    CellInProgress& cell = tables_.back().rows.back().cells.emplace_back();
    cell.start = position_.paragraphIndex + (pending_ ? 1 : 0);
    cell.properties = properties;
    cell.paragraphsBefore = paragraphsEnded_;
}

void OpenXmlStoryBuilder::endCell()
{
    if (!isRecordingCells() || !tables_.back().cellOpen)
        return;
    tables_.back().cellOpen = false;
    CellInProgress& cell = tables_.back().rows.back().cells.back();
    // A cell ends with a paragraph of its own, also when the file gives it none or ends it
    // with a nested table.
    if (paragraphsEnded_ == cell.paragraphsBefore || lastParagraphTableDepth_ != tables_.size())
        endParagraph(OpenXmlParagraphEnd{});
    cell.end = lastEndedParagraph_;
}

void OpenXmlStoryBuilder::endRow()
{
}

void OpenXmlStoryBuilder::endTable(int32_t styleIndex, int32_t propertiesIndex, const std::vector<int32_t>& grid)
{
    if (flattenedTables_ > 0) {
        --flattenedTables_;
        return;
    }
    if (tables_.empty())
        return;
    TableInProgress finished = std::move(tables_.back());
    tables_.pop_back();
    std::erase_if(finished.rows, [](const RowInProgress& row) { return row.cells.empty(); });
    if (finished.rows.empty())
        return;
    // The mark of the table's last paragraph goes in now, so that what follows is outside it.
    flushPendingParagraph();

    model::DocumentCache& cache = documentModel_->cache();
    const model::TablePropertiesInfo& properties = cache.tablePropertiesCache()[propertiesIndex];
    const bool fixedLayout = properties.uses(model::TablePropertiesOptions::UseTableLayout) &&
                             properties.generalSettings.tableLayout == model::TableLayoutType::Fixed;
    auto table = std::make_unique<model::Table>(*pieceTable_, nullptr);
    table->setStyleIndexCore(styleIndex);
    table->setPropertiesIndexCore(propertiesIndex);
    for (RowInProgress& rowRead : finished.rows) {
        model::TableRow& row = table->appendRow();
        row.setPropertiesIndexCore(rowRead.propertiesIndex);
        row.setTablePropertiesExceptionIndexCore(rowRead.exceptionIndex);
        size_t column = static_cast<size_t>(cache.tableRowPropertiesCache()[rowRead.propertiesIndex].gridBefore);
        for (CellInProgress& cellRead : rowRead.cells) {
            model::TableCellPropertiesInfo& cellProperties = cellRead.properties;
            const auto span = static_cast<size_t>(cellProperties.columnSpan);
            const bool hasWidth = cellProperties.uses(model::TableCellPropertiesOptions::UsePreferredWidth) &&
                                  cellProperties.preferredWidth.type != model::WidthUnitType::Nil &&
                                  cellProperties.preferredWidth.type != model::WidthUnitType::Auto;
            if (fixedLayout && !grid.empty() && !hasWidth && column < grid.size()) {
                int64_t width = 0;
                for (size_t index = column; index < std::min(grid.size(), column + span); ++index)
                    width += grid[index];
                cellProperties.preferredWidth = {model::WidthUnitType::ModelUnits, static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX))};
                cellProperties.use(model::TableCellPropertiesOptions::UsePreferredWidth);
            }
            column += span;
            model::TableCell& cell = row.appendCell(cellRead.start, cellRead.end);
            cell.setPropertiesIndexCore(cache.tableCellPropertiesCache().add(cellProperties));
        }
    }
    finishedTables_.push_back(std::move(table));
}

bool OpenXmlStoryBuilder::finish()
{
    // Fields still open end with the last paragraph (which keeps waiting for its mark).
    for (; !fields_.empty(); fields_.pop_back()) {
        if (!fields_.back())
            pieceTable_->insertObjectRun(position_, model::RunKind::FieldCodeEnd);
        pieceTable_->insertObjectRun(position_, model::RunKind::FieldResultEnd);
    }
    while (!tables_.empty() || flattenedTables_ > 0)
        endTable(0, 0, {});
    for (std::unique_ptr<model::Table>& table : finishedTables_) {
        model::removeInvalidVerticalSpans(*table);
        model::normalizeCellColumnSpans(*table);
        pieceTable_->tableCellsManager().insertTable(std::move(table));
    }
    finishedTables_.clear();
    bookmarks_.createBookmarks(*pieceTable_);
    if (!pending_)
        return false;
    const OpenXmlParagraphEnd end = *pending_;
    pending_.reset();
    applyParagraphEnd(position_.paragraphIndex, end);
    return end.endsSection;
}

} // namespace velmo::formats
