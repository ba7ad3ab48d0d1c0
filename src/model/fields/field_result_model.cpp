#include "model/fields/field_result_model.h"

#include "model/document_model.h"
#include "model/pictures/document_images.h"

namespace velmo::model {

std::unique_ptr<DocumentModel> createFieldResultModel(const DocumentModel& source)
{
    auto model = std::make_unique<DocumentModel>(nullptr, source.images().codec());
    // The target splits runs by font coverage when the content arrives there.
    model->setUseFontSubstitution(false);
    model->variables() = source.variables();
    return model;
}

} // namespace velmo::model
