#include "model/pictures/picture_editing.h"

#include "core/editor_exception.h"
#include "model/document_model.h"
#include "model/document_model_unit_converter.h"
#include "model/input_position.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_floating_object_content.h"

#include <algorithm>

namespace velmo::model {

namespace {

constexpr int32_t kFirstZOrder = 0x0F000000;
constexpr int32_t kZOrderStep = 1024;
constexpr Size kTextBoxSize{2880, 1440}; // 600 x 300 document units
constexpr int32_t kTextBoxOutlineWidth = 10;

/// The run just before the position: the one an insertion made.
TextRunBase& runBefore(PieceTable& pieceTable, const InputPosition& position)
{
    return pieceTable.run(pieceTable.findPosition(position.logPosition - 1).runIndex);
}

/// Centred in the column, vertically from the paragraph, above the other objects of the story.
void placeNewObject(FloatingObjectFormatting& f, int32_t zOrder)
{
    using O = UseFloatingObjectOption;
    f.set(&FloatingObjectInfo::horizontalPositionType, ShapeRelativeHorizontalPosition::Column, O::UseHorizontalPositionType);
    f.set(&FloatingObjectInfo::horizontalPositionAlignment, ShapeHorizontalAlignment::Center, O::UseHorizontalPositionAlignment);
    f.set(&FloatingObjectInfo::verticalPositionType, ShapeRelativeVerticalPosition::Paragraph, O::UseVerticalPositionType);
    f.set(&FloatingObjectInfo::zOrder, zOrder, O::UseZOrder);
}

DocumentLogPosition paragraphStart(const PieceTable& pieceTable, DocumentLogPosition logPosition)
{
    return pieceTable.paragraph(pieceTable.findParagraphIndex(logPosition)).logPosition();
}

} // namespace

InlinePictureRun& insertInlinePicture(PieceTable& pieceTable, InputPosition& position, const OfficeImageReference& image,
                                      int32_t scaleX, int32_t scaleY)
{
    constexpr auto kMaxScale = static_cast<int32_t>(InlinePictureRun::kMaxScale);
    if (scaleX < 1 || scaleX > kMaxScale)
        throw core::EditorException::invalidValue(scaleX, "scaleX");
    if (scaleY < 1 || scaleY > kMaxScale)
        throw core::EditorException::invalidValue(scaleY, "scaleY");
    DocumentModel& document = pieceTable.documentModel();
    BatchUpdateScope batch(document);
    pieceTable.insertObjectRun(position, RunKind::InlinePicture);
    auto& run = static_cast<InlinePictureRun&>(runBefore(pieceTable, position));
    // Part of the insertion: undo keeps the run with its picture, redo brings both back.
    run.setContent(std::make_unique<PictureFloatingObjectContent>(run, image));
    InlinePictureInfo info;
    info.scaleX = static_cast<float>(scaleX);
    info.scaleY = static_cast<float>(scaleY);
    run.setPictureInfoIndexInitial(document.cache().pictureCaches().inlinePictureInfoCache.add(info));
    return run;
}

InlinePictureRun& insertInlinePicture(PieceTable& pieceTable, DocumentLogPosition logPosition, const OfficeImageReference& image,
                                      int32_t scaleX, int32_t scaleY)
{
    InputPosition position = pieceTable.createInputPosition(logPosition);
    return insertInlinePicture(pieceTable, position, image, scaleX, scaleY);
}

FloatingObjectAnchorRun& insertFloatingObjectAnchor(PieceTable& pieceTable, InputPosition& position)
{
    pieceTable.insertObjectRun(position, RunKind::FloatingObjectAnchor);
    return static_cast<FloatingObjectAnchorRun&>(runBefore(pieceTable, position));
}

FloatingObjectAnchorRun& insertFloatingObjectAnchor(PieceTable& pieceTable, DocumentLogPosition logPosition)
{
    InputPosition position = pieceTable.createInputPosition(logPosition);
    return insertFloatingObjectAnchor(pieceTable, position);
}

FloatingObjectAnchorRun& insertFloatingPicture(PieceTable& pieceTable, DocumentLogPosition selectionEnd,
                                               const OfficeImageReference& image, int32_t scale)
{
    if (scale < 1 || scale > static_cast<int32_t>(InlinePictureRun::kMaxScale))
        throw core::EditorException::invalidValue(scale, "scale");
    BatchUpdateScope batch(pieceTable.documentModel());
    const int32_t zOrder = nextZOrder(pieceTable);
    FloatingObjectAnchorRun& anchor = insertFloatingObjectAnchor(pieceTable, paragraphStart(pieceTable, selectionEnd));
    FloatingObject& floatingObject = anchor.floatingObject();
    floatingObject.setContent(std::make_unique<PictureFloatingObjectContent>(anchor, image));
    const Size original = anchor.originalSize();
    const auto scaled = [scale](int32_t side) {
        return static_cast<int32_t>(std::max<int64_t>(1, roundHalfToEven(std::max(1, side) * static_cast<double>(scale) / 100)));
    };
    floatingObject.changeProperties([&](FloatingObjectFormatting& f) {
        f.setActualSize({scaled(original.width), scaled(original.height)});
        placeNewObject(f, zOrder);
        f.set(&FloatingObjectInfo::lockAspectRatio, true, UseFloatingObjectOption::UseLockAspectRatio);
    });
    return anchor;
}

FloatingObjectAnchorRun& insertTextBox(PieceTable& pieceTable, DocumentLogPosition selectionEnd)
{
    DocumentModel& document = pieceTable.documentModel();
    BatchUpdateScope batch(document);
    const int32_t zOrder = nextZOrder(pieceTable);
    FloatingObjectAnchorRun& anchor = insertFloatingObjectAnchor(pieceTable, paragraphStart(pieceTable, selectionEnd));
    FloatingObject& floatingObject = anchor.floatingObject();
    auto content = std::make_unique<TextBoxFloatingObjectContent>(anchor, document);
    TextBoxFormatting properties;
    properties.set(&TextBoxInfo::resizeShapeToFitText, true, UseTextBoxOption::UseResizeShapeToFitText);
    content->setPropertiesIndexInitial(document.cache().pictureCaches().textBoxFormattingCache.add(properties));
    floatingObject.setContent(std::move(content));
    floatingObject.changeShape([](ShapeFormatting& f) {
        f.set(&ShapeInfo::fillColor, AlphaColor{0xFFFFFFFF}, UsedShapeOption::UseFillColor);
        f.set(&ShapeInfo::outlineColor, AlphaColor{0xFF000000}, UsedShapeOption::UseOutlineColor);
        f.set(&ShapeInfo::outlineWidth, kTextBoxOutlineWidth, UsedShapeOption::UseOutlineWidth);
    });
    floatingObject.changeProperties([&](FloatingObjectFormatting& f) {
        f.setActualSize(kTextBoxSize);
        placeNewObject(f, zOrder);
    });
    return anchor;
}

int32_t insertedPictureScale(Size imageSizeInTwips, int32_t columnWidth, int32_t availableHeight) noexcept
{
    const int64_t byWidth = int64_t{columnWidth} * 100 / std::max(1, imageSizeInTwips.width);
    const int64_t byHeight = int64_t{availableHeight} * 100 / std::max(1, imageSizeInTwips.height);
    return static_cast<int32_t>(std::max<int64_t>(1, std::min({byWidth, byHeight, int64_t{100}})));
}

std::vector<FloatingObjectAnchorRun*> floatingObjectList(const PieceTable& pieceTable)
{
    std::vector<FloatingObjectAnchorRun*> result;
    for (int32_t index = 0; index < pieceTable.runCount(); ++index) {
        TextRunBase& run = pieceTable.run(RunIndex(index));
        if (run.kind() == RunKind::FloatingObjectAnchor)
            result.push_back(static_cast<FloatingObjectAnchorRun*>(&run));
    }
    std::ranges::stable_sort(result, {}, [](const FloatingObjectAnchorRun* run) { return run->floatingObjectInfo().zOrder; });
    return result;
}

int32_t nextZOrder(const PieceTable& pieceTable)
{
    const std::vector<FloatingObjectAnchorRun*> list = floatingObjectList(pieceTable);
    if (list.empty())
        return kFirstZOrder;
    const int64_t next = int64_t{list.back()->floatingObjectInfo().zOrder} + kZOrderStep;
    return static_cast<int32_t>(std::min<int64_t>(next, INT32_MAX));
}

} // namespace velmo::model
