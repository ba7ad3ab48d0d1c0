#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {

/// Append-only UTF-16 storage of a story's characters. Text is never removed or moved while the
/// story lives (deleted text stays unreferenced), so a run can refer to its characters by index.
/// Chunks are fixed-size: unit i lives in chunk i / kChunkSize.
class ChunkedStringBuilder {
public:
    static constexpr int32_t kChunkSize = 32768;

    ChunkedStringBuilder() = default;
    ChunkedStringBuilder(const ChunkedStringBuilder&) = delete;
    ChunkedStringBuilder& operator=(const ChunkedStringBuilder&) = delete;

    [[nodiscard]] int32_t length() const noexcept { return length_; }
    [[nodiscard]] char16_t at(int32_t index) const noexcept
    {
        return chunks_[static_cast<size_t>(index / kChunkSize)][index % kChunkSize];
    }

    void append(std::u16string_view text);
    void append(char16_t character) { append(std::u16string_view(&character, 1)); }
    /// Appends units [start, start + length) to `target`.
    void appendTo(std::u16string& target, int32_t start, int32_t length) const;
    [[nodiscard]] std::u16string substring(int32_t start, int32_t length) const;
    /// The one in-place change: swapping a paragraph mark and a section mark.
    void replaceUnit(int32_t index, char16_t character) noexcept;
    void clear() noexcept;

private:
    std::vector<std::unique_ptr<char16_t[]>> chunks_;
    int32_t length_ = 0;
};

} // namespace velmo::model
