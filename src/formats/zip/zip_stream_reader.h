#pragma once

#include "formats/zip/zip_file_entry.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velmo::formats {

/// Reads a ZIP package held in memory: stored and deflated members, no encryption, spanning or
/// ZIP64. The directory is read and checked on construction; members are inflated on request.
///
/// Hostile packages are refused with PackedStreamReaderError before they can cost much: the end
/// record is searched only where it can be, members may not overlap one another or the directory,
/// every member and the package as a whole are capped in uncompressed size, a member never inflates
/// past its declared size, and memory grows with the data actually inflated, not with what a
/// header claims.
class ZIPStreamReader {
public:
    /// Largest uncompressed member, and largest sum of all members' uncompressed sizes.
    static constexpr int64_t kMaxMemberSize = int64_t{1} << 30;
    static constexpr int64_t kMaxPackageSize = int64_t{1} << 30;

    /// Reads the directory. Bytes that do not start with a local header are no package: the member
    /// list is empty and nothing is raised, so the caller reports what is missing. `package` must
    /// outlive the reader.
    explicit ZIPStreamReader(std::span<const uint8_t> package);

    /// The members in central-directory order.
    [[nodiscard]] const std::vector<ZIPFileEntry>& files() const noexcept { return files_; }

    /// The first member whose name matches `name` ignoring ASCII case, after "\" became "/", one
    /// leading "/" was dropped and ".." segments were resolved; null when there is none.
    [[nodiscard]] const ZIPFileEntry* find(std::string_view name) const;
    [[nodiscard]] bool exists(std::string_view name) const { return find(name) != nullptr; }

    /// Appends the data of `entry`, one of files(), to `target`. Throws ZIPUnsupportedCompressionMethodError for
    /// a method other than 0 and 8, PackedStreamReaderError for damaged data ("<name> is corrupted."
    /// on a CRC-32 mismatch); `target` then keeps only what it held before.
    void extract(const ZIPFileEntry& entry, std::vector<uint8_t>& target) const;
    /// As above for the member found by name; false, with `target` untouched, when there is none.
    bool extract(std::string_view name, std::vector<uint8_t>& target) const;

private:
    void readDirectory();
    void inflateInto(const ZIPFileEntry& entry, std::span<const uint8_t> packed, std::vector<uint8_t>& target) const;

    std::span<const uint8_t> package_; // owned by the caller, outlives the reader
    std::vector<ZIPFileEntry> files_;
};

} // namespace velmo::formats
