#include "model/chunked_string_builder.h"

#include <algorithm>
#include <cassert>

namespace velmo::model {

void ChunkedStringBuilder::append(std::u16string_view text)
{
    size_t done = 0;
    while (done < text.size()) {
        const int32_t offset = length_ % kChunkSize;
        if (offset == 0 && static_cast<size_t>(length_ / kChunkSize) == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kChunkSize));
        const size_t take = std::min(text.size() - done, static_cast<size_t>(kChunkSize - offset));
        std::copy_n(text.data() + done, take, chunks_.back().get() + offset);
        done += take;
        length_ += static_cast<int32_t>(take);
    }
}

void ChunkedStringBuilder::appendTo(std::u16string& target, int32_t start, int32_t length) const
{
    assert(start >= 0 && length >= 0 && start + length <= length_ && "range outside the buffer");
    while (length > 0) {
        const int32_t offset = start % kChunkSize;
        const int32_t take = std::min(length, kChunkSize - offset);
        target.append(chunks_[static_cast<size_t>(start / kChunkSize)].get() + offset, static_cast<size_t>(take));
        start += take;
        length -= take;
    }
}

std::u16string ChunkedStringBuilder::substring(int32_t start, int32_t length) const
{
    std::u16string result;
    result.reserve(static_cast<size_t>(length));
    appendTo(result, start, length);
    return result;
}

void ChunkedStringBuilder::replaceUnit(int32_t index, char16_t character) noexcept
{
    assert(index >= 0 && index < length_ && "index outside the buffer");
    chunks_[static_cast<size_t>(index / kChunkSize)][index % kChunkSize] = character;
}

void ChunkedStringBuilder::clear() noexcept
{
    chunks_.clear();
    length_ = 0;
}

} // namespace velmo::model
