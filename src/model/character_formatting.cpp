#include "model/character_formatting.h"

namespace velmo::model {

size_t CharacterFormattingInfoHash::operator()(const CharacterFormattingInfo& info) const noexcept
{
    size_t hash = std::hash<std::u16string>()(info.fontName);
    const size_t flags = static_cast<size_t>(info.bold) | static_cast<size_t>(info.italic) << 1 |
                         static_cast<size_t>(info.allCaps) << 2 | static_cast<size_t>(info.hidden) << 3;
    hash ^= (static_cast<size_t>(info.doubleFontSize) << 4 | flags) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    return hash;
}

CharacterFormattingCache::CharacterFormattingCache()
{
    (void)add(CharacterFormattingInfo{});
}

int32_t CharacterFormattingCache::add(const CharacterFormattingInfo& info)
{
    const auto [it, inserted] = indexByItem_.try_emplace(info, count());
    if (inserted)
        items_.push_back(info);
    return it->second;
}

} // namespace velmo::model
