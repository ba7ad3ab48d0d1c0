#pragma once

#include "core/encoding.h"

#include <cstdint>
#include <optional>
#include <span>

namespace velmo::core {

/// How many bytes from the start detection looks at.
inline constexpr size_t kEncodingDetectionWindow = 4096;

/// The encoding of text bytes, judged from their start: a byte order mark, else the pattern of
/// zero bytes of UTF-16 without a mark, else statistical detection once a byte above 0x7F shows
/// up. Pure ASCII, and anything the detectors are not confident about, detects nothing.
[[nodiscard]] std::optional<Encoding> detectEncoding(std::span<const uint8_t> bytes);

} // namespace velmo::core
