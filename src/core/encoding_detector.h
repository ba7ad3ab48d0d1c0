#pragma once

#include "core/encoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace velmo::core {

/// How many bytes from the start detection looks at.
inline constexpr size_t kEncodingDetectionWindow = 4096;

/// The encoding of text bytes, judged from the first kEncodingDetectionWindow of them, in order:
/// a byte order mark (only in inputs of at least four bytes); the pattern of zero bytes of UTF-16
/// without a mark; nothing at all when every byte is ASCII (or 0xA0); well-formed UTF-8; else the
/// statistical detector. Nothing is detected when the detectors are not confident or name a
/// charset without a Windows code page; the caller then keeps its default.
[[nodiscard]] std::optional<Encoding> detectEncoding(std::span<const uint8_t> bytes);

} // namespace velmo::core
