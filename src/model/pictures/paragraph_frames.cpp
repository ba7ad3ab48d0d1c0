#include "model/pictures/paragraph_frames.h"

#include "core/editor_exception.h"
#include "model/content_type.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/paragraph.h"
#include "model/paragraph_style.h"
#include "model/piece_table.h"
#include "model/tables/table.h"

namespace velmo::model {

namespace {

using O = UseParagraphFrameOption;

UniqueItemsCache<ParagraphFrameFormatting>& frameCache(DocumentModel& document)
{
    return document.cache().pictureCaches().paragraphFrameFormattingCache;
}

const ParagraphFrameFormatting* ownFrame(const Paragraph& paragraph)
{
    const int32_t index = paragraph.frameFormattingIndex();
    return index >= 0 ? &frameCache(paragraph.pieceTable().documentModel())[index] : nullptr;
}

void setParagraphFrameIndex(Paragraph& paragraph, int32_t newIndex)
{
    const int32_t oldIndex = paragraph.frameFormattingIndex();
    if (newIndex == oldIndex)
        return;
    PieceTable& story = paragraph.pieceTable();
    BatchUpdateScope batch(story.documentModel());
    const auto apply = [&paragraph](int32_t index) {
        paragraph.setFrameFormattingIndex(index);
        PieceTable& pieceTable = paragraph.pieceTable();
        pieceTable.documentModel().applyChangesCore(pieceTable,
                                                    DocumentModelChangeActions::Redraw | DocumentModelChangeActions::ResetAllPrimaryLayout |
                                                        DocumentModelChangeActions::ResetPrimaryLayout,
                                                    paragraph.firstRunIndex(), paragraph.lastRunIndex());
    };
    story.documentModel().history().execute(
        std::make_unique<FunctionalHistoryItem>(story, [apply, newIndex] { apply(newIndex); }, [apply, oldIndex] { apply(oldIndex); }));
}

/// Whether another paragraph of the table holding `paragraph` has a frame of its own.
bool tableHoldsFrame(const PieceTable& story, const TableCell& cell)
{
    const Table& table = cell.table();
    for (ParagraphIndex index = table.startParagraphIndex(); index <= table.endParagraphIndex(); ++index) {
        const ParagraphFrameFormatting* own = ownFrame(story.paragraph(index));
        if (own && isParagraphFrame(*own))
            return true;
    }
    return false;
}

bool usesFloatingPosition(const Table& table)
{
    const TablePropertiesInfo& properties = table.properties();
    return properties.uses(TablePropertiesOptions::UseFloatingPosition) &&
           properties.floatingPosition.textWrapping == TextWrapping::Around;
}

} // namespace

std::optional<ParagraphFrameFormatting> frameProperties(const Paragraph& paragraph)
{
    const ParagraphFrameFormatting* own = ownFrame(paragraph);
    return own ? std::optional(*own) : std::nullopt;
}

bool hasFrameProperties(const Paragraph& paragraph)
{
    return paragraph.frameFormattingIndex() >= 0;
}

void setFrameProperties(Paragraph& paragraph, const std::optional<ParagraphFrameFormatting>& properties)
{
    setParagraphFrameIndex(paragraph, properties ? frameCache(paragraph.pieceTable().documentModel()).add(*properties) : kNoFrameProperties);
}

void setDefaultFrameProperties(Paragraph& paragraph)
{
    setParagraphFrameIndex(paragraph, kExplicitNoFrame);
}

void copyFrameProperties(const Paragraph& source, Paragraph& target)
{
    if (source.frameFormattingIndex() == kExplicitNoFrame)
        setDefaultFrameProperties(target);
    else
        setFrameProperties(target, frameProperties(source));
}

void setFrameProperties(ParagraphStyle& style, const std::optional<ParagraphFrameFormatting>& properties)
{
    DocumentModel& document = style.documentModel();
    const int32_t oldIndex = style.frameFormattingIndex();
    const int32_t newIndex = properties ? frameCache(document).add(*properties) : kNoFrameProperties;
    if (newIndex == oldIndex)
        return;
    BatchUpdateScope batch(document);
    const auto apply = [&style, &document](int32_t index) {
        style.setFrameFormattingIndex(index);
        document.resetFormattingCaches();
    };
    document.history().execute(std::make_unique<FunctionalHistoryItem>(
        document.mainPieceTable(), [apply, newIndex] { apply(newIndex); }, [apply, oldIndex] { apply(oldIndex); }));
}

std::optional<ParagraphFrameFormatting> mergedFrameProperties(const ParagraphStyle& style)
{
    if (style.deleted())
        throw core::EditorException("Error: using deleted style");
    if (style.frameFormattingIndex() < 0)
        return std::nullopt;
    ParagraphFrameFormatting merged = frameCache(style.documentModel())[style.frameFormattingIndex()];
    if (const ParagraphStyle* parent = style.parentStyle()) {
        if (const std::optional<ParagraphFrameFormatting> inherited = mergedFrameProperties(*parent))
            mergeFrameProperties(merged, *inherited);
    }
    return merged;
}

std::optional<ParagraphFrameFormatting> mergedFrameProperties(const Paragraph& paragraph)
{
    if (paragraph.frameFormattingIndex() == kExplicitNoFrame)
        return std::nullopt;
    const PieceTable& story = paragraph.pieceTable();
    const auto& styles = story.documentModel().styles().paragraphStyles();
    const int32_t styleIndex = paragraph.paragraphStyleIndex();
    const std::optional<ParagraphFrameFormatting> fromStyle =
        styles.isIndexValid(styleIndex) ? mergedFrameProperties(styles[styleIndex]) : std::nullopt;
    if (const ParagraphFrameFormatting* own = ownFrame(paragraph)) {
        ParagraphFrameFormatting merged = *own;
        if (fromStyle)
            mergeFrameProperties(merged, *fromStyle);
        return merged;
    }
    if (fromStyle && isParagraphFrame(*fromStyle)) {
        if (const TableCell* cell = story.tableCellsManager().cell(paragraph.index()); cell && tableHoldsFrame(story, *cell))
            return std::nullopt;
    }
    return fromStyle;
}

bool hasMergedFrameProperties(const Paragraph& paragraph)
{
    return mergedFrameProperties(paragraph).has_value();
}

std::optional<ParagraphFrameFormatting> actualFrameProperties(const Paragraph& paragraph, bool ignoreTableFloatingPosition)
{
    const PieceTable& story = paragraph.pieceTable();
    if (story.contentType().isTextBox())
        return std::nullopt;
    if (!ignoreTableFloatingPosition) {
        if (const TableCell* cell = story.tableCellsManager().cell(paragraph.index()); cell && usesFloatingPosition(cell->table()))
            return std::nullopt;
    }
    return mergedFrameProperties(paragraph);
}

bool hasParagraphFrame(const Paragraph& paragraph)
{
    const std::optional<ParagraphFrameFormatting> actual = actualFrameProperties(paragraph);
    return actual && isParagraphFrame(*actual);
}

void mergeFrameProperties(ParagraphFrameFormatting& target, const ParagraphFrameFormatting& source)
{
    const uint32_t missing = source.useMask() & ~target.useMask();
    if (missing == 0)
        return;
    ParagraphFrameFormattingInfo info = target.info();
    const ParagraphFrameFormattingInfo& from = source.info();
    const auto take = [missing](O option) { return (missing & ParagraphFrameFormatting::bit(option)) != 0; };
    if (take(O::UseHorizontalPosition)) info.horizontalPosition = from.horizontalPosition;
    if (take(O::UseVerticalPosition)) info.verticalPosition = from.verticalPosition;
    if (take(O::UseHorizontalPadding)) info.horizontalPadding = from.horizontalPadding;
    if (take(O::UseVerticalPadding)) info.verticalPadding = from.verticalPadding;
    if (take(O::UseHorizontalRule)) info.horizontalRule = from.horizontalRule;
    if (take(O::UseTextWrapType)) info.textWrapType = from.textWrapType;
    if (take(O::UseX)) info.x = from.x;
    if (take(O::UseY)) info.y = from.y;
    if (take(O::UseWidth)) info.width = from.width;
    if (take(O::UseHeight)) info.height = from.height;
    if (take(O::UseHorizontalPositionAlignment)) info.horizontalPositionAlignment = from.horizontalPositionAlignment;
    if (take(O::UseVerticalPositionAlignment)) info.verticalPositionAlignment = from.verticalPositionAlignment;
    if (take(O::UseHorizontalPositionType)) info.horizontalPositionType = from.horizontalPositionType;
    if (take(O::UseVerticalPositionType)) info.verticalPositionType = from.verticalPositionType;
    if (take(O::UseDropCap)) info.dropCap = from.dropCap;
    if (take(O::UseDropCapVerticalHeightInLines)) info.dropCapVerticalHeightInLines = from.dropCapVerticalHeightInLines;
    if (take(O::UseLockFrameAnchorToParagraph)) info.lockFrameAnchorToParagraph = from.lockFrameAnchorToParagraph;
    target = ParagraphFrameFormatting(info, target.useMask() | missing);
}

bool isParagraphFrame(const ParagraphFrameFormatting& properties)
{
    const ParagraphFrameFormattingInfo& info = properties.info();
    const bool plain =
        info.width == 0 && (info.height == 0 || info.horizontalRule == ParagraphFrameHorizontalRule::Auto) && info.x == 0 &&
        info.y == 0 && info.horizontalPositionType == ParagraphFrameHorizontalPositionType::Column &&
        info.verticalPositionType != ParagraphFrameVerticalPositionType::Paragraph &&
        (!properties.uses(O::UseHorizontalPositionAlignment) ||
         info.horizontalPositionAlignment == ParagraphFrameHorizontalPositionAlignment::Left) &&
        (!properties.uses(O::UseVerticalPositionAlignment) ||
         info.verticalPositionAlignment == ParagraphFrameVerticalPositionAlignment::Inline) &&
        info.textWrapType == ParagraphFrameTextWrapType::Auto;
    return !plain;
}

bool canMergeFrames(const ParagraphFrameFormatting& first, const ParagraphFrameFormatting& second)
{
    const ParagraphFrameFormattingInfo& a = first.info();
    const ParagraphFrameFormattingInfo& b = second.info();
    if (a.textWrapType != b.textWrapType || a.horizontalPositionType != b.horizontalPositionType ||
        a.verticalPositionType != b.verticalPositionType || a.verticalPosition != b.verticalPosition ||
        a.horizontalPosition != b.horizontalPosition || a.horizontalPadding != b.horizontalPadding ||
        a.verticalPadding != b.verticalPadding || a.width != b.width || a.x != b.x || a.y != b.y ||
        a.horizontalRule != b.horizontalRule)
        return false;
    if (a.horizontalRule != ParagraphFrameHorizontalRule::Auto && a.height != b.height)
        return false;
    if (!first.uses(O::UseX) && !second.uses(O::UseX) && a.horizontalPositionAlignment != b.horizontalPositionAlignment)
        return false;
    if (!first.uses(O::UseY) && !second.uses(O::UseY) && a.verticalPositionAlignment != b.verticalPositionAlignment)
        return false;
    return true;
}

} // namespace velmo::model
