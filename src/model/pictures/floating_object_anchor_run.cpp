#include "model/pictures/floating_object_anchor_run.h"

#include "core/editor_exception.h"
#include "model/document_model_unit_converter.h"
#include "model/paragraph.h"
#include "model/piece_table.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/pictures_internal.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmo::model {

FloatingObjectAnchorRun::FloatingObjectAnchorRun(Paragraph& paragraph, int32_t startIndex, int32_t length)
    : TextRunBase(paragraph, startIndex, length), floatingObject_(std::make_unique<FloatingObject>(*this))
{
}

FloatingObjectAnchorRun::~FloatingObjectAnchorRun() = default;

void FloatingObjectAnchorRun::appendPlainText(std::u16string&, const ChunkedStringBuilder&) const {}

std::unique_ptr<RunBase> FloatingObjectAnchorRun::clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const
{
    // Only used within one document (splitting never reaches a run of length 1).
    auto copy = std::make_unique<FloatingObjectAnchorRun>(paragraph, startIndex, length);
    copy->takeFormattingFrom(*this);
    copy->name_ = name_;
    std::unique_ptr<CustomObjectContent> content = this->content().clone(*copy, paragraph.pieceTable().documentModel());
    copy->floatingObject_->initializeFrom(*floatingObject_, std::move(content));
    return copy;
}

void FloatingObjectAnchorRun::afterRunInserted()
{
    inStory_ = true;
    floatingObject_->attach();
}

void FloatingObjectAnchorRun::beforeRunRemoved()
{
    floatingObject_->detach();
    inStory_ = false;
}

bool FloatingObjectAnchorRun::hasPlaceholderSize() const noexcept
{
    const CustomObjectContent& shown = content();
    return shown.kind() == ObjectContentKind::Picture &&
           static_cast<const PictureFloatingObjectContent&>(shown).invalidActualSize();
}

float FloatingObjectAnchorRun::scaleX() const
{
    if (hasPlaceholderSize())
        return 100;
    return static_cast<float>(actualSize().width) * 100.0f / static_cast<float>(std::max(1, originalSize().width));
}

float FloatingObjectAnchorRun::scaleY() const
{
    if (hasPlaceholderSize())
        return 100;
    return static_cast<float>(actualSize().height) * 100.0f / static_cast<float>(std::max(1, originalSize().height));
}

namespace {

/// round(max(1, original) x |scale| / 100), within 32 bits.
int32_t scaledSide(int32_t original, float scale, const char* name)
{
    if (!std::isfinite(scale))
        throw core::EditorException::invalidValue(std::to_string(scale), name);
    const double side = std::max(1, original) * std::fabs(static_cast<double>(scale)) / 100;
    return static_cast<int32_t>(roundHalfToEven(std::min(side, static_cast<double>(INT32_MAX))));
}

} // namespace

void FloatingObjectAnchorRun::setScaleX(float scale)
{
    const int32_t width = scaledSide(originalSize().width, scale, "ScaleX");
    const Size actual = actualSize();
    if (width != actual.width)
        setActualSize({width, actual.height});
}

void FloatingObjectAnchorRun::setScaleY(float scale)
{
    const int32_t height = scaledSide(originalSize().height, scale, "ScaleY");
    const Size actual = actualSize();
    if (height != actual.height)
        setActualSize({actual.width, height});
}

DocumentModelChangeActions FloatingObjectAnchorRun::batchUpdateChangeActions() const
{
    return pictures_internal::kObjectChangeActions | DocumentModelChangeActions::ResetAllPrimaryLayout;
}

} // namespace velmo::model
