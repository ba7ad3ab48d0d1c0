#include "model/tables/table_style.h"

#include "model/document_model.h"

#include <functional>

namespace velmo::model {

TableStyleFormatting& TableStyle::formattingCore(std::optional<ConditionalTableStyleFormattingType> part)
{
    if (!part)
        return formatting_;
    std::optional<TableStyleFormatting>& conditional = slot(*part);
    if (!conditional) {
        conditional.emplace();
        ++conditionalPartCount_;
    }
    return *conditional;
}

void TableStyle::changeTableProperties(const std::function<void(TablePropertiesInfo&)>& change,
                                       std::optional<ConditionalTableStyleFormattingType> part)
{
    auto& cache = documentModel_.cache().tablePropertiesCache();
    int32_t& index = formattingCore(part).tablePropertiesIndex;
    TablePropertiesInfo changed = cache[index];
    change(changed);
    const int32_t newIndex = cache.add(changed);
    if (newIndex == index)
        return;
    BatchUpdateScope batch(documentModel_);
    recordIndexChange(index, index, newIndex);
}

void TableStyle::changeCellProperties(const std::function<void(TableCellPropertiesInfo&)>& change,
                                      std::optional<ConditionalTableStyleFormattingType> part)
{
    auto& cache = documentModel_.cache().tableCellPropertiesCache();
    int32_t& index = formattingCore(part).cellPropertiesIndex;
    TableCellPropertiesInfo changed = cache[index];
    change(changed);
    const int32_t newIndex = cache.add(changed);
    if (newIndex == index)
        return;
    BatchUpdateScope batch(documentModel_);
    recordIndexChange(index, index, newIndex);
}

} // namespace velmo::model
