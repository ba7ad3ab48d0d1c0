#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmo::model {

/// The document's variables: names (compared exactly) with text values, in the order they were
/// added, as DOCVARIABLE fields read them and documents store them.
class DocumentVariableCollection {
public:
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(variables_.size()); }
    [[nodiscard]] const std::vector<std::pair<std::u16string, std::u16string>>& variables() const noexcept { return variables_; }
    [[nodiscard]] bool contains(std::u16string_view name) const noexcept { return find(name) != variables_.end(); }
    [[nodiscard]] std::optional<std::u16string> value(std::u16string_view name) const;
    /// Adds the variable, or gives the one of that name the new value.
    void add(std::u16string_view name, std::u16string value);
    /// Changes an existing variable; fails with "Error: document variable is either missing or
    /// deleted (from Variables collection)" when there is none of that name.
    void set(std::u16string_view name, std::u16string value);
    void remove(std::u16string_view name);
    void clear() noexcept { variables_.clear(); }

private:
    using Variables = std::vector<std::pair<std::u16string, std::u16string>>;
    [[nodiscard]] Variables::const_iterator find(std::u16string_view name) const noexcept;
    [[nodiscard]] Variables::iterator find(std::u16string_view name) noexcept;

    Variables variables_;
};

} // namespace velmo::model
