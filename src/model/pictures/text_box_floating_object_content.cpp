#include "model/pictures/text_box_floating_object_content.h"

#include "model/document_model.h"
#include "model/document_model_copy_manager.h"
#include "model/piece_table.h"
#include "model/pictures/picture_container_run.h"
#include "model/pictures/pictures_internal.h"
#include "model/pictures/text_box_content_type.h"

namespace velmo::model {

namespace {

constexpr Size kTextBoxOriginalSize{1000, 1000};

} // namespace

TextBoxFloatingObjectContent::TextBoxFloatingObjectContent(IPictureContainerRun& run, DocumentModel& documentModel)
    : CustomObjectContent(kTextBoxOriginalSize), run_(&run), textBox_(std::make_unique<TextBoxContentType>(documentModel))
{
}

TextBoxFloatingObjectContent::~TextBoxFloatingObjectContent() = default;

const TextBoxFormatting& TextBoxFloatingObjectContent::properties() const
{
    return textBox_->pieceTable().documentModel().cache().pictureCaches().textBoxFormattingCache[propertiesIndex_];
}

void TextBoxFloatingObjectContent::changeProperties(const std::function<void(TextBoxFormatting&)>& change)
{
    pictures_internal::changeRunRecord(run_->containerRun(),
                                       textBox_->pieceTable().documentModel().cache().pictureCaches().textBoxFormattingCache,
                                       propertiesIndex_, change, pictures_internal::kObjectChangeActions);
}

std::unique_ptr<CustomObjectContent> TextBoxFloatingObjectContent::clone(IPictureContainerRun& run, DocumentModel& targetDocument) const
{
    auto copy = std::make_unique<TextBoxFloatingObjectContent>(run, targetDocument);
    copy->propertiesIndex_ = targetDocument.cache().pictureCaches().textBoxFormattingCache.add(properties());
    copyStoryContent(textBox_->pieceTable(), copy->textBox_->pieceTable());
    return copy;
}

} // namespace velmo::model
