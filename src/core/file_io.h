#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmo::core {

/// Largest file the program reads into memory.
inline constexpr int64_t kMaxFileSize = int64_t{1} << 30;

/// The whole file. Throws EditorException naming the file and the reason (missing, unreadable,
/// a folder, larger than kMaxFileSize).
[[nodiscard]] std::vector<uint8_t> readFile(const std::string& path);

/// Writes `bytes` to a temporary file in the target's folder and renames it over the target, so a
/// failure leaves any existing file untouched. Throws EditorException naming the file and the reason.
void writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace velmo::core
