#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

struct z_stream_s;

namespace velmo::formats {

/// A package member produced piece by piece: each write is deflated at once (raw deflate, zlib's
/// default level) and counted into the CRC-32 and size of the uncompressed data, so the member is
/// compressed exactly once and the uncompressed whole is never held.
class CompressedStream {
public:
    CompressedStream();
    ~CompressedStream();
    CompressedStream(CompressedStream&&) noexcept;
    CompressedStream& operator=(CompressedStream&&) noexcept;
    CompressedStream(const CompressedStream&) = delete;
    CompressedStream& operator=(const CompressedStream&) = delete;

    void write(std::span<const uint8_t> bytes);
    void write(std::string_view bytes);
    /// Ends the deflate data. Writing afterwards throws EditorException; flushing again does nothing.
    void flush();

    [[nodiscard]] bool isFlushed() const noexcept { return flushed_; }
    /// CRC-32 of the uncompressed bytes written so far.
    [[nodiscard]] uint32_t crc32() const noexcept { return crc32_; }
    [[nodiscard]] uint64_t originalSize() const noexcept { return originalSize_; }
    /// The raw deflate data; complete only after flush().
    [[nodiscard]] std::span<const uint8_t> packedData() const noexcept { return {packed_.data(), packedSize_}; }

private:
    struct StreamDeleter {
        void operator()(z_stream_s* stream) const noexcept;
    };
    void deflateInput(int flushMode);

    // On the heap: zlib's state points back at the z_stream, which must therefore never move.
    std::unique_ptr<z_stream_s, StreamDeleter> stream_;
    std::vector<uint8_t> packed_; // grows ahead of packedSize_ so small writes do not reallocate
    size_t packedSize_ = 0;
    uint32_t crc32_ = 0;
    uint64_t originalSize_ = 0;
    bool flushed_ = false;
};

} // namespace velmo::formats
