#include "formats/zip/compressed_stream.h"

#include "core/editor_exception.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace velmo::formats {

namespace {

constexpr size_t kOutputChunk = size_t{64} << 10;
/// zlib counts bytes in 32-bit units; larger spans go in pieces of this size.
constexpr size_t kMaxPiece = size_t{1} << 30;

} // namespace

void CompressedStream::StreamDeleter::operator()(z_stream_s* stream) const noexcept
{
    deflateEnd(stream);
    delete stream;
}

CompressedStream::CompressedStream() : stream_(nullptr)
{
    auto stream = std::make_unique<z_stream>();
    if (deflateInit2(stream.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    stream_.reset(stream.release());
}

CompressedStream::~CompressedStream() = default;
CompressedStream::CompressedStream(CompressedStream&&) noexcept = default;
CompressedStream& CompressedStream::operator=(CompressedStream&&) noexcept = default;

void CompressedStream::write(std::string_view bytes)
{
    write(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

void CompressedStream::write(std::span<const uint8_t> bytes)
{
    if (flushed_)
        throw core::EditorException("A compressed stream cannot be written after it has been flushed.");
    while (!bytes.empty()) {
        const std::span<const uint8_t> piece = bytes.first(std::min(bytes.size(), kMaxPiece));
        crc32_ = static_cast<uint32_t>(::crc32_z(crc32_, piece.data(), piece.size()));
        originalSize_ += piece.size();
        stream_->next_in = const_cast<Bytef*>(piece.data());
        stream_->avail_in = static_cast<uInt>(piece.size());
        deflateInput(Z_NO_FLUSH);
        bytes = bytes.subspan(piece.size());
    }
}

void CompressedStream::flush()
{
    if (flushed_)
        return;
    deflateInput(Z_FINISH);
    flushed_ = true;
}

void CompressedStream::deflateInput(int flushMode)
{
    while (true) {
        if (packed_.size() - packedSize_ < kOutputChunk)
            packed_.resize(std::max(packed_.size() * 2, packedSize_ + kOutputChunk));
        const size_t room = std::min(packed_.size() - packedSize_, kMaxPiece);
        stream_->next_out = packed_.data() + packedSize_;
        stream_->avail_out = static_cast<uInt>(room);
        const int status = deflate(stream_.get(), flushMode);
        packedSize_ += room - stream_->avail_out;
        if (status == Z_STREAM_END)
            return;
        if (status != Z_OK && !(status == Z_BUF_ERROR && flushMode == Z_NO_FLUSH))
            throw core::EditorException::internalError();
        // Without finishing, deflate is done once it has taken all input and left room unused.
        if (flushMode == Z_NO_FLUSH && stream_->avail_in == 0 && stream_->avail_out != 0)
            return;
    }
}

} // namespace velmo::formats
