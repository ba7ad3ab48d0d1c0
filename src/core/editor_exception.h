#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmo::core {

/// The engine's error. Messages follow a few fixed templates so that callers and
/// users see the same wording wherever the error comes from.
class EditorException : public std::runtime_error {
public:
    explicit EditorException(const std::string& message) : std::runtime_error(message) {}

    /// "'value' is not a valid value for 'name'".
    [[nodiscard]] static EditorException invalidValue(std::string_view value, std::string_view name);
    [[nodiscard]] static EditorException invalidValue(long long value, std::string_view name);
    /// A position outside what an operation accepts: "position N".
    [[nodiscard]] static EditorException invalidPosition(long long position);
    /// A broken invariant: "An internal error occurred".
    [[nodiscard]] static EditorException internalError();
    /// No reader or writer for a format: "File format is not supported".
    [[nodiscard]] static EditorException formatNotSupported();
};

inline constexpr std::string_view kInternalErrorMessage = "An internal error occurred";
inline constexpr std::string_view kFormatNotSupportedMessage = "File format is not supported";

} // namespace velmo::core
