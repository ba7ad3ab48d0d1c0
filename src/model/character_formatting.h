#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmo::model {

/// The character formatting a run carries. Records are interned in a CharacterFormattingCache
/// and runs refer to them by index, so equal formatting compares as equal indices.
struct CharacterFormattingInfo {
    std::u16string fontName = u"Times New Roman";
    int32_t doubleFontSize = 24; // half-points
    bool bold = false;
    bool italic = false;
    bool allCaps = false;
    bool hidden = false;

    bool operator==(const CharacterFormattingInfo&) const = default;
};

struct CharacterFormattingInfoHash {
    size_t operator()(const CharacterFormattingInfo& info) const noexcept;
};

/// Unique character formatting records of one document; index 0 is the default formatting.
class CharacterFormattingCache {
public:
    static constexpr int32_t kDefaultItemIndex = 0;

    CharacterFormattingCache();

    /// Index of an equal record, added when there is none yet.
    [[nodiscard]] int32_t add(const CharacterFormattingInfo& info);
    [[nodiscard]] const CharacterFormattingInfo& operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(items_.size()); }

private:
    std::vector<CharacterFormattingInfo> items_;
    std::unordered_map<CharacterFormattingInfo, int32_t, CharacterFormattingInfoHash> indexByItem_;
};

} // namespace velmo::model
