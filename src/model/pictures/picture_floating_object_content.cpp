#include "model/pictures/picture_floating_object_content.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/document_model_unit_converter.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/picture_container_run.h"

#include <algorithm>
#include <cmath>

namespace velmo::model {

namespace {

/// Keeps the history from recording for a scope: what happens when a linked picture arrives is not
/// something the user did, so it is not undone.
class HistoryDisabledScope {
public:
    explicit HistoryDisabledScope(DocumentHistory& history) noexcept : history_(history) { history_.disable(); }
    ~HistoryDisabledScope() { history_.enable(); }
    HistoryDisabledScope(const HistoryDisabledScope&) = delete;
    HistoryDisabledScope& operator=(const HistoryDisabledScope&) = delete;

private:
    DocumentHistory& history_;
};

constexpr double kScreenDpi = 96;

int32_t scaled(float scale, int32_t size) noexcept
{
    return static_cast<int32_t>(std::max<int64_t>(1, roundHalfToEven(scale * static_cast<double>(size) / 100)));
}

} // namespace

PictureFloatingObjectContent::PictureFloatingObjectContent(IPictureContainerRun& run, const OfficeImageReference& image)
    : CustomObjectContent(Size{1, 1}), run_(&run),
      image_(run.containerRun().pieceTable().documentModel().images().cloneReference(image))
{
    setOriginalSize(image_->image().sizeInModelUnits());
    image_->setListener(this);
}

PictureFloatingObjectContent::~PictureFloatingObjectContent() = default;

std::unique_ptr<CustomObjectContent> PictureFloatingObjectContent::clone(IPictureContainerRun& run, DocumentModel&) const
{
    auto copy = std::make_unique<PictureFloatingObjectContent>(run, *image_);
    copy->desiredSizeAfterLoad_ = desiredSizeAfterLoad_;
    copy->useScreenDpi_ = useScreenDpi_;
    copy->invalidActualSize_ = invalidActualSize_;
    return copy;
}

void PictureFloatingObjectContent::onNativeImageChanging() {}

void PictureFloatingObjectContent::onNativeImageChanged(Size sizeInTwips)
{
    // Also while the run is out of its story (kept for undo): it must come back at the new size.
    setOriginalSize(image_->image().sizeInModelUnits());
    if (!run_->isInStory())
        return;
    TextRunBase& run = run_->containerRun();
    PieceTable& story = run.pieceTable();
    const RunIndex runIndex = story.calculateRunIndex(run, RunIndex(-1));
    if (runIndex.value() < 0)
        return;
    DocumentModel& document = story.documentModel();
    BatchUpdateScope batch(document);
    const HistoryDisabledScope notRecorded(document.history());
    const Size wanted = sizeForRequest(sizeInTwips);
    if (wanted != run_->actualSize())
        run_->setActualSizeInternal(wanted);
    if (image_->image().isLoaded() && desiredSizeAfterLoad_) {
        run_->setActualSize(*desiredSizeAfterLoad_);
        desiredSizeAfterLoad_.reset();
    }
    document.applyChangesCore(story, run_->batchUpdateChangeActions(), runIndex, runIndex);
}

Size PictureFloatingObjectContent::sizeForRequest(Size requestedTwips) const
{
    const OfficeImage& image = image_->image();
    if (requestedTwips.width <= 0 && requestedTwips.height <= 0) {
        Size size = image.sizeInModelUnits();
        if (useScreenDpi_) {
            const platform::ImageSize pixels = image.sizeInPixels();
            size = {static_cast<int32_t>(std::trunc(pixels.width * 1440.0 / kScreenDpi)),
                    static_cast<int32_t>(std::trunc(pixels.height * 1440.0 / kScreenDpi))};
        }
        if (run_->scaleX() > 0)
            size.width = scaled(run_->scaleX(), size.width);
        if (run_->scaleY() > 0)
            size.height = scaled(run_->scaleY(), size.height);
        return size;
    }
    Size size = requestedTwips; // model units are twips
    const Size native = image.sizeInOriginalUnits();
    const double aspect = static_cast<double>(native.width) / native.height;
    if (size.width <= 0)
        size.width = static_cast<int32_t>(roundHalfToEven(size.height * aspect));
    if (size.height <= 0)
        size.height = static_cast<int32_t>(roundHalfToEven(size.width / aspect));
    return size;
}

} // namespace velmo::model
