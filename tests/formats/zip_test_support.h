#pragma once

// Hand-built ZIP packages for reader tests: members with any name, method or header values, and
// the offsets of every record so that a test can damage one field.

#include "formats/zip/compressed_stream.h"

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::formats::testing {

inline void putU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    putU16(out, static_cast<uint16_t>(value));
    putU16(out, static_cast<uint16_t>(value >> 16));
}

inline void patchU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void patchU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    patchU16(bytes, offset, static_cast<uint16_t>(value));
    patchU16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

inline uint32_t crcOf(std::string_view content)
{
    return static_cast<uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(content.data()), content.size()));
}

inline std::vector<uint8_t> rawDeflate(std::string_view content)
{
    CompressedStream stream;
    stream.write(content);
    stream.flush();
    return {stream.packedData().begin(), stream.packedData().end()};
}

/// One member as it will be written, exactly: no name normalisation.
struct RawMember {
    std::string name;
    std::string content;
    uint16_t method = 8;
    /// Local header without CRC-32 and sizes, as streaming writers leave it (flag bit 3).
    bool dataDescriptor = false;
    uint32_t externalAttributes = 0;
};

/// Offsets of the records of a package built by buildZip().
struct ZipLayout {
    std::vector<size_t> localHeaders;
    std::vector<size_t> centralHeaders;
    size_t endRecord = 0;

    // Fields, as offsets into the package.
    [[nodiscard]] size_t localFlags(size_t member) const { return localHeaders[member] + 6; }
    [[nodiscard]] size_t localMethod(size_t member) const { return localHeaders[member] + 8; }
    [[nodiscard]] size_t localCrc(size_t member) const { return localHeaders[member] + 14; }
    [[nodiscard]] size_t localPackedSize(size_t member) const { return localHeaders[member] + 18; }
    [[nodiscard]] size_t localOriginalSize(size_t member) const { return localHeaders[member] + 22; }
    [[nodiscard]] size_t centralPackedSize(size_t member) const { return centralHeaders[member] + 20; }
    [[nodiscard]] size_t centralOriginalSize(size_t member) const { return centralHeaders[member] + 24; }
    [[nodiscard]] size_t centralLocalOffset(size_t member) const { return centralHeaders[member] + 42; }
    [[nodiscard]] size_t entryCount() const { return endRecord + 10; }
    [[nodiscard]] size_t directoryOffset() const { return endRecord + 16; }
};

inline std::vector<uint8_t> buildZip(const std::vector<RawMember>& members, ZipLayout* layout = nullptr)
{
    struct Written {
        uint32_t crc;
        uint32_t packedSize;
        uint32_t offset;
    };
    std::vector<uint8_t> out;
    std::vector<Written> written;
    ZipLayout offsets;
    for (const RawMember& member : members) {
        const std::vector<uint8_t> data = member.method == 8 ? rawDeflate(member.content)
                                                             : std::vector<uint8_t>(member.content.begin(), member.content.end());
        const Written entry{crcOf(member.content), static_cast<uint32_t>(data.size()), static_cast<uint32_t>(out.size())};
        written.push_back(entry);
        offsets.localHeaders.push_back(out.size());
        putU32(out, 0x04034B50);
        putU16(out, 20);
        putU16(out, member.dataDescriptor ? 0x0008 : 0);
        putU16(out, member.method);
        putU32(out, 0x00210000);
        putU32(out, member.dataDescriptor ? 0 : entry.crc);
        putU32(out, member.dataDescriptor ? 0 : entry.packedSize);
        putU32(out, member.dataDescriptor ? 0 : static_cast<uint32_t>(member.content.size()));
        putU16(out, static_cast<uint16_t>(member.name.size()));
        putU16(out, 0);
        out.insert(out.end(), member.name.begin(), member.name.end());
        out.insert(out.end(), data.begin(), data.end());
        if (member.dataDescriptor) {
            putU32(out, 0x08074B50);
            putU32(out, entry.crc);
            putU32(out, entry.packedSize);
            putU32(out, static_cast<uint32_t>(member.content.size()));
        }
    }
    const size_t directoryOffset = out.size();
    for (size_t index = 0; index < members.size(); ++index) {
        const RawMember& member = members[index];
        offsets.centralHeaders.push_back(out.size());
        putU32(out, 0x02014B50);
        putU16(out, 20);
        putU16(out, 20);
        putU16(out, member.dataDescriptor ? 0x0008 : 0);
        putU16(out, member.method);
        putU32(out, 0x00210000);
        putU32(out, written[index].crc);
        putU32(out, written[index].packedSize);
        putU32(out, static_cast<uint32_t>(member.content.size()));
        putU16(out, static_cast<uint16_t>(member.name.size()));
        putU16(out, 0);
        putU16(out, 0);
        putU16(out, 0);
        putU16(out, 0);
        putU32(out, member.externalAttributes);
        putU32(out, written[index].offset);
        out.insert(out.end(), member.name.begin(), member.name.end());
    }
    offsets.endRecord = out.size();
    putU32(out, 0x06054B50);
    putU16(out, 0);
    putU16(out, 0);
    putU16(out, static_cast<uint16_t>(members.size()));
    putU16(out, static_cast<uint16_t>(members.size()));
    putU32(out, static_cast<uint32_t>(offsets.endRecord - directoryOffset));
    putU32(out, static_cast<uint32_t>(directoryOffset));
    putU16(out, 0);
    if (layout != nullptr)
        *layout = offsets;
    return out;
}

inline std::string asText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace velmo::formats::testing
