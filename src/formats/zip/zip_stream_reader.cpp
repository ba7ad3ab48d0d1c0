#include "formats/zip/zip_stream_reader.h"

#include "core/editor_exception.h"
#include "formats/zip/zip_errors.h"
#include "formats/zip/zip_format_internal.h"
#include "formats/zip/zip_member_name.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

namespace velmo::formats {

using namespace zip_internal;

namespace {

/// Inflated data grows by at least this much, and at most by what has arrived so far, so memory
/// follows the data rather than the size a header declares.
constexpr size_t kMinInflateChunk = size_t{64} << 10;

[[noreturn]] void throwDamaged(const std::string& reason)
{
    throw PackedStreamReaderError("Damaged ZIP package: " + reason + ".");
}

std::string quoted(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

/// Offset of the end-of-central-directory record: the last signature whose record, comment
/// included, fits in the package. Only the last 22 + 65,535 bytes can hold it.
size_t findEndOfCentralDirectory(std::span<const uint8_t> package)
{
    if (package.size() >= kEndOfCentralDirectorySize) {
        const size_t lowest = package.size() > kEndOfCentralDirectorySearchSize
                                  ? package.size() - kEndOfCentralDirectorySearchSize
                                  : 0;
        for (size_t offset = package.size() - kEndOfCentralDirectorySize;; --offset) {
            if (readU32(package, offset) == kEndOfCentralDirectorySignature &&
                offset + kEndOfCentralDirectorySize + readU16(package, offset + 20) <= package.size())
                return offset;
            if (offset == lowest)
                break;
        }
    }
    throwDamaged("the end of central directory record is missing");
}

/// zlib's raw inflater for one member, released however extraction ends.
class RawInflater {
public:
    RawInflater()
    {
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~RawInflater() { inflateEnd(&stream_); }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    z_stream& stream() noexcept { return stream_; }

private:
    z_stream stream_{};
};

} // namespace

ZIPStreamReader::ZIPStreamReader(std::span<const uint8_t> package) : package_(package)
{
    readDirectory();
}

void ZIPStreamReader::readDirectory()
{
    if (package_.size() < 4 || readU32(package_, 0) != kLocalHeaderSignature)
        return;
    const size_t endRecord = findEndOfCentralDirectory(package_);
    const uint16_t entryCount = readU16(package_, endRecord + 10);
    const uint32_t directoryOffset = readU32(package_, endRecord + 16);
    if (directoryOffset == kZip64Marker)
        throw PackedStreamReaderError("ZIP64 packages are not supported.");
    if (directoryOffset > endRecord)
        throwDamaged("the central directory lies outside the package");
    if (uint64_t{entryCount} * kCentralHeaderSize > endRecord - directoryOffset)
        throwDamaged("the central directory lists more members than it holds");

    files_.reserve(entryCount);
    int64_t packageSize = 0;
    uint64_t position = directoryOffset;
    for (uint16_t index = 0; index < entryCount; ++index) {
        // Central header: where the local header is, the directory flag and the fallback sizes.
        if (position + kCentralHeaderSize > endRecord || readU32(package_, position) != kCentralHeaderSignature)
            throwDamaged("bad central directory header");
        const uint32_t centralCrc = readU32(package_, position + 16);
        const uint32_t centralPackedSize = readU32(package_, position + 20);
        const uint32_t centralOriginalSize = readU32(package_, position + 24);
        const uint32_t externalAttributes = readU32(package_, position + 38);
        const uint32_t localOffset = readU32(package_, position + 42);
        position += kCentralHeaderSize + readU16(package_, position + 28) + readU16(package_, position + 30) +
                    readU16(package_, position + 32);
        if (position > endRecord)
            throwDamaged("bad central directory header");

        // Local header: the name and everything needed to unpack.
        if (uint64_t{localOffset} + kLocalHeaderSize > directoryOffset ||
            readU32(package_, localOffset) != kLocalHeaderSignature)
            throwDamaged("bad local header");
        const uint16_t nameLength = readU16(package_, localOffset + 26);
        const uint64_t dataOffset = uint64_t{localOffset} + kLocalHeaderSize + nameLength +
                                    readU16(package_, localOffset + 28);
        if (dataOffset > directoryOffset)
            throwDamaged("bad local header");
        ZIPFileEntry entry;
        entry.flags = readU16(package_, localOffset + 6);
        entry.method = readU16(package_, localOffset + 8);
        entry.dosDateTime = readU32(package_, localOffset + 10);
        entry.crc32 = readU32(package_, localOffset + 14);
        entry.packedSize = readU32(package_, localOffset + 18);
        entry.originalSize = readU32(package_, localOffset + 22);
        entry.name = normalizeMemberName(std::string_view(
            reinterpret_cast<const char*>(package_.data() + localOffset + kLocalHeaderSize), nameLength));
        entry.isDirectory = (externalAttributes & kDirectoryAttribute) != 0;
        entry.relativeOffset = localOffset;
        entry.dataOffset = dataOffset;

        // Members written with a data descriptor leave 0 in the local header.
        if (entry.crc32 == 0)
            entry.crc32 = centralCrc;
        if (entry.packedSize == 0)
            entry.packedSize = centralPackedSize;
        if (entry.originalSize == 0)
            entry.originalSize = centralOriginalSize;
        if (entry.packedSize == kZip64Marker || entry.originalSize == kZip64Marker)
            throw PackedStreamReaderError("ZIP64 packages are not supported.");
        if (entry.packedSize != centralPackedSize || entry.originalSize != centralOriginalSize)
            throwDamaged("the local and central sizes of " + quoted(entry.name) + " disagree");
        if (dataOffset + entry.packedSize > directoryOffset)
            throwDamaged("the data of " + quoted(entry.name) + " runs past its end");
        if (entry.method == kMethodStored && entry.packedSize != entry.originalSize)
            throwDamaged("the stored member " + quoted(entry.name) + " has two sizes");
        if (entry.originalSize > kMaxMemberSize)
            throw PackedStreamReaderError("ZIP package too large: " + quoted(entry.name) + " unpacks to more than 1 GiB.");
        packageSize += entry.originalSize;
        if (packageSize > kMaxPackageSize)
            throw PackedStreamReaderError("ZIP package too large: its members unpack to more than 1 GiB.");
        files_.push_back(std::move(entry));
    }

    // Overlapping members would let a few packed bytes stand for many members.
    std::vector<std::pair<uint64_t, size_t>> starts; // local header offset, index in files_
    starts.reserve(files_.size());
    for (size_t index = 0; index < files_.size(); ++index)
        starts.emplace_back(files_[index].relativeOffset, index);
    std::sort(starts.begin(), starts.end());
    for (size_t index = 1; index < starts.size(); ++index) {
        const ZIPFileEntry& previous = files_[starts[index - 1].second];
        if (previous.dataOffset + previous.packedSize > starts[index].first)
            throwDamaged("members " + quoted(previous.name) + " and " + quoted(files_[starts[index].second].name) +
                         " overlap");
    }
}

const ZIPFileEntry* ZIPStreamReader::find(std::string_view name) const
{
    const std::string wanted = resolveMemberName(name);
    const auto found = std::ranges::find_if(files_, [&](const ZIPFileEntry& entry) { return memberNamesEqual(entry.name, wanted); });
    return found == files_.end() ? nullptr : &*found;
}

bool ZIPStreamReader::extract(std::string_view name, std::vector<uint8_t>& target) const
{
    const ZIPFileEntry* entry = find(name);
    if (entry == nullptr)
        return false;
    extract(*entry, target);
    return true;
}

void ZIPStreamReader::extract(const ZIPFileEntry& entry, std::vector<uint8_t>& target) const
{
    if (entry.method != kMethodStored && entry.method != kMethodDeflated)
        throw ZIPUnsupportedCompressionMethodError("Unsupported ZIP compression method " + std::to_string(entry.method) +
                                                   " of " + quoted(entry.name) + ".");
    if ((entry.flags & kFlagEncrypted) != 0)
        throw PackedStreamReaderError("The ZIP member " + quoted(entry.name) + " is encrypted, which is not supported.");

    if (entry.dataOffset + entry.packedSize > package_.size())
        throw core::EditorException::internalError(); // an entry of another package
    const std::span<const uint8_t> packed = package_.subspan(entry.dataOffset, entry.packedSize);
    const size_t start = target.size();
    try {
        if (entry.method == kMethodStored)
            target.insert(target.end(), packed.begin(), packed.end());
        else
            inflateInto(entry, packed, target);
        const uint32_t crc = static_cast<uint32_t>(crc32_z(0, target.data() + start, target.size() - start));
        if (crc != entry.crc32)
            throw PackedStreamReaderError(entry.name + " is corrupted.");
    } catch (...) {
        target.resize(start);
        throw;
    }
}

void ZIPStreamReader::inflateInto(const ZIPFileEntry& entry, std::span<const uint8_t> packed,
                                  std::vector<uint8_t>& target) const
{
    // An empty member may come with no deflate data at all.
    if (packed.empty()) {
        if (entry.originalSize != 0)
            throwDamaged(quoted(entry.name) + " has no data");
        return;
    }
    RawInflater inflater;
    z_stream& stream = inflater.stream();
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());

    // One byte more than declared is room enough to catch a member that lies about its size.
    const size_t limit = size_t{entry.originalSize} + 1;
    const size_t start = target.size();
    size_t produced = 0;
    while (true) {
        if (produced == limit)
            throwDamaged(quoted(entry.name) + " unpacks to more than its declared " + std::to_string(entry.originalSize) +
                         " bytes");
        const size_t chunk = std::min(limit - produced, std::max(kMinInflateChunk, produced));
        target.resize(start + produced + chunk);
        stream.next_out = target.data() + start + produced;
        stream.avail_out = static_cast<uInt>(chunk);
        const int status = inflate(&stream, Z_NO_FLUSH);
        produced += chunk - stream.avail_out;
        target.resize(start + produced);
        if (status == Z_STREAM_END)
            break;
        if (status == Z_BUF_ERROR)
            throwDamaged("the data of " + quoted(entry.name) + " ends early");
        if (status == Z_MEM_ERROR)
            throw std::bad_alloc();
        if (status != Z_OK)
            throwDamaged(quoted(entry.name) + " cannot be inflated (" +
                         std::string(stream.msg != nullptr ? stream.msg : "invalid data") + ")");
    }
    if (produced != entry.originalSize)
        throwDamaged(quoted(entry.name) + " unpacks to " + std::to_string(produced) + " bytes, not its declared " +
                     std::to_string(entry.originalSize));
}

} // namespace velmo::formats
