#include "model/fields/document_field_services.h"

#include "core/culture.h"
#include "model/document_model.h"
#include "platform/clock.h"

namespace velmo::model {

const core::Culture& fieldCulture(const DocumentModel& documentModel)
{
    if (const core::Culture* culture = documentModel.fieldServices().culture)
        return *culture;
    static const core::Culture defaultCulture("en-US");
    return defaultCulture;
}

core::DateTime fieldNow(const DocumentModel& documentModel)
{
    if (const platform::IClock* clock = documentModel.fieldServices().clock)
        return clock->now();
    return platform::SystemClock().now();
}

} // namespace velmo::model
