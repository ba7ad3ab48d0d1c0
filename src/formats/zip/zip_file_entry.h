#pragma once

#include <cstdint>
#include <string>

namespace velmo::formats {

/// One member of a package as its directory describes it. Sizes and the CRC-32 come from the local
/// header, or from the central directory where the local header holds 0 (members written with a
/// data descriptor).
struct ZIPFileEntry {
    uint16_t method = 0;
    uint16_t flags = 0;
    uint32_t dosDateTime = 0;
    uint32_t crc32 = 0;
    uint32_t packedSize = 0;
    uint32_t originalSize = 0;
    bool isDirectory = false;
    /// 8-bit name with "\" turned into "/" and one leading "/" removed.
    std::string name;
    /// Offset of the local header in the package.
    uint32_t relativeOffset = 0;
    /// Offset of the member's data in the package, after the local header, name and extra field.
    uint64_t dataOffset = 0;
};

} // namespace velmo::formats
