#include "model/fields/sequential_field_manager.h"

#include "model/document_model.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_collection.h"
#include "model/fields/sequence_field.h"
#include "model/piece_table.h"

#include <algorithm>

namespace velmo::model {

int32_t SequentialFieldManager::counterValue(const Field& field, const std::u16string& identifier)
{
    if (identifier.empty())
        return kUnsetValue;
    std::vector<CountedField>& counted = counters_[identifier];
    const auto found = std::lower_bound(counted.begin(), counted.end(), field.index(),
                                        [](const CountedField& entry, int32_t index) { return entry.fieldIndex < index; });
    if (found != counted.end() && found->fieldIndex == field.index())
        return found->value;
    if (!counted.empty() && counted.back().fieldIndex > field.index())
        counted.clear(); // not counted where it should have been: count again
    int32_t running = counted.empty() ? 0 : counted.back().value;
    const int32_t from = counted.empty() ? 0 : counted.back().fieldIndex + 1;
    const FieldCollection& fields = pieceTable_.fields();
    const FieldCalculatorService& calculator = pieceTable_.documentModel().fieldCalculatorService();
    for (int32_t index = from; index <= field.index() && index < fields.count(); ++index) {
        const std::unique_ptr<CalculatedFieldBase> parsed = calculator.parseField(pieceTable_, fields[index]);
        const auto* sequence = dynamic_cast<const SequenceField*>(parsed.get());
        if (!sequence || sequence->identifier() != identifier)
            continue;
        running = sequence->resetValue().value_or(running + (sequence->repeatsPrevious() ? 0 : 1));
        counted.push_back(CountedField{index, running});
    }
    return !counted.empty() && counted.back().fieldIndex == field.index() ? counted.back().value : kUnsetValue;
}

} // namespace velmo::model
