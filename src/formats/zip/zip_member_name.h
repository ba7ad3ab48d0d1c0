#pragma once

#include <string>
#include <string_view>

namespace velmo::formats {

/// The stored form of a member name: "\" becomes "/" and one leading "/" is dropped.
[[nodiscard]] std::string normalizeMemberName(std::string_view name);

/// A requested name in the form it is compared in: normalised, and every ".." segment removed
/// together with the folder before it ("word/media/../styles.xml" is "word/styles.xml").
[[nodiscard]] std::string resolveMemberName(std::string_view name);

/// Member names compare ignoring the case of ASCII letters only.
[[nodiscard]] bool memberNamesEqual(std::string_view a, std::string_view b) noexcept;

} // namespace velmo::formats
