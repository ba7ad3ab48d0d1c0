#include "model/pictures/floating_object.h"

#include "model/document_history.h"
#include "model/history_item.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/pictures_internal.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"
#include "model/selection.h"

namespace velmo::model {

using pictures_internal::changeRunRecord;
using pictures_internal::kObjectChangeActions;
using pictures_internal::notifyRunChanged;

namespace {

PictureFormattingCaches& cachesOf(const FloatingObjectAnchorRun& run)
{
    return run.pieceTable().documentModel().cache().pictureCaches();
}

TextBoxContentType* textBoxOf(const CustomObjectContent& content) noexcept
{
    if (content.kind() != ObjectContentKind::TextBox)
        return nullptr;
    return &static_cast<const TextBoxFloatingObjectContent&>(content).textBox();
}

/// Replaces a floating object's content; keeps the other one for the way back.
class FloatingObjectContentChangedHistoryItem final : public HistoryItem {
public:
    FloatingObjectContentChangedHistoryItem(FloatingObject& floatingObject, std::unique_ptr<CustomObjectContent> content)
        : HistoryItem(floatingObject.run().pieceTable()), floatingObject_(floatingObject), other_(std::move(content))
    {
    }

protected:
    void redoCore() override { floatingObject_.swapContent(other_); }
    void undoCore() override { floatingObject_.swapContent(other_); }

private:
    FloatingObject& floatingObject_; // its anchor run is in the story whenever this item runs
    std::unique_ptr<CustomObjectContent> other_;
};

} // namespace

FloatingObject::FloatingObject(FloatingObjectAnchorRun& run) : run_(&run), content_(std::make_unique<EmptyFloatingObjectContent>()) {}

FloatingObject::~FloatingObject() = default;

const FloatingObjectFormatting& FloatingObject::properties() const
{
    return cachesOf(*run_).floatingObjectFormattingCache[propertiesIndex_];
}

void FloatingObject::changeProperties(const std::function<void(FloatingObjectFormatting&)>& change)
{
    changeRunRecord(*run_, cachesOf(*run_).floatingObjectFormattingCache, propertiesIndex_, change,
                    kObjectChangeActions | DocumentModelChangeActions::ResetAllPrimaryLayout);
}

void FloatingObject::setZOrder(int32_t zOrder)
{
    changeProperties([zOrder](FloatingObjectFormatting& f) { f.set(&FloatingObjectInfo::zOrder, zOrder, UseFloatingObjectOption::UseZOrder); });
}

void FloatingObject::setOffset(Point offset)
{
    changeProperties([offset](FloatingObjectFormatting& f) { f.set(&FloatingObjectInfo::offset, offset, UseFloatingObjectOption::UseOffset); });
}

void FloatingObject::setActualSize(Size size)
{
    changeProperties([size](FloatingObjectFormatting& f) { f.setActualSize(size); });
}

const ShapeFormatting& FloatingObject::shape() const
{
    return cachesOf(*run_).shapeFormattingCache[shapeIndex_];
}

void FloatingObject::changeShape(const std::function<void(ShapeFormatting&)>& change)
{
    changeRunRecord(*run_, cachesOf(*run_).shapeFormattingCache, shapeIndex_, change, DocumentModelChangeActions::Redraw);
}

void FloatingObject::setContent(std::unique_ptr<CustomObjectContent> content)
{
    DocumentModel& document = run_->pieceTable().documentModel();
    BatchUpdateScope batch(document);
    document.history().execute(std::make_unique<FloatingObjectContentChangedHistoryItem>(*this, std::move(content)));
}

void FloatingObject::swapContent(std::unique_ptr<CustomObjectContent>& other)
{
    const bool inStory = run_->isInStory();
    if (inStory)
        detach();
    std::swap(content_, other);
    if (inStory) {
        attach();
        notifyRunChanged(*run_, kObjectChangeActions | DocumentModelChangeActions::ResetAllPrimaryLayout);
    }
}

void FloatingObject::copyFrom(const FloatingObject& source)
{
    const FloatingObjectFormatting properties = source.properties();
    const ShapeFormatting shape = source.shape();
    changeProperties([&properties](FloatingObjectFormatting& f) { f = properties; });
    changeShape([&shape](ShapeFormatting& f) { f = shape; });
    if (source.content().kind() != ObjectContentKind::Empty || content_->kind() != ObjectContentKind::Empty)
        setContent(source.content().clone(*run_, run_->pieceTable().documentModel()));
}

void FloatingObject::initializeFrom(const FloatingObject& source, std::unique_ptr<CustomObjectContent> content)
{
    propertiesIndex_ = source.propertiesIndex_;
    shapeIndex_ = source.shapeIndex_;
    content_ = std::move(content);
}

void FloatingObject::attach()
{
    TextBoxContentType* textBox = textBoxOf(*content_);
    if (!textBox)
        return;
    textBox->setAnchorRun(run_);
    run_->pieceTable().addTextBox(*textBox);
}

void FloatingObject::detach()
{
    TextBoxContentType* textBox = textBoxOf(*content_);
    if (!textBox)
        return;
    PieceTable& story = run_->pieceTable();
    DocumentModel& document = story.documentModel();
    if (&document.activePieceTable() == &textBox->pieceTable()) {
        // The caret was in the box: it goes back to where the box is anchored.
        const RunIndex runIndex = story.calculateRunIndex(*run_, RunIndex(-1));
        const DocumentLogPosition anchor = runIndex.value() >= 0 ? story.runLogPosition(runIndex) : DocumentLogPosition(0);
        document.setActivePieceTable(story);
        document.selection().setRange(story, anchor, anchor);
    }
    textBox->setAnchorRun(nullptr);
    story.removeTextBox(*textBox);
}

} // namespace velmo::model
