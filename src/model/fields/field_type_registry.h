#pragma once

#include <memory>
#include <string_view>

namespace velmo::model {

class CalculatedFieldBase;

/// The calculated field of a type name ("DATE", upper case); null for a type that is not
/// calculated. A new type is one row of the table in field_type_registry.cpp.
[[nodiscard]] std::unique_ptr<CalculatedFieldBase> createCalculatedField(std::u16string_view typeName);

} // namespace velmo::model
