#pragma once

#include "formats/zip/zip_file_entry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmo::formats {

class CompressedStream;

/// 1980-01-01 00:00:00, the earliest DOS date and time.
inline constexpr uint32_t kEarliestDosDateTime = 0x00210000;

/// The local time now as a DOS date (high word) and time (low word, two-second steps).
[[nodiscard]] uint32_t currentDosDateTime();

/// Writes a ZIP package into memory: deflated members in the order they are added, then the
/// central directory. The output depends only on the members and the given DOS date and time, so
/// the same content always gives the same bytes. No ZIP64: a package beyond 65,535 members or
/// 4 GiB is refused.
class ZIPStreamWriter {
public:
    /// Every member is stamped with `dosDateTime`.
    explicit ZIPStreamWriter(uint32_t dosDateTime = kEarliestDosDateTime) : dosDateTime_(dosDateTime) {}

    /// Deflates `bytes` as the member `name` ("\" becomes "/", one leading "/" is dropped). Throws
    /// EditorException for an empty name, a name already added (ignoring ASCII case), or a package
    /// grown past what ZIP can address without ZIP64.
    void addFile(std::string_view name, std::span<const uint8_t> bytes);
    void addFile(std::string_view name, std::string_view bytes);
    /// Adds data deflated while it was written, without compressing it again; flushes the stream.
    void addFile(std::string_view name, CompressedStream& stream);
    /// A folder member; a "/" is appended to the name when missing.
    void addDirectory(std::string_view name);

    /// Writes the central directory and the end record and hands over the package. The writer is
    /// empty afterwards.
    [[nodiscard]] std::vector<uint8_t> finish();

private:
    void addMember(ZIPFileEntry entry, std::span<const uint8_t> packed);
    void appendLocalHeader(const ZIPFileEntry& entry);
    void appendCentralHeader(const ZIPFileEntry& entry);

    uint32_t dosDateTime_;
    std::vector<uint8_t> output_;
    std::vector<ZIPFileEntry> entries_;
    std::unordered_set<std::string> lowerCaseNames_;
};

} // namespace velmo::formats
