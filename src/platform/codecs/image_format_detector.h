#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>

namespace velmo::platform {

/// The format of picture bytes by their signature; None when nothing matches. A bare DIB is recognised
/// only by a plausible header (known header size, one plane, a known bit depth), as it has no signature.
[[nodiscard]] OfficeImageFormat detectImageFormat(std::span<const uint8_t> bytes) noexcept;

} // namespace velmo::platform
