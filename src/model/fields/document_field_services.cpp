#include "model/fields/document_field_services.h"

#include "core/culture.h"
#include "model/document_model.h"
#include "platform/clock.h"

#include <random>

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

uint32_t fieldRandomNumber(const DocumentModel& documentModel)
{
    if (const auto& draw = documentModel.fieldServices().randomNumber)
        return draw();
    thread_local std::mt19937 generator{std::random_device{}()};
    return static_cast<uint32_t>(generator());
}

} // namespace velmo::model
