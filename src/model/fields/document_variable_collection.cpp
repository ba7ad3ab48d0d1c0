#include "model/fields/document_variable_collection.h"

#include "core/editor_exception.h"

#include <algorithm>

namespace velmo::model {

DocumentVariableCollection::Variables::const_iterator DocumentVariableCollection::find(std::u16string_view name) const noexcept
{
    return std::find_if(variables_.begin(), variables_.end(), [name](const auto& variable) { return variable.first == name; });
}

DocumentVariableCollection::Variables::iterator DocumentVariableCollection::find(std::u16string_view name) noexcept
{
    return std::find_if(variables_.begin(), variables_.end(), [name](const auto& variable) { return variable.first == name; });
}

std::optional<std::u16string> DocumentVariableCollection::value(std::u16string_view name) const
{
    const auto found = find(name);
    if (found == variables_.end())
        return std::nullopt;
    return found->second;
}

void DocumentVariableCollection::add(std::u16string_view name, std::u16string value)
{
    const auto found = find(name);
    if (found != variables_.end())
        found->second = std::move(value);
    else
        variables_.emplace_back(std::u16string(name), std::move(value));
}

void DocumentVariableCollection::set(std::u16string_view name, std::u16string value)
{
    const auto found = find(name);
    if (found == variables_.end())
        throw core::EditorException("Error: document variable is either missing or deleted (from Variables collection)");
    found->second = std::move(value);
}

void DocumentVariableCollection::remove(std::u16string_view name)
{
    const auto found = find(name);
    if (found != variables_.end())
        variables_.erase(found);
}

} // namespace velmo::model
