#pragma once

#include <cstdint>

namespace velmo::bench {

/// Resident set size of this process in bytes (0 when unknown).
[[nodiscard]] int64_t residentBytes();

} // namespace velmo::bench
