#include "formats/zip/zip_stream_writer.h"

#include "core/editor_exception.h"
#include "formats/zip/compressed_stream.h"
#include "formats/zip/zip_format_internal.h"
#include "formats/zip/zip_member_name.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <utility>

namespace velmo::formats {

using namespace zip_internal;

namespace {

constexpr uint64_t kMaxZipOffset = std::numeric_limits<uint32_t>::max() - 1; // all ones is the ZIP64 marker
constexpr size_t kMaxEntries = std::numeric_limits<uint16_t>::max();

[[noreturn]] void throwTooLarge()
{
    throw core::EditorException("The package is too large for a ZIP file.");
}

std::string asciiLowerCase(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return result;
}

bool isAscii(std::string_view text)
{
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

uint32_t currentDosDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (local.tm_year < 80)
        return kEarliestDosDateTime;
    const uint32_t date = static_cast<uint32_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    const uint32_t time = static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return (date << 16) | time;
}

void ZIPStreamWriter::addFile(std::string_view name, std::span<const uint8_t> bytes)
{
    CompressedStream stream;
    stream.write(bytes);
    addFile(name, stream);
}

void ZIPStreamWriter::addFile(std::string_view name, std::string_view bytes)
{
    addFile(name, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

void ZIPStreamWriter::addFile(std::string_view name, CompressedStream& stream)
{
    stream.flush();
    if (stream.originalSize() > kMaxZipOffset || stream.packedData().size() > kMaxZipOffset)
        throwTooLarge();
    ZIPFileEntry entry;
    entry.name = normalizeMemberName(name);
    entry.method = kMethodDeflated;
    entry.crc32 = stream.crc32();
    entry.packedSize = static_cast<uint32_t>(stream.packedData().size());
    entry.originalSize = static_cast<uint32_t>(stream.originalSize());
    addMember(std::move(entry), stream.packedData());
}

void ZIPStreamWriter::addDirectory(std::string_view name)
{
    ZIPFileEntry entry;
    entry.name = normalizeMemberName(name);
    if (!entry.name.empty() && entry.name.back() != '/')
        entry.name += '/';
    entry.method = kMethodStored;
    entry.isDirectory = true;
    addMember(std::move(entry), {});
}

void ZIPStreamWriter::addMember(ZIPFileEntry entry, std::span<const uint8_t> packed)
{
    if (entry.name.empty() || entry.name == "/")
        throw core::EditorException::invalidValue(entry.name, "name");
    if (entry.name.size() > std::numeric_limits<uint16_t>::max() || entries_.size() >= kMaxEntries ||
        output_.size() > kMaxZipOffset)
        throwTooLarge();
    // A second member of the same name would be hidden from every reader that takes the first.
    if (!lowerCaseNames_.insert(asciiLowerCase(entry.name)).second)
        throw core::EditorException::invalidValue(entry.name, "name");
    entry.flags = isAscii(entry.name) ? 0 : kFlagUtf8Name;
    entry.dosDateTime = dosDateTime_;
    entry.relativeOffset = static_cast<uint32_t>(output_.size());
    appendLocalHeader(entry);
    output_.insert(output_.end(), packed.begin(), packed.end());
    entries_.push_back(std::move(entry));
}

void ZIPStreamWriter::appendLocalHeader(const ZIPFileEntry& entry)
{
    appendU32(output_, kLocalHeaderSignature);
    appendU16(output_, kVersion);
    appendU16(output_, entry.flags);
    appendU16(output_, entry.method);
    appendU32(output_, entry.dosDateTime);
    appendU32(output_, entry.crc32);
    appendU32(output_, entry.packedSize);
    appendU32(output_, entry.originalSize);
    appendU16(output_, static_cast<uint16_t>(entry.name.size()));
    appendU16(output_, 0); // extra field
    output_.insert(output_.end(), entry.name.begin(), entry.name.end());
}

void ZIPStreamWriter::appendCentralHeader(const ZIPFileEntry& entry)
{
    appendU32(output_, kCentralHeaderSignature);
    appendU16(output_, kVersion); // made by
    appendU16(output_, kVersion); // needed
    appendU16(output_, entry.flags);
    appendU16(output_, entry.method);
    appendU32(output_, entry.dosDateTime);
    appendU32(output_, entry.crc32);
    appendU32(output_, entry.packedSize);
    appendU32(output_, entry.originalSize);
    appendU16(output_, static_cast<uint16_t>(entry.name.size()));
    appendU16(output_, 0); // extra field
    appendU16(output_, 0); // comment
    appendU16(output_, 0); // disk number
    appendU16(output_, 0); // internal attributes
    appendU32(output_, entry.isDirectory ? kDirectoryAttribute : 0);
    appendU32(output_, entry.relativeOffset);
    output_.insert(output_.end(), entry.name.begin(), entry.name.end());
}

std::vector<uint8_t> ZIPStreamWriter::finish()
{
    const uint64_t directoryOffset = output_.size();
    uint64_t directorySize = 0;
    for (const ZIPFileEntry& entry : entries_)
        directorySize += kCentralHeaderSize + entry.name.size();
    if (directoryOffset > kMaxZipOffset || directorySize > kMaxZipOffset)
        throwTooLarge();
    output_.reserve(output_.size() + directorySize + kEndOfCentralDirectorySize);
    for (const ZIPFileEntry& entry : entries_)
        appendCentralHeader(entry);
    appendU32(output_, kEndOfCentralDirectorySignature);
    appendU16(output_, 0); // this disk
    appendU16(output_, 0); // disk of the directory
    appendU16(output_, static_cast<uint16_t>(entries_.size()));
    appendU16(output_, static_cast<uint16_t>(entries_.size()));
    appendU32(output_, static_cast<uint32_t>(directorySize));
    appendU32(output_, static_cast<uint32_t>(directoryOffset));
    appendU16(output_, 0); // comment
    entries_.clear();
    lowerCaseNames_.clear();
    return std::exchange(output_, {});
}

} // namespace velmo::formats
