#include "model/pictures/inline_picture_run.h"

#include "core/editor_exception.h"
#include "model/document_model_unit_converter.h"
#include "model/paragraph.h"
#include "model/pictures/office_image.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/pictures_internal.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velmo::model {

using pictures_internal::changeRunRecord;
using pictures_internal::kObjectChangeActions;

namespace {

UniqueItemsCache<InlinePictureInfo>& infoCache(const TextRunBase& run)
{
    return run.pieceTable().documentModel().cache().pictureCaches().inlinePictureInfoCache;
}

/// The scale that shows `original` at `actual`: at least 1, and 100 for a size of 0 or less.
float scaleFor(int32_t actual, int32_t original) noexcept
{
    if (actual <= 0)
        return 100;
    return std::clamp(static_cast<float>(actual) * 100.0f / static_cast<float>(std::max(1, original)), 1.0f, InlinePictureRun::kMaxScale);
}

void checkScale(float scale, const char* name)
{
    if (!std::isfinite(scale) || scale <= 0 || scale > InlinePictureRun::kMaxScale)
        throw core::EditorException::invalidValue(std::to_string(scale), name);
}

int32_t scaledSide(int32_t original, float scale) noexcept
{
    const int64_t side = roundHalfToEven(static_cast<double>(original) * scale / 100);
    return static_cast<int32_t>(std::clamp<int64_t>(side, 0, INT32_MAX));
}

} // namespace

InlinePictureRun::InlinePictureRun(Paragraph& paragraph, int32_t startIndex, int32_t length)
    : InlineObjectRun(paragraph, startIndex, length)
{
}

InlinePictureRun::~InlinePictureRun() = default;

std::unique_ptr<RunBase> InlinePictureRun::clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const
{
    auto copy = std::make_unique<InlinePictureRun>(paragraph, startIndex, length);
    copy->takeFormattingFrom(*this);
    copy->pictureInfoIndex_ = pictureInfoIndex_;
    if (content_)
        copy->content_.reset(static_cast<PictureFloatingObjectContent*>(
            content_->clone(*copy, paragraph.pieceTable().documentModel()).release()));
    return copy;
}

OfficeImageReference* InlinePictureRun::image() const noexcept
{
    return content_ ? &content_->image() : nullptr;
}

void InlinePictureRun::setContent(std::unique_ptr<PictureFloatingObjectContent> content)
{
    content_ = std::move(content);
}

const InlinePictureInfo& InlinePictureRun::pictureInfo() const
{
    return infoCache(*this)[pictureInfoIndex_];
}

void InlinePictureRun::changePictureInfo(const std::function<void(InlinePictureInfo&)>& change)
{
    changeRunRecord(*this, infoCache(*this), pictureInfoIndex_, change, batchUpdateChangeActions());
}

void InlinePictureRun::setScaleX(float scale)
{
    checkScale(scale, "ScaleX");
    if (scale != scaleX())
        changePictureInfo([scale](InlinePictureInfo& info) { info.scaleX = scale; });
}

void InlinePictureRun::setScaleY(float scale)
{
    checkScale(scale, "ScaleY");
    if (scale != scaleY())
        changePictureInfo([scale](InlinePictureInfo& info) { info.scaleY = scale; });
}

Size InlinePictureRun::originalSize() const noexcept
{
    return content_ ? content_->originalSize() : Size{1, 1};
}

Size InlinePictureRun::actualSize() const
{
    const Size original = originalSize();
    const InlinePictureInfo& info = pictureInfo();
    return {scaledSide(original.width, info.scaleX), scaledSide(original.height, info.scaleY)};
}

void InlinePictureRun::setActualSize(Size size)
{
    BatchUpdateScope batch(pieceTable().documentModel());
    if (content_ && !content_->image().image().isLoaded())
        content_->setDesiredSizeAfterLoad(size);
    setActualSizeInternal(size);
}

void InlinePictureRun::setActualSizeInternal(Size size)
{
    const Size original = originalSize();
    const float newScaleX = scaleFor(size.width, original.width);
    const float newScaleY = scaleFor(size.height, original.height);
    if (newScaleX == scaleX() && newScaleY == scaleY())
        return;
    changePictureInfo([newScaleX, newScaleY](InlinePictureInfo& info) {
        info.scaleX = newScaleX;
        info.scaleY = newScaleY;
    });
}

DocumentModelChangeActions InlinePictureRun::batchUpdateChangeActions() const
{
    return kObjectChangeActions | DocumentModelChangeActions::ResetCaretInputPositionFormatting;
}

} // namespace velmo::model
