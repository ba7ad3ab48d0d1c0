#pragma once

// Record layout shared by the package reader and writer. All integers are little-endian.

#include <cstdint>
#include <span>
#include <vector>

namespace velmo::formats::zip_internal {

inline constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
inline constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
inline constexpr uint32_t kEndOfCentralDirectorySignature = 0x06054B50;

inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralHeaderSize = 46;
inline constexpr size_t kEndOfCentralDirectorySize = 22;
/// The end record sits within this many bytes of the end: its own size plus the longest comment.
inline constexpr size_t kEndOfCentralDirectorySearchSize = kEndOfCentralDirectorySize + 0xFFFF;

inline constexpr uint16_t kMethodStored = 0;
inline constexpr uint16_t kMethodDeflated = 8;
inline constexpr uint16_t kVersion = 20;
inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagUtf8Name = 0x0800;
inline constexpr uint32_t kDirectoryAttribute = 0x10;

/// ZIP64 marks a size or offset that does not fit 32 bits with all ones.
inline constexpr uint32_t kZip64Marker = 0xFFFFFFFF;

[[nodiscard]] inline uint16_t readU16(std::span<const uint8_t> bytes, size_t offset) noexcept
{
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] inline uint32_t readU32(std::span<const uint8_t> bytes, size_t offset) noexcept
{
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline void appendU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void appendU32(std::vector<uint8_t>& out, uint32_t value)
{
    appendU16(out, static_cast<uint16_t>(value));
    appendU16(out, static_cast<uint16_t>(value >> 16));
}

} // namespace velmo::formats::zip_internal
